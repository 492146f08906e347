#pragma once

#include "platform/clock.h"

#include <QElapsedTimer>

class QEventLoop;

// Waits in a nested Qt event loop that wakes on its deadline or on notify(): no spinning.
class RealClock : public Clock {
public:
    RealClock();
    double now() const override;
    bool waitUntil(double deadline, const std::function<bool()>& done = {}) override;
    void notify() override;
    void callAfter(double seconds, std::function<void()> action) override;
    std::unique_ptr<ClockTimer> createTimer(double intervalSeconds, std::function<void()> tick) override;

private:
    QElapsedTimer elapsed_;
    QEventLoop* innermost_ = nullptr;  // the running wait's loop, woken by notify()
};
