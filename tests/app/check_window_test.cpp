#include "app_fixture.h"

#include "calibration/calibration_windows.h"
#include "calibration/check_setup_panel.h"
#include "calibration/check_window.h"
#include "calibration/frm_offset.h"
#include "history/unit_history.h"
#include "support/pdf_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

namespace {

// The connected simulated unit reads 0.3 °C high; each reference settles with a time constant of
// a second, with a little noise. The check window is the program's own, opened from its menu: the
// main window's polls hand it every reading, its correction entries are the adjustments.
class CheckWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        unit.readings().setInput({25.0, 0, 0, 1.0, 0.004});
        unit.readings().setDrift(0.3);
        port.setActivityHandler([this] { clock.notify(); });
        ASSERT_TRUE(startInstalled());
        w().pibConnect_Click();
        check = &app->check();
        check->setSimulatedInput([this](double value) { unit.applyInput(value); });
    }

    void poll(int seconds) { clock.advance(seconds); }
    // Applies each reference with the simulated-input control and polls until it is recorded.
    void runPoints(int count)
    {
        for (int i = 0; i < count; ++i) {
            const int rows = check->tblResults->rowCount();
            check->cmdApplySimulated->click();
            for (int second = 0; second < 40 && check->tblResults->rowCount() == rows; ++second)
                poll(1);
            ASSERT_EQ(check->tblResults->rowCount(), rows + 1) << "point " << i << " not recorded";
        }
    }
    QString cell(int row, int column) { return check->tblResults->item(row, column)->text(); }

    CheckWindow* check = nullptr;
};

} // namespace

TEST_F(CheckWindowTest, AsFoundOffsetTrimAsLeftAndTheCertificate)
{
    w().mnuCheckItem_Click();
    EXPECT_EQ(check->setup->txtPoints->text(), QStringLiteral("0, 25, 50, 75, 100"));
    check->setup->txtTechnician->setText(QStringLiteral("Dana Whitfield"));
    check->setup->txtPrefix->setText(QStringLiteral("QA"));
    check->setup->chkAutoRecord->setChecked(true);

    check->cmdStartAsFound->click();
    runPoints(5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_NEAR(cell(row, 3).toDouble(), 0.3, 0.011) << row;
        EXPECT_EQ(cell(row, 6), QStringLiteral("FAIL")) << row;
    }
    ASSERT_TRUE(check->cmdOffsetTrim->isEnabled());

    // Trimmed at mid-range through the offset-trimming window.
    check->txtSimulated->setText(QStringLiteral("50"));
    check->cmdApplySimulated->click();
    poll(10);
    check->cmdOffsetTrim->click();
    frmOffset& offset = app->calibration().offset();
    ASSERT_FALSE(offset.isHidden());
    offset.txtOffset->setText(QStringLiteral("50"));
    offset.cmdEnterOffset->click();
    op.answer(true);
    offset.cmdDone->click();

    check->cmdStartAsLeft->click();
    runPoints(5);
    for (int row = 5; row < 10; ++row) {
        EXPECT_NEAR(cell(row, 3).toDouble(), 0.0, 0.011) << row;
        EXPECT_EQ(cell(row, 6), QStringLiteral("PASS")) << row;
    }
    // The check joins the unit's history.
    const QString number = QStringLiteral("QA-%1-0001").arg(QDate::currentDate().toString("yyyyMMdd"));
    const auto listed = app->history().store().snapshots(QStringLiteral("0512307")).value;
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(OperationWords(listed[0].operation), "Calibration Check");
    EXPECT_EQ(OutcomeWords(listed[0].outcome), "passed");
    EXPECT_EQ(listed[0].note, number + ": as found FAIL (5 of 5), offset trim, as left PASS");

    dialogs.choose(path("certificate.pdf"));
    check->cmdSavePdf->click();
    EXPECT_EQ(dialogs.proposedNames.last(), number + ".pdf");
    const QString text = PdfText(path("certificate.pdf"));
    for (const char* wanted : {"Offset trim: -0.300 °C added to every reading.", "As found FAIL: 5 of 5 points outside",
                               "As left PASS: every point within the tolerance", "Technician Dana Whitfield",
                               "Ambient temperature 23.5 °C", "Serial number 0512307"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(wanted))) << wanted;

    printDialogs.printToPdf(path("printed.pdf"));
    check->cmdPrint->click();
    EXPECT_TRUE(PdfText(path("printed.pdf")).contains(number));
    EXPECT_EQ(op.transcript().count(QStringLiteral("Printer Error")), 0);
    printDialogs.printToPdf(path("no such folder/printed.pdf"));
    check->cmdPrint->click();
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Printer Error"));
}

TEST_F(CheckWindowTest, NoAdjustmentMakesAsLeftTheAsFoundResults)
{
    unit.readings().setDrift(0);
    check->loadAndShow();
    check->setup->txtPoints->setText(QStringLiteral("25"));
    check->cmdStartAsFound->click();
    check->cmdApplySimulated->click();
    poll(12);
    EXPECT_EQ(check->tblResults->rowCount(), 0);  // recorded only on Record
    check->cmdRecord->click();
    check->cmdNoAdjustment->click();
    EXPECT_EQ(check->record().asLeft.points, check->record().asFound.points);
    EXPECT_TRUE(check->record().asLeft.passed());
    EXPECT_TRUE(check->cmdSaveCsv->isEnabled());
}

// Recording by itself waits for the reference: the settled reading of the last point is not taken
// for the next one, however long it holds still.
TEST_F(CheckWindowTest, RecordsByItselfOnlyNearTheReference)
{
    unit.readings().setDrift(0);
    w().mnuCheckItem_Click();
    check->setup->txtPoints->setText(QStringLiteral("25, 75"));
    check->setup->chkAutoRecord->setChecked(true);
    check->cmdStartAsFound->click();
    runPoints(1);
    poll(30);
    EXPECT_EQ(check->tblResults->rowCount(), 1);
    EXPECT_TRUE(check->cmdRecord->isEnabled());
    runPoints(1);
    EXPECT_NEAR(cell(1, 2).toDouble(), 75.0, 0.011);
}
