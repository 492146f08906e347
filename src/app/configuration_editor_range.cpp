// The editor's numeric fields: what typing into their boxes does, and the Change / Done / Cancel
// buttons of the damping, the output current range and the input range with its units.

#include "app/configuration_editor.h"

#include "app/application.h"
#include "platform/widgets/named_controls.h"
#include "model/catalogue.h"
#include "model/decimal_text.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "platform/operator.h"
#include "views/label_colour.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The pending damping's own marker for "nothing typed".
constexpr float NoDamping = 32767.0f;

void showControls(std::initializer_list<QWidget*> controls, bool visible)
{
    for (QWidget* control : controls)
        control->setVisible(visible);
}

// After each change of a numeric box's text: a lone minus sign is a number being typed and
// keeps the pending value, an empty box holds no value, anything else must be a number (blanks
// around it do not count). Text that is not one is refused at once: the box turns red and is
// emptied.
void readTypedNumber(Operator& op, QLineEdit* box, std::initializer_list<QLineEdit*> pair, float& pendingValue,
                     float noValue, const QString& fieldName)
{
    for (QLineEdit* member : pair)
        ResetBackColour(member);
    const QString text = box->text().trimmed();
    if (text == QLatin1String("-"))
        return;
    if (const std::optional<float> value = ParseSingle(text); value || text.isEmpty()) {
        pendingValue = value.value_or(noValue);
        return;
    }
    SetBackColour(box, Red);
    NotNumericMessage(op, fieldName);
    // Emptied without running this handler again, which would reset the red.
    const QSignalBlocker quiet(box);
    box->clear();
    pendingValue = noValue;
}

// The unit's output moves in steps of 0.005 mA: the number of steps, in double precision, must
// round to the same whole number as to three decimals (both half to even).
bool onCurrentStep(float milliamps)
{
    const double steps = double(milliamps) / 0.005;
    return RoundHalfEven(steps) == RoundHalfEven(steps * 1000.0) / 1000.0;
}

// The unit frame shown for an input code: none for a potentiometer, Ohm for a resistor, mV for
// the voltage input, °C/°F for every sensor.
int unitFrameOfCode(std::uint8_t code)
{
    switch (code) {
    case CodePotentiometer3Wire:
    case CodePotentiometer4Wire: return -1;
    case CodeResistor2Wire:
    case CodeResistor3Wire:
    case CodeResistor4Wire: return 2;
    case CodeVoltage: return 1;
    default: return 0;
    }
}

QString boxText(float value)
{
    return SameSingle(value, NoValue) ? QString() : ShortestText(value);
}

} // namespace

// ---- Typing ----

void ConfigurationEditor::txtAverage_Change()
{
    readTypedNumber(app_.op(), txtAverage, {txtAverage}, pending.damping, NoDamping, QStringLiteral("Average"));
}

void ConfigurationEditor::txtDirMin_Change()
{
    readTypedNumber(app_.op(), txtDirMin, {txtDirMin, txtDirMax}, pending.outputLow, NoValue,
                    QStringLiteral("Minimal Current"));
}

void ConfigurationEditor::txtDirMax_Change()
{
    readTypedNumber(app_.op(), txtDirMax, {txtDirMin, txtDirMax}, pending.outputHigh, NoValue,
                    QStringLiteral("Maximal Current"));
}

void ConfigurationEditor::txtTempMin_Change()
{
    readTypedNumber(app_.op(), txtTempMin, {txtTempMin, TxtTempMax}, pending.rangeLow, NoValue,
                    QStringLiteral("Minimal Temprature"));
}

void ConfigurationEditor::TxtTempMax_Change()
{
    readTypedNumber(app_.op(), TxtTempMax, {txtTempMin, TxtTempMax}, pending.rangeHigh, NoValue,
                    QStringLiteral("Maximal Temprature"));
}

// ---- Damping ----

void ConfigurationEditor::cmdAvrChange_Click()
{
    EnableFieldChanges(0);
    showControls({lbWData[EditData::Damping], cmdAvrChange}, false);
    showControls({LabHead2[1], txtAverage, LabHead2[2], cmdAvrDone, cmdAvrCancel}, true);
    const float damping = app_.session().EditConf.Damping;
    if (!SameSingle(damping, NoValue) && damping != NoDamping) {
        txtAverage->setText(ShortestText(damping));
        pending.damping = damping;
    }
}

void ConfigurationEditor::cmdAvrDone_Click()
{
    Operator& op = app_.op();
    const float damping = pending.damping;
    const auto refuse = [this, &op](void (*message)(Operator&, const QString&), const QString& text) {
        SetBackColour(txtAverage, Red);
        message(op, text);
    };
    if (damping == NoDamping)
        return refuse(NoDataMessage, QStringLiteral("Please Fill in 'Average Reading'"));
    if (damping > 101)
        return refuse(IllegalValueMessage, QStringLiteral("The Maximum Readings Available is 12"));
    if (damping < -1)
        return refuse(IllegalValueMessage, QStringLiteral("The Minimum Readings Available is 1"));

    Session& s = app_.session();
    s.EditConf.Damping = damping;
    host_.ShowEditConf();
    if (!SameSingle(damping, s.UnitConf.Damping))
        setLabelColour(lbWHead[EditHead::Damping], Red);
    cmdAvrCancel_Click();
}

void ConfigurationEditor::cmdAvrCancel_Click()
{
    EnableFieldChanges(1);
    showControls({LabHead2[1], txtAverage, LabHead2[2], cmdAvrDone, cmdAvrCancel}, false);
    showControls({lbWData[EditData::Damping], cmdAvrChange}, true);
}

// ---- Output current range ----

void ConfigurationEditor::cmdDirChange_Click()
{
    EnableFieldChanges(0);
    showControls({lbWHead[EditHead::OutMin], lbWHead[EditHead::OutMax], lbWData[EditData::OutMin], lbWData[EditData::OutMax], cmdDirChange}, false);
    showControls({lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, cmdDirDone, cmsDirCancel}, true);
    const ConfRecord& edit = app_.session().EditConf;
    if (!SameSingle(edit.OutMin, NoValue)) {
        txtDirMin->setText(ShortestText(edit.OutMin));
        pending.outputLow = edit.OutMin;
    }
    if (!SameSingle(edit.OutMax, NoValue)) {
        txtDirMax->setText(ShortestText(edit.OutMax));
        pending.outputHigh = edit.OutMax;
    }
}

void ConfigurationEditor::cmdDirDone_Click()
{
    Operator& op = app_.op();
    const float low = pending.outputLow;
    const float high = pending.outputHigh;
    const auto refuse = [&op](QLineEdit* box, void (*message)(Operator&, const QString&), const QString& text) {
        SetBackColour(box, Red);
        message(op, text);
    };
    if (SameSingle(low, NoValue))
        return refuse(txtDirMin, NoDataMessage, QStringLiteral("Please Fill in 'Minimal Current'"));
    if (SameSingle(high, NoValue))
        return refuse(txtDirMax, NoDataMessage, QStringLiteral("Please Fill in 'Maximal Current'"));
    if (high > 20)
        return refuse(txtDirMax, IllegalValueMessage, QStringLiteral("The Maximal Valid Value is 20"));
    if (high < 4)
        return refuse(txtDirMax, IllegalValueMessage, QStringLiteral("The Minmal Valid Value is 4"));
    if (low > 20)
        return refuse(txtDirMin, IllegalValueMessage, QStringLiteral("The Maximal Valid Value is 20"));
    if (low < 4)
        return refuse(txtDirMin, IllegalValueMessage, QStringLiteral("The Minimal Valid Value is 4"));
    if (low == high) {
        SetBackColour(txtDirMin, Red);
        return refuse(txtDirMax, IllegalValueMessage,
                      QStringLiteral("The Minimal Value should Be Different Than The Maximal Value"));
    }
    if (!onCurrentStep(low))
        return refuse(txtDirMin, IllegalValueMessage, QStringLiteral("The Minimal Value Has an Accuracy Level \n\rof 0.005"));
    if (!onCurrentStep(high))
        return refuse(txtDirMax, IllegalValueMessage, QStringLiteral("The Maximal Value Has an Accuracy Level \n\rof 0.005"));

    // A low end above the high end is a falling output.
    Session& s = app_.session();
    s.EditConf.OutMax = high;
    s.EditConf.OutMin = low;
    host_.ShowEditConf();
    if (!SameSingle(high, s.UnitConf.OutMax)) {
        setLabelColour(lbWHead[EditHead::OutputRange], Red);
        setLabelColour(lbWHead[EditHead::OutMax], Red);
    } else if (!SameSingle(low, s.UnitConf.OutMin)) {
        setLabelColour(lbWHead[EditHead::OutputRange], Red);
        setLabelColour(lbWHead[EditHead::OutMin], Red);
    }
    cmsDirCancel_Click();
}

void ConfigurationEditor::cmsDirCancel_Click()
{
    EnableFieldChanges(1);
    showControls({lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, cmdDirDone, cmsDirCancel}, false);
    showControls({lbWHead[EditHead::OutMin], lbWHead[EditHead::OutMax], lbWData[EditData::OutMin], lbWData[EditData::OutMax], cmdDirChange}, true);
}

// ---- Input range and units ----

namespace {

const QString PresetTitle = QStringLiteral("Preset Values");
const QString PresetText = QStringLiteral("Since The Units Choosen are % \n\rThe Maximum Range is Set On 100\n\r"
                                          "And The Minimum Range is Set On 0");

} // namespace

void ConfigurationEditor::cmdChangeRange_Click()
{
    const ConfRecord& edit = app_.session().EditConf;
    // The mode option first: its handler redraws the view, which enables the other fields again.
    if (edit.Mode == 0)
        selectOption(OptModeGroup, 0);
    else
        ClearOption(OptMode[1]);
    EnableFieldChanges(0);
    for (QRadioButton* option : OptMode)
        option->setEnabled(false);

    showControls({lbWHead[EditHead::RangeMin], lbWHead[EditHead::RangeMax], lbWData[EditData::RangeMin], lbWData[EditData::RangeMax], lbWUnit[EditUnits::RangeMin], lbWUnit[EditUnits::RangeMax], cmdChangeRange}, false);
    showControls({txtTempMin, TxtTempMax, LabMinTemp, LabMaxTemp, LabTemp, cmdRangeDone, cmdRangeCancel}, true);
    int frame = unitFrameOfCode(edit.InputCode);
    if (Option1[3]->isChecked())
        frame = -1;
    else if (Option1[4]->isChecked())
        frame = 2;
    else if (Option1[2]->isChecked())
        frame = 1;
    for (std::size_t i = 0; i < FrTemp.size(); ++i)
        FrTemp[i]->setVisible(int(i) == frame);

    pending.units = MeasureUnit(edit.Units);
    txtTempMin->setText(boxText(edit.RangeMin));
    TxtTempMax->setText(boxText(edit.RangeMax));
    pending.rangeLow = edit.RangeMin;
    pending.rangeHigh = edit.RangeMax;
    ClearOption(OptTemp[0]);
    ClearOption(OptTemp[1]);
    if (edit.InputClass == ClassVoltage)
        selectOption(OptTempGroup, 4);
    else if (edit.InputClass == ClassResistor)
        selectOption(OptTempGroup, 5);
}

void ConfigurationEditor::OptTemp_Click(int index)
{
    switch (index) {
    case 0: pending.units = MeasureUnit::Celsius; break;
    case 1: pending.units = MeasureUnit::Fahrenheit; break;
    case 4: pending.units = MeasureUnit::Millivolt; break;
    case 5: pending.units = MeasureUnit::Ohm; break;
    case 6:
        pending.units = MeasureUnit::Percent;
        // A percentage always spans 0 to 100; the boxes show it too.
        if (pending.rangeLow != 0 || pending.rangeHigh != 100)
            app_.op().message(PresetTitle, PresetText);
        txtTempMin->setText(QStringLiteral("0"));
        TxtTempMax->setText(QStringLiteral("100"));
        pending.rangeLow = 0;
        pending.rangeHigh = 100;
        break;
    default: break;
    }
}

void ConfigurationEditor::cmdRangeDone_Click()
{
    Session& s = app_.session();
    ConfRecord& edit = s.EditConf;
    Operator& op = app_.op();

    if (pending.units == MeasureUnit::Percent && (pending.rangeLow != 0 || pending.rangeHigh != 100))
        OptTemp_Click(6);
    // The ambient units follow a temperature range's units, switched before anything is checked.
    const bool celsius = pending.units == MeasureUnit::Celsius;
    if ((celsius && edit.AmbUnits != 0) || (pending.units == MeasureUnit::Fahrenheit && edit.AmbUnits != 1)) {
        op.message(QStringLiteral("Temprature's Units Mismatch"),
                   QStringLiteral("The Ambient Temprature Units Must Be\n\rThe Same As The Measurements Temprature Units.\n\r"
                                  "The Ambient Temprature Units Will Change to ")
                       + (celsius ? QStringLiteral("°C") : QStringLiteral("°F")));
        edit.AmbUnits = celsius ? 0 : 1;
        rangeDoneSetsAmbient = true;
        selectOption(OptAmbientGroup, edit.AmbUnits);
        // The ambient option redrew the view; the range is still being edited.
        EnableFieldChanges(0);
        for (QRadioButton* option : OptMode)
            option->setEnabled(false);
    }

    const float low = pending.rangeLow;
    const float high = pending.rangeHigh;
    const MeasureUnit units = pending.units;
    const auto refuse = [&op](QLineEdit* box, void (*message)(Operator&, const QString&), const QString& text) {
        SetBackColour(box, Red);
        message(op, text);
    };
    if (SameSingle(low, NoValue))
        return refuse(txtTempMin, NoDataMessage, QStringLiteral("Please Fill in 'Minimal Range'"));
    if (SameSingle(high, NoValue))
        return refuse(TxtTempMax, NoDataMessage, QStringLiteral("Please Fill in 'Maximal Range'"));
    if (units == MeasureUnit::None)
        return NoDataMessage(op, QStringLiteral("Please choose output units."));
    if (!(high > low))
        return refuse(TxtTempMax, IllegalValueMessage,
                      QStringLiteral("Maximal temprature should be greater then minimal temprature."));
    if (const QString limit = MaxLimitText(edit, high, units); !limit.isEmpty())
        return refuse(TxtTempMax, MaxValueMessage, limit);
    if (const QString limit = MinLimitText(edit, low, units); !limit.isEmpty())
        return refuse(txtTempMin, MinValueMessage, limit);

    edit.RangeMax = high;
    edit.RangeMin = low;
    edit.Units = std::uint8_t(units);
    host_.ShowEditConf();
    const ConfRecord& unit = s.UnitConf;
    if (edit.Units != unit.Units || !SameSingle(high, unit.RangeMax) || !SameSingle(low, unit.RangeMin))
        setLabelColour(lbWHead[EditHead::InputRange], Red);
    cmdRangeCancel_Click();
    // The local display shows the new range.
    txt_discall->setText(ShortestText(low));
    txt_discalh->setText(ShortestText(high));
    Command1_Click();
}

void ConfigurationEditor::cmdRangeCancel_Click()
{
    EnableFieldChanges(1);
    showControls({txtTempMin, TxtTempMax, LabMinTemp, LabMaxTemp, LabTemp, cmdRangeDone, cmdRangeCancel, FrTemp[0],
                FrTemp[1], FrTemp[2]},
               false);
    showControls({lbWHead[EditHead::RangeMin], lbWHead[EditHead::RangeMax], lbWData[EditData::RangeMin], lbWData[EditData::RangeMax], lbWUnit[EditUnits::RangeMin], lbWUnit[EditUnits::RangeMax], cmdChangeRange}, true);
}
