#include "app_fixture.h"

#include "calibration/calibration_windows.h"
#include "calibration/frm_offset.h"
#include "link/link_control.h"
#include "trend/ui/stable_indicator.h"
#include "link/ui/frm_status.h"
#include "model/catalogue.h"
#include "model/conf_files.h"

#include <QAbstractButton>
#include <QFile>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace {

class Connection : public AppFixture {
protected:
    void SetUp() override
    {
        port.setActivityHandler([this] { clock.notify(); });
        ASSERT_TRUE(startInstalled());
        op.boxes.clear();
    }
    void connect()
    {
        w().pibConnect_Click();
        ASSERT_TRUE(app->link().state.LinkOpen) << op.transcript().toStdString();
    }
};

} // namespace

TEST_F(Connection, ConnectShowsTheUnitAndPollsIt)
{
    connect();
    EXPECT_EQ(app->session().CommandState, CommandStates::Connected);
    EXPECT_EQ(QStringList({label("LbData_0")->text(), label("LbData_2")->text(), label("LbData_22")->text()}),
              QStringList({"0512307", "Pt-100 (385)", "V 2 . 4"}));
    EXPECT_TRUE(!control<QGroupBox>("frCurrentReading")->isHidden() && w().polling());
    EXPECT_TRUE(label("LabRTD")->font().bold() && !label("LabTC")->font().bold());
    EXPECT_TRUE(QFile::exists(UnitRecordPath(app->session().AppDir, QStringLiteral("0512307"))));
    EXPECT_TRUE(label("Label13")->text().endsWith(QString::fromUtf8("\u00B0C"))) << label("Label13")->text().toStdString();

    // The timer polls once a second, each poll into the trend; a burnt-out sensor shows on the panel.
    clock.advance(1.5);
    EXPECT_EQ(app->readings().series().size(), 2u);
    EXPECT_FALSE(app->calibration().offset().stable->text().isEmpty());
    unit.setBurnOut(true);
    clock.advance(1.5);
    EXPECT_EQ(label("LbData_13")->text(), QStringLiteral("Burn Out"));
    EXPECT_TRUE(label("Label13")->text().startsWith(QStringLiteral("Burn Out")));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(Connection, DisconnectAsksFirst)
{
    connect();
    op.answer(false);
    w().mnuDisconnectItem_Click();
    EXPECT_TRUE(app->link().state.LinkOpen);
    EXPECT_TRUE(w().polling());

    op.answer(true);
    w().pibDisconnect_Click();
    EXPECT_TRUE(!app->link().state.LinkOpen && app->session().CommandState == CommandStates::Disconnected && control<QGroupBox>("frCurrentReading")->isHidden());
}

TEST_F(Connection, UnplugDuringPollingClosesTheLinkAtOnce)
{
    connect();
    const double unpluggedAt = clock.now();
    unit.unplug();
    clock.advance(20);
    EXPECT_FALSE(app->link().state.LinkOpen);
    EXPECT_EQ(app->session().CommandState, CommandStates::NotConnected);
    EXPECT_FALSE(w().polling());
    // The vanished port ends the very next exchange: no time-outs to sit through, one message.
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error",
                                                "There's Some Problems Connecting The Unit,Check Connections."}));
    EXPECT_LT(clock.now() - unpluggedAt, 21.0);
}

TEST_F(Connection, ChangePortOffersToReconnect)
{
    connect();
    op.answer(false);  // keep the unit connected: nothing else is asked
    w().mnuChangePort_Click();
    EXPECT_TRUE(app->link().state.LinkOpen);
    EXPECT_EQ(op.boxes.size(), 1u);

    modal.onOpen = [](QDialog& dialog) {
        dialog.findChild<QAbstractButton*>(QStringLiteral("OpPort_1"))->click();
        dialog.findChild<QAbstractButton*>(QStringLiteral("cmdPortDone"))->click();
    };
    op.answer(true);   // disconnect first
    op.answer(false);  // do not reconnect
    w().mnuChangePort_Click();
    EXPECT_EQ(app->link().state.PortNumber, 2);
    QFile file(path(QStringLiteral("PortNo.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("2\r\n"));
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Reconnecting Unit"));
}

TEST_F(Connection, UpdateUnitWritesTheEditedConfiguration)
{
    for (const char* name : {"pk.dat", "lk.dat"})
        QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), path(QLatin1String(name)));
    connect();
    Session& s = app->session();
    EditFromUnit(s);
    LookupInputCode(app->catalogue(), s.EditConf, 0x61);  // thermocouple K
    s.EditConf.RangeMin = 0;
    s.EditConf.RangeMax = 800;
    s.EditConf.Tag = QStringLiteral("TT-303 \u20AC");  // the euro sign goes out as its ANSI byte
    editor().show();
    w().ShowEditConf();
    EXPECT_EQ(s.CommandState, CommandStates::Edited);

    QStringList seen;
    modal.onOpen = [&seen](QDialog& dialog) {
        seen << dialog.objectName();
        if (auto* confirm = qobject_cast<frmStatus*>(&dialog))
            confirm->Update->click();
    };
    w().pibupdate_Click();
    EXPECT_EQ(seen, (QStringList{"frmStatus", "ComWait"}));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_EQ(unit.memory().configuration().tag, QByteArray("TT-303 \x80").leftJustified(19, ' '));
    EXPECT_TRUE(s.UnitConf.InputCode == 0x61 && s.CommandState == CommandStates::Connected && w().polling());

    // The first poll waits for the unit to restart, then the panel shows the new input.
    clock.advance(15);
    EXPECT_EQ(label("LbData_2")->text(), QStringLiteral("T/C Type K"));
    EXPECT_EQ(label("LbData_1")->text().trimmed(), QStringLiteral("TT-303 \u20AC"));
    EXPECT_FALSE(editor().isHidden());
}

TEST_F(Connection, CancelledConfirmationSendsNothing)
{
    for (const char* name : {"pt10385.dat", "lvoid.dat"})
        QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), path(QLatin1String(name)));
    connect();
    EditFromUnit(app->session());
    const std::size_t blocksBefore = unit.memory().blocks().size();
    modal.onOpen = [](QDialog& dialog) {
        if (auto* confirm = qobject_cast<frmStatus*>(&dialog))
            confirm->Cancel->click();
    };
    w().pibupdate_Click();
    EXPECT_FALSE(app->link().update.UpdateConfirmed);
    EXPECT_EQ(unit.memory().blocks().size(), blocksBefore);
    // The live readings go on and the commands are usable again.
    EXPECT_EQ(app->link().update.UpdateStep, UpdateSteps::Idle);
    EXPECT_NE(app->session().CommandState, CommandStates::Busy);
    unit.setBurnOut(true);
    clock.advance(2);
    EXPECT_EQ(label("LbData_13")->text(), QStringLiteral("Burn Out"));

    // An incomplete configuration, or a serial number the unit cannot hold, stops before anything
    // is sent.
    app->session().EditConf.Tag.clear();
    w().pibupdate_Click();
    EXPECT_EQ(op.only().title, QStringLiteral("Empty Fields"));
    app->session().EditConf.Tag = QStringLiteral("TT-101");
    app->session().EditConf.Serial = QStringLiteral("12345678");
    app->link().update.SerialChanged = true;
    op.boxes.clear();
    w().pibupdate_Click();
    EXPECT_EQ(op.only().text, QStringLiteral("The Serial Number Must Have 7 Digits (0 - 9)."));
    EXPECT_EQ(unit.memory().blocks().size(), blocksBefore);
}

TEST_F(Connection, ResetButtonClearsTheExtremesAndKeepsTheUnitRecord)
{
    connect();
    clock.advance(3);  // a few polls: the unit has stored extremes
    const ConfRecord before = app->session().UnitConf;
    control<QPushButton>("cmdResetMin")->click();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    const std::vector<UnitMarker>& markers = unit.memory().markers();
    for (std::uint8_t address : {0xE0, 0xEC})
        EXPECT_NE(std::find(markers.begin(), markers.end(), UnitMarker{1, address}), markers.end()) << int(address);
    EXPECT_EQ(app->session().UnitConf, before);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("S.urd"))));
    EXPECT_FALSE(app->link().update.ResetButtonUsed);
}

// When the link closes under an open, unsaved edit, the window offers to save it: Yes writes the
// chosen file and keeps the editor; No closes the editor; the reserved suffix is refused.
TEST_F(Connection, ClosingLinkOffersToSaveAnUnsavedEdit)
{
    struct Case {
        bool save;
        const char* file;
        bool written;
    } const cases[] = {{true, "saved.cal", true}, {false, "", false}, {true, "S1.urd", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        connect();
        w().pibStart_Click();
        app->session().view.ConfSaved = false;
        app->session().EditConf.Tag = QStringLiteral("EDITED");
        op.boxes.clear();
        op.answer(c.save);
        if (c.save)
            dialogs.choose(path(QLatin1String(c.file)));
        Disconnect(app->link());
        EXPECT_EQ(op.boxes.front().title, QStringLiteral("Save Calibration?"));
        EXPECT_EQ(QFile::exists(path(QLatin1String(c.file))) && *c.file, c.written);
        EXPECT_EQ(editor().isHidden(), !c.save);
        EXPECT_EQ(app->session().CommandState == CommandStates::Disconnected, !c.save);
        editor().hide();
    }
}
