#pragma once

#include "views/view_targets.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;

// The printable edited configuration; filled by both views, never shown on screen.
class frmPrintsts : public QWidget {
public:
    explicit frmPrintsts(QWidget* parent = nullptr);

    // The bundle of the shared summary layout; this form has no display-range row (14..16 null).
    SummaryForm targets() const;

    // Keeps the date block at a fixed distance from the right edge of a page this wide.
    void placeDate(int pageWidthTwips);

    QLabel* Label1;  // "Edited Unit's Configuration :"
    QFrame* frDate;
    QLabel* lbDate;
    QLabel* lbTime;
    std::array<QLabel*, 14> LbHead{};
    std::array<QLabel*, 14> LbData{};
    std::array<QLabel*, 2> LbUnit{};
};
