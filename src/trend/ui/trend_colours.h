#pragma once

#include <QColor>
#include <QPalette>

// The charts' colours, taken from the active palette: the traces keep their hues but are lighter on
// a dark background, so a dark theme stays readable.
struct TrendColours {
    explicit TrendColours(const QPalette& palette);

    QColor background;
    QColor text;
    QColor frame;
    QColor grid;
    QColor tipBackground;
    QColor tipText;
    QColor reading;
    QColor output;
    QColor ambient;
};
