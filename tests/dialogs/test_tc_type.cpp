#include "dialog_fixture.h"
#include "dialogs/tc_type.h"

#include <QListWidget>
#include <QPushButton>

namespace {

using TcTypeDialog = DialogTest;

void clickEntry(TCtype& tc, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QRect entry = tc.ListType->visualItemRect(tc.ListType->item(row));
    QTest::mouseClick(tc.ListType->viewport(), Qt::LeftButton, modifiers, entry.center());
}

TEST_F(TcTypeDialog, ListClickWritesAtOnceAndCancelKeepsIt)
{
    setInput(session.EditConf, 0x4D);
    auto tc = open<TCtype>();
    EXPECT_EQ(tc->ListType->item(12)->text(), QStringLiteral("Type W5"));
    clickEntry(*tc, 1);
    click({tc->ComCancel});
    EXPECT_FALSE(tc->isVisible());
    expectInput(0x62, "T/C Type J", NoCode);
    EXPECT_EQ(session.EditConf.InputClass, ClassThermocouple);
    EXPECT_EQ(redraws, 0);
}

TEST_F(TcTypeDialog, DoneTakesTemperatureUnitsFromTheConnectedUnit)
{
    // Measured units when °C or °F; otherwise (Ohm here) the ambient units.
    const std::uint8_t cases[][3] = {{UnitsFahrenheit, UnitsCelsius, UnitsFahrenheit}, {UnitsOhm, UnitsFahrenheit, UnitsFahrenheit}};
    for (const auto& [units, ambient, expected] : cases) {
        session.UnitConf.Units = units;
        session.UnitConf.AmbUnits = ambient;
        session.EditConf.RangeMin = 0;
        auto tc = open<TCtype>();
        clickEntry(*tc, 13);
        click({tc->ComDone});
        EXPECT_FALSE(tc->isVisible());
        EXPECT_EQ(session.EditConf.InputName, QStringLiteral("T/C Type C"));
        EXPECT_EQ(session.EditConf.Units, expected);
        EXPECT_EQ(session.EditConf.RangeMin, NoValue);
    }
}

TEST_F(TcTypeDialog, NoEntryChosen)
{
    const ConfRecord before = session.EditConf;
    auto tc = open<TCtype>();
    tc->activateWindow();
    tc->ListType->setFocus(Qt::TabFocusReason); // focus alone chooses nothing
    click({tc->ComDone});
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"No Data", "No T/C is specified. Choose one from the list"}));
    EXPECT_TRUE(tc->isVisible());
    EXPECT_EQ(session.EditConf, before);

    clickEntry(*tc, 0);
    session.EditConf = before;
    op.boxes.clear();
    clickEntry(*tc, 0, Qt::ControlModifier); // deselects: no entry under the click
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Illegal value", "Illegal value in list box"}));
    EXPECT_EQ(session.EditConf, before);
}

} // namespace
