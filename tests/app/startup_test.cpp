#include "app/app_dir.h"
#include "app/frm_welcome.h"
#include "app/panel_placement.h"
#include "app_fixture.h"

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
    const Link& link = app->link();
    EXPECT_EQ(std::tie(s.AppDir, link.state.PortNumber, link.update.UpdateKind, s.CommandState),
              std::make_tuple(dir.path(), 3, UpdateKinds::FullKeepingCorrection, CommandStates::NotConnected));
    EXPECT_TRUE(w().isVisible() && w().findChild<frmWelcome*>()->isVisible());
    std::vector<int> enabledButtons;
    for (int i = 1; i <= 13; ++i)
        if (i != 4 && i != 9 && w().ToolbarButton(i)->isEnabled())
            enabledButtons.push_back(i);
    EXPECT_EQ(enabledButtons, (std::vector<int>{1, 12, 13}));
    EXPECT_TRUE(!control<QMenu>("mnuCalib")->menuAction()->isEnabled() && control<QMenu>("mnuConnect")->menuAction()->isEnabled());
    EXPECT_EQ(label("Label13")->text(), QStringLiteral("Not Connected"));
    // The mains frequency is neither shown nor offered.
    for (QWidget* hidden : std::initializer_list<QWidget*>{label("lbWHead_8"), label("lbWData_8"), control<QGroupBox>("FrFreq"), control<QRadioButton>("OptFreq_0"), control<QRadioButton>("OptFreq_1"),
                                                           label("LbData_9"), label("LbHead_10"), &editor()})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_FALSE(w().polling());
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
        app->session().CommandState = CommandStates(7); // start-up must not reach SetCommandState

        EXPECT_FALSE(app->start());

        EXPECT_EQ(op.only(), (ScriptedOperator::Box{QStringLiteral("Installation Problems"),
                                                    QStringLiteral("There are Some Problems With The Application Installation,\r\n"
                                                                   "Please Try Reinstalling The Application.")}));
        EXPECT_EQ(endRequests, std::vector<int>{1});
        EXPECT_EQ(app->exitCode(), 1);
        const Session& s = app->session();
        EXPECT_EQ(std::tie(s.AppDir, app->link().state.PortNumber, s.CommandState),
                  std::make_tuple(QString(), 0, CommandStates(7)));
        EXPECT_FALSE(w().isVisible() || w().findChild<frmWelcome*>()->isVisible());
    }
}

TEST_F(StartUp, MissingPortFileIsReportedAndStartUpGoesOn)
{
    writeRegistry(path(QStringLiteral("delvo2")));
    makeApp();

    EXPECT_TRUE(app->start());

    EXPECT_EQ(op.only(), (ScriptedOperator::Box{QStringLiteral("Illegal Pathname"),
                                                QStringLiteral("Can't access file: '") + path(QStringLiteral("PortNo.txt")) + QStringLiteral("'.")}));
    EXPECT_EQ(app->link().state.PortNumber, 0);
    EXPECT_EQ(app->session().CommandState, CommandStates::NotConnected);
    EXPECT_TRUE(endRequests.empty());
    EXPECT_TRUE(w().ToolbarButton(1)->isEnabled());
}

TEST(AppDirFromAppPath, TheProgramFolderOfTheRegistryValue)
{
    const std::tuple<AppPathStyle, const char*, const char*> cases[] = {
        // Windows: cut at the first program name, matched case-sensitively.
        {AppPathStyle::Windows, "C:\\Tools\\delvo2.exe", "C:\\Tools"},
        {AppPathStyle::Windows, "D:\\a\\delvo2.exe\\b\\delvo2.exe", "D:\\a"},
        {AppPathStyle::Windows, "C:\\Tools\\DELVO2.EXE", "C:\\Tools\\DELVO2.EXE"},
        {AppPathStyle::Windows, "C:\\Tools\\delvo2.ex", "C:\\Tools\\delvo2.ex"},
        {AppPathStyle::Windows, "", ""},
        // Posix: only the program itself goes.
        {AppPathStyle::Posix, "/usr/local/lib/delvo2/delvo2", "/usr/local/lib/delvo2"},
        {AppPathStyle::Posix, "/opt/delvo2", "/opt"},
        {AppPathStyle::Posix, "/opt/Delvo2", "/opt/Delvo2"},
        {AppPathStyle::Posix, "/opt/delvo2-old", "/opt/delvo2-old"},
    };
    for (const auto& [style, value, folder] : cases)
        EXPECT_EQ(AppDirFromAppPath(QString::fromUtf8(value), style), QString::fromUtf8(folder)) << value;
}

TEST(PanelPlacement, PanelsFollowTheScreenSizeInTwips)
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

    EXPECT_DOUBLE_EQ(PixelsToTwips(1280, 96), 19200);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1280, 120), 15360);
    EXPECT_EQ(TwipsToPixels(4822.5, 96), 322); // 321.5 px rounds away from zero
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
}

} // namespace
