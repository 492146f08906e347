#include "link/codecs.h"
#include "link/commands.h"
#include "link/link_control.h"
#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "link/tracing_port.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"
#include "support/link_fixture.h"

TEST(ProtocolTrace, RingKeepsTheNewestBytesWithinItsBound)
{
    ProtocolTrace full(0);
    for (int i = 0; i < 150; ++i)
        full.record(i, TraceKind::Received, QByteArray(1000, 'x'));
    EXPECT_EQ(full.byteCount(), 100000);
    EXPECT_EQ(full.entries().front().time, 50);

    ProtocolTrace small(0, {}, 10);
    small.record(1, TraceKind::Sent, "abcd");
    small.record(2, TraceKind::Sent, "efgh");
    small.record(3, TraceKind::Sent, "ijkl");
    EXPECT_EQ(small.byteCount(), 8);
    EXPECT_EQ(small.entries().front().bytes, "efgh");
    small.record(4, TraceKind::Received, "0123456789ABCDEF");
    ASSERT_EQ(small.entries().size(), 1u);
    EXPECT_EQ(small.entries().front().bytes, "6789ABCDEF");
    EXPECT_EQ(small.revision(), 4u);
}

TEST(ProtocolTrace, FramesOfTheSimulatedUnitWithTimeOutsAndRetries)
{
    LinkSurroundings around;
    SimulatedUnit unit(around.clock);
    SimulatedPort simulated(unit);
    ProtocolTrace trace(around.clock.now());
    TracingPort port(simulated, trace, around.clock);
    around.portNames.overrides[1] = QStringLiteral("simulated");
    Link link = around.linkOn(port);
    ASSERT_TRUE(OpenLink(link));
    ASSERT_TRUE(ReadInputCode(link).ok());
    QByteArray block("\x81\x30\xFF\xBB", 4);  // a marker block
    block.append(char(BlockChecksum(1, block)));
    ASSERT_EQ(WriteBlock(link, 1, block), Exchange::Ok);
    unit.faults().add(FaultTrigger::onCommand(Command::Serial), Fault::silence());
    ASSERT_TRUE(ReadSerial(link).ok());
    unit.faults().add(FaultTrigger::onCommand(Command::Tag), Fault::silence());
    port.write("p");  // left waiting for its reply
    around.clock.advance(ReplyTimeout);
    Disconnect(link);

    struct Expected {
        TraceKind kind;
        QByteArray sent;
        QString name;
        qsizetype replyBytes;
        bool timedOut, retry;
    };
    const std::vector<Expected> expected{
        {TraceKind::Opened, "simulated", {}, 0, false, false},
        {TraceKind::Sent, "t", "InputCode", 2, false, false},
        {TraceKind::Sent, "\x01", {}, 1, false, false},
        {TraceKind::Sent, block, {}, 1, false, false},  // one frame, though written byte by byte
        {TraceKind::Sent, "s", "Serial", 0, true, false},
        {TraceKind::Sent, "s", "Serial", 5, false, true},
        {TraceKind::Sent, "p", "Tag", 0, true, false},
        {TraceKind::Closed, {}, {}, 0, false, false},
    };
    const std::vector<TraceFrame> frames = DecodeFrames(trace, around.clock.now());
    ASSERT_EQ(frames.size(), expected.size()) << TraceText(trace, around.clock.now()).toStdString();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const TraceFrame& f = frames[i];
        const Expected& e = expected[i];
        EXPECT_EQ(std::tie(f.kind, f.sent, f.timedOut, f.retry), std::tie(e.kind, e.sent, e.timedOut, e.retry)) << i;
        EXPECT_EQ(f.reply.size(), e.replyBytes) << i;
        EXPECT_EQ(CommandName(f.sent).toStdString(), e.name.toStdString()) << i;
    }
    EXPECT_EQ(frames[1].reply.at(0), 't');
}

TEST(ProtocolTrace, FrameLinesShowTimeBytesNameMarksAndDelay)
{
    const std::pair<TraceFrame, QString> table[] = {
        {{TraceKind::Sent, 11, 11, "8", QByteArray("\x38\x01\xF4\x00", 4), {}, 11.0134},
         "     1.000  > 38  Reading  < 38 01 F4 00  (13 ms)"},
        {{TraceKind::Sent, 12, 12, "s", {}, "\xFF", 12, true, true}, "     2.000  > 73  Serial  RETRY  discarded FF  TIME-OUT"},
        {{TraceKind::Sent, 13, 13.1, "\x01\x02", "\xA5", {}, 13.2}, "     3.000  > 01 02  < A5  (100 ms)"},
        {{TraceKind::Sent, 14, 14, "A12345", QByteArray(1, 0), {}, 14.001}, "     4.000  > 41 31 32 33 34 35  WriteDisplay  < 00  (1 ms)"},
        {{TraceKind::Received, 15, 15, {}, "\x07"}, "     5.000  (unasked)  < 07"},
        {{TraceKind::Sent, 16, 16, "C"}, "     6.000  > 43  DisplayVersion/FactoryBytes"},
    };
    for (const auto& [frame, line] : table)
        EXPECT_EQ(FrameLine(frame, 10).toStdString(), line.toStdString());
}
