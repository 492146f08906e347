#include "app/frm_welcome.h"
#include "app_fixture.h"
#include "platform/widgets/help_window.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>

namespace {

struct MenuRow {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool visible;
    bool enabledWhenCreated;
};

struct MenuTree {
    MenuRow menu;
    std::vector<MenuRow> items;
};

const std::vector<MenuTree> ExpectedMenus = {
    {{"mnuFile", "File", "", true, true}, {
        {"mnuSaveItem", "Save", "Ctrl+S", true, true},
        {"mnuChangePort", "Change Port", "", true, true},
        {"mnuExitItem", "Exit", "Ctrl+X", true, true},
    }},
    {{"mnuCalib", "Configuration", "", true, true}, {
        {"mnuEditItem", "Edit New Configuration", "Ctrl+N", true, true},
        {"mnuOpenItem", "Open Configuration", "Ctrl+O", true, true},
        {"mnuCloseItem", "Close Configuration", "", true, true},
        {"mnuOffsetitem", "Offset Trimming", "", true, false},
        {"mnuErrorCorrection", "Sensor-Tx Calibration", "", true, false},
        {"mnuUndoErrorItem", "Undo Overall or Offset Calibration", "", true, false},
    }},
    {{"mnuConnect", "Connect", "", true, true}, {
        {"mnuConnectItem", "Connect Unit", "Ctrl+C", true, true},
        {"mnuCalibTarvoItem", "Calibrate Rasko", "", false, false},
        {"mnuUpdate", "Update Unit", "Ctrl+U", true, true},
        {"mnuResetMin", "Reset Minimum Reading", "", false, false},
        {"mnuResetMax", "Reset Maximum Reading", "", false, false},
        {"mnuDisconnectItem", "Disconnect Unit", "Ctrl+D", true, true},
    }},
    {{"mnuView", "View", "", true, true}, {
        {"mnuViewReadingItem", "View Unit's Current Reading", "Ctrl+R", true, true},
        {"mnuCloseCurrentViewItem", "Close Unit's Current Reading View", "", true, true},
        {"mnuViewCalibItem", "View Unit's Current Configuration", "Ctrl+V", true, true},
        {"mnuCloseCalibItem", "Close Unit's Current Configuration", "", true, true},
    }},
    {{"mnuPrint", "Print", "", true, true}, {
        {"mnuPrintCalibItem", "Print Connected Unit's Configuration", "Ctrl+P", true, true},
        {"mnuPrintEditItem", "Print Edited Unit's Configuration", "", true, true},
    }},
    {{"mnuHelp", "Help", "", true, true}, {
        {"mnuAboutItem", "About mirtal", "", true, true},
        {"mnuTopicsItem", "Help Topics..F1", "Ctrl+H", true, true},
    }},
};

void expectRow(const QString& name, const QAction* action, const MenuRow& row)
{
    SCOPED_TRACE(row.name);
    EXPECT_EQ(name, QString::fromLatin1(row.name));
    EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut)));
    EXPECT_EQ(action->isVisible(), row.visible);
    EXPECT_EQ(action->isEnabled(), row.enabledWhenCreated);
}

using MainWindow = AppFixture;

TEST_F(MainWindow, MenuTreeAsCreated)
{
    makeApp(); // before start-up sets the command state
    const QList<QAction*> menus = w().menuBar()->actions();
    ASSERT_EQ(menus.size(), qsizetype(ExpectedMenus.size()));
    for (std::size_t m = 0; m < ExpectedMenus.size(); ++m) {
        QMenu* menu = menus[qsizetype(m)]->menu();
        ASSERT_NE(menu, nullptr);
        expectRow(menu->objectName(), menu->menuAction(), ExpectedMenus[m].menu);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), qsizetype(ExpectedMenus[m].items.size())) << ExpectedMenus[m].menu.name;
        for (qsizetype i = 0; i < items.size(); ++i)
            expectRow(items[i]->objectName(), items[i], ExpectedMenus[m].items[std::size_t(i)]);
    }
}

TEST_F(MainWindow, ToolbarButtonsInOrder)
{
    makeApp();
    const QList<QAction*> buttons = w().Toolbar->actions();
    ASSERT_EQ(buttons.size(), 13);
    const char* const tips[13] = {"Start Connection", "Update Unit", "End Connection", nullptr, "New Configuration",
                                  "Open Configuration", "Save Configuration", "Close Configuration", nullptr,
                                  "View Connected Unit's Configuration", "Print Configuration", "Help...", nullptr};
    for (int i = 1; i <= 13; ++i) {
        QAction* button = buttons[i - 1];
        EXPECT_EQ(button, w().ToolbarButton(i));
        EXPECT_EQ(button->objectName(), QStringLiteral("Toolbar_%1").arg(i));
        EXPECT_EQ(button->isSeparator(), i == 4 || i == 9) << i;
        if (tips[i - 1]) {
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(tips[i - 1])) << i;
        }
    }
    EXPECT_TRUE(w().ToolbarButton(13)->toolTip().contains(QStringLiteral("not for use")));
    // Enabled and disabled pictures differ.
    const QIcon icon = w().ToolbarButton(1)->icon();
    EXPECT_NE(icon.pixmap(32, QIcon::Normal).toImage(), icon.pixmap(32, QIcon::Disabled).toImage());
}

TEST_F(MainWindow, ToolbarRunsTheButtonsCommand)
{
    ASSERT_TRUE(startInstalled());
    w().ToolbarButton(10)->trigger(); // disabled while not connected
    EXPECT_FALSE(w().frCurrent[0]->isVisible());
    w().SetCommandState(1);
    w().ToolbarButton(10)->trigger();
    EXPECT_TRUE(w().frCurrent[0]->isVisible());
    EXPECT_TRUE(w().frCurrentReading->isVisible());

    app->session().view.ConfSaved = true;
    w().ssInfo->show();
    w().Toolbar_ButtonClick(8);
    EXPECT_TRUE(w().ssInfo->isHidden());
    EXPECT_FALSE(w().ToolbarButton(8)->isEnabled());

    for (const int nothing : {4, 9, 13, 0, 14})
        w().Toolbar_ButtonClick(nothing);
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(endRequests.empty());
}

TEST_F(MainWindow, ClosingTheWindowOffersToSaveAnOpenChangedConfiguration)
{
    struct Case {
        const char* name;
        bool editorOpen;
        bool saved;
        bool viaMenu;
        std::vector<bool> answers;
    };
    const Case cases[] = {
        {"changed, answer yes", true, false, false, {true}},
        {"changed, answer no", true, false, false, {false}},
        {"changed, exit from the menu", true, false, true, {false}},
        {"saved", true, true, false, {}},
        {"no configuration open", false, false, true, {}},
    };
    const ScriptedOperator::Box saveQuestion{QStringLiteral("Save Calibration?"),
                                             QStringLiteral("The Calibration Has Changed, Would You Like to Save The Changes?"), true};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        op.boxes.clear();
        endRequests.clear();
        ASSERT_TRUE(startInstalled());
        w().ssInfo->setVisible(c.editorOpen);
        app->session().view.ConfSaved = c.saved;
        for (const bool answer : c.answers)
            op.answer(answer);

        if (c.viaMenu)
            w().mnuExitItem->trigger();
        else
            w().close();

        EXPECT_EQ(op.boxes, c.answers.empty() ? std::vector<ScriptedOperator::Box>{} : std::vector{saveQuestion});
        EXPECT_EQ(endRequests, std::vector<int>{0});
        EXPECT_FALSE(w().isVisible());
    }
}

TEST_F(MainWindow, ExitButtonAsksFirst)
{
    const ScriptedOperator::Box exitQuestion{QStringLiteral("Exit   System"),
                                             QStringLiteral("Are You Sure You Wish to Exit The  System?"), true};
    ASSERT_TRUE(startInstalled());
    w().ssInfo->show();
    app->session().view.ConfSaved = false;

    op.answer(false);
    w().pibExit->click();
    EXPECT_EQ(op.boxes, std::vector{exitQuestion});
    EXPECT_TRUE(endRequests.empty());
    EXPECT_TRUE(w().isVisible());
    EXPECT_FALSE(w().ssInfo->isHidden());

    // Yes closes the configuration first, which offers to save it.
    op.boxes.clear();
    op.answer(true);
    op.answer(false);
    w().pibExit_Click();
    ASSERT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[0], exitQuestion);
    EXPECT_EQ(op.boxes[1].title, QStringLiteral("Save Calibration?"));
    EXPECT_TRUE(w().ssInfo->isHidden());
    EXPECT_EQ(endRequests, std::vector<int>{0});
    EXPECT_EQ(app->exitCode(), 0);
}

TEST_F(MainWindow, HelpShowsTheHelpFileOrReportsItMissing)
{
    ASSERT_TRUE(startInstalled());
    w().mnuTopicsItem->trigger();
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{QStringLiteral("Illegal Pathname"),
                                                QStringLiteral("Can't access file: '") + path(QStringLiteral("help.html")) + QStringLiteral("'.")}));
    EXPECT_TRUE(endRequests.empty());
    EXPECT_TRUE(w().isVisible());

    op.boxes.clear();
    writeFile(QStringLiteral("help.html"), "<html><body><h1>Connecting</h1><p>Press Start.</p></body></html>");
    w().ToolbarButton(12)->trigger();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    auto* help = w().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Press Start.")));

    w().pibHelp->click(); // the help picture button has no command
    EXPECT_TRUE(op.boxes.empty());
}

} // namespace
