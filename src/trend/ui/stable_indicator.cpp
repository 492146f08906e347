#include "trend/ui/stable_indicator.h"

namespace {

QString amount(double value, const QString& units)
{
    return QString::number(value, 'g', 3) + (units.isEmpty() ? QString() : QLatin1Char(' ') + units);
}

} // namespace

QString StabilityText(const StabilityVerdict& verdict, const QString& units)
{
    const QString verdictText = verdict.stable ? QObject::tr("Stable") : QObject::tr("Not stable");
    if (verdict.count < verdict.needed || !verdict.spread)
        return QObject::tr("%1: %2 of %3 readings").arg(verdictText).arg(verdict.count).arg(verdict.needed);
    return QObject::tr("%1: spread %2 (limit %3)")
        .arg(verdictText, amount(*verdict.spread, units), amount(verdict.threshold, units));
}

StableIndicator::StableIndicator(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("stableIndicator"));
    setTextFormat(Qt::PlainText);
    // Narrow panels (the reading panel, the calibration windows) take the limit on a second line.
    setWordWrap(true);
}

void StableIndicator::showVerdict(const StabilityVerdict& verdict, const QString& units)
{
    setText(StabilityText(verdict, units));
    QFont bold = font();
    bold.setBold(verdict.stable);
    setFont(bold);
}
