#include "view_fixture.h"

#include "views/unit_view.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

void expectTexts(std::initializer_list<std::pair<QLabel*, QString>> expected)
{
    for (const auto& [label, text] : expected)
        EXPECT_EQ(label->text(), text) << label;
}

} // namespace

TEST(UnitView, ConnectedRtdFillsEveryForm)
{
    Views v;
    v.session.UnitConf = RtdConf();
    ShowUnitConf(v.session, v.targets);
    const UnitPanel& m = v.targets.unit;
    const PrintConForm& pc = v.targets.printCon;
    const SummaryForm& st = v.targets.status;
    const QString c = QStringLiteral("\u00B0C");
    // The edited printout keeps the edited configuration: nothing of the unit goes there.
    expectTexts({{m.LbData[0], "A1234"}, {v.targets.printSts.LbData[0], ""}, {m.LbData[2], "Pt100"},
                 {m.LbData[3], "-50"}, {pc.LbData[4], "-50"}, {st.LbData[5], "150"}, {m.LbData[20], "-50"},
                 {m.LbData[21], "150"}, {m.LbData[5], "19.8"}, {pc.LbData[15], "30.2"}, {st.LbData[6], "Down Scale"},
                 {m.LbData[8], "Up Scale"}, {m.LbData[10], "Single Sensor"}, {m.LbData[11], "23.5"},
                 {st.LbData[13], "23.5"}, {v.targets.calibration[1].lbCurrRead, "25.2"}, {pc.LbData[3], "3 wire"},
                 {m.LbData[16], "4"}, {pc.LbData[11], "20"}, {m.LbData[18], "2.5"}, {m.LbData[19], c},
                 {pc.LbUnit[1], c}, {m.LbUnit[4], c}, {v.targets.calibration[0].lbCurrUnit, c}, {m.LbUnit[5], c},
                 {m.Label13, "25.2 " + c}});
    EXPECT_FALSE(m.LbData[12]->text().isEmpty() || m.LbData[15]->text().isEmpty());  // date and time
    for (int i = 0; i <= 17; ++i)
        EXPECT_EQ(labelColour(m.LbHead[i]), i == 12 ? Blue : DarkBlue) << i;
    for (QLabel* l : {st.LbData[8], pc.LbHead[8], v.targets.printSts.LbData[8]})
        EXPECT_TRUE(l->isHidden());
}

TEST(UnitView, TenthTextRoundsHalfToEvenExceptVoltageReadings)
{
    struct Case {
        std::uint8_t inputClass;
        float reading;
        const char* shown;
    } const cases[] = {
        {ClassRtd, 25.25f, "25.2"},           {ClassRtd, 25.75f, "25.8"},
        {ClassThermocouple, -0.25f, "-0.2"},  {ClassThermocouple, 1234.56f, "1234.6"},
        {ClassVoltage, 12.345f, "12.345"},    {ClassRtd, 3e8f, ""},  // tenfold beyond 32 bits
        {ClassRtd, NoValue, ""},              {ClassVoltage, NoValue, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Views v;
        v.session.UnitConf = RtdConf();
        v.session.UnitConf.InputClass = c.inputClass;
        v.session.UnitConf.Reading = v.session.UnitConf.MaxRead = c.reading;
        v.session.UnitConf.OutMin = 4.25f;  // output limits are rounded for every input
        ShowUnitConf(v.session, v.targets);
        expectTexts({{v.targets.unit.LbData[13], c.shown}, {v.targets.unit.LbData[6], c.shown},
                     {v.targets.printCon.LbData[16], c.shown}, {v.targets.printCon.LbData[10], "4.2"}});
    }
}

TEST(UnitView, MarkersLeaveTheirLabelsAlone)
{
    Views v;
    ConfRecord& c = v.session.UnitConf = RtdConf();
    c.Reading = 8388607.0f, c.MinRead = 4194303.0f, c.MaxRead = -4194303.0f, c.AmbRead = 32767.0f;
    c.RangeMin = NoValue;
    ShowBurnOut(v.targets);
    ShowNoMinReading(v.targets);
    ShowNoMaxReading(v.targets);
    ShowNoAmbientReading(v.targets);
    UnitPanel& m = v.targets.unit;
    PrintConForm& pc = v.targets.printCon;
    for (QLabel* l : {m.LbData[20], pc.LbUnit[2], pc.LbUnit[5], v.targets.status.LbData[13]})
        l->setText(QStringLiteral("kept"));
    ShowUnitConf(v.session, v.targets);
    const QString none = QStringLiteral("No Reading");
    expectTexts({{m.LbData[13], "Burn Out"}, {pc.LbData[16], "Burn Out"}, {m.LbUnit[4], " "},
                 {v.targets.calibration[0].lbCurrRead, "Burn Out"}, {v.targets.calibration[1].lbCurrUnit, " "},
                 {m.LbData[5], none}, {pc.LbData[14], none}, {m.LbUnit[2], " "}, {pc.LbUnit[2], "kept"},
                 {m.LbData[6], none}, {pc.LbData[15], none}, {m.LbUnit[3], " "}, {m.LbData[11], none},
                 {pc.LbData[17], none}, {m.LbUnit[5], " "}, {pc.LbUnit[5], "kept"}, {v.targets.status.LbData[13], ""},
                 {m.LbData[3], ""}, {v.targets.printSts.LbData[4], ""}, {m.LbData[20], "kept"},
                 {m.Label13, "Burn Out  "}});
}

TEST(UnitView, ModeRowsFollowTheInput)
{
    Views v;
    for (const auto& [inputClass, visible] : {std::pair{ClassPotentiometer, false}, std::pair{ClassResistor, true}}) {
        v.session.UnitConf = RtdConf();
        v.session.UnitConf.InputClass = inputClass;
        ShowUnitConf(v.session, v.targets);
        for (QLabel* l : {v.targets.unit.LbHead[11], v.targets.unit.LbData[10], v.targets.status.LbHead[9],
                          v.targets.printCon.LbData[9]})
            EXPECT_EQ(l->isHidden(), !visible) << int(inputClass);
    }
}

TEST(UnitView, ClearingEmptiesTheConnectedUnitLabels)
{
    Views v;
    v.session.UnitConf = RtdConf();
    ShowUnitConf(v.session, v.targets);
    const UnitPanel& m = v.targets.unit;
    for (QLabel* l : m.LbHead)
        setLabelColour(l, Red);
    ClearUnitPanel(v.targets);
    for (int i = 0; i <= 19; ++i)
        EXPECT_EQ(m.LbData[i]->text(), QString()) << i;
    EXPECT_EQ(m.LbData[20]->text(), QStringLiteral("-50"));
    for (QLabel* l : m.LbUnit)
        EXPECT_EQ(l->text(), QString());
    for (QLabel* l : v.targets.printCon.LbData)
        EXPECT_EQ(l->text(), QString());
    for (std::size_t i = 0; i < m.LbHead.size(); ++i)  // the headings beyond 17 keep their colour
        EXPECT_EQ(labelColour(m.LbHead[i]), i == 12 ? Blue : i <= 17 ? QColor(8, 8, 8) : Red) << i;
}
