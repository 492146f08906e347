#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// "Version MIRTAL_1.11": the program's version as the about window shows it.
QString VersionText();

// The about window: the version as a label and as a text box that cannot be changed.
class frmAbout : public QWidget {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    void Form_Load();
    void Text1_Change();
    void Command1_Click();

    QLabel* lblVersion = nullptr;
    QLineEdit* Text1 = nullptr;          // the version text
    QPushButton* Command1 = nullptr;     // OK
};
