#include "views/frm_printsts.h"

#include "views/report_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

constexpr const char* Headings[14] = {
    "Serial No. :", "Tag Name :", "Input Type :", "Input Range :", "Min.", "Max.", "Burn-Out :",
    "Output :", "Mains Frequency :", "Mode :", "Damping Factor :", "Min :", "Max :", "Ambient Temprature Units :"};

// Distance of the date block's left edge from the right edge of the page.
constexpr int DateFromRight = 3255;

} // namespace

frmPrintsts::frmPrintsts(QWidget* parent)
    : QWidget(parent)
{
    // The date block starts where the connected-unit report has it, until a page width places it.
    const ReportPage page =
        BuildReportPage(this, QStringLiteral("frmPrintsts"), QStringLiteral("Edited Unit's Configuration :"));
    Label1 = page.title;
    frDate = page.dateFrame;
    lbDate = page.date;
    lbTime = page.time;
    for (int i = 0; i < 14; ++i) {
        LbHead[i] = ReportLabel(this, QStringLiteral("LbHead"), i, QString::fromUtf8(Headings[i]));
        LbData[i] = ReportLabel(this, QStringLiteral("LbData"), i);
    }
    for (int i = 0; i < 2; ++i)
        LbUnit[i] = ReportLabel(this, QStringLiteral("LbUnit"), i);
    AddReportRows(page.rows, 0, ConfigurationRows, LbHead, LbData, LbUnit);
    // The mains frequency is not part of the printout.
    LbHead[SummaryHead::MainsFreq]->hide();
    LbData[SummaryData::Freq]->hide();
}

SummaryForm frmPrintsts::targets() const
{
    SummaryForm form;
    std::ranges::copy(LbHead, form.LbHead.begin());
    std::ranges::copy(LbData, form.LbData.begin());
    form.LbUnit = LbUnit;
    return form;
}

void frmPrintsts::placeDate(int pageWidthTwips)
{
    frDate->move(TwipsToPixels(pageWidthTwips - DateFromRight), frDate->y());
}
