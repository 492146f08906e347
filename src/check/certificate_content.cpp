#include "check/certificate_content.h"

#include "check/check_record.h"
#include "check/check_runner.h"


namespace {

using Kind = CertificateRow::Kind;

const QString NotGiven = QStringLiteral("-");

QString given(const QString& text)
{
    return text.trimmed().isEmpty() ? NotGiven : text.trimmed();
}

QString number(double value)
{
    return QString::number(value, 'g', 7);
}

CertificateRow field(const QString& label, const QString& value)
{
    return {Kind::Field, {label, given(value)}};
}

CertificateRow paragraph(const QString& text)
{
    return {Kind::Paragraph, {text}};
}

QString amount(const CheckRecord& r, double value)
{
    return UnitValueText(r.scale, value) + QLatin1Char(' ') + r.scale.units;
}

QString toleranceText(const CheckRecord& r)
{
    const Tolerance& t = r.plan.tolerance;
    if (t.kind == Tolerance::Kind::Absolute)
        return QStringLiteral("\u00B1") + amount(r, r.scale.tolerance);
    return QStringLiteral("\u00B1%1 % of span (\u00B1%2)").arg(number(t.value), amount(r, r.scale.tolerance));
}

CertificateSection opening(const CheckRecord& r)
{
    return {QString(),
            {{Kind::Title, {QStringLiteral("Calibration Certificate")}},
             field(QStringLiteral("Certificate number"), r.certificateNumber),
             field(QStringLiteral("Issued by"), r.company),
             field(QStringLiteral("Customer"), r.plan.customer),
             field(QStringLiteral("Site"), r.plan.site),
             field(QStringLiteral("Date of calibration"), r.started.toString(QStringLiteral("yyyy-MM-dd HH:mm"))),
             field(QStringLiteral("Date of issue"), r.issued.toString(QStringLiteral("yyyy-MM-dd")))}};
}

CertificateSection unitSection(const CheckRecord& r)
{
    const CheckedUnit& u = r.unit;
    const QString direction = u.outMin < u.outMax ? QStringLiteral("rising") : QStringLiteral("falling");
    return {QStringLiteral("Unit under test"),
            {field(QStringLiteral("Product"), QStringLiteral("Two-wire temperature transmitter, 4-20 mA output")),
             field(QStringLiteral("Serial number"), u.serial),
             field(QStringLiteral("Tag"), u.tag),
             field(QStringLiteral("Input type"), u.inputType),
             field(QStringLiteral("Wiring"), u.wiring),
             field(QStringLiteral("Input range"),
                   QStringLiteral("%1 to %2 %3").arg(number(u.rangeMin), number(u.rangeMax), r.scale.units)),
             field(QStringLiteral("Output range"),
                   QStringLiteral("%1 to %2 mA (%3)").arg(number(u.outMin), number(u.outMax), direction)),
             field(QStringLiteral("Damping"), QStringLiteral("%1 s").arg(number(u.damping))),
             field(QStringLiteral("Calibration software"), CheckSoftwareText())}};
}

CertificateSection methodSection(const CheckRecord& r)
{
    const StabilityRule& rule = r.plan.stability;
    const QString direction = r.plan.downScale ? QStringLiteral("up-scale, then down-scale")
                                               : QStringLiteral("up-scale");
    return {QStringLiteral("Method"),
            {field(QStringLiteral("Test points"),
                   QStringLiteral("%1 %2, %3").arg(PointsText(r.plan.points), r.scale.units, direction)),
             field(QStringLiteral("Tolerance"), toleranceText(r)),
             field(QStringLiteral("Settled reading"),
                   QStringLiteral("%1 readings in a row, one a second, within %2 % of span (%3); their mean is "
                                  "recorded. A point not settled within %4 s is recorded as read and marked *.")
                       .arg(rule.readings)
                       .arg(number(rule.spanFraction * 100), amount(r, rule.threshold(r.scale.span())))
                       .arg(PointTimeLimit)),
             field(QStringLiteral("Expected output"),
                   QStringLiteral("the current the unit's input and output ranges give for the reference"))}};
}

CertificateSection referenceSection(const CheckRecord& r)
{
    const ReferenceInstrument& ref = r.plan.reference;
    return {QStringLiteral("Reference instrument and traceability"),
            {field(QStringLiteral("Instrument"), QStringList{ref.type, ref.serial}.join(QLatin1Char(' '))),
             field(QStringLiteral("Its certificate"), ref.certificate),
             field(QStringLiteral("Its uncertainty"), ref.uncertainty),
             paragraph(QStringLiteral("The results are traceable to national measurement standards through the "
                                      "calibration of the reference instrument named above."))}};
}

CertificateSection environmentSection(const CheckRecord& r)
{
    const CheckedUnit& u = r.unit;
    return {QStringLiteral("Environment"),
            {field(QStringLiteral("Ambient temperature"),
                   u.ambient ? QStringLiteral("%1 %2 (the unit's terminal temperature)").arg(number(*u.ambient), u.ambientUnits)
                             : QStringLiteral("not reported by the unit")),
             field(QStringLiteral("Relative humidity"), r.plan.humidityPercent
                                                            ? QStringLiteral("%1 %").arg(number(*r.plan.humidityPercent))
                                                            : QStringLiteral("not recorded"))}};
}

CertificateSection tableSection(const CheckRecord& r, const QString& heading, const CheckTable& table)
{
    const QString units = QStringLiteral(" (%1)").arg(r.scale.units);
    CertificateSection section{heading,
                               {{Kind::TableHeader,
                                 {QStringLiteral("Reference") + units, QStringLiteral("Reading") + units,
                                  QStringLiteral("Error") + units, QStringLiteral("Error (% of span)"),
                                  QStringLiteral("Expected (mA)"), QStringLiteral("Result")}}}};
    for (const PointResult& point : table.points) {
        const PointTexts t = TextsOf(r.scale, point);
        section.rows.push_back({Kind::TableRow, {t.reference, t.reading, t.error, t.errorPercentOfSpan, t.expectedMa,
                                                 point.settled ? t.verdict : t.verdict + QLatin1Char('*')}});
    }
    section.rows.push_back(paragraph(ConformityText(table)));
    return section;
}

CertificateSection conformitySection(const CheckRecord& r)
{
    return {QStringLiteral("Decision rule and statement of conformity"),
            {paragraph(QStringLiteral("A point conforms when the magnitude of its error is within the tolerance of "
                                      "%1. The uncertainty of measurement is not taken into account (simple "
                                      "acceptance): near the limits the risk of a wrong decision is shared.")
                           .arg(toleranceText(r))),
             field(QStringLiteral("As found"), ConformityText(r.asFound)),
             field(QStringLiteral("As left"), ConformityText(r.asLeft))}};
}

} // namespace

std::vector<CertificateSection> CertificateSections(const CheckRecord& r)
{
    return {opening(r),
            unitSection(r),
            methodSection(r),
            referenceSection(r),
            environmentSection(r),
            tableSection(r, QStringLiteral("As-found results"), r.asFound),
            {QStringLiteral("Adjustment"), {paragraph(AdjustmentText(r.adjustment, r.scale))}},
            tableSection(r, QStringLiteral("As-left results"), r.asLeft),
            conformitySection(r),
            {QStringLiteral("Calibrated by"),
             {field(QStringLiteral("Technician"), r.plan.technician),
              {Kind::Signature, {QStringLiteral("Signature: ______________________________        "
                                                "Date: ____________________")}}}}};
}

QString CertificatePageHeader(const CheckRecord& record)
{
    return QStringLiteral("Calibration Certificate No. %1").arg(given(record.certificateNumber));
}

QString CertificatePageFooter(int page, int pages)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}
