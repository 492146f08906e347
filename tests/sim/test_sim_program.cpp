// Built where the simulator program is (it needs pseudo-terminals).
#ifdef DELVO_SIM_PROGRAM

#include "platform/real_clock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

// The simulator program in real time: it prints its pseudo-terminal, a plain POSIX client asks
// for the input code, and SIGTERM ends the program cleanly.
TEST(SimulatorProgram, AnswersOverItsPseudoTerminalAndStopsOnSigterm)
{
    int argc = 1;
    char name[] = "sim_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    RealClock clock;

    QProcess simulator;
    QObject::connect(&simulator, &QProcess::readyReadStandardOutput, [&clock] { clock.notify(); });
    QObject::connect(&simulator, &QProcess::finished, [&clock] { clock.notify(); });
    simulator.start(QStringLiteral(DELVO_SIM_PROGRAM), {QStringLiteral("--serial"), QStringLiteral("1234567")});
    ASSERT_TRUE(clock.waitFor(5.0, [&simulator] { return simulator.canReadLine(); }));
    const QByteArray device = simulator.readLine().trimmed();
    ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();

    const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    QByteArray reply;
    QSocketNotifier readable(fd, QSocketNotifier::Read);
    QObject::connect(&readable, &QSocketNotifier::activated, [&] {
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            reply.append(buffer, n);
        clock.notify();
    });
    ASSERT_EQ(::write(fd, "ts", 2), 2);
    EXPECT_TRUE(clock.waitFor(3.0, [&reply] { return reply.size() >= 7; }));
    EXPECT_EQ(reply.toHex(' '), "74 49 73 0c 22 05 43");
    readable.setEnabled(false);
    ::close(fd);

    simulator.terminate();
    EXPECT_TRUE(clock.waitFor(3.0, [&simulator] { return simulator.state() == QProcess::NotRunning; }));
    EXPECT_EQ(simulator.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(simulator.exitCode(), 0);
    if (simulator.state() != QProcess::NotRunning)
        simulator.kill();
}

#endif
