#pragma once

#include "model/output_current.h"
#include "trend/reading_series.h"

#include <QWidget>

#include <optional>

class QLabel;
class TransferPlot;

// The output's transfer function (input range -> mA, clamped at the output limits, and the burn-out
// level) with the present operating point on it, its current and its percent of range.
class TransferPanel : public QWidget {
    Q_OBJECT
public:
    explicit TransferPanel(QWidget* parent = nullptr);

    // The connected unit's transfer (nothing: no input range or output span) and its input's units.
    void setTransfer(const std::optional<OutputTransfer>& transfer, const QString& units);
    // The latest sample: its reading, or its burn-out, is the operating point.
    void setSample(const ReadingSample& sample);

private:
    void showTexts();

    std::optional<OutputTransfer> transfer_;
    ReadingSample sample_;
    TransferPlot* plot_;
    QLabel* value_;
    QLabel* note_;
};
