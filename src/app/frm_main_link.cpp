// The main window's side of the device link: what the link does to this window, and the
// commands that connect, poll, disconnect, change the port, update the unit and reset readings.

#include "app/application.h"
#include "app/frm_main.h"

#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "link/unit_finder.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "link/ui/com_wait.h"
#include "link/ui/frm_port.h"
#include "link/ui/frm_status.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/user_folders.h"
#include "platform/widgets/modal_runner.h"
#include "views/edit_view.h"
#include "views/unit_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// ---- What the link does to this window ----

void frmMain::startPolling() { TimConn->start(); }
void frmMain::stopPolling() { TimConn->stop(); }
bool frmMain::polling() const { return TimConn->isActive(); }

void frmMain::linkClosed()
{
    // An edited configuration with unsaved changes is offered for saving; when the operator takes
    // the offer, the editor stays open with it.
    if (editorOpen() && !app_.session().view.ConfSaved && AskToSaveChanges(app_.op())) {
        pibSave_Click();
        return;
    }
    if (editorOpen())
        ssInfo->hide();
    SetCommandState(CommandStates::Disconnected);
}

void frmMain::setBusyPointer(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmMain::hideDisplayControls()
{
    unitPanels_->hideDisplayVersion();
    ssInfo->hideDisplayControls();
}

void frmMain::showDisplay(const QString& versionText, std::int16_t low, std::int16_t high)
{
    unitPanels_->showDisplayVersion(versionText);
    ssInfo->showDisplayRange(low, high);
}

void frmMain::showReadingFrames()
{
    unitPanels_->showReadings(true);
    unitPanels_->showConfiguration(true);
}

void frmMain::enableUpdateUnit()
{
    ToolbarButton(2)->setEnabled(true);
}

void frmMain::ShowEditConf()
{
    ::ShowEditConf(app_.session(), app_.views(), [this](CommandStates code) { SetCommandState(code); });
}

void frmMain::ShowUnitConf()
{
    ::ShowUnitConf(app_.session(), app_.views());
}

void frmMain::MarkEditPanelChanges()
{
    ::MarkEditPanelChanges(app_.session(), app_.views(), [this](CommandStates code) { SetCommandState(code); });
}

int frmMain::runModal(QDialog& dialog)
{
    return app_.seams().modal.run(dialog);
}

// ---- Connection commands ----

void frmMain::pibConnect_Click()
{
    Session& s = app_.session();
    app_.link().state.NoTimeoutMessage = false;
    SetCommandState(CommandStates::Busy);
    setBusyPointer(true);
    if (!Connect(app_.link())) {
        setBusyPointer(false);
        SetCommandState(CommandStates::NotConnected);
        return;
    }
    pibViewStat_Click();
    SetCommandState(CommandStates::Connected);
    ShowUnitConf();
    if (s.view.ConfDiffers)
        MarkEditPanelChanges();
    SaveUnitRecord(app_.link());
    setBusyPointer(false);
    TimConn->start();
    ssInfo->markInputKind(s.UnitConf.InputClass);
    // The port window proposes this device first next time.
    RememberDevice(RememberedDeviceFile(), app_.portNames().deviceFor(app_.link().state.PortNumber));
    takeReadings(true);
}

void frmMain::mnuDisconnectItem_Click()
{
    app_.link().state.NoTimeoutMessage = true;
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
    SetCommandState(CommandStates::Disconnected);
}

void frmMain::TimConn_Timer()
{
    if (!app_.link().state.LinkOpen || app_.link().update.UpdateStep != UpdateSteps::Idle)
        return;
    TimConn->stop();
    const bool polled = Poll(app_.link());
    takeReadings(polled);
    if (!polled) {
        if (app_.link().poll.UnitChangeAccepted)
            return;
        if (editorOpen())
            pibClose_Click();
        SetCommandState(CommandStates::NotConnected);
    } else {
        ShowUnitConf();
    }
    if (app_.link().state.LinkOpen)
        TimConn->start();
}

void frmMain::mnuChangePort_Click()
{
    if (app_.link().state.LinkOpen) {
        if (!app_.op().ask(QStringLiteral("Disconnect From Unit"),
                           QStringLiteral("Before Changing The Connecting Port,") + QLatin1String(CrLf)
                               + QStringLiteral("The Unit Will Be Disconnected.")))
            return;
        Disconnect(app_.link());
    }
    frmPort dialog(app_.link(), app_.portNames(), this);
    runModal(dialog);
    if (!app_.link().state.LinkOpen && app_.op().ask(QStringLiteral("Reconnecting Unit"), QStringLiteral("Would You Like to Connect The Unit?")))
        pibConnect_Click();
}

// ---- Update and reset commands ----

void frmMain::pibupdate_Click()
{
    Session& s = app_.session();
    Link& link = app_.link();
    SetCommandState(CommandStates::Busy);
    setBusyPointer(true);
    ShowEditConf();
    const bool prepared = StartFullUpdate(link);
    setBusyPointer(false);
    if (!prepared) {
        abandonUpdate();
        return;
    }
    frmStatus& confirm = app_.statusWindow();
    confirm.LbData[SummaryData::DispLow]->setText(QString::number(s.EditConf.DispLow));
    confirm.LbData[SummaryData::DispHigh]->setText(QString::number(s.EditConf.DispHigh));
    // Only the window's Update button confirms; a confirmation of an earlier update does not count.
    link.update.UpdateConfirmed = false;
    runModal(confirm);
    if (link.update.UpdateConfirmed)
        runUpdateTicks();
    else
        abandonUpdate();
    setBusyPointer(false);
}

UpdateProgress frmMain::runUpdateTicks()
{
    ComWait progress(app_.link(), this);
    runModal(progress);
    return progress.progress();
}

void frmMain::abandonUpdate()
{
    // Nothing was sent: polling resumes and the commands come back as they were, instead of
    // the live readings stopping and every command staying disabled.
    AbandonUpdate(app_.link());
    SetCommandState(app_.link().state.LinkOpen ? CommandStates::Connected : CommandStates::NotConnected);
    if (editorOpen()) {
        SetCommandState(CommandStates::ConfigurationOpen);
        MarkEditPanelChanges();
    }
}

void frmMain::resetExtremes(Extremes which)
{
    setBusyPointer(true);
    ResetExtremes(app_.link(), which, [this] { return runUpdateTicks(); });
    setBusyPointer(false);
}

void frmMain::mnuResetMax_Click() { resetExtremes(Extremes::Maximum); }
void frmMain::mnuResetMin_Click() { resetExtremes(Extremes::Minimum); }
void frmMain::cmdResetMin_Click() { resetExtremes(Extremes::Both); }
