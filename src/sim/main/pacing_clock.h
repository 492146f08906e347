#pragma once

#include "platform/real_clock.h"

#include <QSocketNotifier>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The real clock with callAfter() fired from a timer descriptor, to within tens of microseconds
// (Linux).
// Qt's timers round every wait up to a whole millisecond, which adds half a millisecond on
// average to each byte the simulated unit paces (1.146 ms a byte) and would be counted against
// the tool it talks to.
class PacingClock : public RealClock {
public:
    PacingClock();
    ~PacingClock() override;
    PacingClock(const PacingClock&) = delete;
    PacingClock& operator=(const PacingClock&) = delete;

    // False when the system has no timer descriptor (callAfter then falls back to Qt's timers).
    bool precise() const { return notifier_ != nullptr; }
    void callAfter(double seconds, std::function<void()> action) override;

private:
    struct Due {
        double at;
        std::uint64_t order;  // keeps actions due at the same time in the order they were asked for
        std::function<void()> action;
    };
    void runDue();
    void arm();

    std::vector<Due> queue_;  // a heap, earliest first
    std::uint64_t nextOrder_ = 0;
    int timerDescriptor_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
