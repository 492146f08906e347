// delvo2-cli: reads, monitors, writes and checks units from the command line, on the same core as
// the GUI.

#include "check/check_settings.h"
#include "cli/cli_commands.h"
#include "link/qt_serial_port.h"
#include "platform/console_input.h"
#include "platform/install_registry.h"
#include "platform/real_clock.h"
#include "platform/user_folders.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QSettings>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

void writeTo(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

bool asksForPdf(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0)
            return true;
    return false;
}

// Enter pressed on the console: lines are counted as they come (one typed ahead is kept), and the
// console is only read once a check waits for one.
struct EnterKey {
    explicit EnterKey(Clock& clock) : clock(clock) {}

    bool wait()
    {
        if (!console)
            console.emplace([this](const QByteArray&) { ++pressed, clock.notify(); },
                            [this] { ended = true, clock.notify(); });
        while (pressed == 0 && !ended)
            clock.waitFor(3600, [this] { return pressed > 0 || ended; });
        if (pressed == 0)
            return false;
        --pressed;
        return true;
    }

    Clock& clock;
    std::optional<ConsoleInput> console;
    int pressed = 0;
    bool ended = false;
};

} // namespace

int main(int argc, char* argv[])
{
    // Text in a certificate PDF needs the font database, which only a QGuiApplication has; the
    // offscreen platform needs no display. Every other command runs on QtCore alone.
    const bool pdf = asksForPdf(argc, argv);
    if (pdf)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = pdf ? std::make_unique<QGuiApplication>(argc, argv)
                                                      : std::make_unique<QCoreApplication>(argc, argv);
    // The window's name: the user's data folders (the history, the demo's records) are the window's.
    QCoreApplication::setApplicationName(QStringLiteral("delvo2"));

    // Every wait of the commands runs the event loop through this clock.
    RealClock clock;
    QtSerialPort serialPort;
    const InstallRegistry registry = InstallRegistry::system();
    std::optional<SimulatedUnit> simulatedUnit;
    std::optional<SimulatedPort> simulatedPort;
    std::unique_ptr<QSettings> settings;
    EnterKey enter(clock);
    CliHost host{
        clock,
        [&](const PortChoice& choice) -> SerialPort& {
            if (!choice.simulated)
                return serialPort;
            simulatedUnit.emplace(clock, DemoUnitSettings());
            return simulatedPort.emplace(*simulatedUnit);
        },
        [](const QByteArray& bytes) { writeTo(stdout, bytes); },
        [](const QByteArray& bytes) { writeTo(stderr, bytes); },
        registry.appPathValue(),
        QDir::currentPath(),
        InstalledRecordFolder(registry),
        [](bool demo) { return demo ? DemoHistoryFolder() : HistoryFolder(); },
        [&enter] { return enter.wait(); },
        [&simulatedUnit](double reference) {
            if (simulatedUnit)
                simulatedUnit->applyInput(reference);
        },
        [&settings]() -> QSettings& {
            if (!settings)
                settings = OpenProgramSettings();
            return *settings;
        },
    };
    return RunCli(QCoreApplication::arguments(), host);
}
