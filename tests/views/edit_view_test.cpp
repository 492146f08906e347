#include "view_fixture.h"

#include "views/edit_view.h"

#include <gtest/gtest.h>

#include <set>

namespace {

void expectEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        EXPECT_EQ(control->isEnabled(), enabled) << control;
}

} // namespace

TEST(EditView, FreshConfigurationShowsNothingAndLocksTheEditor)
{
    Views v;
    ShowEditConf(v.session, v.targets, v.setState);
    const EditPanel& e = v.targets.edit;
    for (QLabel* l : {e.lbWData[4], e.lbWData[5], e.lbWUnit[0], e.lbWUnit[1], v.targets.status.LbData[4]})
        EXPECT_EQ(l->text(), QString());
    EXPECT_EQ(v.targets.status.LbUnit[0]->text(), QStringLiteral("?"));
    EXPECT_EQ(v.targets.printSts.LbUnit[1]->text(), QStringLiteral("?"));
    EXPECT_EQ(v.targets.status.LbHead[3]->text(), QStringLiteral("Pot. Range :"));
    expectEnabled({e.lbWHead[9], e.lbWData[9], e.FrMode, e.LabModeDif, e.LabModeNor, e.OptMode[0], e.OptMode[1],
                   e.cmdChangeRange, e.cmdTagChange, e.Frame2, e.FrBurn, e.cmdDirChange, e.cmdAvrChange, e.FrFreq},
                  false);
    EXPECT_EQ(labelColour(e.lbWData[2]), Blue);
    EXPECT_EQ(labelColour(e.lbWHead[0]), windowTextColour(e.lbWHead[0]));
    EXPECT_TRUE(v.states.empty());
    EXPECT_TRUE(v.session.view.ConfSaved);
}

TEST(EditView, InputClassSetsRangeHeadingModeRowAndRangeButton)
{
    struct Case {
        std::uint8_t inputClass;
        const char *heading, *inputType, *wires;
        bool rangeButton, mode;
    } const cases[] = {
        {ClassRtd, "Temp. Range :", "3 wire  Pt100", "3 wire", true, true},
        {ClassThermocouple, "Temp. Range :", "3 wire  Pt100", "3 wire", true, true},
        {ClassPotentiometer, "Pot. Range :", "3 wire  Pt100", "3 wire", false, false},
        {ClassVoltage, "Volt. Range :", "  Pt100", "", true, true},
        {ClassResistor, "Resist. Range :", "3 wire  Pt100", "3 wire", true, true},
    };
    Views v;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading + std::to_string(c.inputClass));
        v.session.EditConf = ConfRecord{};  // locks every control first
        ShowEditConf(v.session, v.targets, v.setState);
        v.session.EditConf = RtdConf();
        v.session.EditConf.InputClass = c.inputClass;
        ShowEditConf(v.session, v.targets, v.setState);
        const EditPanel& e = v.targets.edit;
        EXPECT_EQ(v.targets.status.LbHead[3]->text(), c.heading);
        EXPECT_EQ(e.lbWData[2]->text(), c.inputType);
        EXPECT_EQ(e.lbWData[3]->text(), c.wires);
        EXPECT_EQ(e.lbWData[12]->text(), QStringLiteral("2.5"));
        EXPECT_EQ(e.cmdChangeRange->isEnabled(), c.rangeButton);
        expectEnabled({e.cmdTagChange, e.Frame2, e.FrBurn, e.cmdDirChange, e.cmdAvrChange, e.FrFreq, e.FrAmbient}, true);
        expectEnabled({e.lbWHead[9], e.FrMode, e.OptMode[1], v.targets.status.LbHead[9]}, c.mode);
        EXPECT_EQ(v.targets.printSts.LbData[9]->isHidden(), !c.mode);
    }
}

TEST(EditView, DifferencesPaintTheHeadingBesideTheValue)
{
    struct Case {
        const char* name;
        void (*change)(ConfRecord& unit, ConfRecord& edit);
        std::set<int> editHeads, statusHeads;  // painted red; -1 stands for the two unit labels
        bool differs, saved;
    } const cases[] = {
        {"nothing", [](ConfRecord&, ConfRecord&) {}, {}, {}, false, true},
        {"empty range ends", [](ConfRecord& u, ConfRecord& e) { u.RangeMax = e.RangeMax = NoValue; }, {}, {}, false,
         true},
        {"burn-out", [](ConfRecord&, ConfRecord& e) { e.BurnOut = 0; }, {}, {6}, true, false},
        {"serial", [](ConfRecord&, ConfRecord& e) { e.Serial = "B1"; }, {0}, {}, false, false},
        {"display range", [](ConfRecord&, ConfRecord& e) { e.DispLow = 0, e.DispHigh = 99; }, {}, {15, 16}, true, true},
        {"4 vs 4.0001", [](ConfRecord& u, ConfRecord& e) { u.RangeMin = 4, e.RangeMin = 4.0001f; }, {4}, {4}, true,
         false},
        {"wires", [](ConfRecord&, ConfRecord& e) { e.Wires = 2; }, {2}, {2}, true, false},
        {"output min", [](ConfRecord&, ConfRecord& e) { e.OutMin = 3.9f; }, {11}, {11}, true, false},
        {"output max", [](ConfRecord&, ConfRecord& e) { e.OutMax = 21; }, {12}, {12}, true, false},
        {"damping", [](ConfRecord&, ConfRecord& e) { e.Damping = 1; }, {10}, {10}, true, false},
        {"units", [](ConfRecord&, ConfRecord& e) { e.Units = UnitsFahrenheit; }, {-1}, {-1}, true, false},
        {"mode", [](ConfRecord&, ConfRecord& e) { e.Mode = 1; }, {9}, {9}, true, false},
        {"mode of a potentiometer",
         [](ConfRecord& u, ConfRecord& e) { u.InputClass = e.InputClass = ClassPotentiometer, e.Mode = 1; }, {}, {},
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Views v;
        v.session.UnitConf = v.session.EditConf = RtdConf();
        c.change(v.session.UnitConf, v.session.EditConf);
        ShowEditConf(v.session, v.targets, v.setState);
        for (int i = 0; i <= 13; ++i)
            EXPECT_EQ(labelColour(v.targets.edit.lbWHead[i]) == Red, c.editHeads.contains(i)) << "lbWHead " << i;
        EXPECT_EQ(labelColour(v.targets.edit.lbWUnit[1]) == Red, c.editHeads.contains(-1));
        for (int i = 0; i <= 16; ++i)
            EXPECT_EQ(labelColour(v.targets.status.LbHead[i]) == Red, c.statusHeads.contains(i)) << "LbHead " << i;
        EXPECT_EQ(labelColour(v.targets.status.LbUnit[0]) == Red, c.statusHeads.contains(-1));
        EXPECT_EQ(v.session.view.ConfDiffers, c.differs);
        EXPECT_EQ(v.session.view.ConfSaved, c.saved);
        EXPECT_EQ(v.states, c.saved ? std::vector<CommandStates>{} : std::vector<CommandStates>{CommandStates::Edited});
    }
}

TEST(EditView, OnlyTheFullRedrawTakesRedHeadingsBack)
{
    Views v;
    v.session.UnitConf = v.session.EditConf = RtdConf();
    v.session.EditConf.Tag = QStringLiteral("TT-102");
    v.session.EditConf.DispLow = 0;
    ShowEditConf(v.session, v.targets, v.setState);
    v.session.EditConf = v.session.UnitConf;
    MarkEditPanelChanges(v.session, v.targets, v.setState);
    EXPECT_EQ(labelColour(v.targets.edit.lbWHead[1]), Red);
    ShowEditConf(v.session, v.targets, v.setState);
    EXPECT_NE(labelColour(v.targets.edit.lbWHead[1]), Red);
    EXPECT_EQ(labelColour(v.targets.status.LbHead[1]), DarkGreen);
    EXPECT_EQ(labelColour(v.targets.status.LbHead[15]), Red);  // the display row is never reset
    EXPECT_EQ(v.states, std::vector<CommandStates>{CommandStates::Edited});
}
