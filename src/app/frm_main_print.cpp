// The printed reports: the connected unit's configuration (frmPrintCon) and the edited one
// (frmPrintsts), each a hidden form the views keep filled, stamped with the date and time and
// printed as one page on the printer the operator chooses.

#include "app/application.h"
#include "app/frm_main.h"
#include "model/operator_messages.h"
#include "platform/operator.h"
#include "platform/print_dialogs.h"
#include "views/frm_print_con.h"
#include "views/frm_printsts.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTime>

#include <algorithm>

namespace {

constexpr double TwipsPerMillimetre = 1440 / 25.4;

// The printer for one report, or none. A cancel says nothing; a printer that cannot even be
// chosen is reported like one that fails.
std::unique_ptr<QPrinter> choosePrinter(Application& app, const QString& documentName)
{
    PrinterChoice choice = app.seams().printDialogs.choosePrinter(documentName);
    if (choice.kind == PrinterChoice::Failed)
        PrinterErrorMessage(app.op());
    return choice.kind == PrinterChoice::Chosen ? std::move(choice.printer) : nullptr;
}

void stampDateAndTime(QLabel* date, QLabel* time)
{
    const QLocale locale;
    date->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    time->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

// Prints the form as one page: scaled to the width inside the printer's margins (the form keeps
// its own margins inside), no taller than the page, centred across it. The form is recorded as a
// picture first so that its texts reach the printer as text, not as a screen-resolution image.
bool printPage(QWidget& form, QPrinter& printer)
{
    QPicture picture;
    QPainter recorder(&picture);
    form.render(&recorder);
    recorder.end();

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    // A picture plays back at its own resolution: one form pixel covers this many device pixels.
    const double devicePerPixel = double(printer.logicalDpiX()) / picture.logicalDpiX();
    const double scale = std::min(page.width() / (form.width() * devicePerPixel),
                                  page.height() / (form.height() * devicePerPixel));
    painter.translate((page.width() - form.width() * devicePerPixel * scale) / 2, 0);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, picture);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void printReport(Application& app, QWidget& form, QPrinter& printer)
{
    if (!printPage(form, printer))
        PrinterErrorMessage(app.op());
}

} // namespace

void frmMain::pibPrint_Click()
{
    const std::unique_ptr<QPrinter> printer = choosePrinter(app_, QStringLiteral("Connected Unit's Configuration"));
    if (!printer)
        return;
    frmPrintCon& form = app_.printCon();
    stampDateAndTime(form.lbDate, form.lbTime);
    printReport(app_, form, *printer);
}

void frmMain::mnuPrintCalibItem_Click()
{
    pibPrint_Click();
}

void frmMain::mnuPrintEditItem_Click()
{
    const std::unique_ptr<QPrinter> printer = choosePrinter(app_, QStringLiteral("Edited Unit's Configuration"));
    if (!printer)
        return;
    frmPrintsts& form = app_.printSts();
    // The date block keeps its distance from the right edge of this printer's paper.
    form.placeDate(qRound(printer->pageLayout().fullRect(QPageLayout::Millimeter).width() * TwipsPerMillimetre));
    stampDateAndTime(form.lbDate, form.lbTime);
    printReport(app_, form, *printer);
}
