#pragma once

#include "check/check_plan.h"
#include "model/output_current.h"

#include <QString>

#include <limits>
#include <optional>

struct ConfRecord;

// What readings are compared against: the unit's input range and output, the tolerance in the
// unit's units, and the decimals of the unit's readings (results carry one more).
struct CheckScale {
    OutputTransfer transfer;
    double tolerance = 0;
    int readingDecimals = 2;
    QString units;

    double span() const { return transfer.rangeMax - transfer.rangeMin; }
};

// Nothing when the unit has no input range or no output span.
std::optional<CheckScale> CheckScaleOf(const ConfRecord& unit, const Tolerance& tolerance);

// The reading the last poll left in the unit's record; NaN for a burn-out or no reading.
double PolledReading(const ConfRecord& unit);

inline constexpr double NoReadingValue = std::numeric_limits<double>::quiet_NaN();

// One test point: the reference applied, what the unit read, how far off and whether within the
// tolerance. The error is rounded to the decimals it is shown with, and judged as shown.
struct PointResult {
    double reference = 0;
    double reading = NoReadingValue;          // NaN: the unit gave no reading
    double error = NoReadingValue;            // reading - reference
    double errorPercentOfSpan = NoReadingValue;
    double expectedMa = 0;                    // what the output should drive at the reference
    bool settled = true;                      // false: taken at the time limit, not stable
    bool pass = false;

    bool operator==(const PointResult&) const = default;
};

PointResult JudgePoint(const CheckScale& scale, double reference, double reading, bool settled);

// The texts of a result as every output shows them (certificate, CSV, command line, window).
struct PointTexts {
    QString reference;
    QString reading;
    QString error;
    QString errorPercentOfSpan;
    QString expectedMa;
    QString verdict;  // "PASS" or "FAIL"
};
PointTexts TextsOf(const CheckScale& scale, const PointResult& point);
// A value of the unit's units with the decimals of results.
QString UnitValueText(const CheckScale& scale, double value);
