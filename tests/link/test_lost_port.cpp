// Built where the simulator program is (it needs pseudo-terminals).
#ifdef DELVO_SIM_PROGRAM

#include "link/connect_poll.h"
#include "link/qt_serial_port.h"
#include "link/serial_link.h"
#include "link/update.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/real_clock.h"
#include "support/recording_windows.h"
#include "support/scripted_operator.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The real port and clock against delvo2-sim on a pseudo-terminal. Killing the simulator closes
// the terminal's other end, which is what the port sees when a USB adapter is pulled.
struct LostPort : ::testing::Test {
    int argc = 1;
    char name[16] = "link_tests";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
    QTemporaryDir appDir;
    RealClock clock;
    QtSerialPort port;
    Session session;
    ScriptedOperator op;
    RecordingWindows windows;
    PortNames portNames;
    Catalogue catalogue = BuildCatalogue();
    Link link{session, port, clock, op, windows, portNames, catalogue};
    QProcess simulator;

    void SetUp() override
    {
        port.setActivityHandler([this] { clock.notify(); });
        session.AppDir = appDir.path();
        link.state.PortNumber = 1;
        for (const char* table : {"pt10385.dat", "lvoid.dat"})
            QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(table), appDir.filePath(QLatin1String(table)));
        simulator.start(QStringLiteral(DELVO_SIM_PROGRAM), {});
        ASSERT_TRUE(simulator.waitForReadyRead(5000));
        const QString device = QString::fromLocal8Bit(simulator.readLine().trimmed());
        ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();
        portNames.overrides[1] = device;
        ASSERT_TRUE(Connect(link)) << op.transcript().toStdString();
    }

    void TearDown() override
    {
        simulator.kill();
        simulator.waitForFinished(3000);
    }

    void pullTheCable()
    {
        simulator.kill();
        ASSERT_TRUE(simulator.waitForFinished(3000));
    }

    // After the loss the port stays closed and the program sleeps: a port left open would report
    // its read error again and again and keep a core busy.
    void expectIdle()
    {
        EXPECT_FALSE(port.isOpen());
        const double before = cpuSeconds();
        clock.waitFor(1.0);
        EXPECT_LT(cpuSeconds() - before, 0.3);
    }
};

} // namespace

TEST_F(LostPort, DuringPollingOneMessageAndTheLinkCloses)
{
    ASSERT_TRUE(Poll(link));
    pullTheCable();
    EXPECT_FALSE(Poll(link));
    EXPECT_FALSE(link.state.LinkOpen);
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error",
                                                "There's Some Problems Connecting The Unit,Check Connections."}));
    expectIdle();
    // A later poll attempt on the closed link adds nothing.
    EXPECT_FALSE(Poll(link));
    EXPECT_EQ(op.boxes.size(), 1u);
}

TEST_F(LostPort, DuringAnUpdateOneMessageAndTheUpdateEnds)
{
    EditFromUnit(session);
    link.update.UpdateKind = UpdateKinds::Full;
    ASSERT_TRUE(PrepareUpdate(link)) << op.transcript().toStdString();
    UpdateProgress progress = StartUpdateProgress(link);
    for (int tick = 0; tick < 2; ++tick) {
        clock.waitFor(1.0);
        UpdateTick(link, progress);
    }
    ASSERT_FALSE(progress.finished) << op.transcript().toStdString();
    pullTheCable();
    for (int tick = 0; tick < 10 && !progress.finished; ++tick) {
        clock.waitFor(1.0);
        UpdateTick(link, progress);
    }
    EXPECT_TRUE(progress.failed);
    EXPECT_FALSE(link.state.LinkOpen);
    EXPECT_EQ(op.only().title, QStringLiteral("Updating Error"));
    expectIdle();
}

#endif
