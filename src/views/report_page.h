#pragma once

#include "model/summary_rows.h"

#include <QString>

#include <span>

class QFrame;
class QGridLayout;
class QLabel;
class QWidget;

// The forms are laid out in twips (1/1440 inch), drawn at 96 dots per inch.
int TwipsToPixels(int twips);

// What every printed report has around its rows.
struct ReportPage {
    QLabel* title;
    QFrame* dateFrame;  // at the top right; placed freely, outside the rows' layout
    QLabel* date;
    QLabel* time;
    QGridLayout* rows;  // columns: heading, value, unit
};

// Makes `form` a hidden one-page report (a window of its own that is never shown, serif font)
// with its title, its date frame and an empty grid for the rows.
ReportPage BuildReportPage(QWidget* form, const QString& formName, const QString& title);

// A plain-text label named "LbHead_3"-style (or `name` alone when index is negative).
QLabel* ReportLabel(QWidget* parent, const QString& name, int index = -1, const QString& caption = {});

// Adds `layout` to the grid from line `firstLine` on; returns the next free line.
int AddReportRows(QGridLayout* rows, int firstLine, std::span<const SummaryRow> layout, std::span<QLabel* const> heads,
                  std::span<QLabel* const> data, std::span<QLabel* const> units);
