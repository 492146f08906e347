#include "trend/ui/transfer_panel.h"

#include "trend/ui/transfer_plot.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

TransferPanel::TransferPanel(QWidget* parent)
    : QWidget(parent), plot_(new TransferPlot(this)), value_(new QLabel(this)), note_(new QLabel(this))
{
    setObjectName(QStringLiteral("transferPanel"));
    value_->setObjectName(QStringLiteral("transferValue"));
    note_->setObjectName(QStringLiteral("transferNote"));
    for (QLabel* label : {value_, note_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_, 1);
    layout->addWidget(value_);
    layout->addWidget(note_);
    showTexts();
}

void TransferPanel::setTransfer(const std::optional<OutputTransfer>& transfer, const QString& units)
{
    transfer_ = transfer;
    plot_->setTransfer(transfer, units);
    showTexts();
}

void TransferPanel::setSample(const ReadingSample& sample)
{
    sample_ = sample;
    const bool hasReading = sample.status == SampleStatus::Ok;
    plot_->setOperatingPoint(hasReading ? std::optional<double>(sample.reading) : std::nullopt,
                             sample.status == SampleStatus::BurnOut);
    showTexts();
}

void TransferPanel::showTexts()
{
    if (!transfer_) {
        value_->clear();
        note_->clear();
        return;
    }
    const std::optional<double>& level = transfer_->burnOutMa;
    note_->setText(level ? tr("At a burn-out the output goes %1 to %2 mA: a setting of this program, not read from "
                              "the unit.")
                               .arg(transfer_->burnOutUpScale ? tr("up scale") : tr("down scale"))
                               .arg(*level, 0, 'f', 1)
                         : tr("The burn-out direction is not set."));
    switch (sample_.status) {
    case SampleStatus::Ok: {
        const OutputPoint point = OutputAt(*transfer_, sample_.reading);
        value_->setText(tr("%1 mA, %2 % of range").arg(point.milliamps, 0, 'f', 3).arg(point.percentOfRange, 0, 'f', 1));
        break;
    }
    case SampleStatus::BurnOut:
        value_->setText(level ? tr("%1 mA: burn-out").arg(*level, 0, 'f', 3) : tr("Burn-out"));
        break;
    case SampleStatus::NoReading: value_->setText(tr("No Reading")); break;
    }
}
