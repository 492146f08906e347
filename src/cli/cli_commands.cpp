#include "cli/cli_commands.h"

#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "link/update.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/formatters.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/user_folders.h"

#include <cmath>

namespace {

// Seconds between two polls, as the live-reading timer waits, and between two update ticks, as
// the progress window's timer does.
constexpr double PollInterval = 1.0;
constexpr double TickInterval = 1.0;

QString markedText(float value, float marker, const QString& markerText)
{
    return SameSingle(value, marker) ? markerText : ValueText(value);
}

// One delvo2-cli run: the session, the link and the operator of a single command.
class CliRun {
public:
    CliRun(const CliOptions& options, CliHost& host, SerialPort& port)
        : options_(options)
        , host_(host)
        , op_(host.err)
        , link_{session_, port, host.clock, op_, dialogs_, windows_, portNames_, catalogue_}
    {
        session_.AppDir = options.appDir.value_or(DefaultAppDir(host.registryAppPath, host.currentDir));
        // --appdir keeps everything in its folder; else the simulated unit's records go to the demo
        // folder, and a read-only installation's to the user's data folder.
        if (!options.appDir)
            session_.RecordDir = options.port.simulated ? DemoRecordFolder() : host.recordDir;
        // A device name or the simulated unit is bound to port number 1.
        session_.link.PortNumber = options.port.portNumber > 0 ? options.port.portNumber : std::int16_t(1);
        if (options.port.simulated)
            portNames_.overrides[1] = QStringLiteral("simulated");
        else if (!options.port.device.isEmpty())
            portNames_.overrides[1] = options.port.device;
        port.setActivityHandler([&clock = host.clock] { clock.notify(); });
    }

    int run()
    {
        const int result = runCommand();
        Disconnect(link_);
        return result;
    }

private:
    int runCommand()
    {
        switch (options_.command) {
        case CliCommand::Read: return read();
        case CliCommand::Monitor: return monitor();
        case CliCommand::Write: return write();
        case CliCommand::ResetMinMax: return resetMinMax();
        case CliCommand::FlashSave: return flashSave();
        case CliCommand::FlashRestore: return flashRestore();
        }
        return CliExit::Usage;
    }

    // A failure the messages already told; the reason ends the report.
    int fail(const QString& reason)
    {
        host_.err(QStringLiteral("delvo2-cli: %1\n").arg(reason).toUtf8());
        return op_.fileProblemShown() ? CliExit::FileError : CliExit::CommunicationFailure;
    }

    QString device() const { return portNames_.deviceFor(session_.link.PortNumber); }

    // As "Start Connection": the whole configuration read, then the unit record file written.
    int connect()
    {
        session_.link.NoTimeoutMessage = false;
        if (!Connect(link_))
            return fail(QStringLiteral("could not read the unit on %1").arg(device()));
        if (!SaveUnitRecord(link_))
            return fail(QStringLiteral("could not write the unit record file"));
        return CliExit::Success;
    }

    int read()
    {
        if (const int result = connect())
            return result;
        QByteArray line = ConfFileLine(session_.UnitConf);
        line.replace("\r\n", "\n");
        host_.out(line);
        return CliExit::Success;
    }

    int monitor()
    {
        if (const int result = connect())
            return result;
        host_.out(MonitorHeader());
        Clock& clock = host_.clock;
        const double start = clock.now();
        for (int polls = 0; !options_.count || polls < *options_.count; ++polls) {
            clock.waitFor(PollInterval);
            if (!Poll(link_))
                return fail(QStringLiteral("the unit stopped answering"));
            host_.out(MonitorLine(clock.now() - start, session_.UnitConf));
        }
        return CliExit::Success;
    }

    // Ticks the update that is set up, once a second, until its ticks run out; progress on stderr.
    // True when it ended with every step run and nothing reported.
    bool runUpdate(int messagesBefore)
    {
        UpdateProgress progress = StartUpdateProgress(link_);
        // Ticks keep a one-second beat, as the progress window's timer does: a tick that outlasts
        // the interval lets the beats it covered pass instead of delaying every later one.
        double beat = host_.clock.now();
        while (!progress.finished) {
            beat += TickInterval;
            host_.clock.waitUntil(beat);
            UpdateTick(link_, progress);
            beat += std::floor((host_.clock.now() - beat) / TickInterval) * TickInterval;
            host_.err(QStringLiteral("progress: %1\n").arg(progress.percentText).toUtf8());
        }
        return !progress.failed && session_.update.UpdateStep == 0 && op_.messagesShown() == messagesBefore;
    }

    int write()
    {
        if (const int result = connect())
            return result;
        // As "Open Configuration": the file into EditConf, the connected unit's serial number kept.
        if (!ReadConfFile(session_, catalogue_, options_.file, op_))
            return fail(QStringLiteral("could not open %1").arg(options_.file));
        const ConfRecord& unit = session_.UnitConf;
        ConfRecord& edit = session_.EditConf;
        edit.Serial = unit.Serial;
        // The file holds no display range and no editor can set one here: the unit keeps its own.
        edit.DispLow = unit.DispLow;
        edit.DispHigh = unit.DispHigh;

        // As "Update Unit", confirmed without a window.
        UpdateState& update = session_.update;
        update.UpdateKind = 0;
        update.ResetMaxPending = update.ResetMinPending = true;
        if (!PrepareUpdate(link_)) {
            // The link is open, so only the configuration or its sensor tables can stop it here.
            host_.err(QStringLiteral("delvo2-cli: %1 cannot be written into the unit\n").arg(options_.file).toUtf8());
            return CliExit::FileError;
        }
        const int messagesBefore = op_.messagesShown();
        ConfirmUpdate(link_);
        if (!runUpdate(messagesBefore))
            return fail(QStringLiteral("the update did not complete"));
        return CliExit::Success;
    }

    int resetMinMax()
    {
        if (const int result = connect())
            return result;
        // The reset commits the edited record as the unit's after it (both extremes pending): the
        // edit is the unit's own configuration, so the unit record stays what was read.
        EditFromUnit(session_);
        // As the reading panel's "Reset" button: both stored extremes.
        UpdateState& update = session_.update;
        update.ResetButtonUsed = true;
        update.ResetMaxPending = update.ResetMinPending = true;
        update.UpdateStep = 6;
        const bool done = runUpdate(op_.messagesShown());
        update.ResetMinPending = false;
        update.ResetButtonUsed = false;
        return done ? CliExit::Success : fail(QStringLiteral("the reset did not complete"));
    }

    // The factory memory works on the open port, without the connect sequence.
    int openPort()
    {
        if (!OpenPort(link_))
            return fail(QStringLiteral("could not open %1").arg(device()));
        return CliExit::Success;
    }

    int flashSave()
    {
        if (const int result = openPort())
            return result;
        FactoryState& factory = session_.factory;
        factory.UploadOk = true;
        UploadFactoryMemory(link_);
        if (!factory.UploadOk)
            return fail(QStringLiteral("the factory memory could not be read"));
        if (!WriteFactoryImage(factory.FlashImage, options_.file, op_))
            return fail(QStringLiteral("could not write %1").arg(options_.file));
        return CliExit::Success;
    }

    int flashRestore()
    {
        FactoryState& factory = session_.factory;
        if (!ReadFactoryImage(factory.FlashImage, options_.file, op_))
            return fail(QStringLiteral("could not read %1").arg(options_.file));
        if (const int result = openPort())
            return result;
        factory.UploadOk = true;
        const int messagesBefore = op_.messagesShown();
        DownloadFactoryMemory(link_);
        const bool done = factory.UploadOk && session_.link.UnitOnline && op_.messagesShown() == messagesBefore;
        op_.message(QStringLiteral("Upload Complete"), factory.UploadOk
                        ? QStringLiteral("The Flash Memory Upload completed Successfully.")
                        : QStringLiteral("The Flash Memory Upload NOT completed."));
        factory.UploadOk = false;
        return done ? CliExit::Success : fail(QStringLiteral("the factory memory was not written whole"));
    }

    const CliOptions& options_;
    CliHost& host_;
    ConsoleOperator op_;
    HeadlessWindows windows_;
    NoFileDialogs dialogs_;
    Session session_;
    PortNames portNames_;
    Catalogue catalogue_ = BuildCatalogue();
    Link link_;
};

} // namespace

int RunCli(const QStringList& arguments, CliHost& host)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.helpRequested) {
        host.out(CliUsage().toUtf8());
        return CliExit::Success;
    }
    if (!parsed.options) {
        host.err((QStringLiteral("delvo2-cli: ") + parsed.error + QStringLiteral("\n\n") + CliUsage()).toUtf8());
        return CliExit::Usage;
    }
    CliRun run(*parsed.options, host, host.port(parsed.options->port));
    return run.run();
}

QByteArray MonitorHeader()
{
    return QByteArrayLiteral("time,reading,minimum,maximum,ambient,unit\n");
}

QByteArray MonitorLine(double seconds, const ConfRecord& u)
{
    const QString noReading = QStringLiteral("No Reading");
    const QStringList fields{
        QString::number(seconds, 'f', 1),
        markedText(u.Reading, BurnOutReading, QStringLiteral("Burn Out")),
        markedText(u.MinRead, NoMinReading, noReading),
        markedText(u.MaxRead, NoMaxReading, noReading),
        markedText(u.AmbRead, NoAmbientReading, noReading),
        UnitsText(u.Units),
    };
    return (fields.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}
