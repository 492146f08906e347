#pragma once

#include <functional>
#include <memory>

// A repeating timer driven by a Clock (the live-reading poll, the update ticks).
class ClockTimer {
public:
    virtual ~ClockTimer() = default;
    virtual void start() = 0;  // (re)starts a full interval from now
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Every wait and timer of the program goes through a clock. The real clock sleeps in the event
// loop (no CPU while waiting); the virtual clock of tests jumps straight to the next due event.
class Clock {
public:
    virtual ~Clock() = default;

    // Monotonic seconds (so midnight does not matter).
    virtual double now() const = 0;

    // Processes events until `deadline` or until `done()` holds, whichever comes first; returns
    // done() at the end. Waits may nest (an event handled during a wait may wait itself).
    virtual bool waitUntil(double deadline, const std::function<bool()>& done = {}) = 0;

    // Wakes a running wait so that it checks its condition again (new bytes, a closed window).
    virtual void notify() = 0;

    // Runs `action` once, `seconds` from now, from within a wait or the event loop.
    virtual void callAfter(double seconds, std::function<void()> action) = 0;

    // A repeating timer; `tick` runs every `intervalSeconds` while the timer is active.
    virtual std::unique_ptr<ClockTimer> createTimer(double intervalSeconds, std::function<void()> tick) = 0;

    bool waitFor(double seconds, const std::function<bool()>& done = {}) { return waitUntil(now() + seconds, done); }
};
