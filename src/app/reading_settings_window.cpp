#include "app/reading_settings_window.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* numberBox(QWidget* parent, const QString& name, double low, double high, int decimals, double value,
                          const QString& suffix)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

ReadingSettingsWindow::ReadingSettingsWindow(const ReadingSettings& settings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReadingSettingsWindow"));
    setWindowTitle(QStringLiteral("Reading Settings"));
    readings_ = new QSpinBox(this);
    readings_->setObjectName(QStringLiteral("stableReadings"));
    readings_->setRange(2, 600);
    readings_->setValue(settings.stability.readings);
    percentOfSpan_ = numberBox(this, QStringLiteral("stablePercent"), 0.001, 10, 3, settings.stability.spanFraction * 100,
                               QStringLiteral(" % of span"));
    upScale_ = numberBox(this, QStringLiteral("burnOutUp"), 20, 24, 2, settings.burnOut.upScaleMa, QStringLiteral(" mA"));
    downScale_ = numberBox(this, QStringLiteral("burnOutDown"), 3, 4, 2, settings.burnOut.downScaleMa, QStringLiteral(" mA"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Stable after (readings):"), readings_);
    form->addRow(QStringLiteral("Stable within:"), percentOfSpan_);
    form->addRow(QStringLiteral("Output at burn-out, up scale:"), upScale_);
    form->addRow(QStringLiteral("Output at burn-out, down scale:"), downScale_);
    auto* note = new QLabel(QStringLiteral("The burn-out currents are settings of this program for the drawing of the "
                                           "output; they are not read from the unit."), this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(note);
    column->addWidget(buttons);
}

ReadingSettings ReadingSettingsWindow::settings() const
{
    ReadingSettings s;
    s.stability.readings = readings_->value();
    s.stability.spanFraction = percentOfSpan_->value() / 100;
    s.burnOut.upScaleMa = upScale_->value();
    s.burnOut.downScaleMa = downScale_->value();
    return s;
}
