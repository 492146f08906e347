#include "app/frm_about.h"
#include "app/frm_welcome.h"
#include "app_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

using SmallWindows = AppFixture;

TEST_F(SmallWindows, AboutShowsTheVersionAndRefusesTyping)
{
    ASSERT_TRUE(startInstalled());
    control<QAction>("mnuAboutItem")->trigger();
    QPointer<frmAbout> about = w().findChild<frmAbout*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About ..."));
    EXPECT_EQ(about->lblVersion->text(), QStringLiteral("Version MIRTAL_1.11"));
    EXPECT_EQ(about->Text1->text(), QStringLiteral("Version MIRTAL_1.11"));

    QTest::keyClicks(about->Text1, QStringLiteral("abc"));
    QTest::keyClick(about->Text1, Qt::Key_Backspace);
    about->Text1->selectAll();
    QTest::keyClick(about->Text1, Qt::Key_Delete);
    EXPECT_EQ(about->Text1->text(), QStringLiteral("Version MIRTAL_1.11"));

    w().mnuAboutItem_Click(); // a second request shows the same window
    EXPECT_EQ(w().findChildren<frmAbout*>().size(), 1);

    about->Command1->click();
    processDeferredDeletes();
    EXPECT_TRUE(about.isNull());
}

TEST_F(SmallWindows, EveryProductButtonClosesTheWelcomeWindow)
{
    for (const char* button : {"Command2", "Command3", "Command4"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(startInstalled());
        const Session before = app->session();
        QPointer<frmWelcome> welcome = w().findChild<frmWelcome*>();
        ASSERT_NE(welcome, nullptr);
        EXPECT_FALSE(welcome->Image1->pixmap().isNull());

        welcome->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        processDeferredDeletes();

        EXPECT_TRUE(welcome.isNull());
        EXPECT_TRUE(w().isVisible());
        EXPECT_EQ(app->session().EditConf, before.EditConf);
        EXPECT_EQ(app->session().CommandState, before.CommandState);
        EXPECT_TRUE(endRequests.empty());
    }
}

} // namespace
