#include "app/main_window_link.h"

#include "app/frm_main.h"
#include "views/unit_view.h"

void MainWindowLink::startPollTimer() { window_.startPolling(); }
void MainWindowLink::stopPollTimer() { window_.stopPolling(); }
void MainWindowLink::setEditorVisible(bool visible) { window_.editor().setVisible(visible); }
void MainWindowLink::setCommandState(CommandStates state) { window_.SetCommandState(state); }
void MainWindowLink::setBusyPointer(bool busy) { window_.setBusyPointer(busy); }
void MainWindowLink::linkClosed() { window_.linkClosed(); }
void MainWindowLink::hideDisplayControls() { window_.hideDisplayControls(); }

void MainWindowLink::showDisplay(const QString& versionText, std::int16_t low, std::int16_t high)
{
    window_.showDisplay(versionText, low, high);
}

void MainWindowLink::showBurnOut() { ShowBurnOut(views_); }
void MainWindowLink::showNoMaxReading() { ShowNoMaxReading(views_); }
void MainWindowLink::showNoMinReading() { ShowNoMinReading(views_); }
void MainWindowLink::showNoAmbientReading() { ShowNoAmbientReading(views_); }
void MainWindowLink::refreshBigReading() { RefreshBigReading(views_); }
void MainWindowLink::showReadingFrames() { window_.showReadingFrames(); }
void MainWindowLink::showUnitConf() { window_.ShowUnitConf(); }
void MainWindowLink::markEditPanelChanges() { window_.MarkEditPanelChanges(); }
void MainWindowLink::showEditConf() { window_.ShowEditConf(); }
void MainWindowLink::clearUnitPanel() { window_.ClearUnitPanel(); }
