#include "views/frm_print_con.h"

#include "views/report_page.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr const char* Headings[18] = {
    "Serial No. :", "Tag Name :", "Input Type :", "Input Range :", "Min.", "Max.",
    "Burn-Out :", "Output :", "Mains Frequency :", "Mode :", "Damping Fuctor :", "Min :",
    "Max :", "Ambient Temprature Units :", "Minimum Reading :", "Maximum Reading :", "Current Reading :",
    "Ambient Reading :"};

constexpr SummaryRow ReadingRows[] = {{PrintConHead::MinReading, PrintConData::MinRead, UnitUnits::MinRead},
                                      {PrintConHead::MaxReading, PrintConData::MaxRead, UnitUnits::MaxRead},
                                      {PrintConHead::CurrentReading, PrintConData::Reading, UnitUnits::Reading},
                                      {PrintConHead::AmbientReading, PrintConData::AmbRead, UnitUnits::AmbRead}};

} // namespace

frmPrintCon::frmPrintCon(QWidget* parent)
    : QWidget(parent)
{
    const ReportPage page =
        BuildReportPage(this, QStringLiteral("frmPrintCon"), QStringLiteral("Connected Unit's Configuration :"));
    Label1 = page.title;
    frDate = page.dateFrame;
    lbDate = page.date;
    lbTime = page.time;
    for (int i = 0; i < 18; ++i) {
        LbHead[i] = ReportLabel(this, QStringLiteral("LbHead"), i, QString::fromUtf8(Headings[i]));
        LbData[i] = ReportLabel(this, QStringLiteral("LbData"), i);
    }
    for (int i = 0; i < 6; ++i)
        LbUnit[i] = ReportLabel(this, QStringLiteral("LbUnit"), i);

    const int gap = AddReportRows(page.rows, 0, ConfigurationRows, LbHead, LbData, LbUnit);
    page.rows->setRowMinimumHeight(gap, TwipsToPixels(360));  // a gap before the readings
    AddReportRows(page.rows, gap + 1, ReadingRows, LbHead, LbData, LbUnit);
}

PrintConForm frmPrintCon::targets() const
{
    return PrintConForm{LbHead, LbData, LbUnit};
}
