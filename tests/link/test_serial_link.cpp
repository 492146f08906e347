#include "link/commands.h"
#include "link/serial_link.h"
#include "model/conf_files.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

#include <QFile>

namespace {

struct SerialLinkTest : ::testing::Test, LinkSurroundings {
    ScriptedPort port{clock};
    Link link{session, port, clock, op, dialogs, windows, portNames, catalogue};

    void open()
    {
        ASSERT_TRUE(OpenPort(link));
    }
};

const QString timeoutText = QStringLiteral("Time-Out While Waiting For The Connected Unit Response.\r\nCheck Unit's Connections.");

} // namespace

TEST_F(SerialLinkTest, OpenAndCloseUseThePortNumberAndReportErrors)
{
    session.link.PortNumber = 3;
    portNames.overrides[3] = QStringLiteral("/dev/pts/9");
    open();
    EXPECT_EQ(port.openedDevice, QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(session.link.LinkOpen && session.link.PortOpenedOnce);
    EXPECT_FALSE(OpenPort(link));  // already open: refused, the port is left alone
    EXPECT_TRUE(port.isOpen());

    Session other;
    other.UnitConf.Tag = QStringLiteral("kept?");
    ScriptedPort busy(clock);
    busy.openError = 8005;
    Link failing{other, busy, clock, op, dialogs, windows, portNames, catalogue};
    EXPECT_FALSE(OpenPort(failing));
    EXPECT_EQ(op.only().text, QStringLiteral("Comm Control Error no. 8005 has occured. Port Is Already Open, Or Occupied By Other Device."));
    EXPECT_TRUE(other.UnitConf.Tag.isEmpty());
    EXPECT_FALSE(other.link.LinkOpen);

    // A port that will not close is reported and stays open.
    op.boxes.clear();
    port.closeError = 8019;
    Disconnect(link);
    EXPECT_EQ(op.only().text, QStringLiteral("Comm Control Error no. 8019 has occured. The device is busy."));
    EXPECT_TRUE(session.link.LinkOpen);
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

TEST_F(SerialLinkTest, ReceiveWaitsUpToFiveSecondsOrUntilThePortVanishes)
{
    open();
    QByteArray reply;
    std::int16_t attempt = 1;
    port.arrive("t\x07", 4.9);
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 2);
    EXPECT_EQ(reply, QByteArray("t\x07"));
    EXPECT_NEAR(clock.now(), 4.9, 1e-9);

    // Still short at 5 s: the short count comes back and the caller retries.
    const double start = clock.now();
    port.arrive("t", 1.0);
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 1);
    EXPECT_NEAR(clock.now() - start, 5.0, 1e-9);
    EXPECT_EQ(reply, QByteArray("t"));

    // Too many bytes end the wait at once and are all consumed, with their real count.
    port.arrive("t\x07\x07", 0.2);
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 3);
    EXPECT_EQ(reply.size(), 3);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_TRUE(op.boxes.empty());

    // A vanished port ends the wait at once, with the one message about the lost unit.
    const double vanishing = clock.now();
    clock.callAfter(0.5, [this] { port.vanish(); });
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 0);
    EXPECT_NEAR(clock.now() - vanishing, 0.5, 1e-9);
    EXPECT_FALSE(session.link.LinkOpen);
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error",
                                                "There's Some Problems Connecting The Unit,Check Connections."}));
}

TEST_F(SerialLinkTest, FourthAttemptOrClosedLinkIsFinal)
{
    open();
    QByteArray reply;
    std::int16_t attempt = 4;
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 0);
    EXPECT_EQ(reply, QByteArray(1, '\0'));
    EXPECT_EQ(op.only().text, timeoutText);
    EXPECT_FALSE(session.link.LinkOpen);
    EXPECT_TRUE(windows.contains(QStringLiteral("state 4")));

    // With the link closed: final at once, the message suppressed when asked.
    session.link.NoTimeoutMessage = true;
    attempt = 1;
    EXPECT_EQ(ReceiveFrame(link, reply, 2, attempt), 0);
    EXPECT_EQ(attempt, 4);
    EXPECT_EQ(op.boxes.size(), 1u);
}

TEST_F(SerialLinkTest, DisconnectResetsAndOffersToSave)
{
    Disconnect(link);  // closed already: nothing at all
    EXPECT_TRUE(windows.log.isEmpty());

    open();
    session.UnitConf.Tag = QStringLiteral("TT-1");
    Disconnect(link);
    EXPECT_FALSE(session.link.LinkOpen || port.isOpen());
    EXPECT_TRUE(session.UnitConf.Tag.isEmpty());
    EXPECT_EQ(windows.log, (QStringList{"stopPoll", "state 4"}));
    EXPECT_TRUE(op.boxes.empty());

    // An open, unsaved edit: No hides the editor; Yes saves and leaves it shown.
    windows.editorShown = true;
    session.view.ConfSaved = false;
    session.EditConf.Tag = QStringLiteral("EDITED");
    session.EditConf.InputCode = 0x49;
    open();
    op.answer(false);
    Disconnect(link);
    EXPECT_FALSE(windows.editorShown);
    EXPECT_EQ(windows.log.back(), QStringLiteral("state 4"));

    windows.editorShown = true;
    windows.log.clear();
    open();
    op.answer(true);
    const QString path = appDir.filePath(QStringLiteral("saved.cal"));
    dialogs.choose(path);
    Disconnect(link);
    EXPECT_TRUE(windows.editorShown);
    EXPECT_FALSE(windows.contains(QStringLiteral("state 4")));
    Session reader;
    ASSERT_TRUE(ReadConfFile(reader, catalogue, path, op));
    EXPECT_EQ(reader.EditConf.Tag, QStringLiteral("EDITED"));
    EXPECT_EQ(dialogs.shown, (QStringList{"save *.cal"}));

    // The reserved suffix is refused and nothing is written.
    open();
    op.answer(true);
    dialogs.choose(appDir.filePath(QStringLiteral("S1.urd")));
    Disconnect(link);
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Illegal Suffix"));
    EXPECT_FALSE(QFile::exists(appDir.filePath(QStringLiteral("S1.urd"))));
}
