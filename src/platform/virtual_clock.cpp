#include "platform/virtual_clock.h"

#include <optional>

class VirtualTimer : public ClockTimer {
public:
    VirtualTimer(VirtualClock& clock, double interval, std::function<void()> tick)
        : clock_(clock), interval_(interval), tick_(std::move(tick)) {}
    ~VirtualTimer() override { stop(); }

    void start() override
    {
        stop();
        arm();
    }
    void stop() override
    {
        if (due_)
            clock_.cancel(*due_);
        due_.reset();
    }
    bool isActive() const override { return due_.has_value(); }

private:
    void arm()
    {
        due_ = clock_.schedule(clock_.now() + interval_, [this] {
            // Re-arm before the tick, as a real timer does, so the tick may stop or restart it.
            arm();
            tick_();
        });
    }

    VirtualClock& clock_;
    double interval_;
    std::function<void()> tick_;
    std::optional<VirtualClock::Key> due_;
};

VirtualClock::Key VirtualClock::schedule(double at, std::function<void()> action)
{
    Key key{at, sequence_++};
    queue_.emplace(key, std::move(action));
    return key;
}

void VirtualClock::callAfter(double seconds, std::function<void()> action)
{
    schedule(now_ + seconds, std::move(action));
}

std::unique_ptr<ClockTimer> VirtualClock::createTimer(double intervalSeconds, std::function<void()> tick)
{
    return std::make_unique<VirtualTimer>(*this, intervalSeconds, std::move(tick));
}

bool VirtualClock::waitUntil(double deadline, const std::function<bool()>& done)
{
    for (;;) {
        if (done && done())
            return true;
        if (queue_.empty() || queue_.begin()->first.first > deadline) {
            if (deadline > now_)
                now_ = deadline;
            return done ? done() : true;
        }
        auto first = queue_.begin();
        std::function<void()> action = std::move(first->second);
        if (first->first.first > now_)
            now_ = first->first.first;
        queue_.erase(first);
        action();
    }
}
