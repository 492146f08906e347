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

#include <map>

namespace {

using MainWindow = AppFixture;

TEST_F(MainWindow, MenusAndToolbarAsCreated)
{
    makeApp();
    // Each menu on a line: its items with their shortcuts, "~" before an item that stays hidden.
    QStringList menus;
    for (QAction* menuAction : w().menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menuAction->menu()->actions())
            items << (item->isVisible() ? "" : "~") + item->text()
                    + (item->shortcut().isEmpty() ? QString() : " [" + item->shortcut().toString() + "]");
        menus << menuAction->text() + ": " + items.join(", ");
    }
    EXPECT_EQ(menus, (QStringList{
        "File: Save [Ctrl+S], Change Port, Log Readings..., Export Chart Data..., Unit History..., Exit [Ctrl+X]",
        "Configuration: Edit New Configuration [Ctrl+N], Open Configuration [Ctrl+O], Close Configuration, Offset Trimming, "
        "Sensor-Tx Calibration, Undo Overall or Offset Calibration, Calibration Check...",
        "Connect: Connect Unit [Ctrl+C], ~Calibrate Rasko, Update Unit [Ctrl+U], ~Reset Minimum Reading, "
        "~Reset Maximum Reading, Disconnect Unit [Ctrl+D]",
        "View: View Unit's Current Reading [Ctrl+R], Close Unit's Current Reading View, "
        "View Unit's Current Configuration [Ctrl+V], Close Unit's Current Configuration, Reading Settings...",
        "Print: Print Connected Unit's Configuration [Ctrl+P], Print Edited Unit's Configuration",
        "Help: About mirtal, Help Topics..F1 [Ctrl+H]"}));

    // The toolbar's buttons by their tips, "|" for a separator; the index of each is its command's.
    QStringList tips;
    for (int i = 1; i <= 13; ++i)
        tips << (w().ToolbarButton(i)->isSeparator() ? QStringLiteral("|") : w().ToolbarButton(i)->toolTip());
    EXPECT_EQ(tips.mid(0, 12), (QStringList{"Start Connection", "Update Unit", "End Connection", "|", "New Configuration",
                                            "Open Configuration", "Save Configuration", "Close Configuration", "|",
                                            "View Connected Unit's Configuration", "Print Configuration", "Help..."}));
    EXPECT_TRUE(tips[12].contains(QStringLiteral("not for use")));
    // After the numbered buttons, a separator and the confirming exit.
    EXPECT_EQ(control<QToolBar>("Toolbar")->actions().size(), 15);
    EXPECT_EQ(control<QToolBar>("Toolbar")->actions().last()->toolTip(), QStringLiteral("Exit"));
    const QIcon icon = w().ToolbarButton(1)->icon();  // enabled and disabled pictures differ
    EXPECT_NE(icon.pixmap(32, QIcon::Normal).toImage(), icon.pixmap(32, QIcon::Disabled).toImage());
}

TEST_F(MainWindow, ToolbarRunsTheButtonsCommand)
{
    ASSERT_TRUE(startInstalled());
    w().ToolbarButton(10)->trigger(); // disabled while not connected
    EXPECT_FALSE(control<QGroupBox>("frCurrent_0")->isVisible());
    w().SetCommandState(CommandStates::Connected);
    w().ToolbarButton(10)->trigger();
    EXPECT_TRUE(control<QGroupBox>("frCurrent_0")->isVisible());
    EXPECT_TRUE(control<QGroupBox>("frCurrentReading")->isVisible());

    app->session().view.ConfSaved = true;
    editor().show();
    w().Toolbar_ButtonClick(8);
    EXPECT_TRUE(editor().isHidden());
    EXPECT_FALSE(w().ToolbarButton(8)->isEnabled());

    for (const int nothing : {4, 9, 13, 0, 14})
        w().Toolbar_ButtonClick(nothing);
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(endRequests.empty());
}

TEST_F(MainWindow, LeavingOffersToSaveAnOpenChangedConfigurationAndTheExitButtonAsksFirst)
{
    enum Door { Close, Menu, Button, ToolbarExit };
    struct Case {
        const char* name;
        bool editorOpen, saved;
        Door door;
        std::vector<bool> answers;
        QStringList titles;  // the questions asked
        bool ends;
    };
    const QString save = QStringLiteral("Save Calibration?"), exit = QStringLiteral("Exit   System");
    const Case cases[] = {
        {"changed, answer yes", true, false, Close, {true}, {save}, true},
        {"changed, answer no", true, false, Close, {false}, {save}, true},
        {"changed, exit from the menu", true, false, Menu, {false}, {save}, true},
        {"saved", true, true, Close, {}, {}, true},
        {"no configuration open", false, false, Menu, {}, {}, true},
        {"exit button, no", true, false, Button, {false}, {exit}, false},
        {"exit button, yes closes the configuration first", true, false, Button, {true, false}, {exit, save}, true},
        {"toolbar exit, no", true, false, ToolbarExit, {false}, {exit}, false},
        {"toolbar exit, yes", true, false, ToolbarExit, {true, false}, {exit, save}, true},
    };
    const std::map<QString, QString> texts{
        {save, QStringLiteral("The Calibration Has Changed, Would You Like to Save The Changes?")},
        {exit, QStringLiteral("Are You Sure You Wish to Exit The  System?")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        op.boxes.clear();
        endRequests.clear();
        ASSERT_TRUE(startInstalled());
        editor().setVisible(c.editorOpen);
        app->session().view.ConfSaved = c.saved;
        for (const bool answer : c.answers)
            op.answer(answer);

        if (c.door == Button)
            w().pibExit_Click();
        else if (c.door == ToolbarExit)
            w().findChild<QAction*>(QStringLiteral("Toolbar_Exit"))->trigger();
        else if (c.door == Menu)
            control<QAction>("mnuExitItem")->trigger();
        else
            w().close();

        std::vector<ScriptedOperator::Box> expected;
        for (const QString& title : c.titles)
            expected.push_back({title, texts.at(title), true});
        EXPECT_EQ(op.boxes, expected);
        EXPECT_EQ(endRequests, c.ends ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_EQ(w().isVisible(), !c.ends);
        if (c.door == Button || c.door == ToolbarExit) {
            EXPECT_EQ(editor().isHidden(), c.ends);
        }
    }
    EXPECT_EQ(app->exitCode(), 0);
}

TEST_F(MainWindow, HelpShowsTheHelpFileOrReportsItMissing)
{
    ASSERT_TRUE(startInstalled());
    control<QAction>("mnuTopicsItem")->trigger();
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

    w().pibHelp_Click(); // the help picture button has no command
    EXPECT_TRUE(op.boxes.empty());
}

} // namespace
