#pragma once

#include <QColor>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Creating named controls. Every control's object name is its name in the program
// ("cmdResetMin"), an element of a control array adds its index ("LbData_13").
QString IndexedName(const QString& base, int index);

// Labels never interpret their text: what they show may come from a unit or a file.
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption = {});
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption);
QLineEdit* NewTextBox(QWidget* parent, const QString& name);
QRadioButton* NewOption(QWidget* parent, const QString& name, const QString& caption = {});
QGroupBox* NewFrame(QWidget* parent, const QString& name, const QString& caption = {});

// The colour a text box fills its background with; reset gives back the system's colour of
// window backgrounds.
void SetBackColour(QWidget* control, const QColor& colour);
void ResetBackColour(QWidget* control);
QColor BackColour(const QWidget* control);

// Clears an option button, even the selected one of an exclusive group.
void ClearOption(QRadioButton* option);
