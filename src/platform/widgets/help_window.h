#pragma once

#include <QWidget>

class QTextBrowser;

// A window that shows the program's HTML help. Links between pages beside the help file are
// followed; nothing is ever fetched from elsewhere.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the file into the window (without showing it); false when it cannot be read.
    bool showFile(const QString& path);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
