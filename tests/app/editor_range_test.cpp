#include "editor_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {

using InputRange = EditorFixture;

TEST_F(InputRange, AcceptedRangeSetsTheDisplayRange)
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

TEST_F(InputRange, PercentPresetsZeroToHundred)
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

TEST_F(InputRange, FahrenheitSwitchesTheAmbientUnitsBeforeTheChecks)
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
