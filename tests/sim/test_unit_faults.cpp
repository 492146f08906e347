#include "sim_bench.h"

#include <gtest/gtest.h>

TEST(SimulatedUnitFaults, EachFaultShowsOnTheWireOnceAndThenTheUnitAnswersNormally)
{
    struct Case {
        const char* name;
        Fault fault;
        const char* reply;
    };
    const Case cases[] = {
        {"silence", Fault::silence(), ""},
        {"wrong echo", Fault::wrongEcho(), "8b 49"},
        {"short reply", Fault::shortReply(), "74"},
        {"long reply", Fault::longReply(), "74 49 00"},
        {"resend request", Fault::resendRequest(), "bb"},
        {"bad acknowledgement", Fault::badAcknowledge(), "74 b6"},
        {"garbage before", Fault::garbageBefore(3), "ff ff ff 74 49"},
    };
    for (const Case& c : cases) {
        Bench bench;
        bench.unit.faults().add(FaultTrigger::onCommand('t'), c.fault);
        EXPECT_EQ(bench.exchange("s").toHex(' '), "73 05 0c 03 07") << c.name;
        EXPECT_EQ(bench.exchange("t").toHex(' '), QByteArray(c.reply)) << c.name;
        EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49") << c.name;
        EXPECT_TRUE(bench.unit.faults().empty()) << c.name;
    }
}

TEST(SimulatedUnitFaults, LateAndSlowRepliesTakeTheirTime)
{
    Bench bench;
    bench.unit.faults().add(FaultTrigger::onCommand('8'), Fault::lateReply(6.0));
    EXPECT_TRUE(bench.exchange("8", 5.0).isEmpty());
    EXPECT_EQ(bench.exchange({}, 1.1).size(), 4);

    bench.unit.faults().add(FaultTrigger::onCommand('s'), Fault::slowBytes(1.0));
    EXPECT_EQ(bench.exchange("s", 2.5).size(), 2);
    EXPECT_EQ(bench.exchange({}, 3.0).size(), 3);
}

TEST(SimulatedUnitFaults, RepeatedAndAlwaysFaults)
{
    Bench bench;
    bench.unit.faults().add(FaultTrigger::onCommand('t'), Fault::silence(), 2);
    bench.unit.faults().add(FaultTrigger::onAnyExchange(), Fault::longReply(), FaultPlan::Always);
    EXPECT_TRUE(bench.exchange("t").isEmpty());
    EXPECT_TRUE(bench.exchange("t").isEmpty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49 00");
}

TEST(SimulatedUnitFaults, BlockFaultsDecideWhatIsStored)
{
    struct Case {
        const char* name;
        FaultTrigger trigger;
        Fault fault;
        const char* answer;
        bool stored;
    };
    const Case cases[] = {
        {"resend request", FaultTrigger::onBlock(), Fault::resendRequest(), "01 bb", false},
        {"bad acknowledgement", FaultTrigger::onBlock(), Fault::badAcknowledge(), "01 5a", true},
        {"silence", FaultTrigger::onBlock(), Fault::silence(), "01", false},
        {"wrong echo of the select byte", FaultTrigger::onCommand(1), Fault::wrongEcho(), "fe a5", true},
        {"a chunk fault leaves other blocks alone", FaultTrigger::onTableChunk(), Fault::resendRequest(), "01 a5",
         true},
    };
    for (const Case& c : cases) {
        Bench bench;
        bench.unit.faults().add(c.trigger, c.fault);
        EXPECT_EQ(bench.writeBlock(1, hex("84 70 FF 01 02 03 04")).toHex(' '), QByteArray(c.answer)) << c.name;
        EXPECT_EQ(bench.unit.memory().serialText() == QStringLiteral("0102304"), c.stored) << c.name;
    }
}

TEST(SimulatedUnitFaults, ChunkResendRequestIsAnsweredByTheSameChunk)
{
    Bench bench;
    bench.unit.faults().add(FaultTrigger::onTableChunk(), Fault::resendRequest());
    const QByteArray chunk = withChecksum(1, hex("86 31 30 00 00 01 00 00 02"));
    EXPECT_EQ(bench.exchange(hex("01"), 0.05).toHex(' '), "01");
    EXPECT_EQ(bench.exchange(chunk).toHex(' '), "bb");
    EXPECT_TRUE(bench.unit.memory().table(0).points.empty());
    // The tool sends the chunk again after its 5 s wait, without the select byte.
    bench.clock.advance(5.0);
    EXPECT_EQ(bench.exchange(chunk).toHex(' '), "a5");
    EXPECT_EQ(bench.unit.memory().table(0).points, (std::vector<float>{1, 2}));
}

TEST(SimulatedUnitFaults, BadUploadChecksumMakesTheToolAskAgain)
{
    Bench bench;
    bench.unit.faults().add(FaultTrigger::onUploadBlock(), Fault::badAcknowledge());
    bench.exchange(hex("AA"), 0.05);
    const QByteArray spoilt = bench.exchange({}, 0.3);
    const QByteArray again = bench.exchange(hex("BB"));
    ASSERT_EQ(spoilt.size(), 66);
    ASSERT_EQ(again.size(), 66);
    EXPECT_EQ(spoilt.left(65), again.left(65));
    // Seeds 0xAA and 0xBB differ by 0x11; the spoilt checksum is the inverted good one.
    EXPECT_EQ(std::uint8_t(~spoilt[65] - 0x11), std::uint8_t(again[65]));
}

TEST(SimulatedUnitFaults, HangUpClosesThePortUntilTheUnitIsPluggedInAgain)
{
    Bench bench;
    bool activity = false;
    bench.port.setActivityHandler([&activity] { activity = true; });
    bench.unit.faults().add(FaultTrigger::onCommand('s'), Fault::hangUp());
    bench.unit.faults().add(FaultTrigger::onCommand('t'), Fault::lateReply(1.0));
    bench.port.write("t");
    EXPECT_TRUE(bench.exchange("s").isEmpty());
    EXPECT_TRUE(activity);
    EXPECT_FALSE(bench.port.isOpen());
    bench.clock.advance(2.0);  // the late reply to 't' was lost with the cable

    int error = 0;
    EXPECT_FALSE(bench.port.open(QStringLiteral("/dev/simulated"), QStringLiteral("9600,E,8,1"), error));
    EXPECT_EQ(error, PortError::NoSuchPort);
    bench.unit.plugIn();
    ASSERT_TRUE(bench.port.open(QStringLiteral("/dev/simulated"), QStringLiteral("9600,E,8,1"), error));
    EXPECT_TRUE(bench.port.readAll().isEmpty());
    EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49");
}
