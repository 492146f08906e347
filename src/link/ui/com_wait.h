#pragma once

#include "link/update.h"

#include <QDialog>

#include <memory>

class QLabel;
class ClockTimer;
struct Link;

// The small progress window of an update: one step (or table chunk) per one-second tick, a
// percentage and a growing bar. It closes itself when the ticks run out or the update fails.
class ComWait : public QDialog {
    Q_OBJECT

public:
    ComWait(Link& link, QWidget* parent = nullptr);
    ~ComWait() override;

    const UpdateProgress& progress() const { return progress_; }

    QLabel* LabTime;
    QLabel* LabFull;
    QLabel* LabPart;

    // Esc does not stop an update half-way: the window closes itself when the update ends.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void TimUpdate_Timer();
    void showProgress();

    Link& link_;
    UpdateProgress progress_;
    std::unique_ptr<ClockTimer> TimUpdate;
    bool loaded_ = false;
};
