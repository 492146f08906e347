// The main window's side of the device link: what the link does to this window, and the
// commands that connect, poll, disconnect, change the port, update the unit and reset readings.

#include "app/application.h"
#include "app/frm_main.h"

#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/serial_link.h"
#include "link/update.h"
#include "link/ui/com_wait.h"
#include "link/ui/frm_port.h"
#include "link/ui/frm_status.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/widgets/modal_runner.h"
#include "views/edit_view.h"
#include "views/unit_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// ---- What the link does to this window ----

void frmMain::startPollTimer() { TimConn->start(); }
void frmMain::stopPollTimer() { TimConn->stop(); }
void frmMain::setEditorVisible(bool visible) { ssInfo->setVisible(visible); }

void frmMain::setBusyPointer(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmMain::hideDisplayControls()
{
    for (QWidget* control : std::initializer_list<QWidget*>{LbHead[21], LbData[22], Label8[1], txt_discalh, txt_discall,
                                                            Command1, lbWHead[14]})
        control->hide();
}

void frmMain::showDisplay(const QString& versionText, std::int16_t low, std::int16_t high)
{
    LbData[22]->setText(versionText);
    txt_discall->setText(QString::number(low));
    txt_discalh->setText(QString::number(high));
}

void frmMain::showBurnOut() { ShowBurnOut(app_.views()); }
void frmMain::showNoMaxReading() { ShowNoMaxReading(app_.views()); }
void frmMain::showNoMinReading() { ShowNoMinReading(app_.views()); }
void frmMain::showNoAmbientReading() { ShowNoAmbientReading(app_.views()); }
void frmMain::refreshBigReading() { RefreshBigReading(app_.views()); }

void frmMain::showReadingFrames()
{
    frCurrentReading->show();
    frCurrent[0]->show();
    frCurrent[1]->show();
}

void frmMain::ShowEditConf()
{
    ::ShowEditConf(app_.session(), app_.views(), [this](std::int16_t code) { SetCommandState(code); });
}

void frmMain::ShowUnitConf()
{
    ::ShowUnitConf(app_.session(), app_.views());
}

void frmMain::MarkEditPanelChanges()
{
    ::MarkEditPanelChanges(app_.session(), app_.views(), [this](std::int16_t code) { SetCommandState(code); });
}

int frmMain::runModal(QDialog& dialog)
{
    return app_.seams().modal.run(dialog);
}

// ---- Connection commands ----

void frmMain::pibConnect_Click()
{
    Session& s = app_.session();
    s.link.NoTimeoutMessage = false;
    SetCommandState(5);
    setBusyPointer(true);
    if (!Connect(app_.link())) {
        setBusyPointer(false);
        SetCommandState(0);
        return;
    }
    pibViewStat_Click();
    SetCommandState(1);
    ShowUnitConf();
    if (s.view.ConfDiffers)
        MarkEditPanelChanges();
    SaveUnitRecord(app_.link());
    setBusyPointer(false);
    TimConn->start();
    // The label of the unit's input kind in bold, the other four not.
    QLabel* kind = LabRes;
    switch (s.UnitConf.InputClass) {
    case ClassRtd: kind = LabRTD; break;
    case ClassThermocouple: kind = LabTC; break;
    case ClassVoltage: kind = LabVol; break;
    case ClassPotentiometer: kind = LabPot; break;
    default: break;
    }
    for (QLabel* label : {LabRTD, LabTC, LabVol, LabPot, LabRes}) {
        QFont font = label->font();
        font.setBold(label == kind);
        label->setFont(font);
    }
}

void frmMain::mnuDisconnectItem_Click()
{
    app_.session().link.NoTimeoutMessage = true;
    if (!app_.op().ask(QStringLiteral("Disconnect Unit"), QStringLiteral("Are You Sure You Wish to Disconnect The Connected Unit?")))
        return;
    closeConnection();
}

void frmMain::closeConnection()
{
    Disconnect(app_.link());
    TimConn->stop();
    // The close may be refused once (its save can fail): offer it a second time.
    if (editorOpen())
        pibClose_Click();
    if (editorOpen())
        pibClose_Click();
    SetCommandState(4);
}

void frmMain::TimConn_Timer()
{
    Session& s = app_.session();
    if (!s.link.LinkOpen || s.update.UpdateStep != 0)
        return;
    TimConn->stop();
    if (!Poll(app_.link())) {
        if (s.poll.UnitChangeAccepted)
            return;
        if (editorOpen())
            pibClose_Click();
        SetCommandState(0);
    } else {
        ShowUnitConf();
    }
    if (s.link.LinkOpen)
        TimConn->start();
}

void frmMain::mnuChangePort_Click()
{
    Session& s = app_.session();
    if (s.link.LinkOpen) {
        if (!app_.op().ask(QStringLiteral("Disconnect From Unit"),
                           QStringLiteral("Before Changing The Connecting Port,") + QLatin1String(CrLf)
                               + QStringLiteral("The Unit Will Be Disconnected.")))
            return;
        Disconnect(app_.link());
    }
    frmPort dialog(s, app_.portNames(), app_.op(), this);
    runModal(dialog);
    if (!s.link.LinkOpen && app_.op().ask(QStringLiteral("Reconnecting Unit"), QStringLiteral("Would You Like to Connect The Unit?")))
        pibConnect_Click();
}

// ---- Update and reset commands ----

void frmMain::pibupdate_Click()
{
    Session& s = app_.session();
    Clock& clock = app_.seams().clock;
    SetCommandState(5);
    s.update.ResetMaxPending = s.update.ResetMinPending = true;
    const double pollGrace = clock.now() + 2.0;
    setBusyPointer(true);
    ShowEditConf();
    // A poll that is still running gets two seconds to finish.
    if (s.poll.PollBusy)
        clock.waitUntil(pollGrace);
    if (!PrepareUpdate(app_.link())) {
        setBusyPointer(false);
        abandonUpdate();
        return;
    }
    setBusyPointer(false);
    frmStatus& confirm = app_.statusWindow();
    confirm.LbData[14]->setText(QString::number(s.EditConf.DispLow));
    confirm.LbData[15]->setText(QString::number(s.EditConf.DispHigh));
    // Only the window's Update button confirms; a confirmation of an earlier update does not count.
    s.update.UpdateConfirmed = false;
    runModal(confirm);
    if (s.update.UpdateConfirmed) {
        ComWait progress(app_.link(), this);
        runModal(progress);
    } else {
        abandonUpdate();
    }
    setBusyPointer(false);
}

void frmMain::abandonUpdate()
{
    // Nothing was sent: polling resumes and the commands come back as they were, instead of
    // the live readings stopping and every command staying disabled.
    Session& s = app_.session();
    s.update.UpdateStep = 0;
    s.update.ResetMaxPending = s.update.ResetMinPending = false;
    SetCommandState(s.link.LinkOpen ? 1 : 0);
    if (editorOpen()) {
        SetCommandState(2);
        MarkEditPanelChanges();
    }
}

namespace {

// Runs the marker step of the update machine in the progress window (the stored extremes).
void runResetStep(Application& app, frmMain& window)
{
    app.session().update.UpdateStep = 6;
    window.setBusyPointer(true);
    ComWait progress(app.link(), &window);
    app.seams().modal.run(progress);
    window.setBusyPointer(false);
}

} // namespace

void frmMain::mnuResetMax_Click()
{
    UpdateState& u = app_.session().update;
    u.ResetMaxPending = true;
    u.ResetMinPending = false;
    runResetStep(app_, *this);
    u.ResetMaxPending = false;
}

void frmMain::mnuResetMin_Click()
{
    UpdateState& u = app_.session().update;
    u.ResetMaxPending = u.ResetButtonUsed;
    u.ResetMinPending = true;
    runResetStep(app_, *this);
    u.ResetMinPending = false;
    u.ResetButtonUsed = false;
}

void frmMain::cmdResetMin_Click()
{
    app_.session().update.ResetButtonUsed = true;
    mnuResetMin_Click();
}

// ---- The labels the views draw into ----

EditPanel frmMain::editPanel() const
{
    EditPanel p;
    p.lbWHead = lbWHead;
    p.lbWData = lbWData;
    p.lbWUnit = lbWUnit;
    p.FrMode = FrMode;
    p.LabModeDif = LabModeDif;
    p.LabModeNor = LabModeNor;
    p.OptMode = OptMode;
    p.cmdChangeRange = cmdChangeRange;
    p.cmdTagChange = cmdTagChange;
    p.Frame2 = Frame2;
    p.FrBurn = FrBurn;
    p.cmdDirChange = cmdDirChange;
    p.cmdAvrChange = cmdAvrChange;
    p.FrFreq = FrFreq;
    p.FrAmbient = FrAmbient;
    return p;
}

UnitPanel frmMain::unitPanel() const
{
    return UnitPanel{LbHead, LbData, LbUnit, Label13};
}
