#include "check/point_result.h"

#include "link/connect_poll.h"
#include "model/conf_record.h"
#include "model/formatters.h"

#include <cmath>

namespace {

// Adding zero turns a negative zero positive, so that no "-0.000" is shown.
double rounded(double value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    return std::round(value * factor) / factor + 0.0;
}

QString fixedText(double value, int decimals)
{
    return QString::number(rounded(value, decimals), 'f', decimals);
}

// Results carry one decimal more than a single reading: they are means of several.
int resultDecimals(const CheckScale& scale)
{
    return scale.readingDecimals + 1;
}

} // namespace

std::optional<CheckScale> CheckScaleOf(const ConfRecord& unit, const Tolerance& tolerance)
{
    std::optional<OutputTransfer> transfer = OutputTransferOf(unit, BurnOutLevels{});
    if (!transfer)
        return std::nullopt;
    // A unit that reports percent of its range is checked on that scale.
    if (unit.Units == UnitsPercent) {
        transfer->rangeMin = 0;
        transfer->rangeMax = 100;
    }
    CheckScale scale;
    scale.transfer = *transfer;
    scale.tolerance = tolerance.inUnits(scale.span());
    scale.readingDecimals = unit.InputClass == ClassVoltage && unit.Units == UnitsMillivolt ? 3 : 2;
    scale.units = UnitsText(unit.Units);
    return scale;
}

double PolledReading(const ConfRecord& unit)
{
    if (SameSingle(unit.Reading, BurnOutReading) || SameSingle(unit.Reading, NoValue))
        return NoReadingValue;
    return unit.Reading;
}

PointResult JudgePoint(const CheckScale& scale, double reference, double reading, bool settled)
{
    PointResult p;
    p.reference = reference;
    p.settled = settled;
    p.expectedMa = OutputAt(scale.transfer, reference).milliamps;
    if (std::isnan(reading))
        return p;
    p.reading = rounded(reading, resultDecimals(scale));
    p.error = rounded(reading - reference, resultDecimals(scale));
    p.errorPercentOfSpan = p.error / std::abs(scale.span()) * 100.0;
    // The margin only absorbs the binary representation of two decimal numbers.
    p.pass = std::abs(p.error) <= scale.tolerance * (1 + 1e-9);
    return p;
}

QString UnitValueText(const CheckScale& scale, double value)
{
    return fixedText(value, resultDecimals(scale));
}

PointTexts TextsOf(const CheckScale& scale, const PointResult& point)
{
    const bool read = !std::isnan(point.reading);
    const QString none = QStringLiteral("-");
    return {UnitValueText(scale, point.reference),
            read ? UnitValueText(scale, point.reading) : none,
            read ? UnitValueText(scale, point.error) : none,
            read ? fixedText(point.errorPercentOfSpan, 3) : none,
            fixedText(point.expectedMa, 3),
            point.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL")};
}
