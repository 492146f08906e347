#pragma once

#include "model/summary_rows.h"

#include <array>
#include <cstddef>
#include <vector>

class QLabel;
class QWidget;
class QRadioButton;

// The labels and controls the two views write into. The windows that own them hand out these
// bundles of pointers, so the views need no window classes.

// Indexes into the label arrays, named after what each label shows. The numbers are the labels'
// own (their object names end in them: "LbData_13"); headings and values of one field do not
// always share a number.

// The connected unit's panel: headings (LbHead), values (LbData) and units (LbUnit).
namespace UnitHead {
enum : std::size_t {
    Serial = 0, Tag = 1, InputType = 2, InputRange = 3, RangeMin = 4, RangeMax = 5, MinReading = 6, MaxReading = 7,
    BurnOut = 8, OutputRange = 9, MainsFreq = 10, Mode = 11, CurrentReading = 12, Ambient = 13, OutMin = 14,
    OutMax = 15, Damping = 16, AmbientUnits = 17, DisplayRange = 18, DisplayLow = 19, DisplayHigh = 20,
    SoftwareVersion = 21,
};
}
namespace UnitData {
enum : std::size_t {
    Serial = 0, Tag = 1, InputName = 2, RangeMin = 3, RangeMax = 4, MinRead = 5, MaxRead = 6, BurnOut = 7,
    OutDir = 8, Freq = 9, Mode = 10, AmbRead = 11, Date = 12, Reading = 13, Wires = 14, Time = 15, OutMin = 16,
    OutMax = 17, Damping = 18, AmbUnits = 19, DispLow = 20, DispHigh = 21, DisplayVersion = 22,
};
}
namespace UnitUnits {
enum : std::size_t { RangeMin = 0, RangeMax = 1, MinRead = 2, MaxRead = 3, Reading = 4, AmbRead = 5 };
}

// The configuration editor: headings (lbWHead), values (lbWData) and units (lbWUnit).
namespace EditHead {
enum : std::size_t {
    Serial = 0, Tag = 1, SensorType = 2, InputRange = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, OutputRange = 7,
    MainsFreq = 8, Mode = 9, Damping = 10, OutMin = 11, OutMax = 12, AmbientUnits = 13, RangeDisplay = 14,
};
}
namespace EditData {
enum : std::size_t {
    Serial = 0, Tag = 1, InputType = 2, Wires = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, OutDir = 7, Freq = 8,
    Mode = 9, OutMin = 10, OutMax = 11, Damping = 12,
};
}
namespace EditUnits {
enum : std::size_t { RangeMin = 0, RangeMax = 1 };
}

// The connected unit's printout (frmPrintCon).
namespace PrintConHead {
enum : std::size_t {
    Serial = 0, Tag = 1, InputType = 2, InputRange = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, Output = 7,
    MainsFreq = 8, Mode = 9, Damping = 10, OutMin = 11, OutMax = 12, AmbientUnits = 13, MinReading = 14,
    MaxReading = 15, CurrentReading = 16, AmbientReading = 17,
};
}
namespace PrintConData {
enum : std::size_t {
    Serial = 0, Tag = 1, InputName = 2, Wires = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, OutDir = 7, Freq = 8,
    Mode = 9, OutMin = 10, OutMax = 11, Damping = 12, AmbUnits = 13, MinRead = 14, MaxRead = 15, Reading = 16,
    AmbRead = 17,
};
}

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
    QWidget* Frame2 = nullptr;  // the input-kind options
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
    QLabel* Label13 = nullptr;  // the big reading display
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
