#pragma once

#include "platform/print_dialogs.h"

#include <QPageSize>
#include <QPrinter>
#include <QStringList>

#include <deque>

// A printer dialog answered from a script: a chosen printer writes a PDF file (a path that cannot
// be written makes a failing printer). An unscripted dialog counts as cancelled.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    PrinterChoice choosePrinter(const QString& documentName) override
    {
        shown << documentName;
        if (script.empty())
            return {};
        const Step step = script.front();
        script.pop_front();
        if (step.kind != PrinterChoice::Chosen)
            return {step.kind, nullptr};
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(step.pdfPath);
        printer->setPageSize(QPageSize(step.paper));
        return {PrinterChoice::Chosen, std::move(printer)};
    }

    void printToPdf(const QString& path, QPageSize::PageSizeId paper = QPageSize::A4)
    {
        script.push_back({PrinterChoice::Chosen, path, paper});
    }
    void cancel() { script.push_back({PrinterChoice::Cancelled}); }
    void fail() { script.push_back({PrinterChoice::Failed}); }

    QStringList shown;  // the document name of every dialog shown

private:
    struct Step {
        PrinterChoice::Kind kind;
        QString pdfPath = {};
        QPageSize::PageSizeId paper = QPageSize::A4;
    };
    std::deque<Step> script;
};
