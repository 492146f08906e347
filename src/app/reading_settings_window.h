#pragma once

#include "trend/live_readings.h"

#include <QDialog>

class QDoubleSpinBox;
class QSpinBox;

// The settings the live readings are judged and drawn by: the stable rule (how many readings,
// within what share of the span) and the output current shown at burn-out.
class ReadingSettingsWindow : public QDialog {
    Q_OBJECT

public:
    ReadingSettingsWindow(const ReadingSettings& settings, QWidget* parent = nullptr);

    ReadingSettings settings() const;

private:
    QSpinBox* readings_;
    QDoubleSpinBox* percentOfSpan_;
    QDoubleSpinBox* upScale_;
    QDoubleSpinBox* downScale_;
};
