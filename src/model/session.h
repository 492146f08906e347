#pragma once

#include "model/conf_record.h"
#include "model/sensor_tables.h"

#include <QString>

#include <cstdint>
#include <vector>

// Flags of the edited-configuration view.
struct ViewState {
    bool ConfDiffers = false;
    bool ConfSaved = false;
};

// The toolbar and menu states (SetCommandState).
enum class CommandStates : std::int16_t {
    NotConnected = 0,
    Connected = 1,
    ConfigurationOpen = 2,
    Edited = 3,        // connected, and the edited configuration differs from the unit's
    Disconnected = 4,
    Busy = 5,
};

// The configurations and what belongs to them for the whole run, owned by the application
// object. The device link keeps its own state (link/link_state.h).
struct Session {
    QString AppDir;
    // Where the files the program writes (unit records S….urd, E….urd, PortNo.txt) go when not
    // in AppDir: the user's data folder of a read-only installation, the demo's folder of its own.
    QString RecordDir;
    ConfRecord EditConf;
    ConfRecord UnitConf;
    ViewState view;
    SensorTables tables;
    std::vector<std::uint8_t> FlashImage;  // the unit's factory memory, as read or as loaded
    CommandStates CommandState = CommandStates::NotConnected;
};

struct Catalogue;

// Looks an input code up into `record`. A code that is not an RTD or thermocouple code (found or
// not) also takes the connected unit's display range over into EditConf.
bool LookupInputCodeWithDisplay(Session& session, const Catalogue& catalogue, ConfRecord& record, std::uint8_t code);

// The folder of the unit records and the port file: RecordDir, or AppDir when none is set.
QString RecordFolder(const Session& session);

// Start-up: both records reset and the view's flags cleared.
void InitConfData(Session& session);
// EditConf := UnitConf (starting an edit from the connected unit).
void EditFromUnit(Session& session);
// UnitConf := EditConf (after a full update wrote it into the unit).
void CommitUnitConf(Session& session);
