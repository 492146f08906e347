#include "app_fixture.h"

#include "views/frm_print_con.h"
#include "views/frm_printsts.h"
#include "views/report_page.h"

#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

class Print : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(startInstalled());
        w().pibConnect_Click();
    }

    static QString pdfToText(const QString& pdf, const QString& mode)
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {mode, pdf, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000));
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // The page's text line by line as it is laid out, blanks run together (ligatures read as
    // letters), and how far right the rightmost word ends, as a share of the page width.
    static std::pair<QString, double> pdfText(const QString& pdf)
    {
        const QString html = pdfToText(pdf, QStringLiteral("-bbox"));
        const double width = QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)")re")).match(html).captured(1).toDouble();
        double right = 0;
        const QRegularExpression word(QStringLiteral(R"re(xMax="([\d.]+)")re"));
        for (auto it = word.globalMatch(html); it.hasNext();)
            right = std::max(right, it.next().captured(1).toDouble());
        const QString text = pdfToText(pdf, QStringLiteral("-layout")).simplified();
        return {text.normalized(QString::NormalizationForm_KC), right / width};
    }
};

} // namespace

TEST_F(Print, BothReportsGoToPdfScaledToThePageWithDateAndValues)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    printDialogs.printToPdf(path(QStringLiteral("con.pdf")));
    w().mnuPrintCalibItem_Click();
    w().pibStart_Click();
    printDialogs.printToPdf(path(QStringLiteral("sts.pdf")), QPageSize::Letter);
    w().mnuPrintEditItem_Click();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_EQ(app->printSts().frDate->x(), TwipsToPixels(12240 - 3255));  // from the letter paper's width

    const auto [con, conRight] = pdfText(path(QStringLiteral("con.pdf")));
    const auto [sts, stsRight] = pdfText(path(QStringLiteral("sts.pdf")));
    const auto expectIn = [](const QString& text, const QStringList& expected) {
        for (const QString& e : expected)
            EXPECT_TRUE(text.contains(e)) << e.toStdString() << " not in " << text.toStdString();
    };
    expectIn(con, {"Connected Unit's Configuration :", "Serial No. : 0512307", "Pt-100 (385)", "Current Reading :",
                   app->printCon().lbDate->text(), app->printCon().lbTime->text()});
    expectIn(sts, {"Edited Unit's Configuration :", "Tag Name : TT-101", app->printSts().lbDate->text()});
    EXPECT_GT(conRight, 0.8);  // the date block near the right edge, nothing beyond it
    EXPECT_LT(conRight, 1.0);
    EXPECT_LT(stsRight, 1.0);
}

TEST_F(Print, CancelIsQuietAndPrinterFailuresAreReported)
{
    op.boxes.clear();
    w().pibPrint_Click();  // unscripted: cancelled
    printDialogs.cancel();
    w().mnuPrintEditItem_Click();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(app->printCon().lbDate->text().isEmpty());
    EXPECT_TRUE(app->printSts().lbDate->text().isEmpty());

    const ScriptedOperator::Box printerError{
        "Printer Error", "There Has Been a Problem Writing to The Printer. \r\nCheck Your Printer Connection."};
    printDialogs.printToPdf(path(QStringLiteral("no-such-folder/report.pdf")));
    w().pibPrint_Click();
    EXPECT_EQ(op.only(), printerError);
    op.boxes.clear();
    printDialogs.fail();
    w().mnuPrintEditItem_Click();
    EXPECT_EQ(op.only(), printerError);
}
