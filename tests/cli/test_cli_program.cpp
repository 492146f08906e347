// Built where the simulator program is (it needs pseudo-terminals).
#ifdef DELVO_SIM_PROGRAM

#include "cli_fixture.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// The simulator program, stopped however the test ends.
struct SimulatorProcess {
    QProcess process;
    ~SimulatorProcess()
    {
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
};

// Runs delvo2-cli to its end (at most 90 s); its exit code (-1 when it did not end) and stdout.
// The program writes on the test's stderr, so it ends with the test: a test killed at its time-out
// leaves nothing holding ctest's output.
std::pair<int, QByteArray> runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cli.setChildProcessModifier([test = getpid()] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != test)
            _exit(127);
    });
    cli.start(QStringLiteral(DELVO_CLI_PROGRAM), arguments);
    if (!cli.waitForFinished(90000)) {
        cli.kill();
        cli.waitForFinished(3000);
        return {-1, {}};
    }
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, cli.readAllStandardOutput()};
}

} // namespace

// The program against the simulator on a pseudo-terminal in real time: a Pt-100 configuration is
// written, with two-segment sensor tables so that the update takes about half a minute, and read
// back.
TEST(CliProgram, WritesAndReadsBackAUnitOverAPseudoTerminal)
{
    QTemporaryDir appDir;
    // R/R0 x 10^6 -> 0.01 °C in two points, the slope with 16 fraction bits; no cold-junction table.
    for (auto [name, text] : {std::pair{"pt10385.dat", "800000 -5195 1702 0\r\n1600000 15584 0 0\r\n16777215 0 16 0\r\n"},
                              std::pair{"lvoid.dat", "16777215 0 0 0\r\n"}}) {
        QFile table(appDir.filePath(name));
        ASSERT_TRUE(table.open(QIODevice::WriteOnly) && table.write(text) > 0);
    }
    ConfRecord wanted = newConfiguration(0x49);
    QFile confFile(appDir.filePath("loop.cal"));
    ASSERT_TRUE(confFile.open(QIODevice::WriteOnly) && confFile.write(ConfFileLine(wanted)) > 0);
    confFile.close();

    SimulatorProcess simulator;
    simulator.process.start(QStringLiteral(DELVO_SIM_PROGRAM), {"--serial", "1234567"});
    ASSERT_TRUE(simulator.process.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(simulator.process.readLine().trimmed());
    ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();

    const QStringList common{"--port", device, "--appdir", appDir.path(), "--history", appDir.filePath("history")};
    EXPECT_EQ(runCli(common + QStringList{"write", confFile.fileName()}).first, 0);
    const auto [exitCode, out] = runCli(common + QStringList{"read"});
    EXPECT_EQ(exitCode, 0);
    wanted.Serial = QStringLiteral("1234567");
    EXPECT_EQ(out, printedLine(wanted));
}

// The program's own simulated unit settles on the reference; the certificate's text needs the
// QGuiApplication the program starts for --pdf, without a display.
TEST(CliProgram, ChecksTheSimulatedUnitAndWritesItsCertificate)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());  // where the program keeps its settings
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());    // and the simulated unit's records and history
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());  // a QGuiApplication warns without one
    qunsetenv("QT_QPA_PLATFORM");
    const QString pdf = dir.filePath("certificate.pdf");
    const auto [exitCode, out] = runCli({"--port", "simulated", "--appdir", dir.path(), "check", "--tolerance", "0.25",
                                         "--points", "25", "--pdf", pdf});
    EXPECT_EQ(exitCode, 0);
    const QList<QByteArray> fields = out.trimmed().split('\t');
    ASSERT_EQ(fields.size(), 6) << out.toStdString();
    EXPECT_NEAR(fields[1].toDouble(), 25.0, 0.005);
    EXPECT_EQ(fields[5], "PASS");
    QFile file(pdf);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-");
    EXPECT_TRUE(QFile::exists(dir.filePath("delvo2/delvo2.ini")));
    EXPECT_TRUE(QFile::exists(dir.filePath("delvo2/demo/history/history.db")));  // the check joined it
}

#endif
