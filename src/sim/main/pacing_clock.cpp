#include "pacing_clock.h"

#include <algorithm>
#include <cmath>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

bool later(const auto& a, const auto& b)
{
    return a.at != b.at ? a.at > b.at : a.order > b.order;
}

} // namespace

PacingClock::PacingClock()
{
    // The kernel may otherwise defer each wake-up by 50 µs to batch it with others.
    prctl(PR_SET_TIMERSLACK, 1UL);
    timerDescriptor_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerDescriptor_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(timerDescriptor_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { runDue(); });
}

PacingClock::~PacingClock()
{
    notifier_.reset();
    if (timerDescriptor_ >= 0)
        ::close(timerDescriptor_);
}

void PacingClock::callAfter(double seconds, std::function<void()> action)
{
    if (!precise()) {
        RealClock::callAfter(seconds, std::move(action));
        return;
    }
    queue_.push_back({now() + std::max(0.0, seconds), nextOrder_++, std::move(action)});
    std::push_heap(queue_.begin(), queue_.end(), [](const Due& a, const Due& b) { return later(a, b); });
    arm();
}

void PacingClock::runDue()
{
    std::uint64_t expirations = 0;
    while (::read(timerDescriptor_, &expirations, sizeof expirations) > 0) {
    }
    const auto cmp = [](const Due& a, const Due& b) { return later(a, b); };
    // An action may ask for more; those due already run in this pass, in order.
    while (!queue_.empty() && queue_.front().at <= now()) {
        std::pop_heap(queue_.begin(), queue_.end(), cmp);
        const std::function<void()> action = std::move(queue_.back().action);
        queue_.pop_back();
        action();
    }
    arm();
}

void PacingClock::arm()
{
    itimerspec timeout{};
    if (!queue_.empty()) {
        // A zero value would disarm the timer: something due now waits a nanosecond.
        const double left = std::max(1e-9, queue_.front().at - now());
        timeout.it_value.tv_sec = time_t(left);
        timeout.it_value.tv_nsec = long(std::fmod(left, 1.0) * 1e9);
        if (timeout.it_value.tv_sec == 0 && timeout.it_value.tv_nsec == 0)
            timeout.it_value.tv_nsec = 1;
    }
    timerfd_settime(timerDescriptor_, 0, &timeout, nullptr);
}
