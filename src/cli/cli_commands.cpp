#include "cli/cli_commands.h"

#include "check/certificate.h"
#include "check/check_csv.h"
#include "check/check_runner.h"
#include "check/check_settings.h"
#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "cli/history_commands.h"
#include "history/unit_history.h"
#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "link/tracing_port.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "link/serial_port.h"
#include "link/update.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/user_folders.h"
#include "trend/live_readings.h"

#include <QDateTime>

#include <QSettings>

#include <cmath>

namespace {

// Seconds between two update ticks, as the progress window's timer does.
constexpr double TickInterval = 1.0;

QString markedText(float value, float marker, const QString& markerText)
{
    return SameSingle(value, marker) ? markerText : ValueText(value);
}

// The simulated unit keeps its history apart from the real units'.
QString historyFolder(const CliOptions& options, const CliHost& host)
{
    return options.history.value_or(host.historyFolder(options.port && options.port->simulated));
}

// The command's exit code, after the reason it failed.
int ended(CliHost& host, const CommandEnd& end)
{
    if (!end.reason.isEmpty())
        host.err(QStringLiteral("delvo2-cli: %1\n").arg(end.reason).toUtf8());
    return end.exitCode;
}

// One delvo2-cli run: the session, the link and the operator of a single command.
class CliRun {
public:
    CliRun(const CliOptions& options, CliHost& host, SerialPort& port)
        : options_(options)
        , host_(host)
        , op_(host.err)
        , link_{session_, port, host.clock, op_, windows_, portNames_, catalogue_}
        , history_(historyFolder(options, host), host.clock, op_)
    {
        const PortChoice& choice = *options.port;
        session_.AppDir = options.appDir.value_or(DefaultAppDir(host.registryAppPath, host.currentDir));
        // --appdir keeps everything in its folder; else the simulated unit's records go to the demo
        // folder, and a read-only installation's to the user's data folder.
        if (!options.appDir)
            session_.RecordDir = choice.simulated ? DemoRecordFolder() : host.recordDir;
        // A device name or the simulated unit is bound to port number 1.
        link_.state.PortNumber = choice.portNumber > 0 ? choice.portNumber : std::int16_t(1);
        if (choice.simulated)
            portNames_.overrides[1] = QStringLiteral("simulated");
        else if (!choice.device.isEmpty())
            portNames_.overrides[1] = choice.device;
        port.setActivityHandler([&clock = host.clock] { clock.notify(); });
        history_.attach(link_);
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
        case CliCommand::History:
        case CliCommand::Diff: return historyCommand();
        case CliCommand::Restore: return restore();
        case CliCommand::Check: return check();
        }
        return CliExit::Usage;
    }

    // A failure the messages already told; the reason ends the report.
    int fail(const QString& reason, int exitCode = CliExit::CommunicationFailure)
    {
        host_.err(QStringLiteral("delvo2-cli: %1\n").arg(reason).toUtf8());
        return exitCode;
    }

    QString device() const { return portNames_.deviceFor(link_.state.PortNumber); }

    // As "Start Connection": the whole configuration read, then the unit record file written.
    int connect()
    {
        link_.state.NoTimeoutMessage = false;
        if (!Connect(link_))
            return fail(QStringLiteral("could not read the unit on %1").arg(device()));
        if (!SaveUnitRecord(link_))
            return fail(QStringLiteral("could not write the unit record file"), CliExit::FileError);
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
        Clock& clock = host_.clock;
        const double start = clock.now();
        LiveReadings readings(double(QDateTime::currentMSecsSinceEpoch()) / 1000.0, start);
        if (!options_.csv.isEmpty()) {
            if (const std::optional<QString> problem = readings.log().start(options_.csv))
                return fail(*problem, CliExit::FileError);
        }
        host_.out(MonitorHeader());
        for (int polls = 0; !options_.count || polls < *options_.count; ++polls) {
            clock.waitFor(options_.interval);
            if (!Poll(link_)) {
                readings.recordGap(session_.UnitConf, clock.now());
                return fail(QStringLiteral("the unit stopped answering"));
            }
            if (const std::optional<QString> problem = readings.record(session_.UnitConf, clock.now()).logProblem)
                host_.err((*problem + QLatin1Char('\n')).toUtf8());
            host_.out(MonitorLine(clock.now() - start, session_.UnitConf));
        }
        return CliExit::Success;
    }

    // Ticks the update that is set up, once a second, until its ticks run out; progress on stderr.
    UpdateProgress runUpdate()
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
        return progress;
    }

    // Success only for an update that ran every step and went past nothing it had to report.
    int judgeUpdate(const UpdateProgress& progress, const QString& what)
    {
        if (progress.failed)
            return fail(QStringLiteral("%1 did not complete").arg(what));
        if (progress.reported)
            return fail(QStringLiteral("%1 completed with a problem reported above").arg(what));
        if (!progress.recordKept)
            return fail(QStringLiteral("could not write the unit record file"), CliExit::FileError);
        return CliExit::Success;
    }

    int write()
    {
        if (const int result = connect())
            return result;
        // As "Open Configuration": the file into EditConf, the connected unit's serial number kept.
        if (!ReadConfFile(session_, catalogue_, options_.file, op_))
            return fail(QStringLiteral("could not open %1").arg(options_.file), CliExit::FileError);
        const ConfRecord& unit = session_.UnitConf;
        ConfRecord& edit = session_.EditConf;
        edit.Serial = unit.Serial;
        // The file holds no display range and no editor can set one here: the unit keeps its own.
        edit.DispLow = unit.DispLow;
        edit.DispHigh = unit.DispHigh;
        link_.update.UpdateKind = UpdateKinds::Full;
        return updateUnit(options_.file);
    }

    // As "Update Unit" on EditConf, confirmed without a window.
    int updateUnit(const QString& what)
    {
        if (!StartFullUpdate(link_)) {
            // The link is open, so only the configuration or its sensor tables can stop it here.
            return fail(QStringLiteral("%1 cannot be written into the unit").arg(what), CliExit::FileError);
        }
        ConfirmUpdate(link_);
        return judgeUpdate(runUpdate(), QStringLiteral("the update"));
    }

    int historyCommand()
    {
        return ended(host_, RunHistoryCommand(options_, history_.store(), catalogue_, op_, host_.out,
                                              [this]() -> const ConfRecord* {
                                                  link_.state.NoTimeoutMessage = false;
                                                  return Connect(link_) ? &session_.UnitConf : nullptr;
                                              }));
    }

    // A snapshot back into the unit: its configuration and display range; the unit keeps its serial
    // number, and its correction unless the snapshot is of another input.
    int restore()
    {
        const QString& id = options_.operands.first();
        const Stored<std::optional<Snapshot>> found = history_.store().find(id);
        if (!found.ok())
            return fail(found.error, CliExit::FileError);
        if (!found.value)
            return fail(QStringLiteral("no snapshot '%1' in the history").arg(id), CliExit::FileError);
        if (const int result = connect())
            return result;
        const ConfRecord& unit = session_.UnitConf;
        ConfRecord& edit = session_.EditConf;
        edit = found.value->conf;
        edit.Serial = unit.Serial;
        link_.update.UpdateKind = edit.InputCode == unit.InputCode ? UpdateKinds::FullKeepingCorrection : UpdateKinds::Full;
        return updateUnit(QStringLiteral("snapshot %1").arg(id));
    }

    int resetMinMax()
    {
        if (const int result = connect())
            return result;
        // As the reading panel's "Reset" button: both stored extremes.
        return judgeUpdate(ResetExtremes(link_, Extremes::Both, [this] { return runUpdate(); }), QStringLiteral("the reset"));
    }

    // The factory memory works on the open port, without the connect sequence.
    int openPort()
    {
        if (!OpenLink(link_))
            return fail(QStringLiteral("could not open %1").arg(device()));
        return CliExit::Success;
    }

    int flashSave()
    {
        if (const int result = openPort())
            return result;
        link_.factory.UploadOk = true;
        if (!UploadFactoryMemory(link_))
            return fail(QStringLiteral("the factory memory could not be read"));
        if (!WriteFactoryImage(session_.FlashImage, options_.file, op_))
            return fail(QStringLiteral("could not write %1").arg(options_.file), CliExit::FileError);
        return CliExit::Success;
    }

    int flashRestore()
    {
        FactoryState& factory = link_.factory;
        if (!ReadFactoryImage(session_.FlashImage, options_.file, op_))
            return fail(QStringLiteral("could not read %1").arg(options_.file), CliExit::FileError);
        if (const int result = openPort())
            return result;
        // The history keeps the write under the unit's serial number.
        const Reply<QString> serial = ReadSerial(link_);
        if (!Settled(link_, serial).ok() && !link_.state.LinkOpen)
            return fail(QStringLiteral("could not read the unit on %1").arg(device()));
        session_.UnitConf.Serial = serial.value;
        factory.UploadOk = true;
        const bool done = DownloadFactoryMemory(link_);
        FlashUploadMessage(op_, factory.UploadOk);
        factory.UploadOk = false;
        return done ? CliExit::Success : fail(QStringLiteral("the factory memory was not written whole"));
    }

    // An as-found check; the as-left results are the same (nothing is adjusted here).
    int check()
    {
        if (const int result = connect())
            return result;
        const CheckOptions& o = options_.check;
        CheckRecord record;
        record.plan.tolerance = {Tolerance::Kind::PercentOfSpan, o.tolerancePercent};
        const std::optional<CheckScale> scale = CheckScaleOf(session_.UnitConf, record.plan.tolerance);
        if (!scale)
            return fail(QStringLiteral("the unit has no input range to check"));
        record.scale = *scale;
        record.plan.points = o.points.value_or(DefaultPoints(scale->transfer.rangeMin, scale->transfer.rangeMax));
        record.plan.technician = o.technician;
        record.plan.reference.serial = o.referenceId;
        record.started = QDateTime::currentDateTime();
        const PassHooks hooks{[this, &record](double reference) { return applyReference(record.scale, reference); },
                              [this, &record](const PointResult& point) { printPoint(record.scale, point); }};
        switch (RunPass(link_, record.plan, record.scale, record.asFound, hooks)) {
        case PassEnd::LinkLost: return fail(QStringLiteral("the unit stopped answering"));
        case PassEnd::Stopped: return fail(QStringLiteral("the input ended before the last point"), CliExit::CheckStopped);
        case PassEnd::Completed: break;
        }
        record.unit = CheckedUnitOf(session_.UnitConf);
        record.asLeft = record.asFound;
        if (const int result = writeCheckFiles(record))
            return result;
        return record.asFound.passed() ? CliExit::Success : CliExit::CheckFailed;
    }

    bool applyReference(const CheckScale& scale, double reference)
    {
        if (host_.applyReference)
            host_.applyReference(reference);
        if (!options_.check.waitForEnter)
            return true;
        host_.err(QStringLiteral("Apply %1 %2 and press Enter\n").arg(UnitValueText(scale, reference), scale.units).toUtf8());
        return host_.waitForEnter();
    }

    void printPoint(const CheckScale& scale, const PointResult& point)
    {
        const PointTexts t = TextsOf(scale, point);
        if (!point.settled)
            host_.err(QStringLiteral("delvo2-cli: warning: the reading at %1 %2 did not settle within %3 s; taken as read\n")
                          .arg(t.reference, scale.units)
                          .arg(PointTimeLimit)
                          .toUtf8());
        const QStringList fields{t.reference, t.reading, t.error, t.errorPercentOfSpan, t.expectedMa, t.verdict};
        host_.out((fields.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
    }

    // A certificate number is issued only for a check that leaves files.
    int writeCheckFiles(CheckRecord& record)
    {
        const CheckOptions& o = options_.check;
        const QString& csv = options_.csv;
        if (o.pdf.isEmpty() && csv.isEmpty())
            return CliExit::Success;
        QSettings& settings = host_.settings();
        const CertificateSettings certificate = LoadCertificateSettings(settings);
        record.company = certificate.company;
        record.issued = QDateTime::currentDateTime();
        record.certificateNumber = IssueCertificateNumber(settings, certificate.prefix, record.issued.date());
        if (record.certificateNumber.isEmpty())
            return fail(QStringLiteral("no certificate number: %1 cannot be written").arg(settings.fileName()),
                        CliExit::FileError);
        host_.err(QStringLiteral("certificate: %1\n").arg(record.certificateNumber).toUtf8());
        keepInHistory(record);
        if (!csv.isEmpty() && !WriteFileAtomically(csv, CheckCsv(record)))
            return fail(QStringLiteral("could not write %1").arg(csv), CliExit::FileError);
        if (!o.pdf.isEmpty() && !WriteCertificatePdf(record, o.pdf))
            return fail(QStringLiteral("could not write %1").arg(o.pdf), CliExit::FileError);
        return CliExit::Success;
    }

    // A certified check joins the unit's history; a history that cannot keep it does not undo the
    // check, it is only told.
    void keepInHistory(const CheckRecord& record)
    {
        const Stored<QString> kept = history_.store().add(
            CheckSnapshot(session_.UnitConf, record.issued, record.asLeft.passed(), CheckHistoryNote(record)));
        if (!kept.ok())
            host_.err(QStringLiteral("delvo2-cli: warning: the check is not in the unit's history: %1\n").arg(kept.error).toUtf8());
    }

    const CliOptions& options_;
    CliHost& host_;
    ConsoleOperator op_;
    HeadlessWindows windows_;
    Session session_;
    PortNames portNames_;
    Catalogue catalogue_ = BuildCatalogue();
    Link link_;
    UnitHistory history_;
};

// The command on a port that notes every byte; the trace is written whatever the command came to.
int runTraced(const CliOptions& options, CliHost& host, SerialPort& port)
{
    ProtocolTrace trace(host.clock.now());
    TracingPort traced(port, trace, host.clock);
    const int result = CliRun(options, host, traced).run();
    if (WriteFileAtomically(*options.traceFile, TraceText(trace, host.clock.now()).toUtf8()))
        return result;
    host.err(QStringLiteral("delvo2-cli: could not write the trace %1\n").arg(*options.traceFile).toUtf8());
    return result == CliExit::Success ? CliExit::FileError : result;
}

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
    const CliOptions& options = *parsed.options;
    if (!options.port) {
        // history and diff of files and snapshots: no unit to talk to.
        ConsoleOperator op(host.err);
        UnitHistory history(historyFolder(options, host), host.clock, op);
        return ended(host, RunHistoryCommand(options, history.store(), BuildCatalogue(), op, host.out,
                                             [] { return nullptr; }));
    }
    SerialPort& port = host.port(*options.port);
    if (options.traceFile)
        return runTraced(options, host, port);
    return CliRun(options, host, port).run();
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
