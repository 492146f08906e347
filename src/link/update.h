#pragma once

#include "link/link_state.h"

#include <QByteArray>
#include <QString>

struct Link;
struct SensorTable;
struct TableTarget;

// The update machine: the steps that write a configuration, its sensor tables and the
// correction into the unit, one step (or table chunk) per one-second tick.

// Checks and prepares an update: complete configuration and a serial number the unit can hold
// (full kinds), tables loaded, port open; sets UpdateStep to its first step. False when nothing
// may be sent (the operator has been told why).
bool PrepareUpdate(Link& link);

// The confirmation's Update: calibration values that no longer fit are cleared, polling stops,
// the display range is sent to a unit with a display, the next poll waits for the unit.
void ConfirmUpdate(Link& link);

// The progress of the running update: one step or table chunk per one-second tick.
struct UpdateProgress {
    int Total = 0;       // ticks planned
    int Remaining = 0;   // ticks left
    float StepPercent = 0;
    QString percentText;   // "0 %" .. "100 %"
    double barFraction = 0;  // share of the bar that is filled
    bool finished = false;
    bool failed = false;
    UpdateSteps failedAt = UpdateSteps::Idle;  // the step a failed update stopped at
    // The update went on past a problem the operator was told of (a value that did not fit its
    // bytes, an unexpected answer to the finish): done, but not cleanly.
    bool reported = false;
    bool recordKept = true;  // the unit record file followed what was written
    int extraTicks = 0;  // ticks added after the plan ran out while steps remained
};

// Ticks an update may add to its plan for repeated steps before it counts as failed.
inline constexpr int MaxExtraTicks = 16;

// Plans the ticks of the update that PrepareUpdate (or a reset or calibration command) set up.
UpdateProgress StartUpdateProgress(Link& link);
// One tick: runs UpdateDriver, reports a failure, ends the update when the ticks run out.
void UpdateTick(Link& link, UpdateProgress& progress);

// What one run of the driver asks of the progress window.
enum class DriverRequest : int {
    None = 0,           // the plan stays as it is
    FourMoreTicks = -4, // after the finish or a failure: four ticks left
};
struct DriverResult {
    DriverRequest request = DriverRequest::None;
    bool reported = false;  // see UpdateProgress::reported
};
// Runs the step numbered UpdateStep.
DriverResult UpdateDriver(Link& link);

// The blocks of the configuration and calibration steps, checksum included. A value that does
// not fit its three bytes is reported and goes out as zeros (`exact` false).
struct EncodedBlock {
    QByteArray bytes;
    bool exact = true;
};
EncodedBlock ConfigurationBlock(Link& link);
EncodedBlock CalibrationBlock(Link& link);

// Where each sensor table goes in the unit.
struct TableTarget {
    std::uint8_t select;
    std::uint8_t page;
    std::uint8_t firstAddress;
    int bytesPerPoint;  // 3: 24-bit points, 2: 16-bit points
};
inline constexpr TableTarget FirstTableTarget{1, 0x30, 0x31, 3};
inline constexpr TableTarget SecondTableTarget{2, 0x00, 0x01, 3};
inline constexpr TableTarget ThirdTableTarget{2, 0xD0, 0xD1, 2};

// The next chunk of a table from its cursor on (advances the cursor and the running address).
struct TableChunk {
    EncodedBlock block;
    bool last = false;  // the table's final chunk
};
TableChunk BuildTableChunk(Link& link, SensorTable& table, const TableTarget& target);

// After the last tick (or a failure): records, views and polling follow what was written; the
// update machine is idle again. False when the unit record file could not be written.
bool AfterUpdate(Link& link);
