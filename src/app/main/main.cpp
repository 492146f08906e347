#include "app/application.h"
#include "app/frm_main.h"
#include "calibration/check_window.h"
#include "check/check_settings.h"
#include "app/routing_port.h"
#include "app/support_menu.h"
#include "delvo2_version.h"
#include "link/protocol_trace.h"
#include "link/qt_serial_port.h"
#include "link/tracing_port.h"
#include "platform/real_clock.h"
#include "platform/recent_messages.h"
#include "platform/user_folders.h"
#include "platform/widgets/message_box_operator.h"
#include "platform/widgets/modal_runner.h"
#include "platform/widgets/system_file_dialogs.h"
#include "platform/widgets/system_print_dialogs.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMenu>
#include <QSettings>

#include <memory>
#include <QStatusBar>
#include <QTimer>

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

// --quit-when-shown: at the main window's first paint, prints "shown" on stdout and ends the
// program (the start-up figure of the benchmarks).
class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(QWidget& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == &window_) {
            qApp->removeEventFilter(this);
            std::puts("shown");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget& window_;
};

// What the command line asks for; nothing when it is wrong (the reason printed).
struct StartOptions {
    PortNames ports;
    bool demo = false;
    bool factory = false;
    bool quitWhenShown = false;
};

std::optional<StartOptions> parseOptions(const QApplication& qapp)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Configuration and calibration of 4-20 mA temperature transmitters.\n"
        "Every port is a real serial port unless --demo is given."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portDevice(QStringLiteral("port-device"),
                                        QStringLiteral("Open DEVICE for port number N (repeatable)."),
                                        QStringLiteral("N=DEVICE"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Every port is a simulated transmitter (a demonstration without "
                                                 "hardware); its unit records go to a demo folder of their own."));
    const QCommandLineOption factory(QStringLiteral("factory"),
                                     QStringLiteral("Open the factory-calibration window after start-up (laboratory use)."));
    const QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                           QStringLiteral("Print \"shown\" and quit at the main window's first paint (start-up timing)."));
    parser.addOptions({portDevice, demo, factory, quitWhenShown});
    parser.process(qapp);

    StartOptions options{{}, parser.isSet(demo), parser.isSet(factory), parser.isSet(quitWhenShown)};
    if (options.demo)
        for (std::int16_t number = 1; number <= 8; ++number)
            options.ports.overrides[number] = QString::fromLatin1(SimulatedDevice);
    for (const QString& binding : parser.values(portDevice)) {
        if (!addPortDevice(binding, options.ports)) {
            std::fprintf(stderr, "delvo2: --port-device expects N=DEVICE, got '%s'\n", qPrintable(binding));
            return std::nullopt;
        }
    }
    return options;
}

// The real world behind the seams: the serial ports (and the simulated transmitter a port may
// name), the clock, message boxes and file and print dialogs. Every byte either way goes into
// the protocol trace and the last messages shown are kept, for the trace window and the support
// bundle.
struct RealSeams {
    RealClock clock;
    SimulatedUnit demoUnit{clock, DemoUnitSettings()};
    SimulatedPort simulatedPort{demoUnit};
    QtSerialPort realPort;
    RoutingPort routingPort{realPort, simulatedPort, QString::fromLatin1(SimulatedDevice)};
    ProtocolTrace trace{clock.now()};
    TracingPort port{routingPort, trace, clock};
    MessageBoxOperator boxes;
    RecentMessages op{boxes};
    SystemFileDialogs dialogs;
    ModalRunner modal{clock, false};
    SystemPrintDialogs printDialogs{dialogs, modal};
    std::unique_ptr<QSettings> settings = OpenProgramSettings();

    Seams seams() { return Seams{op, clock, port, dialogs, modal, printDialogs, *settings}; }
    // The boxes and dialogs open over the main window.
    void placeOver(QWidget& window)
    {
        boxes.setParent(&window);
        dialogs.setParent(&window);
        printDialogs.setParent(&window);
    }
};

// The demonstration says so in the title and the status bar, keeps its records apart, and lets
// the check window apply a reference to the simulated unit.
void markDemo(Application& app, SimulatedUnit& unit)
{
    app.check().setSimulatedInput([&unit](double value) { unit.applyInput(value); });
    const QString records = DemoRecordFolder();
    app.useRecordFolder(records);
    app.mainWindow().setWindowTitle(QStringLiteral("delvo2 - demo: simulated transmitter"));
    auto* hint = new QLabel(QStringLiteral("DEMO: every port is a simulated transmitter, no real unit is written. "
                                           "Unit records: %1").arg(records));
    hint->setObjectName(QStringLiteral("demoHint"));
    hint->setTextFormat(Qt::PlainText);
    hint->setStyleSheet(QStringLiteral("QLabel { background: #ffd24d; color: black; padding: 2px 6px; font-weight: bold; }"));
    app.mainWindow().statusBar()->addPermanentWidget(hint, 1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("delvo2"));
    QCoreApplication::setApplicationVersion(QStringLiteral("MIRTAL_" DELVO2_VERSION));
    const std::optional<StartOptions> options = parseOptions(qapp);
    if (!options)
        return 2;

    RealSeams real;
    const InstallRegistry registry = InstallRegistry::system();
    Application app(real.seams(), registry, options->ports, options->demo ? DemoHistoryFolder() : HistoryFolder(),
                    [](int exitCode) { QCoreApplication::exit(exitCode); });
    real.placeOver(app.mainWindow());
    SupportMenu support(app, real.trace, real.op);
    support.addTo(*app.mainWindow().findChild<QMenu*>(QStringLiteral("mnuView")),
                  *app.mainWindow().findChild<QMenu*>(QStringLiteral("mnuHelp")));
    if (options->demo)
        markDemo(app, real.demoUnit);
    else
        app.useRecordFolder(InstalledRecordFolder(registry));

    app.start();
    if (const std::optional<int> exitCode = app.exitCode())
        return *exitCode;
    if (options->factory)
        app.mainWindow().mnuCalibTarvoItem_Click();
    QuitWhenShown quitter(app.mainWindow());
    if (options->quitWhenShown)
        qapp.installEventFilter(&quitter);
    return qapp.exec();
}
