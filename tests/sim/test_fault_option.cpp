#include "sim/fault_option.h"

#include "sim_bench.h"

#include <gtest/gtest.h>

TEST(FaultOption, RulesAndEventsParse)
{
    struct Case {
        const char* text;
        FaultOption expected;
    };
    const Case cases[] = {
        {"t:silence", FaultRule{FaultTrigger::onCommand('t'), Fault::silence(), 1}},
        {"8:late=6.5:always", FaultRule{FaultTrigger::onCommand('8'), Fault::lateReply(6.5), FaultPlan::Always}},
        {"0xAA:echo:3", FaultRule{FaultTrigger::onCommand(0xAA), Fault::wrongEcho(), 3}},
        {"::short", FaultRule{FaultTrigger::onCommand(':'), Fault::shortReply(), 1}},
        {"block:badack", FaultRule{FaultTrigger::onBlock(), Fault::badAcknowledge(), 1}},
        {"chunk:resend:2", FaultRule{FaultTrigger::onTableChunk(), Fault::resendRequest(), 2}},
        {"upload:long", FaultRule{FaultTrigger::onUploadBlock(), Fault::longReply(), 1}},
        {"any:slow=0.01", FaultRule{FaultTrigger::onAnyExchange(), Fault::slowBytes(0.01), 1}},
        {"s:garbage", FaultRule{FaultTrigger::onCommand('s'), Fault::garbageBefore(2), 1}},
        {"s:garbage=5", FaultRule{FaultTrigger::onCommand('s'), Fault::garbageBefore(5), 1}},
        {"p:hangup", FaultRule{FaultTrigger::onCommand('p'), Fault::hangUp(), 1}},
        {"burnout", UnitEvent{UnitEvent::Kind::BurnOut, 0, {}}},
        {"burnout@12", UnitEvent{UnitEvent::Kind::BurnOut, 12, {}}},
        {"swap=0512399@30", UnitEvent{UnitEvent::Kind::Swap, 30, {5, 12, 3, 99}}},
        {"unplug@60", UnitEvent{UnitEvent::Kind::Unplug, 60, {}}},
    };
    for (const Case& c : cases) {
        QString error;
        const std::optional<FaultOption> option = parseFaultOption(QString::fromUtf8(c.text), error);
        ASSERT_TRUE(option) << c.text << ": " << error.toStdString();
        EXPECT_EQ(*option, c.expected) << c.text;
    }
}

TEST(FaultOption, MistakesAreRefusedWithAReason)
{
    for (const char* text : {"t", "t:", "t:quiet", "tt:silence", "0x1FF:silence", "t:late", "t:late=soon",
                             "t:silence:0", "t:garbage=0", "swap=12345", "burnout@", "meltdown@3"}) {
        QString error;
        EXPECT_FALSE(parseFaultOption(QString::fromUtf8(text), error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(FaultOption, AppliedOptionsReachTheUnit)
{
    Bench bench;
    QString error;
    for (const char* text : {"t:echo", "burnout@2", "swap=0000001@3"})
        applyFaultOption(*parseFaultOption(QString::fromUtf8(text), error), bench.unit, bench.clock);
    EXPECT_EQ(bench.exchange("t8s").toHex(' '), "8b 49 38 00 09 c4 73 05 0c 03 07");
    bench.clock.advance(3.0);
    EXPECT_EQ(bench.exchange("8s").toHex(' '), "38 7f ff ff 73 00 00 00 01");
}
