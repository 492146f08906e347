#include "platform/real_clock.h"
#include "platform/virtual_clock.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

TEST(VirtualClock, WaitsJumpToEventsAndStopAtTheDeadline)
{
    VirtualClock clock;
    std::string log;
    clock.callAfter(2.0, [&] { log += "b"; });
    clock.callAfter(1.0, [&] { log += "a"; });
    clock.callAfter(2.0, [&] { log += "c"; });  // same moment: scheduling order

    EXPECT_FALSE(clock.waitFor(1.5, [&] { return log.size() == 3; }));
    EXPECT_EQ(log, "a");
    EXPECT_DOUBLE_EQ(clock.now(), 1.5);

    EXPECT_TRUE(clock.waitFor(5.0, [&] { return log.size() == 3; }));
    EXPECT_EQ(log, "abc");
    EXPECT_DOUBLE_EQ(clock.now(), 2.0);  // returned as soon as the condition held
}

TEST(VirtualClock, NestedWaitsAndTimers)
{
    VirtualClock clock;
    int ticks = 0;
    double innerReturnedAt = -1;
    auto timer = clock.createTimer(1.0, [&] {
        ++ticks;
        if (ticks == 2) {
            // A tick that waits itself (as an update step does) while the outer wait goes on.
            clock.waitFor(0.5);
            innerReturnedAt = clock.now();
        }
    });
    timer->start();
    EXPECT_TRUE(timer->isActive());
    clock.advance(3.2);
    EXPECT_EQ(ticks, 3);
    EXPECT_DOUBLE_EQ(innerReturnedAt, 2.5);
    timer->stop();
    clock.advance(10);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(clock.pending(), 0u);

    // A timer restarted from its own tick keeps a full interval from the restart.
    int restarts = 0;
    std::unique_ptr<ClockTimer> self;
    self = clock.createTimer(1.0, [&] {
        ++restarts;
        self->stop();
        clock.waitFor(0.25);
        self->start();
    });
    self->start();
    clock.advance(2.6);  // ticks at 11.0 (restart 11.25), 12.25; next would be 13.5
    EXPECT_EQ(restarts, 2);
}

TEST(RealClock, WaitEndsAtDeadlineOrWhenNotified)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    RealClock clock;

    const double start = clock.now();
    EXPECT_TRUE(clock.waitFor(0.05));
    EXPECT_GE(clock.now() - start, 0.05);

    bool ready = false;
    QTimer::singleShot(20, [&] {
        ready = true;
        clock.notify();
    });
    EXPECT_TRUE(clock.waitFor(30.0, [&] { return ready; }));  // woken long before 30 s

    bool fired = false;
    clock.callAfter(0.01, [&] { fired = true; });
    EXPECT_FALSE(clock.waitFor(0.1, [] { return false; }));
    EXPECT_TRUE(fired);
}
