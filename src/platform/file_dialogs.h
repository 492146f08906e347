#pragma once

#include <QString>

// Outcome of a file dialog: a chosen path, a cancel, or a failure of the dialog itself.
struct DialogResult {
    enum Kind { Chosen, Cancelled, Failed };
    Kind kind = Cancelled;
    QString path;
};

// The open and save dialogs; the GUI shows the system's dialogs, tests script them.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter as in "*.cal, *.*"
    virtual DialogResult openFile(const QString& filter) = 0;
    virtual DialogResult saveFile(const QString& filter, const QString& proposedName = {}) = 0;
};
