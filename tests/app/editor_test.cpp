#include "dialogs/frm_pot.h"
#include "editor_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>

namespace {

using Editor = EditorFixture;

TEST_F(Editor, NewConfigurationStartsFromTheUnit)
{
    unitConf().Tag = QStringLiteral("  TT-101   ");
    unitConf().Units = UnitsFahrenheit;
    unitConf().AmbUnits = 1;
    openEditor();
    EXPECT_TRUE(!editor().isHidden() && app->session().view.ConfSaved);
    for (QRadioButton* option : {control<QRadioButton>("OptBurn_1"), control<QRadioButton>("OptMode_0"), control<QRadioButton>("OptAmbient_1"), control<QRadioButton>("OptTemp_1")})
        EXPECT_TRUE(option->isChecked()) << option->objectName().toStdString();
    EXPECT_EQ(edit().Tag, QStringLiteral("TT-101"));  // the tag box, trimmed, writes the record
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(Editor, TextThatIsNotANumberIsRefusedWhileTyping)
{
    openEditor();
    editor().cmdDirChange_Click();
    control<QLineEdit>("txtDirMin")->setText(QStringLiteral("-"));  // a minus sign being typed: no message
    EXPECT_TRUE(op.boxes.empty());
    const std::vector<std::pair<QLineEdit*, const char*>> boxes{
        {control<QLineEdit>("txtAverage"), "Average"}, {control<QLineEdit>("txtDirMin"), "Minimal Current"}, {control<QLineEdit>("txtDirMax"), "Maximal Current"},
        {control<QLineEdit>("txtTempMin"), "Minimal Temprature"}, {control<QLineEdit>("TxtTempMax"), "Maximal Temprature"}};
    for (const auto& [box, field] : boxes) {
        box->setText(QStringLiteral("abc"));
        EXPECT_EQ(lastBox(), "Not Numeric: '" + QString::fromLatin1(field) + "' should receive onlt numeric data");
        EXPECT_TRUE(isRed(box) && box->text().isEmpty()) << field;
    }
    control<QLineEdit>("txtDirMin")->setText(QStringLiteral("4"));
    EXPECT_FALSE(isRed(control<QLineEdit>("txtDirMax")));  // typing in one box of a pair clears both
    editor().cmdDirDone_Click();
    EXPECT_EQ(lastBox(), QStringLiteral("No Data: Please Fill in 'Maximal Current'"));
}

// One field's Change, Done and Cancel buttons, its boxes and the record fields they fill.
struct FieldEditor {
    void (ConfigurationEditor::*change)();
    void (ConfigurationEditor::*done)();
    void (ConfigurationEditor::*cancel)();
    const char* firstBox;
    const char* secondBox;
    float ConfRecord::*firstField;
    float ConfRecord::*secondField;
};
const FieldEditor Damping{&ConfigurationEditor::cmdAvrChange_Click, &ConfigurationEditor::cmdAvrDone_Click,
                          &ConfigurationEditor::cmdAvrCancel_Click, "txtAverage", nullptr, &ConfRecord::Damping, nullptr};
const FieldEditor Output{&ConfigurationEditor::cmdDirChange_Click, &ConfigurationEditor::cmdDirDone_Click,
                         &ConfigurationEditor::cmsDirCancel_Click, "txtDirMin", "txtDirMax", &ConfRecord::OutMin,
                         &ConfRecord::OutMax};
const FieldEditor Range{&ConfigurationEditor::cmdChangeRange_Click, &ConfigurationEditor::cmdRangeDone_Click,
                        &ConfigurationEditor::cmdRangeCancel_Click, "txtTempMin", "TxtTempMax", &ConfRecord::RangeMin,
                        &ConfRecord::RangeMax};

TEST_F(Editor, EveryDoneChecksInOrder)
{
    struct Case {
        const FieldEditor& field;
        const char* first;
        const char* second;
        const char* message;  // empty: accepted
        std::uint8_t units = UnitsCelsius;
    };
    const Case cases[] = {
        {Damping, "101", "", ""}, {Damping, "-1", "", ""}, {Damping, " 4", "", ""},
        {Damping, "101.5", "", "Illegal value: The Maximum Readings Available is 12"},
        {Damping, "-1.5", "", "Illegal value: The Minimum Readings Available is 1"},
        {Damping, "", "", "No Data: Please Fill in 'Average Reading'"},
        {Range, "-200", "850", ""},
        {Range, "", "100", "No Data: Please Fill in 'Minimal Range'"},
        {Range, "0", "", "No Data: Please Fill in 'Maximal Range'"},
        {Range, "0", "100", "No Data: Please choose output units.", NoCode},
        {Range, "100", "100", "Illegal value: Maximal temprature should be greater then minimal temprature."},
        {Range, "0", "851", "Maximum Value Error: The Maximum Value Possible For The Chosen Sensor\r\n Is : 850°C"},
        {Range, "-201", "0", "Minimum Value Error: The Minimum Value Possible For The Chosen Sensor\r\n Is : -200°C"},
        {Output, "4", "20", ""}, {Output, "4 ", " 20", ""}, {Output, "20", "4", ""}, {Output, "4.005", "20", ""},
        {Output, "", "20", "No Data: Please Fill in 'Minimal Current'"},
        {Output, "4", "21", "Illegal value: The Maximal Valid Value is 20"},
        {Output, "4", "3.9", "Illegal value: The Minmal Valid Value is 4"},
        {Output, "20.5", "20", "Illegal value: The Maximal Valid Value is 20"},
        {Output, "3", "20", "Illegal value: The Minimal Valid Value is 4"},
        {Output, "4", "4", "Illegal value: The Minimal Value should Be Different Than The Maximal Value"},
        {Output, "4.003", "20", "Illegal value: The Minimal Value Has an Accuracy Level \n\rof 0.005"},
        {Output, "4", "19.999", "Illegal value: The Maximal Value Has an Accuracy Level \n\rof 0.005"},
    };
    openEditor();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + ", " + c.second + ": " + c.message);
        const FieldEditor& f = c.field;
        op.boxes.clear();
        edit().Units = c.units;
        const ConfRecord before = edit();
        QLineEdit* first = control<QLineEdit>(f.firstBox);
        QLineEdit* second = f.secondBox ? control<QLineEdit>(f.secondBox) : nullptr;
        (editor().*f.change)();
        first->setText(QString::fromLatin1(c.first));
        if (second)
            second->setText(QString::fromLatin1(c.second));
        (editor().*f.done)();
        EXPECT_EQ(lastBox(), QString::fromUtf8(c.message));
        const bool accepted = *c.message == 0;
        EXPECT_EQ(first->isHidden(), accepted);
        const bool red = isRed(first) || (second && isRed(second));
        EXPECT_EQ(red, !accepted && c.units != NoCode);
        const float expected = accepted ? QString::fromLatin1(c.first).toFloat() : before.*f.firstField;
        EXPECT_EQ(edit().*f.firstField, expected);
        if (f.secondField)
            EXPECT_EQ(edit().*f.secondField, accepted ? QString::fromLatin1(c.second).toFloat() : before.*f.secondField);
        if (!accepted)
            (editor().*f.cancel)();
    }
    // The last accepted output range differs from the unit's at its low end.
    for (QLabel* heading : {label("lbWHead_7"), label("lbWHead_11")})
        EXPECT_TRUE(isRedText(heading)) << heading->objectName().toStdString();
}

TEST_F(Editor, OneFieldAtATimeAndTheInputTypes)
{
    openEditor();
    const std::vector<QWidget*> others{control<QPushButton>("cmdTagChange"), control<QPushButton>("cmdAvrChange"), control<QRadioButton>("OptBurn_0"), control<QRadioButton>("Option1_0"), control<QRadioButton>("OptMode_1")};
    editor().cmdChangeRange_Click();  // its mode option redraws the view on the way
    for (QWidget* control : others)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    editor().cmdRangeCancel_Click();
    for (QWidget* control : others)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();

    modal.onOpen = [](QDialog& dialog) {
        dynamic_cast<frmpot&>(dialog).Optwire[1]->click();
        dynamic_cast<frmpot&>(dialog).ComDone->click();
    };
    control<QRadioButton>("Option1_3")->click();
    EXPECT_EQ(edit().InputCode, CodePotentiometer4Wire);
    EXPECT_TRUE(!control<QRadioButton>("Option1_3")->isChecked() && label("LabPot")->font().bold() && !label("LabRTD")->font().bold());
    EXPECT_FALSE(control<QPushButton>("cmdChangeRange")->isEnabled());
    editor().cmdAvrChange_Click();
    editor().cmdAvrDone_Click();  // enabling the fields again leaves the fixed range alone
    EXPECT_FALSE(control<QPushButton>("cmdChangeRange")->isEnabled());

    // The voltage input needs no dialog, stays selected and offers the mV units.
    modal.onOpen = [](QDialog&) { ADD_FAILURE() << "no dialog expected"; };
    control<QRadioButton>("Option1_2")->click();
    EXPECT_TRUE(edit().InputCode == CodeVoltage && edit().Units == UnitsMillivolt && edit().RangeMax == NoValue);
    EXPECT_TRUE(app->link().update.UpdateKind == UpdateKinds::Full && label("LabVol")->font().bold() && !label("LabPot")->font().bold());
    editor().cmdChangeRange_Click();
    EXPECT_TRUE(!control<QGroupBox>("FrTemp_1")->isHidden() && control<QGroupBox>("FrTemp_0")->isHidden() && control<QRadioButton>("OptTemp_4")->isChecked());
}

TEST_F(Editor, OptionGroupsWriteTheRecord)
{
    openEditor();
    control<QRadioButton>("OptBurn_0")->click();
    EXPECT_TRUE(edit().BurnOut == 1 && isRedText(label("lbWHead_6")));
    control<QRadioButton>("OptMode_1")->click();
    EXPECT_EQ(edit().Mode, 1);
    // Ambient units must match temperature units: °F is refused while measuring in °C.
    control<QRadioButton>("OptAmbient_1")->click();
    EXPECT_EQ(lastBox(), QStringLiteral("Temprature's Units Mismatch: The Ambient Temprature Units Must Be\n\r"
                                        "The Same As The Measurements Temprature Units."));
    EXPECT_TRUE(edit().AmbUnits == 0 && control<QRadioButton>("OptAmbient_0")->isChecked());
    // An index outside a group leaves its field without a value.
    const std::pair<void (ConfigurationEditor::*)(int), const char*> missing[] = {
        {&ConfigurationEditor::OptBurn_Click, "Please choose burn-out scale."},
        {&ConfigurationEditor::OptFreq_Click, "Please Choose Mains Frequency."},
        {&ConfigurationEditor::OptMode_Click, "Please choose TC operation mode."},
    };
    for (const auto& [click, message] : missing) {
        (editor().*click)(7);
        EXPECT_EQ(lastBox(), "No Data: " + QString::fromLatin1(message));
    }
}

TEST_F(Editor, TagFollowsTypingAndSerialNumberStandsApart)
{
    openEditor();
    editor().cmdTagChange_Click();
    control<QLineEdit>("TxtTag")->clear();
    QTest::keyClicks(control<QLineEdit>("TxtTag"), QStringLiteral("A\"B-1234567890123456789"));  // no quote, 19 at most
    editor().ComTagCancel_Click();
    EXPECT_EQ(edit().Tag, QStringLiteral("AB-1234567890123456"));
    editor().cmdTagChange_Click();
    editor().ComTagDone_Click();
    EXPECT_TRUE(isRedText(label("lbWHead_1")));

    // A tag the unit pads with blanks is the same tag.
    edit().Tag = unitConf().Tag + QStringLiteral("   ");
    w().ShowEditConf();
    EXPECT_FALSE(isRedText(label("lbWHead_1")));

    Session& s = app->session();
    editor().cmdSerialChange_Click();
    for (const char* refused : {"099999", "09999999", "09a9999"}) {
        op.boxes.clear();
        control<QLineEdit>("txtSerial")->setText(QString::fromLatin1(refused));
        editor().cmdSerialDone_Click();
        EXPECT_EQ(lastBox(), QStringLiteral("Illegal value: The Serial Number Must Have 7 Digits (0 - 9).")) << refused;
        EXPECT_FALSE(app->link().update.SerialChanged || control<QLineEdit>("txtSerial")->isHidden()) << refused;
    }
    control<QLineEdit>("txtSerial")->setText(QStringLiteral("0999999"));
    editor().cmdSerialDone_Click();
    EXPECT_EQ(label("lbWData_0")->text(), edit().Serial);
    EXPECT_TRUE(s.view.ConfDiffers && app->link().update.SerialChanged && w().ToolbarButton(2)->isEnabled());
    edit().Serial = unitConf().Serial;
    editor().cmdSerialChange_Click();
    editor().cmdSerialCancel_Click();
    EXPECT_FALSE(s.view.ConfDiffers || app->link().update.SerialChanged);
}

TEST_F(Editor, DisplayRangeIsRoundedAndHeldTo16Bits)
{
    openEditor();
    const std::int16_t low = edit().DispLow;
    control<QLineEdit>("txt_discall")->setText(QStringLiteral("abc"));
    editor().Com_discal_dune_Click();
    EXPECT_EQ(lastBox(), QStringLiteral("Not Numeric: 'Display Low Range' should receive onlt numeric data"));
    EXPECT_TRUE(isRed(control<QLineEdit>("txt_discall")) && edit().DispLow == low);
    control<QLineEdit>("txt_discall")->setText(QStringLiteral("-12.5"));
    control<QLineEdit>("txt_discalh")->setText(QStringLiteral("40000"));
    editor().Command1_Click();
    EXPECT_TRUE(edit().DispLow == -12 && edit().DispHigh == 32767 && !isRed(control<QLineEdit>("txt_discall")));
}

TEST_F(Editor, RangeAcceptedRangeSetsTheDisplayRange)
{
    openEditor();
    editor().cmdChangeRange_Click();
    EXPECT_FALSE(control<QGroupBox>("FrTemp_0")->isHidden());
    control<QLineEdit>("TxtTempMax")->setText(QStringLiteral("250.5"));
    editor().cmdRangeDone_Click();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(edit().RangeMax == 250.5f && isRedText(label("lbWHead_3")) && control<QGroupBox>("FrTemp_0")->isHidden());
    EXPECT_EQ(control<QLineEdit>("txt_discalh")->text(), QStringLiteral("250.5"));
    EXPECT_TRUE(edit().DispLow == 0 && edit().DispHigh == 250);  // half to even
    EXPECT_TRUE(w().ToolbarButton(2)->isEnabled());
}

TEST_F(Editor, RangePercentPresetsZeroToHundred)
{
    openEditor();
    editor().cmdChangeRange_Click();
    control<QLineEdit>("TxtTempMax")->setText(QStringLiteral("50"));
    control<QRadioButton>("OptTemp_6")->click();
    EXPECT_EQ(lastBox(), QStringLiteral("Preset Values: Since The Units Choosen are % \n\rThe Maximum Range is Set On 100\n\r"
                                        "And The Minimum Range is Set On 0"));
    editor().cmdRangeDone_Click();
    EXPECT_EQ(op.boxes.size(), 1u) << op.transcript().toStdString();
    EXPECT_TRUE(edit().RangeMin == 0 && edit().RangeMax == 100 && edit().Units == UnitsPercent);
}

TEST_F(Editor, RangeFahrenheitSwitchesTheAmbientUnitsBeforeTheChecks)
{
    openEditor();
    editor().cmdChangeRange_Click();
    control<QRadioButton>("OptTemp_1")->click();
    control<QLineEdit>("txtTempMin")->clear();
    editor().cmdRangeDone_Click();
    ASSERT_EQ(op.boxes.size(), 2u) << op.transcript().toStdString();
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("Temprature's Units Mismatch"));
    EXPECT_TRUE(op.boxes[0].text.endsWith(QStringLiteral("\n\rThe Ambient Temprature Units Will Change to °F")));
    EXPECT_EQ(op.boxes[1].text, QStringLiteral("Please Fill in 'Minimal Range'"));
    EXPECT_TRUE(edit().AmbUnits == 1 && edit().Units == UnitsCelsius && control<QRadioButton>("OptAmbient_1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("OptAmbient_0")->isEnabled());  // the range is still being edited
}

} // namespace
