#include "link/commands.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

namespace {

struct SerialLinkTest : ::testing::Test, LinkSurroundings {
    ScriptedPort port{clock};
    Link link = linkOn(port);

    void open() { ASSERT_TRUE(OpenPort(link).opened); }
};

const QString timeoutText = QStringLiteral("Time-Out While Waiting For The Connected Unit Response.\r\nCheck Unit's Connections.");

} // namespace

TEST_F(SerialLinkTest, OpenAndCloseUseThePortNumberAndReportErrors)
{
    link.state.PortNumber = 3;
    portNames.overrides[3] = QStringLiteral("/dev/pts/9");
    open();
    EXPECT_EQ(port.openedDevice, QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(link.state.LinkOpen && link.state.PortOpenedOnce);
    EXPECT_FALSE(OpenLink(link));  // already open: refused, the port is left alone
    EXPECT_TRUE(port.isOpen());

    // The task reports a port that will not open and forgets the unit.
    Session other;
    other.UnitConf.Tag = QStringLiteral("kept?");
    ScriptedPort busy(clock);
    busy.openError = 8005;
    Link failing{other, busy, clock, op, windows, portNames, catalogue};
    EXPECT_EQ(OpenPort(failing).errorNumber, 8005);
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_FALSE(OpenLink(failing));
    EXPECT_EQ(op.only().text, QStringLiteral("Comm Control Error no. 8005 has occured. Port Is Already Open, Or Occupied By Other Device."));
    EXPECT_TRUE(other.UnitConf.Tag.isEmpty());
    EXPECT_FALSE(failing.state.LinkOpen);

    // A port that will not close is reported and stays open.
    op.boxes.clear();
    port.closeError = 8019;
    Disconnect(link);
    EXPECT_EQ(op.only().text, QStringLiteral("Comm Control Error no. 8019 has occured. The device is busy."));
    EXPECT_TRUE(link.state.LinkOpen);

    // Closing forgets the unit and tells the windows, which offer to save an edit.
    port.closeError = 0;
    session.UnitConf.Tag = QStringLiteral("TT-1");
    windows.log.clear();
    Disconnect(link);
    EXPECT_FALSE(link.state.LinkOpen || port.isOpen());
    EXPECT_TRUE(session.UnitConf.Tag.isEmpty());
    EXPECT_EQ(windows.log, (QStringList{"stopPoll", "linkClosed"}));
    Disconnect(link);  // closed already: nothing at all
    EXPECT_EQ(windows.log.size(), 2);
}

TEST_F(SerialLinkTest, SendPausesFirstAndWritesOnlyWhileOpen)
{
    SendFrame(link, "t");
    EXPECT_DOUBLE_EQ(clock.now(), 0.05);
    EXPECT_TRUE(port.written.empty());
    open();
    SendFrame(link, "t");
    EXPECT_DOUBLE_EQ(clock.now(), 0.10);
    ASSERT_EQ(port.written.size(), 1u);
}

TEST_F(SerialLinkTest, ReceiveWaitsUpToFiveSecondsAndSaysHowItEnded)
{
    open();
    port.arrive("t\x07", 4.9);
    Frame frame = ReceiveFrame(link, 2, false);
    EXPECT_EQ(frame.result, Exchange::Ok);
    EXPECT_EQ(frame.bytes, QByteArray("t\x07"));
    EXPECT_NEAR(clock.now(), 4.9, 1e-9);

    // Still short at 5 s: what came is consumed and the caller may try again.
    const double start = clock.now();
    port.arrive("t", 1.0);
    frame = ReceiveFrame(link, 2, false);
    EXPECT_EQ(frame.result, Exchange::NoReply);
    EXPECT_NEAR(clock.now() - start, 5.0, 1e-9);
    EXPECT_EQ(frame.bytes, QByteArray("t"));

    // Too many bytes end the wait at once and are all consumed.
    port.arrive("t\x07\x07", 0.2);
    EXPECT_EQ(ReceiveFrame(link, 2, false).result, Exchange::NoReply);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_TRUE(op.boxes.empty());

    // A vanished port ends the wait at once; the task gives the one message about the lost unit.
    const double vanishing = clock.now();
    clock.callAfter(0.5, [this] { port.vanish(); });
    EXPECT_EQ(Settled(link, ReceiveFrame(link, 2, false).result), Exchange::PortLost);
    EXPECT_NEAR(clock.now() - vanishing, 0.5, 1e-9);
    EXPECT_FALSE(link.state.LinkOpen);
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error",
                                                "There's Some Problems Connecting The Unit,Check Connections."}));
}

TEST_F(SerialLinkTest, FinalAttemptOrClosedLinkEndsTheLink)
{
    open();
    EXPECT_EQ(Settled(link, ReceiveFrame(link, 2, true).result), Exchange::TimedOut);
    EXPECT_EQ(op.only().text, timeoutText);
    EXPECT_FALSE(link.state.LinkOpen);
    EXPECT_TRUE(windows.contains(QStringLiteral("linkClosed")));

    // With the link closed: final at once, the message suppressed when asked.
    link.state.NoTimeoutMessage = true;
    EXPECT_EQ(Settled(link, ReceiveFrame(link, 2, false).result), Exchange::LinkClosed);
    EXPECT_EQ(op.boxes.size(), 1u);
}
