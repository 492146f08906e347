// delvo2-sim: a simulated transmitter on a pseudo-terminal, served in real time until stopped.

#include "link/codecs.h"
#include "pacing_clock.h"
#include "platform/console_input.h"
#include "pseudo_terminal.h"
#include "sim/fault_option.h"
#include "sim/simulated_unit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

struct Options {
    UnitSettings settings = DemoUnitSettings();
    std::vector<FaultOption> faults;
    QString link;
};

// Nothing (after telling why on stderr) when an option is wrong.
std::optional<Options> parseOptions(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a simulated temperature transmitter on a pseudo-terminal and prints the\n"
                       "terminal's device path. SIGINT or SIGTERM ends it, and so does the end of the\n"
                       "process that started it.\n\n"
                       "A line 'input VALUE' on stdin applies VALUE at the input (as a calibrator does):\n"
                       "the input settles there and stops swinging.\n\n")
        + faultOptionHelp());
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("serial"), QStringLiteral("Serial number, seven digits (default 0512307)."),
         QStringLiteral("SERIAL")},
        {QStringLiteral("input-code"), QStringLiteral("Input code, decimal or 0xNN (default 0x49, Pt-100 3-wire)."),
         QStringLiteral("CODE")},
        {QStringLiteral("input"),
         QStringLiteral("The input in its own unit (°C, mV, Ohm, %), and how far it swings slowly around it "
                        "(default 25,0.5)."),
         QStringLiteral("VALUE[,SWING]")},
        {QStringLiteral("settling"),
         QStringLiteral("Time constant in seconds with which an applied input settles (default 1)."),
         QStringLiteral("SECONDS")},
        {QStringLiteral("noise"), QStringLiteral("Peak noise on every measurement, input's unit (default 0.004)."),
         QStringLiteral("PEAK")},
        {QStringLiteral("drift"), QStringLiteral("The unit's own error, input's unit (default 0)."),
         QStringLiteral("VALUE")},
        {QStringLiteral("no-display"), QStringLiteral("The unit has no local display.")},
        {QStringLiteral("reply-latency"),
         QStringLiteral("Milliseconds from a request's last byte to the start of its reply (default 2)."),
         QStringLiteral("MS")},
        {QStringLiteral("fault"), QStringLiteral("A fault or event (see above); repeatable."), QStringLiteral("FAULT")},
        {QStringLiteral("link"), QStringLiteral("Also make PATH a symbolic link to the device."),
         QStringLiteral("PATH")},
    });
    parser.process(app);

    Options options;
    auto fail = [](const QString& message) {
        std::fprintf(stderr, "delvo2-sim: %s\n", qPrintable(message));
        return std::nullopt;
    };
    if (parser.isSet(QStringLiteral("serial"))) {
        const auto serial = SerialToBytes(parser.value(QStringLiteral("serial")));
        if (!serial)
            return fail(QStringLiteral("--serial needs seven digits"));
        options.settings.serial = *serial;
    }
    if (parser.isSet(QStringLiteral("input-code"))) {
        bool ok = false;
        const uint code = parser.value(QStringLiteral("input-code")).toUInt(&ok, 0);
        if (!ok || code > 0xFF)
            return fail(QStringLiteral("--input-code needs a byte value"));
        options.settings.configuration.inputCode = std::uint8_t(code);
    }
    if (parser.isSet(QStringLiteral("input"))) {
        const QStringList parts = parser.value(QStringLiteral("input")).split(QLatin1Char(','));
        bool setpointOk = false;
        bool swingOk = parts.size() == 1;
        options.settings.input.setpoint = parts.at(0).toDouble(&setpointOk);
        options.settings.input.amplitude = parts.size() == 2 ? parts.at(1).toDouble(&swingOk) : 0.0;
        if (!setpointOk || !swingOk || parts.size() > 2)
            return fail(QStringLiteral("--input needs VALUE or VALUE,SWING"));
    }
    for (auto [name, target] : {std::pair{"settling", &options.settings.input.settlingSeconds},
                                std::pair{"noise", &options.settings.input.noise},
                                std::pair{"drift", &options.settings.drift}}) {
        const QString option = QLatin1String(name);
        if (!parser.isSet(option))
            continue;
        bool ok = false;
        *target = parser.value(option).toDouble(&ok);
        if (!ok)
            return fail(QStringLiteral("--%1 needs a number").arg(option));
    }
    options.settings.display.present = !parser.isSet(QStringLiteral("no-display"));
    if (parser.isSet(QStringLiteral("reply-latency"))) {
        bool ok = false;
        const double milliseconds = parser.value(QStringLiteral("reply-latency")).toDouble(&ok);
        if (!ok || milliseconds < 0 || milliseconds > 1000)
            return fail(QStringLiteral("--reply-latency needs milliseconds from 0 to 1000"));
        options.settings.timing.replyLatency = milliseconds / 1000;
    }
    for (const QString& text : parser.values(QStringLiteral("fault"))) {
        QString error;
        const std::optional<FaultOption> option = parseFaultOption(text, error);
        if (!option)
            return fail(error);
        options.faults.push_back(*option);
    }
    options.link = parser.value(QStringLiteral("link"));
    return options;
}

// "input VALUE" applies VALUE at the unit's input; anything else is reported on stderr.
void takeCommand(const QByteArray& line, SimulatedUnit& unit)
{
    const QList<QByteArray> words = line.simplified().split(' ');
    bool ok = false;
    const double value = words.size() == 2 && words.at(0) == "input" ? words.at(1).toDouble(&ok) : 0.0;
    if (ok)
        unit.applyInput(value);
    else if (!line.trimmed().isEmpty())
        std::fprintf(stderr, "delvo2-sim: unknown command '%s' (input VALUE)\n", line.constData());
}

} // namespace

int main(int argc, char* argv[])
{
    // SIGINT and SIGTERM are taken from a descriptor in the event loop; block them before Qt
    // starts any thread, so that every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // A simulator outliving a killed test or script would serve its terminal for good: the end
    // of the parent is a SIGTERM. A parent that ended before the request has already handed this
    // process to another.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        return 1;

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("delvo2-sim"));
    const std::optional<Options> options = parseOptions(app);
    if (!options)
        return 2;

    QString error;
    const std::unique_ptr<PseudoTerminal> terminal = PseudoTerminal::open(error);
    const int signalDescriptor = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (!terminal || signalDescriptor < 0) {
        std::fprintf(stderr, "delvo2-sim: %s\n", terminal ? "signalfd failed" : qPrintable(error));
        return 1;
    }
    if (!options->link.isEmpty()) {
        QFile::remove(options->link);
        if (!QFile::link(terminal->devicePath(), options->link)) {
            std::fprintf(stderr, "delvo2-sim: cannot create the link %s\n", qPrintable(options->link));
            return 1;
        }
    }

    PacingClock clock;
    SimulatedUnit unit(clock, options->settings);
    unit.setOutput([&terminal](const QByteArray& bytes) { terminal->write(bytes); });
    unit.setHangUpHandler([] {
        std::fprintf(stderr, "delvo2-sim: unplugged\n");
        QCoreApplication::quit();
    });
    for (const FaultOption& option : options->faults)
        applyFaultOption(option, unit, clock);

    QSocketNotifier fromClient(terminal->masterDescriptor(), QSocketNotifier::Read);
    QObject::connect(&fromClient, &QSocketNotifier::activated,
                     [&terminal, &unit] { unit.receive(terminal->readAvailable()); });
    QSocketNotifier stopRequest(signalDescriptor, QSocketNotifier::Read);
    QObject::connect(&stopRequest, &QSocketNotifier::activated, [signalDescriptor] {
        signalfd_siginfo info;
        while (::read(signalDescriptor, &info, sizeof info) == ssize_t(sizeof info)) {
        }
        QCoreApplication::quit();
    });

    // A simulator started in the background of a terminal ends its stdin instead of stopping.
    std::signal(SIGTTIN, SIG_IGN);
    const ConsoleInput commands([&unit](const QByteArray& line) { takeCommand(line, unit); }, [] {});

    std::printf("%s\n", qPrintable(terminal->devicePath()));
    std::fflush(stdout);
    const int result = app.exec();
    if (!options->link.isEmpty())
        QFile::remove(options->link);
    ::close(signalDescriptor);
    return result;
}
