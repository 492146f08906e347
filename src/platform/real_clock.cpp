#include "platform/real_clock.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

// A repeating timer that keeps its beat: ticks come at whole intervals after start(). A tick that
// outlasts the interval (an update step waits seconds for the unit) lets the beats it covers pass,
// and the next tick comes on the first beat after it, as on the virtual clock. (A repeating
// QTimer instead starts a fresh interval from whenever it notices that it is late, which adds up
// to a second after every long tick.) Ticks never nest.
class RealTimer : public ClockTimer {
public:
    RealTimer(double intervalSeconds, std::function<void()> tick) : interval_(intervalSeconds), tick_(std::move(tick))
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void start() override
    {
        ++starts_;
        active_ = true;
        beat_ = 0;
        since_.start();
        scheduleNextBeat();
    }
    void stop() override
    {
        active_ = false;
        timer_.stop();
    }
    bool isActive() const override { return active_; }

private:
    void fire()
    {
        const std::uint64_t starts = starts_;
        const std::weak_ptr<int> alive = lifetime_;
        const std::function<void()> tick = tick_;  // the tick may delete this timer
        tick();
        // A tick that stopped or restarted the timer has set its next beat itself.
        if (!alive.expired() && active_ && starts == starts_)
            scheduleNextBeat();
    }
    void scheduleNextBeat()
    {
        const double elapsed = double(since_.nsecsElapsed()) / 1e9;
        beat_ = std::max(beat_ + 1, std::int64_t(std::floor(elapsed / interval_)) + 1);
        timer_.start(int(std::ceil((double(beat_) * interval_ - elapsed) * 1000)));
    }

    double interval_;
    std::function<void()> tick_;
    QTimer timer_;
    QElapsedTimer since_;
    std::int64_t beat_ = 0;
    std::uint64_t starts_ = 0;
    bool active_ = false;
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
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
