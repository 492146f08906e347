#include "cli/cli_options.h"

#include "check/check_plan.h"
#include "model/split_text.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iterator>

namespace {

struct CommandName {
    const char* name;
    CliCommand command;
    qsizetype fewest;     // operands
    qsizetype most;
    const char* missing;  // what its operands are, for the usage error
};
constexpr CommandName commandNames[] = {
    {"read", CliCommand::Read, 0, 0, ""},
    {"monitor", CliCommand::Monitor, 0, 0, ""},
    {"write", CliCommand::Write, 1, 1, "a FILE"},
    {"reset-minmax", CliCommand::ResetMinMax, 0, 0, ""},
    {"flash-save", CliCommand::FlashSave, 1, 1, "a FILE"},
    {"flash-restore", CliCommand::FlashRestore, 1, 1, "a FILE"},
    {"history", CliCommand::History, 0, 1, ""},
    {"diff", CliCommand::Diff, 2, 2, "A and B"},
    {"restore", CliCommand::Restore, 1, 1, "an ID"},
    {"check", CliCommand::Check, 0, 0, ""},
};

// The check's own options (--csv it shares with monitor): each takes a value but the last.
struct CheckOptionNames {
    QCommandLineOption tolerance{QStringLiteral("tolerance"), QString(), QStringLiteral("PCT")};
    QCommandLineOption points{QStringLiteral("points"), QString(), QStringLiteral("V1,V2,...")};
    QCommandLineOption pdf{QStringLiteral("pdf"), QString(), QStringLiteral("FILE")};
    QCommandLineOption technician{QStringLiteral("technician"), QString(), QStringLiteral("NAME")};
    QCommandLineOption referenceId{QStringLiteral("reference-id"), QString(), QStringLiteral("TEXT")};
    QCommandLineOption waitEnter{QStringLiteral("wait-enter"), QString()};

    QList<QCommandLineOption> all() const { return {tolerance, points, pdf, technician, referenceId, waitEnter}; }
};

bool takesFile(CliCommand command)
{
    return command == CliCommand::Write || command == CliCommand::FlashSave || command == CliCommand::FlashRestore;
}

// Whether the command talks to a unit, so needs --port; a diff needs it for the unit only.
bool needsPort(const CliOptions& options)
{
    if (options.command == CliCommand::Diff)
        return options.operands.contains(QLatin1String(UnitOperand));
    return options.command != CliCommand::History;
}

ParsedCommandLine usageError(const QString& error)
{
    ParsedCommandLine parsed;
    parsed.error = error;
    return parsed;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    const QCommandLineOption appDir(QStringLiteral("appdir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption history(QStringLiteral("history"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption count(QStringLiteral("count"), QString(), QStringLiteral("N"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption interval(QStringLiteral("interval"), QString(), QStringLiteral("SECONDS"));
    const QCommandLineOption trace(QStringLiteral("trace"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const CheckOptionNames check;
    parser.addOptions(QList<QCommandLineOption>{port, appDir, history, count, csv, interval, trace, help} + check.all());
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        ParsedCommandLine parsed;
        parsed.helpRequested = true;
        return parsed;
    }

    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const auto named = std::find_if(std::begin(commandNames), std::end(commandNames),
                                    [&words](const CommandName& c) { return words.first() == QLatin1String(c.name); });
    if (named == std::end(commandNames))
        return usageError(QStringLiteral("unknown command '%1'").arg(words.first()));
    CliOptions options;
    options.command = named->command;
    options.operands = words.mid(1);
    if (options.operands.size() < named->fewest)
        return usageError(QStringLiteral("%1 needs %2").arg(words.first(), QLatin1String(named->missing)));
    if (options.operands.size() > named->most)
        return usageError(QStringLiteral("unexpected argument '%1'").arg(options.operands.at(named->most)));
    if (takesFile(options.command))
        options.file = options.operands.first();

    const QStringList ports = parser.values(port);
    if (ports.size() > 1 || (ports.size() == 1 && ports.first().isEmpty()) || (ports.isEmpty() && needsPort(options)))
        return usageError(QStringLiteral("--port DEV is needed once"));
    if (!ports.isEmpty())
        options.port = ChoosePort(ports.first());
    if (parser.isSet(appDir))
        options.appDir = parser.value(appDir);
    if (parser.isSet(trace))
        options.traceFile = parser.value(trace);
    if (parser.isSet(history))
        options.history = parser.value(history);
    if (parser.isSet(count)) {
        if (options.command != CliCommand::Monitor)
            return usageError(QStringLiteral("--count belongs to monitor"));
        bool ok = false;
        const int n = parser.value(count).toInt(&ok);
        if (!ok || n < 1)
            return usageError(QStringLiteral("--count needs a whole number from 1"));
        options.count = n;
    }
    if (parser.isSet(csv) && options.command != CliCommand::Monitor && options.command != CliCommand::Check)
        return usageError(QStringLiteral("--csv belongs to monitor and check"));
    if (parser.isSet(interval) && options.command != CliCommand::Monitor)
        return usageError(QStringLiteral("--interval belongs to monitor"));
    if (parser.isSet(csv))
        options.csv = parser.value(csv);
    if (parser.isSet(interval)) {
        bool ok = false;
        const double seconds = parser.value(interval).toDouble(&ok);
        // The unit is polled once a second: a shorter interval would only repeat readings.
        if (!ok || !(seconds >= 1.0) || seconds > 86400.0)
            return usageError(QStringLiteral("--interval needs seconds from 1 (the poll) to 86400"));
        options.interval = seconds;
    }
    for (const QCommandLineOption& option : check.all())
        if (parser.isSet(option) && options.command != CliCommand::Check)
            return usageError(QStringLiteral("--%1 belongs to check").arg(option.names().first()));
    if (options.command == CliCommand::Check) {
        CheckOptions& c = options.check;
        bool ok = false;
        c.tolerancePercent = parser.value(check.tolerance).toDouble(&ok);
        if (!ok || !(c.tolerancePercent > 0))
            return usageError(QStringLiteral("check needs --tolerance PCT, a percentage of the span above 0"));
        if (parser.isSet(check.points) && !(c.points = ParsePoints(parser.value(check.points))))
            return usageError(QStringLiteral("--points needs numbers separated by commas"));
        c.pdf = parser.value(check.pdf);
        c.technician = parser.value(check.technician);
        c.referenceId = parser.value(check.referenceId);
        c.waitForEnter = parser.isSet(check.waitEnter);
    }
    ParsedCommandLine parsed;
    parsed.options = options;
    return parsed;
}

PortChoice ChoosePort(const QString& text)
{
    PortChoice choice;
    if (text == u"simulated") {
        choice.simulated = true;
        return choice;
    }
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= 32767 && text.front().isDigit())
        choice.portNumber = std::int16_t(number);
    else
        choice.device = text;
    return choice;
}

QString CliUsage()
{
    return QStringLiteral(
        "Usage: delvo2-cli --port DEV [--appdir DIR] [--history DIR] [--trace FILE] COMMAND\n"
        "\n"
        "Commands:\n"
        "  read                  connect, write the unit record file, print the configuration line\n"
        "  monitor [--count N] [--interval SECONDS] [--csv FILE]\n"
        "                        connect, then print the live readings as CSV every SECONDS (1);\n"
        "                        --csv also logs them into FILE as the window's reading log does\n"
        "  write FILE            connect, write the configuration file FILE into the unit\n"
        "  reset-minmax          connect, clear the stored minimum and maximum readings\n"
        "  flash-save FILE       save the unit's factory memory into FILE\n"
        "  flash-restore FILE    write the factory memory image FILE back into the unit\n"
        "  history [SERIAL]      list the snapshots of one unit (of every unit), newest first\n"
        "  diff A B              print the fields that differ; A and B are each a snapshot ID,\n"
        "                        a .cal or .urd file, or 'unit' (the unit on --port)\n"
        "  restore ID            connect, write the snapshot ID into the unit\n"
        "  check --tolerance PCT [--points V1,V2,...] [--pdf FILE] [--csv FILE]\n"
        "        [--technician NAME] [--reference-id TEXT] [--wait-enter]\n"
        "                        connect, then an as-found check: at each point (the unit's units;\n"
        "                        default 0/25/50/75/100 % of its range) wait for a stable reading\n"
        "                        (at most 60 s) and print REFERENCE READING ERROR ERROR%SPAN\n"
        "                        EXPECTED-mA PASS|FAIL (tab-separated); --wait-enter waits for Enter\n"
        "                        after 'Apply V and press Enter'; --pdf and --csv write the certificate\n"
        "\n"
        "DEV is a device (/dev/ttyUSB0, a pseudo-terminal, COM3), a port number (Com n), or\n"
        "'simulated' for a simulated unit inside the program; history and diff need no port.\n"
        "DIR (the unit records and the sensor tables) defaults to the installed program folder,\n"
        "else the current directory; without --appdir the simulated unit's records go to the\n"
        "demo folder of the user's data, and those of an installation with a read-only program\n"
        "folder to the user's data folder. Before every write the unit's configuration is kept in\n"
        "the history (--history DIR: its folder; default: the user's data folder, the simulated\n"
        "unit's apart from the real units').\n"
        "--trace FILE writes every byte sent and received, as the protocol's frames, into FILE.\n"
        "Messages go to stderr as 'Title: text'; every question is answered No.\n"
        "Exit codes: 0 success, 1 communication failure, 2 usage, 3 file error,\n"
        "4 (diff) the configurations differ, (check) a point outside its tolerance,\n"
        "5 (check) standard input ended before the last point.\n");
}

QString DefaultAppDir(const std::optional<QString>& registryAppPath, const QString& currentDir)
{
    if (!registryAppPath)
        return currentDir;
#ifdef Q_OS_WIN
    // The text before the first "\delvo2.exe"; a value without it is taken whole.
    return SplitText(*registryAppPath, QStringLiteral("\\delvo2.exe")).at(1);
#else
    // The value names the program itself; only a last component "delvo2" is cut off.
    const QString program = QStringLiteral("/delvo2");
    return registryAppPath->endsWith(program) ? registryAppPath->chopped(program.size()) : *registryAppPath;
#endif
}
