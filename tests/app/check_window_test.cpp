#include "app_fixture.h"

#include "calibration/calibration_windows.h"
#include "calibration/check_setup_panel.h"
#include "calibration/check_window.h"
#include "calibration/frm_offset.h"
#include "support/pdf_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

namespace {

// The connected simulated unit reads 0.3 °C high; each reference settles with a time constant of
// a second, with a little noise. The check window is hooked in as the main window would hook it:
// every poll's reading handed on, the main window's correction entries as its adjustments.
class CheckWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        unit.readings().setInput({25.0, 0, 0, 1.0, 0.004});
        unit.readings().setDrift(0.3);
        port.setActivityHandler([this] { clock.notify(); });
        ASSERT_TRUE(startInstalled());
        w().pibConnect_Click();
        check = std::make_unique<CheckWindow>(
            app->link(), dialogs, printDialogs, settings,
            CheckAdjusters{[this] { w().mnuOffsetitem_Click(); }, [this] { w().mnuErrorCorrection_Click(); }});
        check->setSimulatedInput([this](double value) { unit.applyInput(value); });
    }

    void poll(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1.0);
            check->readingPolled();
        }
    }
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

    QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
    std::unique_ptr<CheckWindow> check;
};

} // namespace

TEST_F(CheckWindowTest, AsFoundOffsetTrimAsLeftAndTheCertificate)
{
    check->loadAndShow();
    EXPECT_EQ(check->setup->txtPoints->text(), QStringLiteral("0, 25, 50, 75, 100"));
    check->setup->txtTechnician->setText(QStringLiteral("Dana Whitfield"));
    check->setup->txtPrefix->setText(QStringLiteral("QA"));
    check->setup->chkAutoRecord->setChecked(true);
    std::vector<CheckRecord> completed;
    QObject::connect(check.get(), &CheckWindow::checkCompleted, [&](const CheckRecord& r) { completed.push_back(r); });

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
    ASSERT_EQ(completed.size(), 1u);
    const QString number = QStringLiteral("QA-%1-0001").arg(QDate::currentDate().toString("yyyyMMdd"));
    EXPECT_EQ(completed[0].certificateNumber, number);
    EXPECT_EQ(completed[0].adjustment.kind, Adjustment::Kind::OffsetTrim);

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
