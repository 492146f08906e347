// The configuration editor: which fields may change, the serial number and tag, the input type,
// the option groups, the display range, and what the window asks of it. The numeric fields
// (damping, output and input range) are in configuration_editor_range.cpp, the tabs' layout in
// configuration_editor_tabs.cpp.

#include "app/configuration_editor.h"

#include "app/application.h"
#include "dialogs/frm_pot.h"
#include "dialogs/res_type.h"
#include "dialogs/rtd_type.h"
#include "dialogs/tc_type.h"
#include "link/codecs.h"
#include "link/serial_link.h"
#include "model/catalogue.h"
#include "model/decimal_text.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "platform/operator.h"
#include "platform/widgets/modal_runner.h"
#include "platform/widgets/named_controls.h"
#include "views/label_colour.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

void showControls(std::initializer_list<QWidget*> controls, bool visible)
{
    for (QWidget* control : controls)
        control->setVisible(visible);
}

// The byte each option writes; 255 for an index the group does not have.
std::uint8_t burnOutOfOption(int index)
{
    return index == 0 ? 1 : index == 1 ? 0 : NoCode;
}

std::uint8_t modeOfOption(int index)
{
    return index == 0 ? 0 : index == 1 || index == 2 ? 1 : NoCode;
}

std::uint8_t codeOfOption(int index)
{
    return index == 0 || index == 1 ? std::uint8_t(index) : NoCode;
}

// The option that shows a code (burn-out 1 is the first option), -1 for none.
int optionOfBurnOut(std::uint8_t burnOut)
{
    return burnOut == 1 ? 0 : burnOut == 0 ? 1 : -1;
}

int optionOfCode(std::uint8_t code)
{
    return code <= 1 ? code : -1;
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

// A display-range box as a 16-bit whole number: the typed number rounded half to even and held
// within -32768..32767. Nothing for text that is not a number (an empty box included).
std::optional<std::int16_t> displayRangeValue(const QString& text)
{
    const std::optional<float> value = ParseSingle(QStringView(text).trimmed());
    if (!value)
        return std::nullopt;
    return std::int16_t(std::clamp(RoundHalfEven(*value), -32768.0, 32767.0));
}

} // namespace

void ConfigurationEditor::EnableFieldChanges(int state)
{
    if (state != 0 && state != 1)
        return;
    const bool on = state == 1;
    for (QWidget* control : std::initializer_list<QWidget*>{cmdTagChange, cmdDirChange, cmdAvrChange, OptBurn[0],
                                                            OptBurn[1], OptFreq[0], OptFreq[1], OptAmbient[0], OptAmbient[1]})
        control->setEnabled(on);
    for (QRadioButton* option : Option1)
        option->setEnabled(on);
    // A potentiometer's range is fixed, and single or differential applies to some inputs only:
    // enabling leaves those disabled as the edited configuration's view has them.
    const ConfRecord& edit = app_.session().EditConf;
    cmdChangeRange->setEnabled(on && edit.InputClass != ClassPotentiometer);
    for (QRadioButton* option : OptMode)
        option->setEnabled(on && ModeApplies(edit.InputClass));
}

void ConfigurationEditor::selectOption(QButtonGroup* group, int index)
{
    group->button(index)->setChecked(true);
    if (group == OptBurnGroup)
        OptBurn_Click(index);
    else if (group == OptFreqGroup)
        OptFreq_Click(index);
    else if (group == OptModeGroup)
        OptMode_Click(index);
    else if (group == OptAmbientGroup)
        OptAmbient_Click(index);
    else if (group == OptTempGroup)
        OptTemp_Click(index);
}

void ConfigurationEditor::showRecordOptions()
{
    const auto selectOrClear = [this](QButtonGroup* group, int index) {
        if (index >= 0) {
            selectOption(group, index);
            return;
        }
        for (QAbstractButton* option : group->buttons())
            ClearOption(static_cast<QRadioButton*>(option));
    };
    const ConfRecord& edit = app_.session().EditConf;
    // Each selection runs its handler, which may redraw and change the record: read as we go.
    selectOrClear(OptBurnGroup, optionOfBurnOut(edit.BurnOut));
    selectOrClear(OptFreqGroup, optionOfCode(edit.Freq));
    selectOrClear(OptModeGroup, optionOfCode(edit.Mode));
    selectOrClear(OptAmbientGroup, optionOfCode(edit.AmbUnits));
}

// ---- Serial number: edited on its own, beside the other fields ----

void ConfigurationEditor::showSerialEditing(bool editing)
{
    showControls({lbWData[EditData::Serial], cmdSerialChange}, !editing);
    showControls({txtSerial, cmdSerialDone, cmdSerialCancel}, editing);
}

void ConfigurationEditor::cmdSerialChange_Click()
{
    showSerialEditing(true);
}

void ConfigurationEditor::cmdSerialDone_Click()
{
    Session& s = app_.session();
    const QString serial = txtSerial->text().trimmed();
    // The unit holds seven digits; anything else would fail the update after the configuration
    // was already written.
    if (serial != s.UnitConf.Serial && !SerialToBytes(serial)) {
        IllegalSerialMessage(app_.op());
        txtSerial->setFocus();
        return;
    }
    app_.link().update.SerialChanged = serial != s.UnitConf.Serial;
    if (app_.link().update.SerialChanged) {
        lbWData[EditData::Serial]->setText(serial);
        s.EditConf.Serial = serial;
        s.view.ConfDiffers = true;
        host_.enableUpdateUnit();
    }
    showSerialEditing(false);
}

void ConfigurationEditor::cmdSerialCancel_Click()
{
    Session& s = app_.session();
    if (s.EditConf.Serial == s.UnitConf.Serial)
        s.view.ConfDiffers = false;
    app_.link().update.SerialChanged = false;
    showSerialEditing(false);
}

// ---- Tag: the record follows the box while typing ----

void ConfigurationEditor::cmdTagChange_Click()
{
    EnableFieldChanges(0);
    showControls({lbWData[EditData::Tag], cmdTagChange}, false);
    showControls({LbHeader, LabHead2[0], TxtTag, ComTagDone, ComTagCancel}, true);
}

void ConfigurationEditor::ComTagDone_Click()
{
    Session& s = app_.session();
    host_.ShowEditConf();
    if (!SameTag(s.EditConf.Tag, s.UnitConf.Tag))
        setLabelColour(lbWHead[EditHead::Tag], Red);
    ComTagCancel_Click();
}

void ConfigurationEditor::ComTagCancel_Click()
{
    EnableFieldChanges(1);
    showControls({LbHeader, LabHead2[0], TxtTag, ComTagDone, ComTagCancel}, false);
    showControls({lbWData[EditData::Tag], cmdTagChange}, true);
}

void ConfigurationEditor::TxtTag_Change()
{
    app_.session().EditConf.Tag = TxtTag->text();
}

// ---- Input type ----

void ConfigurationEditor::Option1_Click(int index)
{
    if (index < 0 || index >= int(Option1.size()))
        return;
    Session& s = app_.session();
    ConfRecord& edit = s.EditConf;
    if (index == 2) {
        edit.InputName = QStringLiteral("Voltage input");
        edit.InputCode = CodeVoltage;
        edit.InputClass = ClassVoltage;
        edit.Wires = NoCode;
        edit.Units = UnitsMillivolt;
        edit.RangeMin = NoValue;
        edit.RangeMax = NoValue;
        lbWData[EditData::InputType]->setText(QStringLiteral(" Voltage Input"));
        host_.ShowEditConf();
        const ConfRecord& unit = s.UnitConf;
        if (edit.InputName != unit.InputName && edit.InputClass != unit.InputClass && edit.InputCode != unit.InputCode)
            app_.link().update.UpdateKind = UpdateKinds::Full;
    } else {
        const auto showEditConf = [this] { host_.ShowEditConf(); };
        const auto markInputType = [this] {
            setLabelColour(lbWHead[EditHead::SensorType], Red);
            app_.link().update.UpdateKind = UpdateKinds::Full;
        };
        std::unique_ptr<QDialog> dialog;
        switch (index) {
        case 0: dialog = std::make_unique<RTDtype>(s, app_.catalogue(), app_.op(), showEditConf, markInputType, this); break;
        case 1: dialog = std::make_unique<TCtype>(s, app_.catalogue(), app_.op(), showEditConf, markInputType, this); break;
        case 3: dialog = std::make_unique<frmpot>(s, app_.catalogue(), app_.op(), showEditConf, markInputType, this); break;
        default: dialog = std::make_unique<ResType>(s, app_.catalogue(), app_.op(), showEditConf, markInputType, this); break;
        }
        app_.seams().modal.run(*dialog);
        ClearOption(Option1[std::size_t(index)]);
    }
    const std::array<QLabel*, 5> kinds{LabRTD, LabTC, LabVol, LabPot, LabRes};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        QFont font = kinds[i]->font();
        font.setBold(int(i) == index);
        kinds[i]->setFont(font);
    }
    cmdChangeRange->setEnabled(edit.InputClass != ClassPotentiometer);
}

// ---- Option groups ----

// What every option group does once its field is set: redraw and mark the heading, or ask for a
// choice when the field holds none.
void ConfigurationEditor::showOptionField(std::uint8_t value, std::uint8_t unitValue, QLabel* heading,
                                          const QString& missing)
{
    if (value == NoCode) {
        NoDataMessage(app_.op(), missing);
        return;
    }
    host_.ShowEditConf();
    if (value != unitValue)
        setLabelColour(heading, Red);
}

void ConfigurationEditor::OptBurn_Click(int index)
{
    Session& s = app_.session();
    s.EditConf.BurnOut = burnOutOfOption(index);
    showOptionField(s.EditConf.BurnOut, s.UnitConf.BurnOut, lbWHead[EditHead::BurnOut],
                    QStringLiteral("Please choose burn-out scale."));
}

void ConfigurationEditor::OptFreq_Click(int index)
{
    Session& s = app_.session();
    s.EditConf.Freq = codeOfOption(index);
    showOptionField(s.EditConf.Freq, s.UnitConf.Freq, lbWHead[EditHead::MainsFreq],
                    QStringLiteral("Please Choose Mains Frequency."));
}

void ConfigurationEditor::OptMode_Click(int index)
{
    Session& s = app_.session();
    s.EditConf.Mode = modeOfOption(index);
    showOptionField(s.EditConf.Mode, s.UnitConf.Mode, lbWHead[EditHead::Mode],
                    QStringLiteral("Please choose TC operation mode."));
}

void ConfigurationEditor::OptAmbient_Click(int index)
{
    Session& s = app_.session();
    ConfRecord& edit = s.EditConf;
    // The ambient units follow the measurement units whenever those are a temperature.
    if (index == 0 && edit.Units != UnitsFahrenheit) {
        edit.AmbUnits = 0;
    } else if (index == 1 && edit.Units != UnitsCelsius) {
        edit.AmbUnits = 1;
    } else if (!rangeDoneSetsAmbient) {
        app_.op().message(QStringLiteral("Temprature's Units Mismatch"),
                          QStringLiteral("The Ambient Temprature Units Must Be\n\rThe Same As The Measurements Temprature Units."));
        edit.AmbUnits = edit.Units == UnitsFahrenheit ? 1 : 0;
        selectOption(OptAmbientGroup, edit.AmbUnits);
    }
    rangeDoneSetsAmbient = false;
    showOptionField(edit.AmbUnits, s.UnitConf.AmbUnits, lbWHead[EditHead::AmbientUnits],
                    QStringLiteral("Please Choose The Ambient's Units."));
}

// ---- Range of the unit's local display ----

void ConfigurationEditor::Com_discal_dune_Click()
{
    acceptDisplayRange();
}

void ConfigurationEditor::Command1_Click()
{
    acceptDisplayRange();
}

void ConfigurationEditor::acceptDisplayRange()
{
    const std::optional<std::int16_t> low = displayRangeValue(txt_discall->text());
    const std::optional<std::int16_t> high = displayRangeValue(txt_discalh->text());
    ResetBackColour(txt_discall);
    ResetBackColour(txt_discalh);
    if (!low || !high) {
        QLineEdit* box = low ? txt_discalh : txt_discall;
        SetBackColour(box, Red);
        NotNumericMessage(app_.op(), low ? QStringLiteral("Display High Range") : QStringLiteral("Display Low Range"));
        return;
    }
    ConfRecord& edit = app_.session().EditConf;
    edit.DispLow = *low;
    edit.DispHigh = *high;
    host_.enableUpdateUnit();
}


// ---- What the window asks of the editor ----

EditPanel ConfigurationEditor::targets() const
{
    EditPanel p;
    p.lbWHead = lbWHead;
    p.lbWData = lbWData;
    p.lbWUnit = lbWUnit;
    p.FrMode = FrMode;
    p.LabModeDif = LabModeDif;
    p.LabModeNor = LabModeNor;
    p.OptMode = OptMode;
    p.cmdChangeRange = cmdChangeRange;
    p.cmdTagChange = cmdTagChange;
    p.Frame2 = Frame2;
    p.FrBurn = FrBurn;
    p.cmdDirChange = cmdDirChange;
    p.cmdAvrChange = cmdAvrChange;
    p.FrFreq = FrFreq;
    p.FrAmbient = FrAmbient;
    return p;
}

void ConfigurationEditor::startFromUnit()
{
    for (QRadioButton* option : Option1)
        ClearOption(option);
    showRecordOptions();

    const ConfRecord& edit = app_.session().EditConf;
    pending.damping = edit.Damping;
    pending.outputLow = edit.OutMin;
    pending.outputHigh = edit.OutMax;
    pending.rangeLow = edit.RangeMin;
    pending.rangeHigh = edit.RangeMax;
    pending.units = MeasureUnit(edit.Units);
    if (edit.Units == UnitsCelsius || edit.Units == UnitsFahrenheit)
        selectOption(OptTempGroup, edit.Units);
    ClearOption(OptTemp[4]);
    ClearOption(OptTemp[5]);
    TxtTag->setText(trimBlanks(edit.Tag));
}

void ConfigurationEditor::showOpenedRecord()
{
    showRecordOptions();
    for (QRadioButton* option : Option1)
        ClearOption(option);
    lbWData[EditData::Serial]->setText(app_.session().EditConf.Serial);
}

void ConfigurationEditor::hideMainsFrequency()
{
    for (QWidget* control : std::initializer_list<QWidget*>{lbWHead[EditHead::MainsFreq], lbWData[EditData::Freq], FrFreq,
                                                            OptFreq[0], OptFreq[1]})
        control->hide();
}

void ConfigurationEditor::hideDisplayControls()
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{Label8_1, txt_discalh, txt_discall, Command1, lbWHead[EditHead::RangeDisplay]})
        control->hide();
}

void ConfigurationEditor::showDisplayRange(std::int16_t low, std::int16_t high)
{
    txt_discall->setText(QString::number(low));
    txt_discalh->setText(QString::number(high));
}

void ConfigurationEditor::markInputKind(std::uint8_t inputClass)
{
    QLabel* kind = LabRes;
    switch (inputClass) {
    case ClassRtd: kind = LabRTD; break;
    case ClassThermocouple: kind = LabTC; break;
    case ClassVoltage: kind = LabVol; break;
    case ClassPotentiometer: kind = LabPot; break;
    default: break;
    }
    for (QLabel* label : {LabRTD, LabTC, LabVol, LabPot, LabRes}) {
        QFont font = label->font();
        font.setBold(label == kind);
        label->setFont(font);
    }
}
