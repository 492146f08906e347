#include "link/codecs.h"
#include "link/commands.h"
#include "support/byte_list.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

namespace {

struct CommandsTest : ::testing::Test, LinkSurroundings {
    ScriptedPort port{clock};
    Link link{session, port, clock, op, dialogs, windows, portNames, catalogue};

    void SetUp() override
    {
        ASSERT_TRUE(OpenPort(link));
        session.link.UnitOnline = true;
    }
    QByteArray sent() const
    {
        QByteArray all;
        for (const QByteArray& frame : port.written)
            all += frame;
        return all;
    }
};

const QString problems = QStringLiteral("Problems receiving message from unit.");

} // namespace

TEST_F(CommandsTest, SerialReadEmptiesTheInputAndAWrongEchoFailsQuietly)
{
    // The serial number read empties the input buffer before its first attempt only.
    port.arrive("junk", 0);
    clock.advance(0.01);
    port.reply(bytes({0x73, 1, 2, 3, 4}));
    EXPECT_EQ(ReadSerial(link), QStringLiteral("0102304"));
    EXPECT_EQ(port.discards, 1);
    EXPECT_TRUE(session.link.UnitOnline);

    // A wrong echo: the failure value, UnitOnline cleared, no message, the link stays open.
    port.reply(bytes({0x73, 0x07}));
    EXPECT_EQ(ReadInputCode(link), 255);
    EXPECT_FALSE(session.link.UnitOnline);
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_TRUE(session.link.LinkOpen);
}

TEST_F(CommandsTest, SilentUnitIsReportedOnceAndDisconnected)
{
    EXPECT_TRUE(SameSingle(ReadValue(link, Command::Reading), NoValue));
    EXPECT_EQ(port.written.size(), 3u);
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error", problems}));
    EXPECT_FALSE(session.link.LinkOpen || session.link.UnitOnline);
}

TEST_F(CommandsTest, DisplayExchangesStayQuietUntilTheirLastAttempt)
{
    EXPECT_EQ(ReadDisplayVersion(link), 255);
    EXPECT_EQ(port.written.size(), 2u);
    EXPECT_TRUE(op.boxes.empty() && session.link.LinkOpen);
    port.reply(bytes({0x99, 40}));  // no echo check
    EXPECT_EQ(ReadDisplayVersion(link), 40);

    port.written.clear();
    port.reply(bytes({0x00}));
    WriteDisplayRange(link, -200, 1000);
    EXPECT_EQ(sent(), bytes({0x41, 0xFF, 0x38, 0x03, 0xE8, 0x00}));
    EXPECT_EQ(port.discards, 1);

    // The range read tries five times, but the fourth silent attempt is final.
    port.written.clear();
    session.poll.DisplayLowRaw = 7;
    ReadDisplayRange(link);
    EXPECT_EQ(port.written.size(), 4u);
    EXPECT_EQ(session.poll.DisplayLowRaw, 7);
    EXPECT_EQ(op.only().title, QStringLiteral("Communication Time-Out"));
    EXPECT_FALSE(session.link.LinkOpen);
}

// (Wrong echoes, refusals and silence during block writes: the fault campaign.)
TEST_F(CommandsTest, BlockWriteIsSelectBlockAndChecksum)
{
    const QByteArray block = bytes({0x81, 0x00, 0xFF, 0xBB, 0xC4});
    session.update.UpdateStep = 2;
    port.reply(bytes({1}));
    port.silence(4);
    port.reply(bytes({0xA5}));
    EXPECT_EQ(WriteBlock(link, 1, block), WriteResult::Accepted);
    EXPECT_EQ(sent(), bytes({1}) + block);
    EXPECT_EQ(session.update.UpdateStep, 2);
}

TEST_F(CommandsTest, TableChunksOnTheWireAndTheLastOneEndsTheStep)
{
    SensorTable table;
    table.count = 45;
    for (int i = 0; i < 45; ++i)
        table.values[i] = float(i * 1000 - 5000);
    session.update.UpdateStep = 3;
    bool final = false;
    const QByteArray first = BuildTableChunk(link, table, FirstTableTarget, final);
    BuildTableChunk(link, table, FirstTableTarget, final);
    EXPECT_FALSE(final);
    BuildTableChunk(link, table, FirstTableTarget, final);
    EXPECT_TRUE(final);

    // On the wire: select, chunk, answer (0xBB and the chunk sent again: the fault campaign).
    table.cursor = 0;
    port.reply(bytes({1}));
    port.silence(66);
    port.reply(bytes({0xA5}));
    WriteTableChunk(link, table, FirstTableTarget);
    EXPECT_EQ(sent(), bytes({1}) + first);
    EXPECT_EQ(session.update.UpdateStep, 3);  // not the final chunk yet

    SensorTable small;
    small.count = 2;
    small.values[0] = 16777215.0f;
    small.values[1] = -3.0f;
    port.written.clear();
    port.reply(bytes({2}));
    port.silence(7);
    port.reply(bytes({0xA5}));
    WriteTableChunk(link, small, ThirdTableTarget);
    EXPECT_EQ(sent(), bytes({2}) + bytes({0x84, 0xD1, 0xD0, 0xFF, 0xFF, 0x80, 0x03, 0x58}));
    EXPECT_EQ(session.update.UpdateStep, 4);
}

TEST_F(CommandsTest, FinishReportsOtherAnswers)
{
    session.update.UpdateStep = 10;
    port.reply(bytes({0x00}));
    port.reply(bytes({0x00}));
    Finish(link);
    EXPECT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("Unexpected message '0' arrived from unit."));
    EXPECT_EQ(session.update.UpdateStep, 0);
    EXPECT_EQ(sent(), QByteArray("ZZ"));
}

TEST_F(CommandsTest, FlashUploadAsksAgainForABadBlock)
{
    auto block = [](int k, std::uint8_t seed, bool damaged = false) {
        const QByteArray data(64, char(k + 1));
        return QByteArray(1, char(k)) + data + char(BlockChecksum(seed, data) + (damaged ? 1 : 0));
    };
    // Each block answers the tool's last byte: 0xAA, then 0xA5 (next) or 0xBB (again).
    port.reply(bytes({0xAA}));
    port.arrive(block(0, 0xAA), 0.5);  // the unit starts sending after its echo
    for (int k = 1; k < FlashBlocks; ++k) {
        if (k == 3)
            port.reply(block(3, 0xA5, true));
        port.reply(block(k, k == 3 ? 0xBB : 0xA5));
    }
    session.factory.UploadOk = true;
    UploadFactoryMemory(link);
    EXPECT_TRUE(session.factory.UploadOk);
    EXPECT_TRUE(op.boxes.empty());
    ASSERT_EQ(session.factory.FlashImage.size(), std::size_t(FlashSize));
    EXPECT_EQ(session.factory.FlashImage[3 * 64], 4);
    EXPECT_EQ(session.factory.FlashImage[FlashSize - 1], 11);
    QByteArray acks;
    for (std::size_t i = 1; i < port.written.size(); ++i)
        acks += port.written[i];
    EXPECT_EQ(acks, bytes({0xA5, 0xA5, 0xA5, 0xBB, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5}));
}
