#pragma once

#include "views/view_targets.h"

#include <array>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRect;
class QString;
class QWidget;
class StableIndicator;
struct StabilityVerdict;

// The connected unit's panels on the main window: its configuration in two frames (frCurrent),
// the present readings (frCurrentReading, with the Reset button of the stored extremes) and the
// big reading display (Frame1 with Label13). Their labels belong to this class; the views draw
// into them through targets().
class UnitPanels {
public:
    // The panels on `central`; `resetPressed` runs when the reading panel's Reset is pressed.
    UnitPanels(QWidget* central, std::function<void()> resetPressed);

    UnitPanel targets() const;

    // Configuration frames and the reading frame, shown or hidden.
    void showConfiguration(bool shown);
    void showReadings(bool shown);
    // The big reading display's text ("Not Connected", "Tarvo Calibration", a reading).
    void setStatusText(const QString& text);
    // Whether the present reading has settled (beside it, in the reading panel).
    void showStability(const StabilityVerdict& verdict, const QString& units);

    // The mains frequency is not shown.
    void hideMainsFrequency();
    // The unit's local display: its version, or no display at all.
    void showDisplayVersion(const QString& versionText);
    void hideDisplayVersion();
    // The connected unit's serial number heading marks that an opened file took it over.
    void markSerialTakenOver();

    // Places the frames (pixels in the central widget).
    void place(const QRect& configuration, const QRect& output, const QRect& readings, const QRect& status);

private:
    std::array<QGroupBox*, 2> frCurrent{};  // configuration (0) and output / display (1)
    QGroupBox* frCurrentReading = nullptr;
    std::array<QLabel*, 22> LbHead{};
    std::array<QLabel*, 23> LbData{};
    std::array<QLabel*, 6> LbUnit{};
    QLabel* Label8_0 = nullptr;  // "Read at :"
    StableIndicator* stable_ = nullptr;
    QPushButton* cmdResetMin = nullptr;
    QFrame* Frame1 = nullptr;    // the frame of the big reading display
    QLabel* Label13 = nullptr;   // the big reading display
};
