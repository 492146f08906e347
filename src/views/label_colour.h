#pragma once

#include <QColor>

class QWidget;

// Colours the views paint label text in.
inline constexpr QColor Blue(0, 0, 255);
inline constexpr QColor Red(255, 0, 0);
inline constexpr QColor DarkGreen(0, 64, 0);
inline constexpr QColor DarkBlue(0, 0, 64);
inline constexpr QColor EditNearBlack(18, 0, 0);    // values of the edit panel
inline constexpr QColor PanelNearBlack(8, 8, 8);    // headings of a cleared unit panel

// The text colour of an enabled control. A disabled one keeps the style's greyed colour.
void setLabelColour(QWidget* label, const QColor& colour);
QColor labelColour(const QWidget* label);
// The system's colour of window text for this kind of control.
QColor windowTextColour(const QWidget* label);
