#include "app/command_state.h"
#include "app_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace {

struct Transition {
    const char* name;
    std::vector<int> codes; // applied in order after start-up (state 0)
    bool linkOpen = false;
    bool editorOpen = false;
    std::uint8_t inputClass = 0;
    std::vector<std::pair<const char*, bool>> expected;
};

const std::vector<Transition> Transitions = {
    {"connected edit, link closed", {3}, false, false, 0,
     {{"Toolbar_1", true}, {"Toolbar_2", false}, {"Toolbar_3", false}, {"Toolbar_5", true}, {"mnuUpdate", true}}},
    {"connected edit, link open", {3}, true, false, 0,
     {{"Toolbar_1", false}, {"Toolbar_2", true}, {"Toolbar_3", true}, {"mnuConnectItem", false}}},
    {"configuration opened while not connected", {0, 2}, false, true, 0,
     {{"Toolbar_7", true}, {"Toolbar_8", true}, {"Toolbar_5", false}, {"Toolbar_1", true}, {"Toolbar_3", false},
      {"mnuSaveItem", true}, {"mnuCloseCalibItem", true}, {"mnuPrintEditItem", true}, {"mnuEditItem", false},
      {"mnuCalib", true}}},
    {"configuration opened while connected", {1, 2}, true, true, 0,
     {{"Toolbar_3", true}, {"Toolbar_1", false}, {"mnuUpdate", false}, {"mnuPrintEditItem", true}}},
    {"open editor enables closing it when not connected", {0}, false, true, 0,
     {{"Toolbar_8", true}, {"mnuCalib", true}}},
    {"disconnected without editor", {1, 4}, false, false, 0,
     {{"Toolbar_1", true}, {"Toolbar_3", false}, {"Toolbar_8", false}, {"mnuCalib", false}, {"mnuConnectItem", true},
      {"mnuView", false}}},
    {"busy disables menus and buttons, not the items", {1, 5}, true, false, 0,
     {{"mnuFile", false}, {"mnuCalib", false}, {"mnuConnect", false}, {"mnuView", false}, {"mnuPrint", false},
      {"mnuHelp", false}, {"Toolbar_1", false}, {"Toolbar_12", false}, {"Toolbar_13", false},
      {"mnuExitItem", true}, {"mnuSaveItem", true}, {"mnuDisconnectItem", true}, {"mnuConnectItem", false}}},
    {"potentiometer range is fixed", {1}, true, false, 2, {{"cmdChangeRange", false}}},
    {"other inputs have a range", {1}, true, false, 4, {{"cmdChangeRange", true}}},
    {"unknown code changes nothing", {1, 9}, true, false, 0,
     {{"Toolbar_3", true}, {"Toolbar_1", false}, {"mnuFile", true}}},
};

using CommandState = AppFixture;

TEST_F(CommandState, TransitionsEnableTheRightCommands)
{
    for (const Transition& t : Transitions) {
        SCOPED_TRACE(t.name);
        op.boxes.clear();
        ASSERT_TRUE(startInstalled());
        Session& s = app->session();
        app->link().state.LinkOpen = t.linkOpen;
        s.EditConf.InputClass = t.inputClass;
        editor().setVisible(t.editorOpen);
        for (const int code : t.codes)
            w().SetCommandState(CommandStates(code));
        EXPECT_EQ(s.CommandState, CommandStates(t.codes.back()));
        for (const auto& [control, on] : t.expected)
            EXPECT_EQ(enabled(QString::fromLatin1(control)), on) << control;
    }
    // Every control of the table exists; busy disables every menu and toolbar button.
    w().SetCommandState(CommandStates::Busy);
    for (const CommandStateRow& row : CommandStateTable()) {
        QObject* control = w().findChild<QObject*>(QString::fromLatin1(row.control));
        ASSERT_NE(control, nullptr) << row.control;
        if (QString::fromLatin1(row.control).startsWith(QStringLiteral("Toolbar_")) || qobject_cast<QMenu*>(control))
            EXPECT_FALSE(enabled(QString::fromLatin1(row.control))) << row.control;
    }
}

TEST_F(CommandState, StatusTextAndUnitPanels)
{
    ASSERT_TRUE(startInstalled());
    w().pibViewStat_Click();
    label("Label13")->setText(QStringLiteral("25.2 °C"));

    for (const CommandStates busyOrConnected : {CommandStates::Busy, CommandStates::Connected}) {
        w().SetCommandState(busyOrConnected);
        EXPECT_EQ(label("Label13")->text(), QStringLiteral("25.2 °C"));
    }
    w().SetCommandState(CommandStates::NotConnected);
    EXPECT_EQ(label("Label13")->text(), QStringLiteral("Not Connected"));
    EXPECT_FALSE(control<QGroupBox>("frCurrent_0")->isHidden()); // only a disconnect hides the panels

    label("Label13")->setText(QStringLiteral("25.2 °C"));
    w().SetCommandState(CommandStates::Disconnected);
    EXPECT_EQ(label("Label13")->text(), QStringLiteral("Not Connected"));
    EXPECT_TRUE(control<QGroupBox>("frCurrent_0")->isHidden() && control<QGroupBox>("frCurrent_1")->isHidden() && control<QGroupBox>("frCurrentReading")->isHidden());
}

} // namespace
