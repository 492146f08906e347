#pragma once

#include "platform/file_dialogs.h"

class QWidget;

// The system's open and save dialogs.
class SystemFileDialogs : public FileDialogs {
public:
    explicit SystemFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    DialogResult openFile(const QString& filter) override;
    DialogResult saveFile(const QString& filter, const QString& proposedName = {}) override;

private:
    QWidget* parent_;
};
