#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <map>
#include <vector>

// Virtual time for tests: waits jump straight to the next due event, so a 5 s time-out takes no
// real time and every run is deterministic. Events due at the same moment run in the order they
// were scheduled.
class VirtualClock : public Clock {
public:
    double now() const override { return now_; }
    bool waitUntil(double deadline, const std::function<bool()>& done = {}) override;
    void notify() override {}
    void callAfter(double seconds, std::function<void()> action) override;
    std::unique_ptr<ClockTimer> createTimer(double intervalSeconds, std::function<void()> tick) override;

    // Lets virtual time run for a while with nobody waiting (the event loop of the program).
    void advance(double seconds) { waitUntil(now_ + seconds); }
    // Number of events still scheduled.
    std::size_t pending() const { return queue_.size(); }

private:
    friend class VirtualTimer;
    using Key = std::pair<double, std::uint64_t>;  // due time, then scheduling order
    Key schedule(double at, std::function<void()> action);
    void cancel(const Key& key) { queue_.erase(key); }

    double now_ = 0;
    std::uint64_t sequence_ = 0;
    std::map<Key, std::function<void()>> queue_;
};
