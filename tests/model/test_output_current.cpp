#include "model/conf_record.h"
#include "model/output_current.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct OutputCase {
    const char* name;
    float rangeMin, rangeMax, outMin, outMax;
    std::uint8_t burnOut;
    float reading;  // NoCal: a burn-out
    double milliamps;  // NAN: no current
    double percent;
};

} // namespace

TEST(OutputCurrent, RangeLimitsDirectionAndBurnOut)
{
    const OutputCase cases[] = {
        {"rising, mid range", 0, 100, 4, 20, 0, 50, 12.0, 50},
        {"rising, below the range: clamped", 0, 100, 4, 20, 0, -10, 4.0, -10},
        {"rising, above the range: clamped", 0, 100, 4, 20, 0, 110, 20.0, 110},
        {"falling output", 0, 100, 20, 4, 0, 25, 16.0, 25},
        {"falling output, above the range", 0, 100, 20, 4, 0, 120, 4.0, 120},
        {"range below zero", -50, 150, 4, 20, 0, 0, 8.0, 25},
        {"narrow output limits", 0, 100, 4, 12, 1, 100, 12.0, 100},
        {"burn-out up scale", 0, 100, 4, 20, 0, NoCal, 21.0, NAN},
        {"burn-out down scale", 0, 100, 4, 20, 1, NoCal, 3.6, NAN},
        {"burn-out, falling output, down scale", 0, 100, 20, 4, 1, NoCal, 3.6, NAN},
        {"burn-out direction not chosen", 0, 100, 4, 20, NoCode, NoCal, NAN, NAN},
        {"no input range", NoValue, 100, 4, 20, 0, 50, NAN, NAN},
        {"empty input range", 100, 100, 4, 20, 0, 50, NAN, NAN},
        {"no output span", 0, 100, 4, 4, 0, 50, NAN, NAN},
    };
    for (const OutputCase& c : cases) {
        ConfRecord conf;
        conf.RangeMin = c.rangeMin, conf.RangeMax = c.rangeMax, conf.OutMin = c.outMin, conf.OutMax = c.outMax;
        conf.BurnOut = c.burnOut;
        const auto transfer = OutputTransferOf(conf, BurnOutLevels{});
        std::optional<OutputPoint> point;
        if (transfer)
            point = c.reading == NoCal ? BurnOutOutput(*transfer) : OutputAt(*transfer, c.reading);
        ASSERT_EQ(point.has_value(), !std::isnan(c.milliamps)) << c.name;
        if (!point)
            continue;
        EXPECT_NEAR(point->milliamps, c.milliamps, 1e-9) << c.name;
        EXPECT_EQ(point->burnOut, c.reading == NoCal) << c.name;
        if (std::isnan(c.percent))
            EXPECT_TRUE(std::isnan(point->percentOfRange)) << c.name;
        else
            EXPECT_NEAR(point->percentOfRange, c.percent, 1e-9) << c.name;
    }
    // The burn-out levels are settings.
    ConfRecord conf;
    conf.RangeMin = 0, conf.RangeMax = 100, conf.OutMin = 4, conf.OutMax = 20, conf.BurnOut = 0;
    EXPECT_EQ(BurnOutOutput(*OutputTransferOf(conf, {22.5, 3.2}))->milliamps, 22.5);
}
