#include "link/codecs.h"
#include "link/commands.h"
#include "link/link_control.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "support/byte_list.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

namespace {

struct CommandsTest : ::testing::Test, LinkSurroundings {
    ScriptedPort port{clock};
    Link link = linkOn(port);

    void SetUp() override
    {
        ASSERT_TRUE(OpenPort(link).opened);
        link.state.UnitOnline = true;
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

TEST_F(CommandsTest, ReadsReportWhatHappenedAndTheTaskReactsToIt)
{
    // The serial number read empties the input buffer before its first attempt only.
    port.arrive("junk", 0);
    clock.advance(0.01);
    port.reply(bytes({0x73, 1, 2, 3, 4}));
    const Reply<QString> serial = ReadSerial(link);
    EXPECT_TRUE(serial.ok() && serial.value == QStringLiteral("0102304"));
    EXPECT_EQ(port.discards, 1);

    // A wrong echo: the failure value; taken by a task it marks the unit offline, silently.
    port.reply(bytes({0x73, 0x07}));
    const Reply<std::uint8_t> code = ReadInputCode(link);
    EXPECT_TRUE(code.result == Exchange::WrongEcho && code.value == 255);
    EXPECT_EQ(Taken(link, code), 255);
    EXPECT_FALSE(link.state.UnitOnline);
    EXPECT_TRUE(op.boxes.empty() && link.state.LinkOpen);

    // A silent unit: three attempts, then the task reports it once and closes the link.
    port.written.clear();
    const Reply<float> reading = ReadValue(link, Command::Reading);
    EXPECT_TRUE(reading.result == Exchange::NoReply && SameSingle(reading.value, NoValue));
    EXPECT_EQ(port.written.size(), 3u);
    EXPECT_TRUE(op.boxes.empty() && link.state.LinkOpen);  // the wire tells nobody
    Taken(link, reading);
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error", problems}));
    EXPECT_FALSE(link.state.LinkOpen);
}

TEST_F(CommandsTest, DisplayExchangesEndTheLinkOnlyAtTheirFourthAttempt)
{
    EXPECT_EQ(ReadDisplayVersion(link).result, Exchange::NoReply);
    EXPECT_EQ(port.written.size(), 2u);
    port.reply(bytes({0x99, 40}));  // no echo check
    EXPECT_EQ(ReadDisplayVersion(link).value, 40);

    port.written.clear();
    port.reply(bytes({0x00}));
    EXPECT_EQ(WriteDisplayRange(link, -200, 1000), Exchange::Ok);
    EXPECT_EQ(sent(), bytes({0x41, 0xFF, 0x38, 0x03, 0xE8, 0x00}));
    EXPECT_EQ(port.discards, 1);

    // The range read may try five times, but the fourth silent attempt is final: time-out.
    port.written.clear();
    EXPECT_EQ(Settled(link, ReadDisplayRange(link).result), Exchange::TimedOut);
    EXPECT_EQ(port.written.size(), 4u);
    EXPECT_EQ(op.only().title, QStringLiteral("Communication Time-Out"));
    EXPECT_FALSE(link.state.LinkOpen);
}

// (Wrong echoes, refusals and silence during block writes: the fault campaign.)
TEST_F(CommandsTest, BlockWriteIsSelectBlockAndChecksum)
{
    const QByteArray block = bytes({0x81, 0x00, 0xFF, 0xBB, 0xC4});
    port.reply(bytes({1}));
    port.silence(4);
    port.reply(bytes({0xA5}));
    EXPECT_EQ(WriteBlock(link, 1, block), Exchange::Ok);
    EXPECT_EQ(sent(), bytes({1}) + block);
}

TEST_F(CommandsTest, TableChunksOnTheWireAndTheLastOneEndsTheStep)
{
    SensorTable table;
    table.count = 45;
    for (int i = 0; i < 45; ++i)
        table.values[i] = float(i * 1000 - 5000);
    session.tables.A.count = 45;
    for (int i = 0; i < 45; ++i)
        session.tables.A.values[i] = float(i * 1000 - 5000);
    const QByteArray first = BuildTableChunk(link, session.tables.A, FirstTableTarget).block.bytes;
    EXPECT_FALSE(BuildTableChunk(link, session.tables.A, FirstTableTarget).last);
    EXPECT_TRUE(BuildTableChunk(link, session.tables.A, FirstTableTarget).last);

    // On the wire: select, chunk, answer (0xBB and the chunk sent again: the fault campaign).
    session.tables.A.cursor = 0;
    link.update.UpdateStep = UpdateSteps::FirstTable;
    port.reply(bytes({1}));
    port.silence(66);
    port.reply(bytes({0xA5}));
    UpdateDriver(link);
    EXPECT_EQ(sent(), bytes({1}) + first);
    EXPECT_EQ(link.update.UpdateStep, UpdateSteps::FirstTable);  // not the final chunk yet

    SensorTable& small = session.tables.C;
    small.count = 2;
    small.values[0] = 16777215.0f;
    small.values[1] = -3.0f;
    link.update.UpdateStep = UpdateSteps::ThirdTable;
    port.written.clear();
    port.reply(bytes({2}));
    port.silence(7);
    port.reply(bytes({0xA5}));
    UpdateDriver(link);
    EXPECT_EQ(sent(), bytes({2}) + bytes({0x84, 0xD1, 0xD0, 0xFF, 0xFF, 0x80, 0x03, 0x58}));
    EXPECT_EQ(link.update.UpdateStep, UpdateSteps::ResetExtremes);
}

TEST_F(CommandsTest, FinishReportsOtherAnswers)
{
    link.update.UpdateStep = UpdateSteps::Finish;
    link.factory.FactoryDownloadRun = true;
    port.reply(bytes({0x00}));
    port.reply(bytes({0x00}));
    const DriverResult finished = UpdateDriver(link);
    EXPECT_TRUE(finished.reported && finished.request == DriverRequest::None);
    EXPECT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("Unexpected message '0' arrived from unit."));
    EXPECT_EQ(link.update.UpdateStep, UpdateSteps::Idle);
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
    link.factory.UploadOk = true;
    EXPECT_TRUE(UploadFactoryMemory(link));
    EXPECT_TRUE(op.boxes.empty());
    ASSERT_EQ(session.FlashImage.size(), std::size_t(FlashSize));
    EXPECT_EQ(session.FlashImage[3 * 64], 4);
    EXPECT_EQ(session.FlashImage[FlashSize - 1], 11);
    QByteArray acks;
    for (std::size_t i = 1; i < port.written.size(); ++i)
        acks += port.written[i];
    EXPECT_EQ(acks, bytes({0xA5, 0xA5, 0xA5, 0xBB, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5}));
}
