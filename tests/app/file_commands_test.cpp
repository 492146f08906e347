#include "editor_fixture.h"
#include "model/conf_files.h"
#include "views/frm_print_con.h"
#include "views/frm_printsts.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace {

using FileCommands = EditorFixture;

TEST_F(FileCommands, SaveRefusesOnlyTheExactUnitRecordSuffix)
{
    openEditor();
    for (const auto& [name, refused] : {std::pair{"a.urd", true}, {"b.URD", false}, {"c.urd.cal", false}}) {
        SCOPED_TRACE(name);
        op.boxes.clear();
        app->session().view.ConfSaved = false;
        dialogs.choose(path(QString::fromLatin1(name)));
        w().pibSave_Click();
        EXPECT_EQ(lastBox(), refused ? QStringLiteral("Illegal Suffix: You are not allowed to save a file with .urd suffix.")
                                     : QString());
        EXPECT_EQ(QFile::exists(path(QString::fromLatin1(name))), !refused);
        EXPECT_EQ(app->session().view.ConfSaved, !refused);
    }
    EXPECT_EQ(dialogs.shown.front(), QStringLiteral("save *.cal"));
}

TEST_F(FileCommands, SaveWithoutAnOpenConfigurationWritesTheUnits)
{
    edit().Serial = QStringLiteral("OTHER");
    dialogs.choose(path(QStringLiteral("unit.cal")));
    w().pibSave_Click();
    ASSERT_TRUE(ReadConfFile(app->session(), app->catalogue(), path(QStringLiteral("unit.cal")), op));
    EXPECT_EQ(edit().Serial, unitConf().Serial);
}

TEST_F(FileCommands, CancelIsSilentAndAFailedDialogIsReported)
{
    const std::pair<void (frmMain::*)(), const char*> commands[] = {{&frmMain::pibSave_Click, "save"},
                                                                    {&frmMain::pibOpen_Click, "open"}};
    for (const auto& [command, verb] : commands) {
        op.boxes.clear();
        dialogs.cancel();
        (w().*command)();
        EXPECT_TRUE(op.boxes.empty());
        dialogs.fail();
        (w().*command)();
        EXPECT_EQ(lastBox(), "Dialog box Error: An error occured while trying to " + QString::fromLatin1(verb) + " a file.");
    }
    EXPECT_TRUE(editor().isHidden());
}

TEST_F(FileCommands, OpenedFileTakesTheConnectedUnitsSerialNumber)
{
    ConfRecord other = unitConf();
    other.Serial = QStringLiteral("0999999");
    other.BurnOut = 1;
    ASSERT_TRUE(WriteConfFile(other, path(QStringLiteral("other.cal")), op));
    dialogs.choose(path(QStringLiteral("other.cal")));
    w().pibOpen_Click();
    EXPECT_EQ(dialogs.shown.back(), QStringLiteral("open *.cal, *.*"));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(!editor().isHidden() && w().ToolbarButton(8)->isEnabled());
    EXPECT_TRUE(edit().BurnOut == 1 && control<QRadioButton>("OptBurn_0")->isChecked());
    EXPECT_EQ(edit().Serial, unitConf().Serial);
    EXPECT_EQ(label("lbWData_0")->text(), unitConf().Serial);
    EXPECT_TRUE(isRedText(label("LbHead_0")));
}

// A tag from a file is text, never markup: every label that shows it shows its characters.
TEST_F(FileCommands, MarkupInAFileIsShownAsPlainText)
{
    ConfRecord marked = unitConf();
    marked.Tag = QStringLiteral("<b>x</b>&amp;");
    ASSERT_TRUE(WriteConfFile(marked, path(QStringLiteral("marked.cal")), op));
    dialogs.choose(path(QStringLiteral("marked.cal")));
    w().pibOpen_Click();
    int shown = 0;
    for (QWidget* form : std::initializer_list<QWidget*>{&w(), &app->printCon(), &app->printSts()})
        for (const QLabel* label : form->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("<b>"))) {
                ++shown;
                EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
            }
    EXPECT_GE(shown, 1);
}

TEST_F(FileCommands, FileThatFailsToReadStillOpensTheEditor)
{
    openEditor();
    edit().Damping = 7;
    edit().Serial = QStringLiteral("OLD");
    writeFile(QStringLiteral("bad.cal"), "\"1\",\"T\",112,0,1,0,4,20,0,0,0,0,1,100,0,0,0,0,0,0,0\r\n");
    dialogs.choose(path(QStringLiteral("bad.cal")));
    w().pibOpen_Click();
    EXPECT_EQ(lastBox(), QStringLiteral("Illegal File: Illegal Sensor-Type was found in file."));
    EXPECT_TRUE(edit().Damping == 7 && edit().Serial == unitConf().Serial);
    EXPECT_TRUE(control<QRadioButton>("OptBurn_1")->isChecked() && !editor().isHidden());
}

} // namespace
