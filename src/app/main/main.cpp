#include "app/application.h"
#include "app/frm_main.h"
#include "platform/widgets/message_box_operator.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

// "--port-device 3=/dev/pts/4" binds port number 3 to a device (a pseudo-terminal, say).
bool addPortDevice(const QString& binding, PortNames& ports)
{
    const qsizetype equals = binding.indexOf(QLatin1Char('='));
    if (equals <= 0 || equals == binding.size() - 1)
        return false;
    bool ok = false;
    const int number = binding.left(equals).toInt(&ok);
    if (!ok || number < 1 || number > 32767)
        return false;
    ports.overrides[std::int16_t(number)] = binding.mid(equals + 1);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("delvo2"));
    QCoreApplication::setApplicationVersion(QStringLiteral("MIRTAL_1.11"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Configuration and calibration of 4-20 mA temperature transmitters."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portDevice(QStringLiteral("port-device"),
                                        QStringLiteral("Open DEVICE for port number N (repeatable)."),
                                        QStringLiteral("N=DEVICE"));
    parser.addOption(portDevice);
    parser.process(qapp);

    PortNames ports;
    for (const QString& binding : parser.values(portDevice)) {
        if (!addPortDevice(binding, ports)) {
            std::fprintf(stderr, "delvo2: --port-device expects N=DEVICE, got '%s'\n", qPrintable(binding));
            return 2;
        }
    }

    MessageBoxOperator op;
    Application app(op, InstallRegistry::system(), std::move(ports), [](int exitCode) { QCoreApplication::exit(exitCode); });
    op.setParent(&app.mainWindow());
    app.start();
    if (const std::optional<int> exitCode = app.exitCode())
        return *exitCode;
    return qapp.exec();
}
