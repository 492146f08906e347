#include "model/stability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Stability, SpreadAgainstTheThreshold)
{
    struct Case {
        const char* name;
        std::vector<float> readings;
        double span;
        bool stable;
    };
    const auto alternating = [](float a, float b, int count) {
        std::vector<float> readings;
        for (int i = 0; i < count; ++i)
            readings.push_back(i % 2 ? b : a);
        return readings;
    };
    std::vector<float> outlierPassed{30.0f};
    for (int i = 0; i < 10; ++i)
        outlierPassed.push_back(25.0f);
    std::vector<float> afterBurnOut = alternating(25.0f, 25.0f, 10);
    afterBurnOut.push_back(NAN);
    afterBurnOut.insert(afterBurnOut.end(), 9, 25.0f);
    // Default rule: 10 readings within 0.02 % of the span (0.02 on a span of 100).
    const Case cases[] = {
        {"half the threshold", alternating(25.00f, 25.01f, 10), 100, true},
        {"just below the threshold", alternating(25.00f, 25.019f, 10), 100, true},
        {"at the threshold (as singles a step below it)", alternating(100.00f, 100.02f, 10), 100, false},
        {"at the threshold, large values", alternating(500.00f, 500.02f, 10), 100, false},
        {"below it, large values", alternating(500.00f, 500.01f, 10), 100, true},
        {"falling range", alternating(25.00f, 25.01f, 10), -100, true},
        {"nine readings", alternating(25.0f, 25.0f, 9), 100, false},
        {"an outlier that has left the window", outlierPassed, 100, true},
        {"burn-out starts the count again", afterBurnOut, 100, false},
    };
    for (const Case& c : cases) {
        StabilityWindow window;
        for (float reading : c.readings)
            window.add(reading);
        const StabilityVerdict verdict = window.verdict(c.span);
        EXPECT_EQ(verdict.stable, c.stable) << c.name;
        EXPECT_DOUBLE_EQ(verdict.threshold, 0.02) << c.name;
    }
    StabilityWindow three({3, 0.001});
    for (float reading : {50.0f, 10.0f, 10.05f, 10.02f})
        three.add(reading);
    EXPECT_NEAR(three.mean(), 10.023333, 1e-5);  // of the readings still held
    const StabilityVerdict verdict = three.verdict(100);
    EXPECT_TRUE(verdict.stable);
    EXPECT_NEAR(*verdict.spread, 0.05, 1e-5);
}
