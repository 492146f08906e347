#pragma once

#include <QByteArray>
#include <QString>

struct Link;

// Checks and prepares an update: complete configuration (full kinds), tables loaded, port open;
// sets UpdateStep to its first step. False when nothing may be sent.
bool PrepareUpdate(Link& link);

// The confirmation window's Update: calibration values that no longer fit are cleared, polling
// stops, the display range is sent to a unit with a display, the next poll waits for the unit.
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
    int extraTicks = 0;  // ticks added after the plan ran out while steps remained
};

// Ticks an update may add to its plan for repeated steps before it counts as failed.
inline constexpr int MaxExtraTicks = 16;

// Plans the ticks of the update that PrepareUpdate (or a reset or calibration command) set up.
UpdateProgress StartUpdateProgress(Link& link);
// One tick: runs UpdateDriver, reports a failure, ends the update when the ticks run out.
void UpdateTick(Link& link, UpdateProgress& progress);

// Runs the step numbered UpdateStep; returns 0, or -4 to ask for four more ticks.
float UpdateDriver(Link& link);
// The blocks of steps 2 and 9, checksum included.
QByteArray ConfigurationBlock(Link& link);
QByteArray CalibrationBlock(Link& link);

// After the last tick (or a failure): records, views and polling follow what was written.
void AfterUpdate(Link& link);
