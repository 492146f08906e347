#pragma once

#include "model/stability.h"

#include <QLabel>

// "Stable" or "Not stable" beside a live reading, with the spread of the last readings and the
// limit it is judged against.
class StableIndicator : public QLabel {
    Q_OBJECT
public:
    explicit StableIndicator(QWidget* parent = nullptr);

    void showVerdict(const StabilityVerdict& verdict, const QString& units);
};

QString StabilityText(const StabilityVerdict& verdict, const QString& units);
