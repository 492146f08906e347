#pragma once

#include "model/session.h"

#include <QString>

#include <cstdint>

// What the device link does to windows it does not own: the main window implements it (through
// a small adapter), the command-line tool has none, tests record the calls.
class LinkWindows {
public:
    virtual ~LinkWindows() = default;

    // The live-reading timer of the main window.
    virtual void startPollTimer() = 0;
    virtual void stopPollTimer() = 0;

    // The configuration editor (tab set) and the command state of the main window.
    virtual void setEditorVisible(bool visible) = 0;
    virtual void setCommandState(CommandStates state) = 0;
    virtual void setBusyPointer(bool busy) = 0;

    // The link closed: the main window offers to save an edited configuration with unsaved
    // changes, closes the editor and shows that nothing is connected.
    virtual void linkClosed() = 0;

    // Local display of the unit: hide its controls, or show its version and range.
    virtual void hideDisplayControls() = 0;
    virtual void showDisplay(const QString& versionText, std::int16_t low, std::int16_t high) = 0;

    // Reading markers: "Burn Out" / "No Reading" in the reading labels (and blank unit labels).
    virtual void showBurnOut() = 0;
    virtual void showNoMaxReading() = 0;
    virtual void showNoMinReading() = 0;
    virtual void showNoAmbientReading() = 0;
    // Rebuilds the big reading display from the present reading and its unit.
    virtual void refreshBigReading() = 0;

    // A unit was (re)connected: reading frames visible, unit panels redrawn, differences marked.
    virtual void showReadingFrames() = 0;
    virtual void showUnitConf() = 0;
    virtual void markEditPanelChanges() = 0;
    // The edited configuration changed (redraw views and compare with the unit).
    virtual void showEditConf() = 0;
    virtual void clearUnitPanel() = 0;
};
