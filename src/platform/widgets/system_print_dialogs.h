#pragma once

#include "platform/print_dialogs.h"

class FileDialogs;
class ModalRunner;
class QWidget;

// The system's printer dialog. Where no printer is installed the printout becomes a PDF file
// chosen in the save dialog.
class SystemPrintDialogs : public PrintDialogs {
public:
    SystemPrintDialogs(FileDialogs& files, ModalRunner& modal, QWidget* parent = nullptr)
        : files_(files), modal_(modal), parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }

    PrinterChoice choosePrinter(const QString& documentName) override;

private:
    FileDialogs& files_;
    ModalRunner& modal_;
    QWidget* parent_;
};
