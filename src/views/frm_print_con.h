#pragma once

#include "views/view_targets.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;

// The printable connected unit's configuration and readings; filled by the unit view, never
// shown on screen.
class frmPrintCon : public QWidget {
public:
    explicit frmPrintCon(QWidget* parent = nullptr);

    PrintConForm targets() const;

    QLabel* Label1;  // "Connected Unit's Configuration :"
    QFrame* frDate;
    QLabel* lbDate;
    QLabel* lbTime;
    std::array<QLabel*, 18> LbHead{};
    std::array<QLabel*, 18> LbData{};
    std::array<QLabel*, 6> LbUnit{};
};
