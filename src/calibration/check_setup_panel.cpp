#include "calibration/check_setup_panel.h"

#include "model/conf_record.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "platform/widgets/named_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// The number in a box, or nothing after the operator was told; `low` is exclusive.
std::optional<double> numberIn(const QLineEdit* box, const QString& field, double low, double high, Operator& op)
{
    bool ok = false;
    const double value = box->text().trimmed().toDouble(&ok);
    if (!ok) {
        NotNumericMessage(op, field);
        return std::nullopt;
    }
    if (!(value > low && value <= high)) {
        IllegalValueMessage(op, QStringLiteral("%1 must lie above %2 and up to %3.").arg(field).arg(low).arg(high));
        return std::nullopt;
    }
    return value;
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return holder;
}

} // namespace

CheckSetupPanel::CheckSetupPanel(QWidget* parent) : QGroupBox(QStringLiteral("Set-up"), parent)
{
    setObjectName(QStringLiteral("frCheckSetup"));
    txtPoints = NewTextBox(this, QStringLiteral("txtPoints"));
    lbPointsUnit = NewLabel(this, QStringLiteral("lbPointsUnit"));
    chkDownScale = new QCheckBox(QStringLiteral("Down-scale too"), this);
    chkDownScale->setObjectName(QStringLiteral("chkDownScale"));
    txtTolerance = NewTextBox(this, QStringLiteral("txtTolerance"));
    cboToleranceKind = new QComboBox(this);
    cboToleranceKind->setObjectName(QStringLiteral("cboToleranceKind"));
    cboToleranceKind->addItems({QStringLiteral("% of span"), QString()});
    spnStableReadings = new QSpinBox(this);
    spnStableReadings->setObjectName(QStringLiteral("spnStableReadings"));
    spnStableReadings->setRange(2, 100);
    txtStableSpread = NewTextBox(this, QStringLiteral("txtStableSpread"));
    chkAutoRecord = new QCheckBox(QStringLiteral("Record by itself when stable"), this);
    chkAutoRecord->setObjectName(QStringLiteral("chkAutoRecord"));
    const std::pair<QLineEdit**, const char*> boxes[] = {
        {&txtRefType, "txtRefType"}, {&txtRefSerial, "txtRefSerial"}, {&txtRefCertificate, "txtRefCertificate"},
        {&txtRefUncertainty, "txtRefUncertainty"}, {&txtTechnician, "txtTechnician"}, {&txtCustomer, "txtCustomer"},
        {&txtSite, "txtSite"}, {&txtHumidity, "txtHumidity"}, {&txtCompany, "txtCompany"}, {&txtPrefix, "txtPrefix"}};
    for (const auto& [box, name] : boxes)
        *box = NewTextBox(this, QLatin1String(name));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Test points"), row(this, {txtPoints, lbPointsUnit, chkDownScale}));
    form->addRow(QStringLiteral("Tolerance"), row(this, {txtTolerance, cboToleranceKind}));
    form->addRow(QStringLiteral("Stable when"),
                 row(this, {spnStableReadings, new QLabel(QStringLiteral("readings within"), this), txtStableSpread,
                            new QLabel(QStringLiteral("% of span"), this), chkAutoRecord}));
    form->addRow(QStringLiteral("Reference type, serial"), row(this, {txtRefType, txtRefSerial}));
    form->addRow(QStringLiteral("Its certificate, uncertainty"), row(this, {txtRefCertificate, txtRefUncertainty}));
    form->addRow(QStringLiteral("Technician"), txtTechnician);
    form->addRow(QStringLiteral("Customer, site"), row(this, {txtCustomer, txtSite}));
    form->addRow(QStringLiteral("Humidity (% RH)"), txtHumidity);
    form->addRow(QStringLiteral("Company, certificate prefix"), row(this, {txtCompany, txtPrefix}));
}

void CheckSetupPanel::load(const ConfRecord& unit, const CertificateSettings& certificate)
{
    const CheckPlan defaults;
    txtPoints->setText(PointsText(DefaultPoints(unit.RangeMin, unit.RangeMax)));
    lbPointsUnit->setText(UnitsText(unit.Units));
    cboToleranceKind->setItemText(1, UnitsText(unit.Units));
    cboToleranceKind->setCurrentIndex(0);
    txtTolerance->setText(QString::number(defaults.tolerance.value));
    spnStableReadings->setValue(defaults.stability.readings);
    txtStableSpread->setText(QString::number(defaults.stability.spanFraction * 100));
    txtCompany->setText(certificate.company);
    txtPrefix->setText(certificate.prefix);
}

std::optional<CheckPlan> CheckSetupPanel::plan(Operator& op) const
{
    CheckPlan p;
    const std::optional<std::vector<double>> points = ParsePoints(txtPoints->text());
    if (!points) {
        IllegalValueMessage(op, QStringLiteral("The test points must be numbers separated by commas."));
        return std::nullopt;
    }
    p.points = *points;
    p.downScale = chkDownScale->isChecked();
    const std::optional<double> tolerance = numberIn(txtTolerance, QStringLiteral("Tolerance"), 0, 1e6, op);
    if (!tolerance)
        return std::nullopt;
    p.tolerance = {cboToleranceKind->currentIndex() == 0 ? Tolerance::Kind::PercentOfSpan : Tolerance::Kind::Absolute,
                   *tolerance};
    const std::optional<double> spread = numberIn(txtStableSpread, QStringLiteral("Stable spread"), 0, 100, op);
    if (!spread)
        return std::nullopt;
    p.stability = {spnStableReadings->value(), *spread / 100};
    if (!txtHumidity->text().trimmed().isEmpty()) {
        p.humidityPercent = numberIn(txtHumidity, QStringLiteral("Humidity"), 0, 100, op);
        if (!p.humidityPercent)
            return std::nullopt;
    }
    p.reference = {txtRefType->text(), txtRefSerial->text(), txtRefCertificate->text(), txtRefUncertainty->text()};
    p.technician = txtTechnician->text();
    p.customer = txtCustomer->text();
    p.site = txtSite->text();
    return p;
}

CertificateSettings CheckSetupPanel::certificate() const
{
    return {txtCompany->text().trimmed(), txtPrefix->text().trimmed()};
}

bool CheckSetupPanel::autoRecord() const
{
    return chkAutoRecord->isChecked();
}
