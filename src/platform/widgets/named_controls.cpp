#include "platform/widgets/named_controls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

QString IndexedName(const QString& base, int index)
{
    return base + QLatin1Char('_') + QString::number(index);
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);  // Enter in a dialog's box does not press the first button
    return button;
}

QLineEdit* NewTextBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QRadioButton* NewOption(QWidget* parent, const QString& name, const QString& caption)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

QGroupBox* NewFrame(QWidget* parent, const QString& name, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

void SetBackColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
}

void ResetBackColour(QWidget* control)
{
    SetBackColour(control, QApplication::palette(control).color(QPalette::Base));
}

QColor BackColour(const QWidget* control)
{
    return control->palette().color(QPalette::Base);
}

void ClearOption(QRadioButton* option)
{
    // An exclusive group keeps one button selected; it lets go only while not exclusive.
    QButtonGroup* group = option->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    option->setChecked(false);
    if (exclusive)
        group->setExclusive(true);
}
