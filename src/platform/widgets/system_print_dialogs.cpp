#include "platform/widgets/system_print_dialogs.h"

#include "platform/file_dialogs.h"
#include "platform/widgets/modal_runner.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

PrinterChoice SystemPrintDialogs::choosePrinter(const QString& documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const DialogResult file = files_.saveFile(QStringLiteral("*.pdf"), documentName + QStringLiteral(".pdf"));
        if (file.kind != DialogResult::Chosen)
            return {file.kind == DialogResult::Failed ? PrinterChoice::Failed : PrinterChoice::Cancelled, nullptr};
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file.path);
        return {PrinterChoice::Chosen, std::move(printer)};
    }
    QPrintDialog dialog(printer.get(), parent_);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (modal_.run(dialog) != QDialog::Accepted)
        return {PrinterChoice::Cancelled, nullptr};
    // A report is one page, printed once: the copies and page range asked for are not used.
    printer->setCopyCount(1);
    printer->setPrintRange(QPrinter::AllPages);
    return {PrinterChoice::Chosen, std::move(printer)};
}
