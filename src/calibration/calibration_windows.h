#pragma once

#include "link/link_state.h"
#include "views/view_targets.h"

#include <cstdint>
#include <memory>
#include <vector>

class ModalRunner;
class QString;
struct StabilityVerdict;
class QWidget;
class frmError;
class frmOffset;
struct Link;

// What the correction windows keep for as long as the program runs (not reset when a window
// is closed and opened again).
struct CalibrationState {
    float TrimOffset = 0;             // offset trimming: true value minus reading, from the last Enter
    UpdateKinds OffsetSavedMode = UpdateKinds::Full;  // offset trimming: UpdateKind when Enter was last pressed
    UpdateKinds ErrorSavedMode = UpdateKinds::Full;   // two-point calibration: UpdateKind at the last option click
};

// The offset-trimming and two-point windows, made once and hidden so that the live reading
// reaches their labels from the start; each opening loads a window afresh.
class CalibrationWindows {
public:
    CalibrationWindows(Link& link, ModalRunner& modal, QWidget* parent);
    ~CalibrationWindows();
    CalibrationWindows(const CalibrationWindows&) = delete;
    CalibrationWindows& operator=(const CalibrationWindows&) = delete;

    CalibrationState& state() { return state_; }
    frmOffset& offset() { return *offset_; }
    frmError& error() { return *error_; }
    // The present-reading labels of both windows, for the connected unit's view.
    std::vector<ReadingLabels> readingLabels() const;
    // Whether the present reading has settled, in both windows.
    void showStability(const StabilityVerdict& verdict, const QString& units);

private:
    CalibrationState state_;
    std::unique_ptr<frmOffset> offset_;
    std::unique_ptr<frmError> error_;
};
