#pragma once

#include "cli/cli_options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Clock;
class QSettings;
class SerialPort;
struct ConfRecord;

// What delvo2-cli takes from the outside world: the real program hands in the real clock, the
// serial port (or an in-process simulated unit), stdout and stderr and the installation
// registry; tests hand in virtual time, a simulated unit and buffers.
struct CliHost {
    Clock& clock;
    // The port the unit is on, asked for once; the commands set its activity handler.
    std::function<SerialPort&(const PortChoice&)> port;
    std::function<void(const QByteArray&)> out;
    std::function<void(const QByteArray&)> err;
    std::optional<QString> registryAppPath;
    QString currentDir;
    // Where the unit records go without --appdir (InstalledRecordFolder); empty: the program folder.
    QString recordDir = {};
    // The unit history's folder when --history does not name one: the simulated unit's (demo) or
    // the real units'.
    std::function<QString(bool demo)> historyFolder;
    // Waits for Enter on the console (check --wait-enter); false when the input has ended.
    std::function<bool()> waitForEnter = {};
    // Applies a check's reference at the unit's input: set for the simulated unit, which stands
    // in for the technician's calibrator; empty for a real unit.
    std::function<void(double)> applyReference = {};
    // The program's settings: the certificates' issuer, number prefix and counter.
    std::function<QSettings&()> settings = {};
};

// Runs delvo2-cli (arguments[0] is the program's name); returns the exit code (CliExit).
int RunCli(const QStringList& arguments, CliHost& host);

// One line of the monitor's CSV: seconds since the first poll began, the present, minimum,
// maximum and ambient readings (their markers as the GUI words them) and the reading's unit.
QByteArray MonitorHeader();
QByteArray MonitorLine(double seconds, const ConfRecord& unit);
