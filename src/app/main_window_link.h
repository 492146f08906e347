#pragma once

#include "link/link_windows.h"

class frmMain;
struct ViewTargets;

// The device link's view of the main window: each call forwarded to the window's own operations
// or to the views it draws.
class MainWindowLink : public LinkWindows {
public:
    MainWindowLink(frmMain& window, ViewTargets& views) : window_(window), views_(views) {}

    void startPollTimer() override;
    void stopPollTimer() override;
    void setEditorVisible(bool visible) override;
    void setCommandState(CommandStates state) override;
    void setBusyPointer(bool busy) override;
    void linkClosed() override;
    void hideDisplayControls() override;
    void showDisplay(const QString& versionText, std::int16_t low, std::int16_t high) override;
    void showBurnOut() override;
    void showNoMaxReading() override;
    void showNoMinReading() override;
    void showNoAmbientReading() override;
    void refreshBigReading() override;
    void showReadingFrames() override;
    void showUnitConf() override;
    void markEditPanelChanges() override;
    void showEditConf() override;
    void clearUnitPanel() override;

private:
    frmMain& window_;
    ViewTargets& views_;
};
