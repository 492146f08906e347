#include "dialog_fixture.h"
#include "dialogs/rtd_type.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

using RtdTypeDialog = DialogTest;

TEST_F(RtdTypeDialog, PlatinumPt100Curve392ThreeWire)
{
    auto rtd = open<RTDtype>();
    click({rtd->Opttype[2]}); // copper first: no type or standard to choose
    for (QRadioButton* option : {rtd->OptPt[1], rtd->Optstd[0], rtd->OptNi[2]})
        EXPECT_FALSE(option->isEnabled());
    click({rtd->Opttype[0], rtd->OptPt[1], rtd->Optstd[1], rtd->Optwire[0]});
    EXPECT_TRUE(rtd->FrPt->isVisible());
    EXPECT_FALSE(rtd->OptNi[0]->isEnabled());
    click({rtd->ComDone});

    expectInput(0x4D, "Pt-100 (392)", 1);
    EXPECT_EQ(session.EditConf.InputClass, ClassRtd);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(rtd->isVisible());
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(RtdTypeDialog, WiringOptionsWithTheUnclickedNickelType)
{
    const std::uint8_t wires[] = {1, 2, 0}; // options: three-, four-, two-wire
    for (int option = 0; option < 3; ++option) {
        auto rtd = open<RTDtype>();
        click({rtd->Opttype[1], rtd->findChild<QRadioButton*>(QStringLiteral("Optwire_%1").arg(option)), rtd->ComDone});
        expectInput(catalogue.nickelCodes[0][wires[option]], "Ni - 120", wires[option]);
    }
}

TEST_F(RtdTypeDialog, MissingChoiceKeepsTheWindowOpenAndTheRecordUnchanged)
{
    const ConfRecord before = session.EditConf;
    for (int missing = 0; missing < 3; ++missing) {
        SCOPED_TRACE(missing);
        op.boxes.clear();
        auto rtd = open<RTDtype>();
        if (missing != 0) // wiring
            click({rtd->Optwire[0]});
        if (missing == 1) // standard of a platinum sensor
            click({rtd->Opttype[0]});
        if (missing == 2) // metal
            rtd->Optstd[0]->setChecked(true);
        click({rtd->ComDone});
        EXPECT_EQ(op.only(), (ScriptedOperator::Box{"No Data", "Illegal values. Please fill in the data"}));
        EXPECT_EQ(session.EditConf, before);
        EXPECT_TRUE(rtd->isVisible());
    }
    EXPECT_EQ(redraws, 0);
}

TEST_F(RtdTypeDialog, UnitsAndRangeFollowTheConnectedUnit)
{
    auto choosePt500 = [this](float low, float high) {
        session.EditConf.RangeMin = low;
        session.EditConf.RangeMax = high;
        auto rtd = open<RTDtype>();
        click({rtd->Opttype[0], rtd->OptPt[2], rtd->Optstd[0], rtd->Optwire[2], rtd->ComDone});
        EXPECT_EQ(session.EditConf.InputName, QStringLiteral("Pt-500 (385)"));
        return std::pair{session.EditConf.RangeMin, session.EditConf.RangeMax};
    };
    session.UnitConf.Units = UnitsFahrenheit; // limits -328 .. 1112 °F
    EXPECT_EQ(choosePt500(0, 1000), std::pair(0.0f, 1000.0f));
    EXPECT_EQ(session.EditConf.Units, UnitsFahrenheit);
    EXPECT_EQ(choosePt500(0, 1200), std::pair(0.0f, NoValue));
    EXPECT_EQ(choosePt500(-400, 1100), std::pair(NoValue, 1100.0f));

    // A unit scaled in % lends its ambient units, and the whole range goes.
    session.UnitConf.Units = UnitsPercent;
    session.UnitConf.AmbUnits = UnitsCelsius;
    EXPECT_EQ(choosePt500(0, 100), std::pair(NoValue, NoValue));
    EXPECT_EQ(session.EditConf.Units, UnitsCelsius);
}

} // namespace
