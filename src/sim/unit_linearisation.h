#pragma once

// The transmitter's side of the sensor tables: how the unit turns a raw input into a reading
// with the tables that "Update Unit" loaded into it. Everything is integer arithmetic, exactly
// as data/README.md describes it, so that a simulated unit and the table generator agree to the
// last digit.
//
// A table is a piecewise quadratic. Its lines (x_i, a_i, b_i, c_i), i = 0..n, have strictly
// increasing breakpoints x_i; line n marks the upper end of the table (b_n = c_n = 0). The end
// line carries three shifts: p (fraction bits of a), q (fraction bits of b), r (fraction bits of
// c). For a raw input x:
//   x is clamped to [x_0, x_n]; i is the last line with x_i <= x; d = x - x_i;
//   s = max(q, r); t = b_i * d * 2^(s-q) + c_i * d^2 * 2^(s-r);
//   F = a_i + floor((t + 2^(s-1)) / 2^s)            (F = a_i + t when s = 0)
//   value = floor((F + 2^(p-1)) / 2^p)               (value = F when p = 0)
// all in signed 64-bit integers.

#include "model/sensor_tables.h"

#include <cstdint>
#include <optional>
#include <vector>

struct CurveLine {
    std::int64_t x = 0;
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
};

struct Curve {
    std::vector<CurveLine> lines;  // segment lines and the upper-end line, not the end line
    int p = 0;
    int q = 0;
    int r = 0;
};

// Largest shift a table may carry (keeps every intermediate within 64 bits).
inline constexpr int MaxCurveShift = 62;

// The primary curve (tables A and B) or the secondary curve (table C) as the unit reads them;
// nothing when the table holds no segment or is malformed (a missing or misplaced end marker,
// a value that is not a whole number, breakpoints not increasing, shifts out of range).
std::optional<Curve> PrimaryCurve(const SensorTables& tables);
std::optional<Curve> SecondaryCurve(const SensorTables& tables);

// F of the formula above: the curve's value at x in units of 2^-p.
std::int64_t CurveFineValue(const Curve& curve, std::int64_t x);
// The curve's value at x rounded to whole units.
std::int64_t CurveValue(const Curve& curve, std::int64_t x);

// The cold-junction EMF in 0.1 µV of a terminal temperature in 0.01 °C: the secondary curve's
// value (µV with p fraction bits) times ten, rounded.
std::int64_t ColdJunctionEmf(const Curve& coldJunction, std::int64_t terminalTemperature);

// A thermocouple reading in 0.01 °C: the terminal voltage in 0.1 µV plus the cold-junction EMF
// of the terminal temperature (0.01 °C) from the secondary curve (µV with p fraction bits,
// rounded to 0.1 µV), linearised by the primary curve.
std::int64_t ThermocoupleReading(const Curve& primary, const Curve& coldJunction, std::int64_t terminalVoltage,
                                 std::int64_t terminalTemperature);

// A reading in 0.01 °C converted to 0.01 °F: 3200 + 9/5 of it, rounded half up.
std::int64_t CentiCelsiusToCentiFahrenheit(std::int64_t centiCelsius);
