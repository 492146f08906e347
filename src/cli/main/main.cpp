// delvo2-cli: reads, monitors and writes units from the command line, on the same core as the GUI.

#include "cli/cli_commands.h"
#include "link/qt_serial_port.h"
#include "platform/install_registry.h"
#include "platform/real_clock.h"
#include "platform/user_folders.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <optional>

namespace {

void writeTo(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The window's name: the user's data folders (the history, the demo's records) are the window's.
    QCoreApplication::setApplicationName(QStringLiteral("delvo2"));

    // Every wait of the commands runs the event loop through this clock.
    RealClock clock;
    QtSerialPort serialPort;
    const InstallRegistry registry = InstallRegistry::system();
    std::optional<SimulatedUnit> simulatedUnit;
    std::optional<SimulatedPort> simulatedPort;
    CliHost host{
        clock,
        [&](const PortChoice& choice) -> SerialPort& {
            if (!choice.simulated)
                return serialPort;
            simulatedUnit.emplace(clock);
            return simulatedPort.emplace(*simulatedUnit);
        },
        [](const QByteArray& bytes) { writeTo(stdout, bytes); },
        [](const QByteArray& bytes) { writeTo(stderr, bytes); },
        registry.appPathValue(),
        QDir::currentPath(),
        InstalledRecordFolder(registry),
        [](bool demo) { return demo ? DemoHistoryFolder() : HistoryFolder(); },
    };
    return RunCli(QCoreApplication::arguments(), host);
}
