#pragma once

#include "check/check_plan.h"
#include "check/point_result.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

struct ConfRecord;

// The unit as checked, taken from the connected unit's record.
struct CheckedUnit {
    QString serial;
    QString tag;
    QString inputType;
    QString wiring;    // empty for a voltage input
    double rangeMin = 0;
    double rangeMax = 0;
    double outMin = 0;  // mA; above outMax for a falling output
    double outMax = 0;
    double damping = 0;  // seconds
    std::optional<double> ambient;  // the unit's terminal temperature
    QString ambientUnits;
};
CheckedUnit CheckedUnitOf(const ConfRecord& unit);

// The correction made between the as-found and the as-left run with the calibration windows.
struct Adjustment {
    enum class Kind { None, OffsetTrim, TwoPoint, Removed };
    Kind kind = Kind::None;
    double gain = 1;    // two-point: true = gain x reading + offset
    double offset = 0;  // unit's units
    double lowReading = 0;   // two-point: the readings its true values were entered at
    double highReading = 0;
    bool written = true;  // false: kept for the next "Update Unit", not yet in the unit

    bool operator==(const Adjustment&) const = default;
};
// What changed in the unit's correction between two states of its record; `written` says whether
// the change went into the unit.
Adjustment AdjustmentBetween(const ConfRecord& before, const ConfRecord& after, bool written);
QString AdjustmentText(const Adjustment& adjustment, const CheckScale& scale);

struct CheckTable {
    std::vector<PointResult> points;

    int failures() const;
    bool passed() const { return !points.empty() && failures() == 0; }
};
// "PASS: every point within the tolerance" or "FAIL: 2 of 5 points outside the tolerance".
QString ConformityText(const CheckTable& table);

// One check of one unit as issued: what the certificate and its CSV show, and what a unit's
// history can keep.
struct CheckRecord {
    QString certificateNumber;
    QString company;
    QDateTime started;  // the as-found run began
    QDateTime issued;
    CheckPlan plan;
    CheckScale scale;
    CheckedUnit unit;
    CheckTable asFound;
    Adjustment adjustment;
    CheckTable asLeft;  // the as-found table again when nothing was adjusted
};

// What a unit's history keeps of a check: "CAL-20261206-0001: as found FAIL (2 of 5), offset
// trim, as left PASS".
QString CheckHistoryNote(const CheckRecord& record);

// The calibration software and its version, as certificates name it.
QString CheckSoftwareText();
