#pragma once

#include "link/link_windows.h"

// The link's window effects in a program without windows: there is no editor, no panel and no
// live-reading timer to drive (the commands poll and tick themselves), so every effect is empty.
class HeadlessWindows : public LinkWindows {
public:
    void startPollTimer() override {}
    void stopPollTimer() override {}
    void setEditorVisible(bool) override {}
    void setCommandState(CommandStates) override {}
    void linkClosed() override {}
    void setBusyPointer(bool) override {}
    void hideDisplayControls() override {}
    void showDisplay(const QString&, std::int16_t, std::int16_t) override {}
    void showBurnOut() override {}
    void showNoMaxReading() override {}
    void showNoMinReading() override {}
    void showNoAmbientReading() override {}
    void refreshBigReading() override {}
    void showReadingFrames() override {}
    void showUnitConf() override {}
    void markEditPanelChanges() override {}
    void showEditConf() override {}
    void clearUnitPanel() override {}
};
