#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct Link;
class FileDialogs;

// The factory-calibration window, for the laboratory: the unit's checksums, the status of each
// calibration step, its serial number and factory values (Get Values), and the save and restore
// of its 704-byte factory (flash) memory. Shown modeless; it talks over the open port directly,
// the normal connection having been closed first. Closing it by its title bar works as Exit.
//
// The windows of the eight calibration steps (rows 0 to 7) are not part of this program:
// choosing such a row says so and changes nothing.
class frmCalib : public QWidget {
    Q_OBJECT

public:
    frmCalib(Link& link, FileDialogs& dialogs, QWidget* parent = nullptr);

    // The freshly loaded window: values empty, only the two memory rows (14, 15) can be chosen.
    void Form_Load();
    // Get Values.
    void Command1_Click();
    // Exit: closes the port and the window.
    void Command2_Click();
    void Option1_Click(int index);
    // A click on the caption of a step row (Label5 … Label12) chooses that row, if it is enabled.
    void RowLabel_Click(int index);

    QLabel* Label4;  // "Rasko Factory Calibration"
    QPushButton* Command1;  // "Get Values"
    QPushButton* Command2;  // "Exit"
    QLabel* Label1;         // "Lab Check Sum:"
    QLabel* lbLabCS;
    QLabel* Label2;         // "Customer Check Sum 0:"
    QLabel* lbCusCS0;
    QLabel* Label3;         // "Customer Check Sum 1:"
    QLabel* lbCusCS1;
    QGroupBox* Frame1;      // the rows of calibration steps, values and memory transfers
    std::array<QRadioButton*, 16> Option1{};  // one per row
    std::array<QLabel*, 14> lbOption{};
    // The row captions Label5 … Label20: RowLabel[i] is the caption of Option1[i].
    std::array<QLabel*, 16> RowLabel{};

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc leaves the window as Exit does.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Empties the checksums and rows 0 to 13, which cannot be chosen until Get Values.
    void clearValues();
    void saveFlashMemory();
    void restoreFlashMemory();

    Link& link_;
    FileDialogs& dialogs_;
    bool busy_ = false;  // a command is talking to the unit
};
