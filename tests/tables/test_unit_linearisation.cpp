#include "sim/unit_linearisation.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Line = std::array<float, 4>;

// Tables A and B from primary file lines (the end line included).
SensorTables primaryTables(const std::vector<Line>& lines)
{
    SensorTables tables;
    for (const Line& line : lines) {
        tables.A.values[tables.A.count++] = line[0];
        for (int k = 1; k < 4; ++k)
            tables.B.values[tables.B.count++] = line[k];
    }
    return tables;
}

SensorTables secondaryTables(const std::vector<Line>& lines)
{
    SensorTables tables;
    for (const Line& line : lines)
        for (float value : line)
            tables.C.values[tables.C.count++] = value;
    return tables;
}

constexpr float End = TableEndMarker;

TEST(UnitLinearisation, EvaluatesSegmentsWithTheDocumentedRounding)
{
    // Segment 0 from 0: 10 + 1.5 d; segment 1 from 100: 160 + 0.25 d^2 (q = 1, r = 2); end at 200.
    const auto curve = PrimaryCurve(primaryTables({{0, 10, 3, 0}, {100, 160, 0, 1}, {200, 170, 0, 0}, {End, 0, 1, 2}}));
    ASSERT_TRUE(curve);
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {0, 10},   {1, 12},    // 11.5 rounds half up
        {3, 15},   {99, 159},  // 158.5 rounds up
        {100, 160}, {101, 160}, // 160.25
        {102, 161}, {110, 185}, // 161.0, 185.0
        {200, 170}, {-50, 10},  // the upper end line, then clamping below
        {5000, 170},
    };
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(CurveValue(*curve, x), expected) << "x = " << x;
}

TEST(UnitLinearisation, NegativeTermsRoundHalfUpAndFractionBitsScaleTheValue)
{
    // a in quarters (p = 2): 20/4 = 5; slope -1.5 quarters per unit (q = 1).
    const auto curve = PrimaryCurve(primaryTables({{-10, 20, -3, 0}, {10, -10, 0, 0}, {End, 2, 1, 0}}));
    ASSERT_TRUE(curve);
    EXPECT_EQ(CurveFineValue(*curve, -9), 19);  // 20 - 1.5 -> 18.5 rounds half up to 19
    EXPECT_EQ(CurveFineValue(*curve, -8), 17);
    EXPECT_EQ(CurveValue(*curve, -10), 5);
    EXPECT_EQ(CurveValue(*curve, -9), 5);       // 19 / 4 = 4.75
    EXPECT_EQ(CurveValue(*curve, 0), 1);        // 20 - 15 = 5 quarters = 1.25
    EXPECT_EQ(CurveValue(*curve, 10), -2);      // -10 / 4 = -2.5 rounds half up
}

TEST(UnitLinearisation, MalformedTablesAreRefused)
{
    const std::vector<std::vector<Line>> bad = {
        {{0, 0, 1, 0}, {10, 10, 0, 0}},                      // no end line
        {{0, 0, 1, 0}, {End, 0, 0, 0}},                      // a segment without its upper end
        {{0, 0, 1.5f, 0}, {10, 10, 0, 0}, {End, 0, 0, 0}},   // not a whole number
        {{10, 0, 1, 0}, {10, 10, 0, 0}, {End, 0, 0, 0}},     // breakpoints not increasing
        {{0, 0, 1, 0}, {10, 10, 0, 0}, {End, 0, 63, 0}},     // shift beyond 62
        {{0, 0, 1, 0}, {10, 10, 0, 0}, {End, -1, 0, 0}},     // negative shift
    };
    for (const auto& lines : bad) {
        EXPECT_FALSE(PrimaryCurve(primaryTables(lines))) << lines.size() << " lines";
        EXPECT_FALSE(SecondaryCurve(secondaryTables(lines))) << lines.size() << " lines";
    }
    SensorTables unbalanced = primaryTables({{0, 0, 1, 0}, {10, 10, 0, 0}, {End, 0, 0, 0}});
    unbalanced.B.count -= 1;
    EXPECT_FALSE(PrimaryCurve(unbalanced));
    EXPECT_FALSE(SecondaryCurve(secondaryTables({{End, 0, 0, 0}})));  // lvoid: no curve
}

TEST(UnitLinearisation, ThermocoupleReadingAddsTheColdJunctionEmf)
{
    // Primary: 0.01 °C = raw / 4 over -4000..40000 (0.1 µV). Cold junction: 1 µV per 0.01 °C, kept in
    // quarters of a µV (p = 2).
    const auto primary = PrimaryCurve(primaryTables({{-4000, -1000, 1, 0}, {40000, 10000, 0, 0}, {End, 0, 2, 0}}));
    const auto coldJunction =
        SecondaryCurve(secondaryTables({{-4000, -16000, 4, 0}, {8500, 34000, 0, 0}, {End, 2, 0, 0}}));
    ASSERT_TRUE(primary && coldJunction);
    EXPECT_EQ(ColdJunctionEmf(*coldJunction, 2500), 25000);   // 25 °C: 2500.0 µV
    EXPECT_EQ(ColdJunctionEmf(*coldJunction, -3), -30);
    EXPECT_EQ(ColdJunctionEmf(*coldJunction, 9000), 85000);   // clamped to 85 °C
    // 1.0 mV at the terminals plus 2.5 mV of cold junction: 3.5 mV, read as 87.50 °C.
    EXPECT_EQ(ThermocoupleReading(*primary, *coldJunction, 10000, 2500), 8750);
}

TEST(UnitLinearisation, FahrenheitRoundsHalfUp)
{
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {0, 3200}, {10000, 21200}, {-4000, -4000}, {1, 3202}, {-1, 3198}, {2777, 8199}, {-27315, -45967},
    };
    for (const auto& [celsius, fahrenheit] : cases)
        EXPECT_EQ(CentiCelsiusToCentiFahrenheit(celsius), fahrenheit) << celsius;
}

} // namespace
