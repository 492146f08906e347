#include "sim_bench.h"

#include <gtest/gtest.h>

namespace {

constexpr double ByteTime = 0.001146;
constexpr double Latency = 0.002;

} // namespace

TEST(SimulatedPort, OpensAnyDeviceAndReportsMisuseWithItsErrorNumbers)
{
    VirtualClock clock;
    SimulatedUnit unit(clock);
    SimulatedPort port(unit);
    int error = 0;
    EXPECT_FALSE(port.close(error));
    EXPECT_EQ(error, PortError::DeviceNotOpen);
    EXPECT_TRUE(port.open(QStringLiteral("COM7"), QStringLiteral("9600,E,8,1"), error));
    EXPECT_EQ(port.device(), QStringLiteral("COM7"));
    EXPECT_FALSE(port.open(QStringLiteral("COM7"), QStringLiteral("9600,E,8,1"), error));
    EXPECT_EQ(error, PortError::DeviceAlreadyOpen);
    EXPECT_TRUE(port.close(error));
    unit.unplug();
    EXPECT_FALSE(port.open(QStringLiteral("COM7"), QStringLiteral("9600,E,8,1"), error));
    EXPECT_EQ(error, PortError::NoSuchPort);
}

TEST(SimulatedPort, RepliesArriveAtTheirPacedTimesOrWholeWhenUnpaced)
{
    for (bool paced : {true, false}) {
        UnitSettings settings = steadySettings();
        settings.timing.paced = paced;
        Bench bench(settings);
        std::vector<double> arrivals;
        bench.port.setActivityHandler([&] { arrivals.push_back(bench.clock.now()); });
        bench.port.write("8");
        bench.clock.advance(0.1);
        EXPECT_EQ(bench.port.bytesWaiting(), 4);
        if (!paced) {
            EXPECT_EQ(arrivals, std::vector<double>{Latency});
            continue;
        }
        ASSERT_EQ(arrivals.size(), 4u);
        const double replyStart = ByteTime + Latency;  // the command byte travels too
        for (std::size_t i = 0; i < arrivals.size(); ++i)
            EXPECT_NEAR(arrivals[i], replyStart + double(i + 1) * ByteTime, 1e-9) << "byte " << i;
    }
}

TEST(SimulatedPort, InputIsDiscardedLostWhileClosedAndOtherLineSettingsReachNothing)
{
    Bench bench;
    bench.port.write("t");
    int error = 0;
    bench.port.close(error);
    bench.clock.advance(0.1);
    bench.port.open(QStringLiteral("COM1"), QStringLiteral("9600,E,8,1"), error);
    bench.port.write("s");
    bench.clock.advance(0.1);
    EXPECT_EQ(bench.port.bytesWaiting(), 5);  // the reply to 's' only
    bench.port.discardInput();
    EXPECT_TRUE(bench.port.readAll().isEmpty());

    bench.port.close(error);
    bench.port.open(QStringLiteral("COM1"), QStringLiteral("9600,N,8,1"), error);
    EXPECT_TRUE(bench.exchange("t").isEmpty());
}

TEST(SimulatedUnitFraming, AnUnfinishedBlockIsDroppedAfterAPauseAndABadLengthIsNoted)
{
    Bench bench;
    EXPECT_EQ(bench.exchange(hex("01 84 70")).toHex(' '), "01");
    bench.clock.advance(1.0);
    EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49");
    EXPECT_TRUE(bench.unit.memory().blocks().empty());

    EXPECT_EQ(bench.exchange(hex("01 00 74 74")).toHex(' '), "01");
    EXPECT_EQ(bench.unit.memory().irregularities().size(), 1);
    bench.clock.advance(1.0);
    EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49");
}
