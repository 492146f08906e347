#include "platform/real_clock.h"

#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace {

class RealTimer : public ClockTimer {
public:
    RealTimer(double intervalSeconds, std::function<void()> tick)
    {
        timer_.setInterval(int(std::lround(intervalSeconds * 1000)));
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
    }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

RealClock::RealClock()
{
    elapsed_.start();
}

double RealClock::now() const
{
    return double(elapsed_.nsecsElapsed()) / 1e9;
}

bool RealClock::waitUntil(double deadline, const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    deadlineTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, &QEventLoop::quit);

    QEventLoop* outer = innermost_;
    innermost_ = &loop;
    for (;;) {
        if (done && done())
            break;
        const double left = deadline - now();
        if (left <= 0)
            break;
        // Round up so the loop never wakes a hair early and goes round again for nothing.
        deadlineTimer.start(int(std::ceil(left * 1000)));
        loop.exec();
    }
    innermost_ = outer;
    // A notify() aimed at this wait may have woken an outer one too early; let it look again.
    if (outer)
        QTimer::singleShot(0, outer, &QEventLoop::quit);
    return done ? done() : true;
}

void RealClock::notify()
{
    if (innermost_)
        innermost_->quit();
}

void RealClock::callAfter(double seconds, std::function<void()> action)
{
    QTimer::singleShot(int(std::lround(seconds * 1000)), Qt::PreciseTimer, std::move(action));
}

std::unique_ptr<ClockTimer> RealClock::createTimer(double intervalSeconds, std::function<void()> tick)
{
    return std::make_unique<RealTimer>(intervalSeconds, std::move(tick));
}
