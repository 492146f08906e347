#pragma once

#include "model/conf_record.h"
#include "model/sensor_tables.h"

#include <QString>

#include <cstdint>
#include <vector>

// The serial link's flags.
struct LinkState {
    std::int16_t PortNumber = 0;
    bool LinkOpen = false;
    bool PortOpenedOnce = false;
    bool NoTimeoutMessage = false;
    bool UnitOnline = false;
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

// The update state machine and the commands that start it.
struct UpdateState {
    float UpdateStep = 0;
    std::int16_t UpdateKind = 0;
    bool UpdateConfirmed = false;
    bool ResetMaxPending = false;
    bool ResetMinPending = false;
    bool ResetButtonUsed = false;
    bool SerialChanged = false;
    std::uint8_t ChunkAddress = 0;  // where the next table chunk goes in the unit
    bool DriverRunning = false;     // a tick is inside UpdateDriver (its waits run events)
};

// Flags of the edited-configuration view.
struct ViewState {
    bool ConfDiffers = false;
    bool ConfSaved = false;
};

// The factory memory transfer.
struct FactoryState {
    std::vector<std::uint8_t> FlashImage;
    bool UploadOk = false;
    bool FactoryDownloadRun = false;
};

// Everything the program knows for the whole run, owned by the application object.
struct Session {
    QString AppDir;
    // Where the files the program writes (unit records S….urd, E….urd, PortNo.txt) go when not
    // in AppDir: the user's data folder of a read-only installation, the demo's folder of its own.
    QString RecordDir;
    ConfRecord EditConf;
    ConfRecord UnitConf;
    LinkState link;
    PollState poll;
    UpdateState update;
    ViewState view;
    FactoryState factory;
    SensorTables tables;
    std::int16_t CommandState = 0;
};

struct Catalogue;

// Looks an input code up into `record`. A code that is not an RTD or thermocouple code (found or
// not) also takes the connected unit's display range over into EditConf.
bool LookupInputCodeWithDisplay(Session& session, const Catalogue& catalogue, ConfRecord& record, std::uint8_t code);

// The folder of the unit records and the port file: RecordDir, or AppDir when none is set.
QString RecordFolder(const Session& session);

// Start-up: both records reset, the link, update and view flags cleared.
void InitConfData(Session& session);
// EditConf := UnitConf (starting an edit from the connected unit).
void EditFromUnit(Session& session);
// UnitConf := EditConf, but only after a full update (both reset markers pending).
void CommitUnitConf(Session& session);
