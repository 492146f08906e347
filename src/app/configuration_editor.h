#pragma once

#include "model/conf_record.h"
#include "model/session.h"
#include "views/view_targets.h"

#include <QTabWidget>

#include <array>
#include <cstdint>

class Application;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the editor asks of the window around it.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Redraws the edited configuration everywhere and marks what differs from the unit.
    virtual void ShowEditConf() = 0;
    virtual void SetCommandState(CommandStates code) = 0;
    // A field changed in a way the views do not compare (serial number, display range): the
    // update becomes possible.
    virtual void enableUpdateUnit() = 0;
};

// The configuration editor (ssInfo): four tabs, each field with its display label, its Change
// button and the edit boxes with Done and Cancel that Change swaps in. Its handlers write
// EditConf and ask the window to redraw. Controls are its own; the views draw into them through
// targets().
class ConfigurationEditor : public QTabWidget {
    Q_OBJECT

public:
    ConfigurationEditor(Application& app, EditorHost& host, QWidget* parent);

    // The labels and controls the edited-configuration view draws into.
    EditPanel targets() const;

    // A new configuration from the connected unit: the options and boxes show EditConf.
    void startFromUnit();
    // A configuration just opened from a file: the options show it; it keeps the unit's serial.
    void showOpenedRecord();
    // The mains frequency is neither shown nor offered for editing.
    void hideMainsFrequency();
    // The unit has no local display: its range is not offered.
    void hideDisplayControls();
    void showDisplayRange(std::int16_t low, std::int16_t high);
    // The label of the connected unit's input kind in bold, the other four not.
    void markInputKind(std::uint8_t inputClass);

    // 0 disables, 1 enables the Change buttons and option groups of every field; other states
    // do nothing.
    void EnableFieldChanges(int state);

    // Handlers of the editor's controls.
    void cmdSerialChange_Click();
    void cmdSerialDone_Click();
    void cmdSerialCancel_Click();
    void cmdTagChange_Click();
    void ComTagDone_Click();
    void ComTagCancel_Click();
    void TxtTag_Change();
    void Option1_Click(int index);
    void cmdChangeRange_Click();
    void cmdRangeDone_Click();
    void cmdRangeCancel_Click();
    void OptTemp_Click(int index);
    void txtTempMin_Change();
    void TxtTempMax_Change();
    void cmdDirChange_Click();
    void cmdDirDone_Click();
    void cmsDirCancel_Click();
    void txtDirMin_Change();
    void txtDirMax_Change();
    void OptBurn_Click(int index);
    void OptFreq_Click(int index);
    void OptMode_Click(int index);
    void OptAmbient_Click(int index);
    void cmdAvrChange_Click();
    void cmdAvrDone_Click();
    void cmdAvrCancel_Click();
    void txtAverage_Change();
    void Com_discal_dune_Click();  // Done of the display range
    void Command1_Click();         // Apply of the display range

private:
    QWidget* buildGeneralTab();
    QWidget* buildSensorTab();
    QWidget* buildInputOutputTab();
    QWidget* buildSetUpTab();
    // Selects an option from code and runs its click handler, as a user's click does.
    void selectOption(QButtonGroup* group, int index);
    // Selects the burn-out, frequency, mode and ambient options that show EditConf.
    void showRecordOptions();
    void showSerialEditing(bool editing);
    // An option group's field after a click: redrawn when it holds a value, else the message.
    void showOptionField(std::uint8_t value, std::uint8_t unitValue, QLabel* heading, const QString& missing);
    // Done of the display range: both boxes whole numbers, then the edited record takes them.
    void acceptDisplayRange();

    Application& app_;
    EditorHost& host_;

    std::array<QLabel*, 15> lbWHead{};
    std::array<QLabel*, 13> lbWData{};
    std::array<QLabel*, 2> lbWUnit{};
    std::array<QLabel*, 3> LabHead2{};  // the tag hint and the damping hints
    QLabel* LbHeader = nullptr;         // "Insert Tag Name :"
    QLabel* Label8_1 = nullptr;         // " low range   high range" above the display-range boxes
    // General
    QLineEdit* txtSerial = nullptr;
    QPushButton* cmdSerialChange = nullptr;
    QPushButton* cmdSerialDone = nullptr;
    QPushButton* cmdSerialCancel = nullptr;
    QLineEdit* TxtTag = nullptr;
    QPushButton* cmdTagChange = nullptr;
    QPushButton* ComTagDone = nullptr;
    QPushButton* ComTagCancel = nullptr;
    // Sensor
    QGroupBox* Frame2 = nullptr;  // the input-kind options
    std::array<QRadioButton*, 5> Option1{};  // RTD, thermocouple, voltage, potentiometer, resistor
    QButtonGroup* Option1Group = nullptr;
    QLabel* LabRTD = nullptr;
    QLabel* LabTC = nullptr;
    QLabel* LabVol = nullptr;
    QLabel* LabPot = nullptr;
    QLabel* LabRes = nullptr;
    // Input / Output
    std::array<QGroupBox*, 3> FrTemp{};  // units: °C/°F, mV/%, Ohm
    std::array<QRadioButton*, 7> OptTemp{}; // indexes 2 and 3 are not used
    QButtonGroup* OptTempGroup = nullptr;
    QLineEdit* txtTempMin = nullptr;
    QLineEdit* TxtTempMax = nullptr;
    QLabel* LabMinTemp = nullptr;
    QLabel* LabMaxTemp = nullptr;
    QLabel* LabTemp = nullptr;
    QPushButton* cmdChangeRange = nullptr;
    QPushButton* cmdRangeDone = nullptr;
    QPushButton* cmdRangeCancel = nullptr;
    QGroupBox* FrBurn = nullptr;
    std::array<QRadioButton*, 2> OptBurn{};
    QButtonGroup* OptBurnGroup = nullptr;
    QLineEdit* txtDirMin = nullptr;  // the output current range
    QLineEdit* txtDirMax = nullptr;
    QLabel* lblMinDir = nullptr;
    QLabel* lblMaxDir = nullptr;
    QLabel* lblDir = nullptr;
    QPushButton* cmdDirChange = nullptr;
    QPushButton* cmdDirDone = nullptr;
    QPushButton* cmsDirCancel = nullptr;
    QLineEdit* txt_discall = nullptr;  // the display range, low and high
    QLineEdit* txt_discalh = nullptr;
    QPushButton* Com_discal_dune = nullptr;  // Done of the display range
    QPushButton* Command1 = nullptr;         // Apply of the display range
    // Set-Up
    QGroupBox* FrMode = nullptr;
    std::array<QRadioButton*, 2> OptMode{};
    QButtonGroup* OptModeGroup = nullptr;
    QLabel* LabModeNor = nullptr;
    QLabel* LabModeDif = nullptr;
    QGroupBox* FrFreq = nullptr;
    std::array<QRadioButton*, 2> OptFreq{};
    QButtonGroup* OptFreqGroup = nullptr;
    QLineEdit* txtAverage = nullptr;  // the damping
    QPushButton* cmdAvrChange = nullptr;
    QPushButton* cmdAvrDone = nullptr;
    QPushButton* cmdAvrCancel = nullptr;
    QGroupBox* FrAmbient = nullptr;
    std::array<QRadioButton*, 2> OptAmbient{};
    QButtonGroup* OptAmbientGroup = nullptr;

    // Values typed into the boxes and not yet accepted by a Done button. The no-value markers:
    // NoValue for ranges and currents, 32767 for the damping, no units chosen.
    struct PendingValues {
        float rangeLow = NoValue;
        float rangeHigh = NoValue;
        MeasureUnit units = MeasureUnit::None;
        float outputLow = NoValue;
        float outputHigh = NoValue;
        float damping = 32767.0f;
    };
    PendingValues pending;
    // Set while the range's Done button itself selects an ambient option (no second question).
    bool rangeDoneSetsAmbient = false;
};
