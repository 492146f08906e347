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
    EXPECT_TRUE(!w().ssInfo->isHidden() && app->session().view.ConfSaved);
    for (QRadioButton* option : {w().OptBurn[1], w().OptMode[0], w().OptAmbient[1], w().OptTemp[1]})
        EXPECT_TRUE(option->isChecked()) << option->objectName().toStdString();
    EXPECT_EQ(w().pending.units, float(UnitsFahrenheit));
    EXPECT_EQ(edit().Tag, QStringLiteral("TT-101"));  // the tag box, trimmed, writes the record
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(Editor, TextThatIsNotANumberIsRefusedWhileTyping)
{
    openEditor();
    w().cmdDirChange_Click();
    w().txtDirMin->setText(QStringLiteral("-"));  // a minus sign being typed keeps the value
    EXPECT_EQ(w().pending.outputLow, 4.0f);
    const std::vector<std::pair<QLineEdit*, const char*>> boxes{
        {w().txtAverage, "Average"}, {w().txtDirMin, "Minimal Current"}, {w().txtDirMax, "Maximal Current"},
        {w().txtTempMin, "Minimal Temprature"}, {w().TxtTempMax, "Maximal Temprature"}};
    for (const auto& [box, field] : boxes) {
        box->setText(QStringLiteral("abc"));
        EXPECT_EQ(lastBox(), "Not Numeric: '" + QString::fromLatin1(field) + "' should receive onlt numeric data");
        EXPECT_TRUE(isRed(box) && box->text().isEmpty()) << field;
    }
    w().txtDirMin->setText(QStringLiteral("4"));
    EXPECT_FALSE(isRed(w().txtDirMax));  // typing in one box of a pair clears both
    w().cmdDirDone_Click();
    EXPECT_EQ(lastBox(), QStringLiteral("No Data: Please Fill in 'Maximal Current'"));
}

// One field's Change, Done and Cancel buttons, its boxes and the record fields they fill.
struct FieldEditor {
    void (frmMain::*change)();
    void (frmMain::*done)();
    void (frmMain::*cancel)();
    QLineEdit* frmMain::*firstBox;
    QLineEdit* frmMain::*secondBox;
    float ConfRecord::*firstField;
    float ConfRecord::*secondField;
};
const FieldEditor Damping{&frmMain::cmdAvrChange_Click, &frmMain::cmdAvrDone_Click, &frmMain::cmdAvrCancel_Click,
                          &frmMain::txtAverage, nullptr, &ConfRecord::Damping, nullptr};
const FieldEditor Output{&frmMain::cmdDirChange_Click, &frmMain::cmdDirDone_Click, &frmMain::cmsDirCancel_Click,
                         &frmMain::txtDirMin, &frmMain::txtDirMax, &ConfRecord::OutMin, &ConfRecord::OutMax};
const FieldEditor Range{&frmMain::cmdChangeRange_Click, &frmMain::cmdRangeDone_Click, &frmMain::cmdRangeCancel_Click,
                        &frmMain::txtTempMin, &frmMain::TxtTempMax, &ConfRecord::RangeMin, &ConfRecord::RangeMax};

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
        (w().*f.change)();
        (w().*f.firstBox)->setText(QString::fromLatin1(c.first));
        if (f.secondBox)
            (w().*f.secondBox)->setText(QString::fromLatin1(c.second));
        (w().*f.done)();
        EXPECT_EQ(lastBox(), QString::fromUtf8(c.message));
        const bool accepted = *c.message == 0;
        EXPECT_EQ((w().*f.firstBox)->isHidden(), accepted);
        const bool red = isRed(w().*f.firstBox) || (f.secondBox && isRed(w().*f.secondBox));
        EXPECT_EQ(red, !accepted && c.units != NoCode);
        const float expected = accepted ? QString::fromLatin1(c.first).toFloat() : before.*f.firstField;
        EXPECT_EQ(edit().*f.firstField, expected);
        if (f.secondField)
            EXPECT_EQ(edit().*f.secondField, accepted ? QString::fromLatin1(c.second).toFloat() : before.*f.secondField);
        if (!accepted)
            (w().*f.cancel)();
    }
    // The last accepted output range differs from the unit's at its low end.
    for (QLabel* heading : {w().lbWHead[7], w().lbWHead[11]})
        EXPECT_TRUE(isRedText(heading)) << heading->objectName().toStdString();
}

TEST_F(Editor, OneFieldAtATimeAndTheInputTypes)
{
    openEditor();
    const std::vector<QWidget*> others{w().cmdTagChange, w().cmdAvrChange, w().OptBurn[0], w().Option1[0], w().OptMode[1]};
    w().cmdChangeRange_Click();  // its mode option redraws the view on the way
    for (QWidget* control : others)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    w().cmdRangeCancel_Click();
    for (QWidget* control : others)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();

    modal.onOpen = [](QDialog& dialog) {
        dynamic_cast<frmpot&>(dialog).Optwire[1]->click();
        dynamic_cast<frmpot&>(dialog).ComDone->click();
    };
    w().Option1[3]->click();
    EXPECT_EQ(edit().InputCode, CodePotentiometer4Wire);
    EXPECT_TRUE(!w().Option1[3]->isChecked() && w().LabPot->font().bold() && !w().LabRTD->font().bold());
    EXPECT_FALSE(w().cmdChangeRange->isEnabled());
    w().cmdAvrChange_Click();
    w().cmdAvrDone_Click();  // enabling the fields again leaves the fixed range alone
    EXPECT_FALSE(w().cmdChangeRange->isEnabled());

    // The voltage input needs no dialog, stays selected and offers the mV units.
    modal.onOpen = [](QDialog&) { ADD_FAILURE() << "no dialog expected"; };
    w().Option1[2]->click();
    EXPECT_TRUE(edit().InputCode == CodeVoltage && edit().Units == UnitsMillivolt && edit().RangeMax == NoValue);
    EXPECT_TRUE(app->link().update.UpdateKind == UpdateKinds::Full && w().LabVol->font().bold() && !w().LabPot->font().bold());
    w().cmdChangeRange_Click();
    EXPECT_TRUE(!w().FrTemp[1]->isHidden() && w().FrTemp[0]->isHidden() && w().OptTemp[4]->isChecked());
}

TEST_F(Editor, OptionGroupsWriteTheRecord)
{
    openEditor();
    w().OptBurn[0]->click();
    EXPECT_TRUE(edit().BurnOut == 1 && isRedText(w().lbWHead[6]));
    w().OptMode[1]->click();
    EXPECT_EQ(edit().Mode, 1);
    // Ambient units must match temperature units: °F is refused while measuring in °C.
    w().OptAmbient[1]->click();
    EXPECT_EQ(lastBox(), QStringLiteral("Temprature's Units Mismatch: The Ambient Temprature Units Must Be\n\r"
                                        "The Same As The Measurements Temprature Units."));
    EXPECT_TRUE(edit().AmbUnits == 0 && w().OptAmbient[0]->isChecked());
    // An index outside a group leaves its field without a value.
    const std::pair<void (frmMain::*)(int), const char*> missing[] = {
        {&frmMain::OptBurn_Click, "Please choose burn-out scale."},
        {&frmMain::OptFreq_Click, "Please Choose Mains Frequency."},
        {&frmMain::OptMode_Click, "Please choose TC operation mode."},
    };
    for (const auto& [click, message] : missing) {
        (w().*click)(7);
        EXPECT_EQ(lastBox(), "No Data: " + QString::fromLatin1(message));
    }
    edit().AmbUnits = NoCode;
    w().rangeDoneSetsAmbient = true;
    w().OptAmbient_Click(1);
    EXPECT_EQ(lastBox(), QStringLiteral("No Data: Please Choose The Ambient's Units."));
    EXPECT_FALSE(w().rangeDoneSetsAmbient);
}

TEST_F(Editor, TagFollowsTypingAndSerialNumberStandsApart)
{
    openEditor();
    w().cmdTagChange_Click();
    w().TxtTag->clear();
    QTest::keyClicks(w().TxtTag, QStringLiteral("A\"B-1234567890123456789"));  // no quote, 19 at most
    w().ComTagCancel_Click();
    EXPECT_EQ(edit().Tag, QStringLiteral("AB-1234567890123456"));
    w().cmdTagChange_Click();
    w().ComTagDone_Click();
    EXPECT_TRUE(isRedText(w().lbWHead[1]));

    // A tag the unit pads with blanks is the same tag.
    edit().Tag = unitConf().Tag + QStringLiteral("   ");
    w().ShowEditConf();
    EXPECT_FALSE(isRedText(w().lbWHead[1]));

    Session& s = app->session();
    w().cmdSerialChange_Click();
    for (const char* refused : {"099999", "09999999", "09a9999"}) {
        op.boxes.clear();
        w().txtSerial->setText(QString::fromLatin1(refused));
        w().cmdSerialDone_Click();
        EXPECT_EQ(lastBox(), QStringLiteral("Illegal value: The Serial Number Must Have 7 Digits (0 - 9).")) << refused;
        EXPECT_FALSE(app->link().update.SerialChanged || w().txtSerial->isHidden()) << refused;
    }
    w().txtSerial->setText(QStringLiteral("0999999"));
    w().cmdSerialDone_Click();
    EXPECT_EQ(w().lbWData[0]->text(), edit().Serial);
    EXPECT_TRUE(s.view.ConfDiffers && app->link().update.SerialChanged && w().ToolbarButton(2)->isEnabled());
    edit().Serial = unitConf().Serial;
    w().cmdSerialChange_Click();
    w().cmdSerialCancel_Click();
    EXPECT_FALSE(s.view.ConfDiffers || app->link().update.SerialChanged);
}

TEST_F(Editor, DisplayRangeIsRoundedAndHeldTo16Bits)
{
    openEditor();
    const std::int16_t low = edit().DispLow;
    w().txt_discall->setText(QStringLiteral("abc"));
    w().Com_discal_dune_Click();
    EXPECT_EQ(lastBox(), QStringLiteral("Not Numeric: 'Display Low Range' should receive onlt numeric data"));
    EXPECT_TRUE(isRed(w().txt_discall) && edit().DispLow == low);
    w().txt_discall->setText(QStringLiteral("-12.5"));
    w().txt_discalh->setText(QStringLiteral("40000"));
    w().Command1_Click();
    EXPECT_TRUE(edit().DispLow == -12 && edit().DispHigh == 32767 && !isRed(w().txt_discall));
}

TEST_F(Editor, RangeAcceptedRangeSetsTheDisplayRange)
{
    openEditor();
    w().cmdChangeRange_Click();
    EXPECT_FALSE(w().FrTemp[0]->isHidden());
    w().TxtTempMax->setText(QStringLiteral("250.5"));
    w().cmdRangeDone_Click();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(edit().RangeMax == 250.5f && isRedText(w().lbWHead[3]) && w().FrTemp[0]->isHidden());
    EXPECT_EQ(w().txt_discalh->text(), QStringLiteral("250.5"));
    EXPECT_TRUE(edit().DispLow == 0 && edit().DispHigh == 250);  // half to even
    EXPECT_TRUE(w().ToolbarButton(2)->isEnabled());
}

TEST_F(Editor, RangePercentPresetsZeroToHundred)
{
    openEditor();
    w().cmdChangeRange_Click();
    w().TxtTempMax->setText(QStringLiteral("50"));
    w().OptTemp[6]->click();
    EXPECT_EQ(lastBox(), QStringLiteral("Preset Values: Since The Units Choosen are % \n\rThe Maximum Range is Set On 100\n\r"
                                        "And The Minimum Range is Set On 0"));
    w().cmdRangeDone_Click();
    EXPECT_EQ(op.boxes.size(), 1u) << op.transcript().toStdString();
    EXPECT_TRUE(edit().RangeMin == 0 && edit().RangeMax == 100 && edit().Units == UnitsPercent);
}

TEST_F(Editor, RangeFahrenheitSwitchesTheAmbientUnitsBeforeTheChecks)
{
    openEditor();
    w().cmdChangeRange_Click();
    w().OptTemp[1]->click();
    w().txtTempMin->clear();
    w().cmdRangeDone_Click();
    ASSERT_EQ(op.boxes.size(), 2u) << op.transcript().toStdString();
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("Temprature's Units Mismatch"));
    EXPECT_TRUE(op.boxes[0].text.endsWith(QStringLiteral("\n\rThe Ambient Temprature Units Will Change to °F")));
    EXPECT_EQ(op.boxes[1].text, QStringLiteral("Please Fill in 'Minimal Range'"));
    EXPECT_TRUE(edit().AmbUnits == 1 && edit().Units == UnitsCelsius && w().OptAmbient[1]->isChecked());
    EXPECT_FALSE(w().OptAmbient[0]->isEnabled());  // the range is still being edited
}

} // namespace
