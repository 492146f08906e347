#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The exit codes of delvo2-cli.
namespace CliExit {
inline constexpr int Success = 0;
inline constexpr int CommunicationFailure = 1;
inline constexpr int Usage = 2;
inline constexpr int FileError = 3;
inline constexpr int Differ = 4;  // diff: the two configurations differ
inline constexpr int CheckFailed = 4;  // check: a point outside its tolerance
inline constexpr int CheckStopped = 5;  // check: standard input ended before every point was applied
} // namespace CliExit

enum class CliCommand { Read, Monitor, Write, ResetMinMax, FlashSave, FlashRestore, History, Diff, Restore, Check };

// What the check command is told.
struct CheckOptions {
    double tolerancePercent = 0;                // of the input span
    std::optional<std::vector<double>> points;  // unit's units; none: 0/25/50/75/100 % of the range
    QString pdf;
    QString technician;
    QString referenceId;
    bool waitForEnter = false;
};

// Where the unit is: the in-process simulated unit, a port number (Com n) or a device name.
struct PortChoice {
    bool simulated = false;
    std::int16_t portNumber = 0;  // set for a number
    QString device;               // set for a device name or path
    bool operator==(const PortChoice&) const = default;
};

struct CliOptions {
    std::optional<PortChoice> port;  // needed by the commands that talk to a unit
    std::optional<QString> appDir;
    std::optional<QString> history;  // the unit history's folder
    CliCommand command = CliCommand::Read;
    QString file;              // write, flash-save, flash-restore
    std::optional<int> count;  // monitor: number of polls; none: until the program is stopped
    double interval = 1.0;     // monitor: seconds between two polls, from 1
    QString csv;               // monitor: the reading log to write; check: its results
    std::optional<QString> traceFile;  // every byte on the port, as frames, written here at the end
    QStringList operands;      // history: [SERIAL]; diff: A B; restore: ID
    CheckOptions check;
};

// The word that stands for the connected unit in a diff.
inline constexpr char UnitOperand[] = "unit";

// The options, or why they are wrong; a help request has neither.
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    QString error;
    bool helpRequested = false;
};

// arguments[0] is the program's name.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// "simulated", a port number from 1, or else a device name.
PortChoice ChoosePort(const QString& text);

QString CliUsage();

// The program folder as the GUI finds it: the folder of the registry's program path; without
// a registry entry, the current directory.
QString DefaultAppDir(const std::optional<QString>& registryAppPath, const QString& currentDir);
