#include "dialog_fixture.h"
#include "dialogs/frm_pot.h"
#include "dialogs/res_type.h"
#include "dialogs/rtd_type.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

using WiringDialogs = DialogTest;

const ScriptedOperator::Box noWiring{"No Data", "Illegal data. Please fill in unit specifi" "cations."};

TEST_F(WiringDialogs, ResistorOptionWritesAtOnceAndDoneSetsOhmWithoutMarkingTheHeading)
{
    setInput(session.EditConf, 0x61);
    auto res = open<ResType>();
    click({res->Optwire[2], res->Comcancel});
    EXPECT_FALSE(res->isVisible());
    expectInput(CodeResistor2Wire, "Resistor", 0);
    EXPECT_EQ(session.EditConf.InputClass, ClassResistor);

    setInput(session.EditConf, 0x61);
    setInput(session.UnitConf, 0x61);
    session.EditConf.RangeMin = 0;
    res = open<ResType>();
    click({res->ComDone});
    EXPECT_EQ(op.only(), noWiring);
    click({res->Optwire[0], res->ComDone});
    EXPECT_FALSE(res->isVisible());
    expectInput(CodeResistor3Wire, "Resistor", 1);
    EXPECT_EQ(std::pair(session.EditConf.Units, session.EditConf.RangeMin), std::pair(UnitsOhm, NoValue));
    EXPECT_EQ(std::tuple(redraws, headingMarks), std::tuple(1, 0));
}

TEST_F(WiringDialogs, PotentiometerIsAlwaysZeroToHundredPercentAndCancelWritesNothing)
{
    setInput(session.EditConf, 0x61);
    const ConfRecord before = session.EditConf;
    auto pot = open<frmpot>();
    click({pot->ComDone});
    EXPECT_EQ(op.only(), noWiring);
    click({pot->Optwire[1], pot->Comcancel});
    EXPECT_EQ(session.EditConf, before);

    for (std::uint8_t wires : {1, 2}) {
        session.EditConf.Wires = wires; // preselects the option, as a click would
        session.EditConf.RangeMin = -50;
        session.EditConf.Units = UnitsCelsius;
        pot = open<frmpot>();
        click({pot->ComDone});
        expectInput(wires == 1 ? CodePotentiometer3Wire : CodePotentiometer4Wire, "Poteniometer", wires);
        EXPECT_EQ(std::tuple(session.EditConf.RangeMin, session.EditConf.RangeMax, session.EditConf.Units),
                  std::tuple(0.0f, 100.0f, UnitsPercent));
    }
}

// The connected unit has a Pt-100 (392) three-wire.
TEST_F(WiringDialogs, NewInputOnlyWhenNameClassAndCodeAllDiffer)
{
    setInput(session.UnitConf, 0x4D);
    // Four-wire: same name and class. Pt-100 (385): same class.
    for (int standard : {1, 0}) {
        auto rtd = open<RTDtype>();
        click({rtd->Opttype[0], rtd->OptPt[1], rtd->Optstd[standard], rtd->Optwire[1], rtd->ComDone});
        EXPECT_EQ(headingMarks, 0);
    }
    auto pot = open<frmpot>();
    click({pot->Optwire[0], pot->ComDone});
    EXPECT_EQ(headingMarks, 1);
}

} // namespace
