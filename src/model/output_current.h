#pragma once

#include <optional>

struct ConfRecord;

// The output current at a burn-out is a setting of this program, not something the unit reports.
// The defaults are the levels commonly recommended for 4-20 mA signalling of a sensor fault.
struct BurnOutLevels {
    double upScaleMa = 21.0;
    double downScaleMa = 3.6;
};

// How the unit maps its input range onto its output: RangeMin drives OutMin, RangeMax drives
// OutMax (OutMin above OutMax is a falling output), clamped at both output limits.
struct OutputTransfer {
    double rangeMin = 0;
    double rangeMax = 0;
    double outMin = 0;                 // mA
    double outMax = 0;                 // mA
    std::optional<double> burnOutMa;   // nothing when the burn-out direction is not chosen
    bool burnOutUpScale = false;
};

// What the output drives for one reading.
struct OutputPoint {
    double milliamps = 0;
    double percentOfRange = 0;  // of the input range, not clamped; NaN at a burn-out
    bool burnOut = false;
};

// Nothing when the configuration has no input range or no output span.
std::optional<OutputTransfer> OutputTransferOf(const ConfRecord& conf, const BurnOutLevels& levels);

OutputPoint OutputAt(const OutputTransfer& transfer, double reading);
// Nothing when the burn-out direction is not chosen.
std::optional<OutputPoint> BurnOutOutput(const OutputTransfer& transfer);
