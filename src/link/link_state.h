#pragma once

#include <cstdint>

// The numbered states of the device link. Each enumerator carries the number the protocol and
// the windows have always used for it.

// The next step of the update machine; Idle while no update runs (the live-reading poll only
// runs then).
enum class UpdateSteps : std::int16_t {
    Idle = 0,
    ClearTables = 1,        // marker blocks: the three table areas are to be rewritten
    Configuration = 2,      // the configuration block
    FirstTable = 3,         // table chunks, one per tick
    SecondTable = 4,
    ThirdTable = 5,
    ResetExtremes = 6,      // marker blocks that clear the stored minimum and maximum
    CalibrationMarker = 7,  // marker block: the unit's correction is to be rewritten
    SerialNumber = 8,
    CalibrationBlock = 9,
    Finish = 10,            // 'Z' twice: the unit takes what it was sent
};

// A step whose write failed runs again: the step is lowered by one before the next-step
// increment of its tick.
constexpr UpdateSteps StepBefore(UpdateSteps step) { return UpdateSteps(std::int16_t(step) - 1); }
// The step after a table whose last chunk went out.
constexpr UpdateSteps StepAfter(UpdateSteps step) { return UpdateSteps(std::int16_t(step) + 1); }

// What the next update writes.
enum class UpdateKinds : std::int16_t {
    Full = 0,                   // everything, and the unit's correction is dropped (a new input;
                                // after every correction-only write)
    FullKeepingCorrection = 1,  // everything but the correction (start-up; an offset entered)
    CorrectionStored = 2,       // as 1; a computed correction is stored, not yet written
    CorrectionWrite = 3,        // only the correction: marker, calibration block, finish
    CorrectionUndo = 4,         // only the marker that drops the correction, then finish
};

constexpr bool CalibrationOnly(UpdateKinds kind)
{
    return kind == UpdateKinds::CorrectionWrite || kind == UpdateKinds::CorrectionUndo;
}

// The serial link's flags.
struct LinkState {
    std::int16_t PortNumber = 0;
    bool LinkOpen = false;
    bool PortOpenedOnce = false;
    bool NoTimeoutMessage = false;  // the user closes the link: its pending waits stay quiet
    bool UnitOnline = false;        // the last exchange got its answer
    // The port vanished under an open link (cable or adapter pulled). The one message about it has
    // been shown; the failures that follow from it stay quiet until the port is opened again.
    bool PortLost = false;
};

// Connect and poll.
struct PollState {
    bool PollBusy = false;
    bool UnitChangeAccepted = false;
    bool SettleAfterUpdate = false;
    bool DisplayPresent = false;
    std::int16_t DisplayLowRaw = 0;
    std::int16_t DisplayHighRaw = 0;
};

// The update machine and the commands that start it.
struct UpdateState {
    UpdateSteps UpdateStep = UpdateSteps::Idle;
    UpdateKinds UpdateKind = UpdateKinds::Full;
    bool UpdateConfirmed = false;
    bool ResetMaxPending = false;
    bool ResetMinPending = false;
    bool ResetButtonUsed = false;
    bool SerialChanged = false;
    std::uint8_t ChunkAddress = 0;  // where the next table chunk goes in the unit
    bool DriverRunning = false;     // a tick is inside UpdateDriver (its waits run events)
};

// The factory memory transfer.
struct FactoryState {
    bool UploadOk = false;
    bool FactoryDownloadRun = false;
};
