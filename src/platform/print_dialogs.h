#pragma once

#include <QString>

#include <memory>

class QPrinter;

// Outcome of the printer choice: the printer to print on, a cancel, or a failure of the choice.
struct PrinterChoice {
    enum Kind { Chosen, Cancelled, Failed };
    Kind kind = Cancelled;
    std::unique_ptr<QPrinter> printer;  // set when chosen
};

// The printer dialog; the GUI shows the system's (or, with no printer at all, a save dialog for
// a PDF file), tests script it.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // `documentName` names the printout (the print job, the proposed PDF file).
    virtual PrinterChoice choosePrinter(const QString& documentName) = 0;
};
