#include "app/app_dir.h"
#include "app/frm_welcome.h"
#include "app/panel_placement.h"
#include "app_fixture.h"
#include "model/split_text.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

namespace {

using StartUp = AppFixture;

TEST_F(StartUp, InstalledProgramStartsNotConnected)
{
    ASSERT_TRUE(startInstalled());

    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(endRequests.empty());
    const Session& s = app->session();
    EXPECT_EQ(s.AppDir, dir.path());
    EXPECT_EQ(s.link.PortNumber, 3);
    EXPECT_EQ(s.update.UpdateKind, 1);
    EXPECT_EQ(s.CommandState, 0);
    EXPECT_NE(app->catalogue().thermocoupleCodes, decltype(app->catalogue().thermocoupleCodes){});

    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(w().windowTitle().isEmpty());
    auto* welcome = w().findChild<frmWelcome*>();
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->isVisible());

    std::vector<int> enabledButtons;
    for (int i = 1; i <= 13; ++i)
        if (i != 4 && i != 9 && w().ToolbarButton(i)->isEnabled())
            enabledButtons.push_back(i);
    EXPECT_EQ(enabledButtons, (std::vector<int>{1, 12, 13}));
    EXPECT_FALSE(w().mnuCalib->menuAction()->isEnabled());
    EXPECT_TRUE(w().mnuConnect->menuAction()->isEnabled());
    EXPECT_EQ(w().Label13->text(), QStringLiteral("Not Connected"));

    // The mains frequency is neither shown nor offered.
    for (QWidget* hidden : std::initializer_list<QWidget*>{w().lbWHead[8], w().FrFreq, w().OptFreq[0], w().OptFreq[1],
                                                           w().LbData[9], w().LbHead[10]})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_TRUE(w().ssInfo->isHidden());
    EXPECT_FALSE(w().TimConn->isActive());
}

TEST_F(StartUp, MissingInstallationEndsTheProgramBeforeAnythingElse)
{
    const QByteArray otherKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n@=/opt/other\n";
    for (const bool fileExists : {false, true}) {
        SCOPED_TRACE(fileExists ? "file without the key" : "no registry file");
        op.boxes.clear();
        endRequests.clear();
        if (fileExists)
            writeFile(QStringLiteral("registry.ini"), otherKey);
        writeFile(QStringLiteral("PortNo.txt"), "3\r\n");
        makeApp();
        app->session().CommandState = 7; // start-up must not reach SetCommandState

        EXPECT_FALSE(app->start());

        EXPECT_EQ(op.only(), (ScriptedOperator::Box{QStringLiteral("Installation Problems"),
                                                    QStringLiteral("There are Some Problems With The Application Installation,\r\n"
                                                                   "Please Try Reinstalling The Application.")}));
        EXPECT_EQ(endRequests, std::vector<int>{1});
        EXPECT_EQ(app->exitCode(), 1);
        EXPECT_TRUE(app->session().AppDir.isEmpty());
        EXPECT_EQ(app->session().link.PortNumber, 0);
        EXPECT_EQ(app->session().CommandState, 7);
        EXPECT_FALSE(w().isVisible());
        EXPECT_FALSE(w().findChild<frmWelcome*>()->isVisible());
    }
}

TEST_F(StartUp, MissingPortFileIsReportedAndStartUpGoesOn)
{
    writeRegistry(path(QStringLiteral("delvo2")));
    makeApp();

    EXPECT_TRUE(app->start());

    EXPECT_EQ(op.only(), (ScriptedOperator::Box{QStringLiteral("Illegal Pathname"),
                                                QStringLiteral("Can't access file: '") + path(QStringLiteral("PortNo.txt")) + QStringLiteral("'.")}));
    EXPECT_EQ(app->session().link.PortNumber, 0);
    EXPECT_EQ(app->session().CommandState, 0);
    EXPECT_TRUE(endRequests.empty());
    EXPECT_TRUE(w().ToolbarButton(1)->isEnabled());
}

TEST(AppDirFromAppPath, WindowsValueIsCutAtTheFirstProgramName)
{
    const auto windows = [](const char* value) { return AppDirFromAppPath(QString::fromUtf8(value), AppPathStyle::Windows); };
    EXPECT_EQ(windows("C:\\Tools\\delvo2.exe"), QStringLiteral("C:\\Tools"));
    EXPECT_EQ(windows("D:\\a\\delvo2.exe\\b\\delvo2.exe"), QStringLiteral("D:\\a"));
    // The name is matched case-sensitively: any other spelling leaves the whole value.
    EXPECT_EQ(windows("C:\\Tools\\DELVO2.EXE"), QStringLiteral("C:\\Tools\\DELVO2.EXE"));
    EXPECT_EQ(windows("C:\\Tools\\delvo2.ex"), QStringLiteral("C:\\Tools\\delvo2.ex"));
    EXPECT_EQ(windows(""), QString());
}

TEST(AppDirFromAppPath, PosixValueLosesOnlyTheProgramItself)
{
    const auto posix = [](const char* value) { return AppDirFromAppPath(QString::fromUtf8(value), AppPathStyle::Posix); };
    EXPECT_EQ(posix("/usr/local/lib/delvo2/delvo2"), QStringLiteral("/usr/local/lib/delvo2"));
    EXPECT_EQ(posix("/opt/delvo2"), QStringLiteral("/opt"));
    EXPECT_EQ(posix("/opt/Delvo2"), QStringLiteral("/opt/Delvo2"));
    EXPECT_EQ(posix("/opt/delvo2-old"), QStringLiteral("/opt/delvo2-old"));
}

TEST(SplitText, PiecesStartAtIndexOne)
{
    EXPECT_EQ(SplitText(QStringLiteral("C:\\Tools\\delvo2.exe"), QStringLiteral("\\delvo2.exe")),
              (QStringList{QString(), QStringLiteral("C:\\Tools"), QString()}));
    EXPECT_EQ(SplitText(QString(), QStringLiteral("\\delvo2.exe")), (QStringList{QString(), QString()}));
}

TEST(PanelPlacement, PanelsFollowTheScreenSize)
{
    const PanelPlacement p = PlacePanels(19200, 14400);
    EXPECT_EQ(p.window, (TwipRect{0, 0, 19200, 14400}));
    EXPECT_DOUBLE_EQ(p.ssInfo.left, 4822.5);
    EXPECT_DOUBLE_EQ(p.ssInfo.top, 14400 * 0.9 - 4935);
    EXPECT_DOUBLE_EQ(p.frCurrent[0].left, 11601);
    EXPECT_DOUBLE_EQ(p.frCurrent[0].top, 630);
    EXPECT_DOUBLE_EQ(p.frCurrent[1].left, 14976);
    EXPECT_DOUBLE_EQ(p.frCurrent[1].top, 645);
    EXPECT_DOUBLE_EQ(p.frCurrentReading.left, 192);
    EXPECT_DOUBLE_EQ(p.frCurrentReading.top, 630);
    EXPECT_DOUBLE_EQ(p.Frame1.left, 15360);
    // The two unit panels sit side by side without overlapping.
    EXPECT_DOUBLE_EQ(p.frCurrent[0].left + p.frCurrent[0].width, p.frCurrent[1].left);
}

TEST(PanelPlacement, TwipsAndPixels)
{
    EXPECT_DOUBLE_EQ(PixelsToTwips(1280, 96), 19200);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1280, 120), 15360);
    EXPECT_EQ(TwipsToPixels(4822.5, 96), 322); // 321.5 px rounds away from zero
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
}

} // namespace
