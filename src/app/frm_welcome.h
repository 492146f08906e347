#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The product-selection window shown beside the main window at start-up. Any of its three
// buttons closes it; no choice is recorded.
class frmWelcome : public QWidget {
    Q_OBJECT

public:
    explicit frmWelcome(QWidget* parent = nullptr);

    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    QPushButton* Command4 = nullptr; // "Delvo-2"
    QPushButton* Command3 = nullptr; // "Enrik-2"
    QPushButton* Command2 = nullptr; // "Tarvo-2"
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;

private:
    void unload();
};
