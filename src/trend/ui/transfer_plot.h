#pragma once

#include "model/output_current.h"

#include <QWidget>

#include <optional>

// The drawing of TransferPanel: the transfer line over a little more than the input range, so
// that the clamping at the output limits shows, the burn-out level, and the operating point.
class TransferPlot : public QWidget {
    Q_OBJECT
public:
    explicit TransferPlot(QWidget* parent = nullptr);

    void setTransfer(const std::optional<OutputTransfer>& transfer, const QString& units);
    // The reading's point on the line, the burn-out level's point, or none.
    void setOperatingPoint(std::optional<double> reading, bool burnOut);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<OutputTransfer> transfer_;
    QString units_;
    std::optional<double> reading_;
    bool burnOut_ = false;
};
