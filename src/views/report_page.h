#pragma once

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

// One row of a report: the indexes of its heading, value and unit label (-1: no unit).
struct ReportRow {
    int head;
    int data;
    int unit = -1;
};

// The configuration rows both reports share, top to bottom. The output limits sit in values 10
// and 11 beside the headings "Min :" and "Max :", the damping in value 12 beside heading 10.
inline constexpr ReportRow ConfigurationRows[] = {{0, 0},   {1, 1},   {2, 2},   {3, 3},  {4, 4, 0},
                                                  {5, 5, 1}, {6, 6},   {7, 7},   {11, 10}, {12, 11},
                                                  {10, 12}, {8, 8},   {9, 9},   {13, 13}};

// Adds `layout` to the grid from line `firstLine` on; returns the next free line.
int AddReportRows(QGridLayout* rows, int firstLine, std::span<const ReportRow> layout, std::span<QLabel* const> heads,
                  std::span<QLabel* const> data, std::span<QLabel* const> units);
