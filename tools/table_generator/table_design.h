#pragma once

// Designs the integer piecewise-quadratic tables that the unit evaluates (sim/unit_linearisation.h)
// and writes them in the sensor table file format.

#include "sim/unit_linearisation.h"
#include "sim/reference_functions.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Largest magnitude of a data value: one below the magnitude whose sign-magnitude bytes equal
// the end marker's (FF FF FF on 24 bits for tables A and B, FF FF on 16 bits for table C).
inline constexpr std::int64_t WideValueLimit = 8388606;
inline constexpr std::int64_t NarrowValueLimit = 32766;

// A curve of at most `segments` quadratic segments through y (in output units) over the integer
// inputs xLow..xHigh, with breakpoints placed so that the segments' worst errors are equal, and
// with the largest shifts that keep every value within `limit` and every intermediate within
// 62 bits. `p` fraction bits are kept for the segment values. Every input in `joins` becomes a
// breakpoint. Nothing when the inputs or values cannot be represented.
std::optional<Curve> FitCurve(const std::function<double(double)>& y, std::int64_t xLow, std::int64_t xHigh,
                              const std::vector<std::int64_t>& joins, int segments, std::int64_t limit, int p);

// Fraction bits for values up to `largest` in magnitude within `limit` (at most 16).
int FractionBits(double largest, std::int64_t limit);

// The file text of a curve: one line per segment and the upper end, then the end line.
std::string CurveText(const Curve& curve);
// The file of an input without a secondary table: the end line alone.
std::string EmptyTableText();

// Worst |reading - true value| in quantity units over the sensor's range, the unit reading
// whole raw inputs.
double WorstLinearisationError(const SensorCharacteristic& sensor, const Curve& curve);
// Worst |cold-junction EMF - reference EMF| in µV over the ambient range, as the unit rounds it.
double WorstColdJunctionError(const SensorCharacteristic& thermocouple, const Curve& curve);
// Smallest sensitivity (µV/°C) of a thermocouple over the sensor's range.
double SmallestSeebeck(const SensorCharacteristic& sensor);

// What sending a table costs in "Update Unit": chunks of 21 (24-bit) or 31 (16-bit) values.
struct TransferCost {
    int chunks = 0;
    double seconds = 0.0;
};
TransferCost PrimaryTransferCost(const Curve& curve);
TransferCost SecondaryTransferCost(int values);

// One designed sensor: its characteristic, the tables and their figures.
struct SensorDesign {
    SensorCharacteristic sensor;
    Curve primary;
    std::optional<Curve> coldJunction;
    double worstError = 0.0;
    double coldJunctionMicrovolts = 0.0;
};

// Primary segments tried in turn: each fills its chunks (lines = segments + 2, a multiple of 7).
inline constexpr int SegmentSteps[] = {5, 12, 19, 26, 33, 40, 47, 54, 61, 68, 75, 82};
// The aim for a temperature sensor's worst linearisation error, the unit's rounding included.
inline constexpr double TargetError = 0.01;
// Segments of a cold-junction table (7 lines, one chunk).
inline constexpr int ColdJunctionSegments = 5;

// Designs every table; nothing (and `error` set) when one cannot be built within the limits.
std::optional<std::vector<SensorDesign>> DesignAllTables(std::string& error);
