#pragma once

#include "views/view_targets.h"

#include <QDialog>

class ModalRunner;
class QLabel;
class StableIndicator;
class QLineEdit;
class QPushButton;
struct CalibrationState;
struct Link;

// Offset trimming: the operator types the true value of the input the unit measures now; Enter
// keeps the difference to the present reading, Done stores it as a correction of gain 1 in both
// records and the unit's calibration record file and, when asked, writes it into the unit.
// Shown modeless. The close box and Escape act as Cancel.
class frmOffset : public QDialog {
    Q_OBJECT

public:
    frmOffset(Link& link, ModalRunner& modal, CalibrationState& state, QWidget* parent = nullptr);

    // Loads the window afresh (empty entry, Done disabled) and shows it.
    void loadAndShow();
    ReadingLabels readingLabels() const { return {lbCurrRead, lbCurrUnit}; }

    void Form_Load();
    void txtOffset_Change();
    void cmdEnterOffset_Click();
    void cmdDone_Click();
    void cmdCancel_Click();

    void reject() override;

    QLabel* Label1;  // "Offset Trimming :"
    QLabel* Label3;  // "Current measure :"
    QLabel* lbCurrRead;
    QLabel* lbCurrUnit;
    StableIndicator* stable = nullptr;
    QLabel* Label2;  // "Enter New Value :"
    QLineEdit* txtOffset;
    QPushButton* cmdEnterOffset;
    QPushButton* cmdDone;
    QPushButton* cmdCancel;

private:
    Link& link_;
    ModalRunner& modal_;
    CalibrationState& state_;
    // Cancel puts back the mode saved at Enter only when Enter was pressed in this opening.
    bool enteredThisOpening_ = false;
};
