#pragma once

#include "model/conf_record.h"
#include "views/view_targets.h"

#include <QDialog>

#include <array>

class ModalRunner;
class QLabel;
class StableIndicator;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CalibrationState;
struct Link;

// Two-point (sensor-to-transmitter) calibration: for a low and a high point the operator
// applies a known input, chooses the point and types its true value; Enter records the pair
// (true value, present reading) in EditConf. Done computes true = gain x reading + offset,
// stores it in both records and the unit's calibration record file and, when asked, writes it
// into the unit. Shown modeless. The close box and Escape act as Cancel.
class frmError : public QDialog {
    Q_OBJECT

public:
    frmError(Link& link, ModalRunner& modal, CalibrationState& state, QWidget* parent = nullptr);

    // Loads the window afresh (no point chosen, boxes locked) and shows it.
    void loadAndShow();
    ReadingLabels readingLabels() const { return {lbCurrRead, lbCurrUnit}; }

    void Form_Load();
    void optError_Click(int index);
    void txtLow_Change();
    void txtHigh_Change();
    void CmdEnterMin_Click();
    void CmdEnterMax_Click();
    void cmdDone_Click();
    void cmdCancel_Click();

    void reject() override;

    QLabel* Label1;  // "Insert The Correct Readings :"
    QLabel* Label2;  // "Current Measure :"
    QLabel* lbCurrRead;
    QLabel* lbCurrUnit;
    StableIndicator* stable = nullptr;
    std::array<QRadioButton*, 2> optError{};
    QLineEdit* txtLow;
    QLineEdit* txtHigh;
    QPushButton* CmdEnterMin;
    QPushButton* CmdEnterMax;
    QPushButton* cmdDone;
    QPushButton* cmdCancel;

private:
    // One of the two points: its box, its fields and those of the other point.
    struct Point {
        bool low;
        QLineEdit* box;
        float ConfRecord::*ref;
        float ConfRecord::*read;
        float ConfRecord::*otherRef;
        float ConfRecord::*otherRead;
    };
    Point lowPoint() const;
    Point highPoint() const;
    void enterPoint(const Point& point);

    Link& link_;
    ModalRunner& modal_;
    CalibrationState& state_;
    // Cancel puts back the mode saved at an option click only when one was clicked in this opening.
    bool optionClickedThisOpening_ = false;
};
