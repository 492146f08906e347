#pragma once

#include <array>
#include <vector>

class QLabel;
class QWidget;
class QRadioButton;

// The labels and controls the two views write into. The windows that own them hand out these
// bundles of pointers, so the views need no window classes.

// The edit panel of the main window (the configuration editor).
struct EditPanel {
    std::array<QLabel*, 15> lbWHead{};
    std::array<QLabel*, 13> lbWData{};
    std::array<QLabel*, 2> lbWUnit{};
    // The mode row: enabled only where single/differential applies.
    QWidget* FrMode = nullptr;
    QWidget* LabModeDif = nullptr;
    QWidget* LabModeNor = nullptr;
    std::array<QRadioButton*, 2> OptMode{};
    // Enabled or disabled by the chosen input.
    QWidget* cmdChangeRange = nullptr;
    QWidget* cmdTagChange = nullptr;
    QWidget* Frame2 = nullptr;
    QWidget* FrBurn = nullptr;
    QWidget* cmdDirChange = nullptr;
    QWidget* cmdAvrChange = nullptr;
    QWidget* FrFreq = nullptr;
    QWidget* FrAmbient = nullptr;
};

// The connected unit's panel of the main window, with the big reading display.
struct UnitPanel {
    std::array<QLabel*, 22> LbHead{};
    std::array<QLabel*, 23> LbData{};
    std::array<QLabel*, 6> LbUnit{};
    QLabel* Label13 = nullptr;
};

// The update confirmation window and the printable edited configuration share one layout
// (the print form has no display-range row: its entries 14..16 stay null).
struct SummaryForm {
    std::array<QLabel*, 17> LbHead{};
    std::array<QLabel*, 16> LbData{};
    std::array<QLabel*, 2> LbUnit{};
};

// The printable connected-unit configuration.
struct PrintConForm {
    std::array<QLabel*, 18> LbHead{};
    std::array<QLabel*, 18> LbData{};
    std::array<QLabel*, 6> LbUnit{};
};

// The present-reading labels of a calibration window.
struct ReadingLabels {
    QLabel* lbCurrRead = nullptr;
    QLabel* lbCurrUnit = nullptr;
};

// Everything both views draw into.
struct ViewTargets {
    EditPanel edit;
    UnitPanel unit;
    SummaryForm status;    // frmStatus
    SummaryForm printSts;  // frmPrintsts
    PrintConForm printCon; // frmPrintCon
    std::vector<ReadingLabels> calibration;  // frmOffset, frmError
};
