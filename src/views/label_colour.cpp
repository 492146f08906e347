#include "views/label_colour.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void setLabelColour(QWidget* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
}

QColor labelColour(const QWidget* label)
{
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

QColor windowTextColour(const QWidget* label)
{
    return QApplication::palette(label).color(QPalette::Active, QPalette::WindowText);
}
