#pragma once

#include "check/check_plan.h"
#include "check/check_settings.h"

#include <QGroupBox>

#include <optional>

class Operator;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
struct ConfRecord;

// The set-up of a check: test points, tolerance, the stable rule, the reference instrument, the
// people and the place, the certificate's issuer and number prefix.
class CheckSetupPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit CheckSetupPanel(QWidget* parent = nullptr);

    // Fills the fields for a unit: its range's default points, its units beside the values.
    void load(const ConfRecord& unit, const CertificateSettings& certificate);
    // The plan as typed; nothing (after telling the operator which field is wrong) when a value
    // is not usable.
    std::optional<CheckPlan> plan(Operator& op) const;
    CertificateSettings certificate() const;
    bool autoRecord() const;

    QLineEdit* txtPoints;
    QCheckBox* chkDownScale;
    QLineEdit* txtTolerance;
    QComboBox* cboToleranceKind;  // 0: % of span, 1: the unit's units
    QSpinBox* spnStableReadings;
    QLineEdit* txtStableSpread;   // % of span
    QCheckBox* chkAutoRecord;
    QLineEdit* txtRefType;
    QLineEdit* txtRefSerial;
    QLineEdit* txtRefCertificate;
    QLineEdit* txtRefUncertainty;
    QLineEdit* txtTechnician;
    QLineEdit* txtCustomer;
    QLineEdit* txtSite;
    QLineEdit* txtHumidity;       // % relative humidity, may stay empty
    QLineEdit* txtCompany;
    QLineEdit* txtPrefix;
    QLabel* lbPointsUnit;
};
