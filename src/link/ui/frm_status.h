#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
struct Link;

// The confirmation before an update: the edited configuration with the fields that differ from
// the unit's in red, beside it the old and new value of each field the update changes, and the
// buttons Update and Cancel.
class frmStatus : public QDialog {
    Q_OBJECT

public:
    explicit frmStatus(Link& link, QWidget* parent = nullptr);

    void Update_Click();
    void Cancel_Click();
    // Esc and the close box leave the window as Cancel does: nothing is written.
    void reject() override;

    QLabel* Label1;  // "Confirm The Following Changes:"
    std::array<QLabel*, 17> LbHead{};
    std::array<QLabel*, 16> LbData{};
    std::array<QLabel*, 2> LbUnit{};
    QGroupBox* FrStatus;
    QPushButton* Update;
    QPushButton* Cancel;

    // "Damping Time : 2 -> 5", a line a field the update changes, as the window shows them.
    QStringList changeLines() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Link& link_;
    QLabel* changes_;
};
