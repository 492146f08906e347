#pragma once

#include "link/link_windows.h"

#include <QStringList>

// Records what the link does to the windows, in order, as short words ("stopPoll", "state 4").
class RecordingWindows : public LinkWindows {
public:
    void startPollTimer() override { log << "startPoll"; pollTimerActive = true; }
    void stopPollTimer() override { log << "stopPoll"; pollTimerActive = false; }
    void setEditorVisible(bool visible) override { log << (visible ? "showEditor" : "hideEditor"); }
    void setCommandState(CommandStates state) override { log << QStringLiteral("state %1").arg(int(state)); }
    void linkClosed() override { log << "linkClosed"; }
    void setBusyPointer(bool busy) override { log << (busy ? "busy" : "arrow"); }
    void hideDisplayControls() override { log << "noDisplay"; }
    void showDisplay(const QString& version, std::int16_t low, std::int16_t high) override
    {
        log << QStringLiteral("display %1 %2 %3").arg(version).arg(low).arg(high);
    }
    void showBurnOut() override { log << "burnOut"; }
    void showNoMaxReading() override { log << "noMax"; }
    void showNoMinReading() override { log << "noMin"; }
    void showNoAmbientReading() override { log << "noAmbient"; }
    void refreshBigReading() override { log << "bigReading"; }
    void showReadingFrames() override { log << "readingFrames"; }
    void showUnitConf() override { log << "showUnit"; }
    void markEditPanelChanges() override { log << "markChanges"; }
    void showEditConf() override { log << "showEdit"; }
    void clearUnitPanel() override { log << "clearUnitPanel"; }

    bool contains(const QString& entry) const { return log.contains(entry); }

    QStringList log;
    bool pollTimerActive = false;
};
