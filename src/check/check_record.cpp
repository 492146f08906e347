#include "check/check_record.h"

#include "delvo2_version.h"
#include "link/connect_poll.h"
#include "model/conf_record.h"
#include "model/correction_scale.h"
#include "model/formatters.h"

#include <algorithm>
#include <tuple>

namespace {

auto correctionOf(const ConfRecord& r)
{
    return std::make_tuple(r.CalLowRef, r.CalLowRead, r.CalHighRef, r.CalHighRead, r.CalGain, r.CalOffset);
}

} // namespace

CheckedUnit CheckedUnitOf(const ConfRecord& u)
{
    CheckedUnit unit;
    unit.serial = u.Serial;
    unit.tag = u.Tag.trimmed();
    unit.inputType = u.InputName;
    unit.wiring = WiresText(u);
    unit.rangeMin = u.RangeMin;
    unit.rangeMax = u.RangeMax;
    unit.outMin = u.OutMin;
    unit.outMax = u.OutMax;
    unit.damping = u.Damping;
    if (!SameSingle(u.AmbRead, NoAmbientReading) && !SameSingle(u.AmbRead, NoValue))
        unit.ambient = u.AmbRead;
    unit.ambientUnits = AmbUnitsText(u.AmbUnits);
    return unit;
}

Adjustment AdjustmentBetween(const ConfRecord& before, const ConfRecord& after, bool written)
{
    Adjustment a;
    if (correctionOf(before) == correctionOf(after))
        return a;
    a.written = written;
    // A completed correction marks its reference fields; anything else leaves the unit without one.
    if (after.CalLowRef != OffsetMarker || after.CalGain == NoCal) {
        a.kind = Adjustment::Kind::Removed;
        return a;
    }
    if (after.CalGain == float(CorrectionScale)) {
        a.kind = Adjustment::Kind::OffsetTrim;
        a.offset = after.CalOffset / TrimOffsetScale(after.InputClass);
        return a;
    }
    a.kind = Adjustment::Kind::TwoPoint;
    a.gain = double(after.CalGain / CorrectionScale);
    a.offset = double(after.CalOffset / CorrectionScale);
    a.lowReading = after.CalLowRead;
    a.highReading = after.CalHighRead;
    return a;
}

QString AdjustmentText(const Adjustment& a, const CheckScale& scale)
{
    const auto value = [&scale](double v) { return UnitValueText(scale, v) + QLatin1Char(' ') + scale.units; };
    QString text;
    switch (a.kind) {
    case Adjustment::Kind::None: return QStringLiteral("No adjustment: the as-left results are the as-found results.");
    case Adjustment::Kind::Removed: text = QStringLiteral("The unit's correction was removed."); break;
    case Adjustment::Kind::OffsetTrim:
        text = QStringLiteral("Offset trim: %1 added to every reading.").arg(value(a.offset));
        break;
    case Adjustment::Kind::TwoPoint:
        text = QStringLiteral("Two-point calibration: reading %1 made %2, reading %3 made %4 "
                              "(gain %5, offset %6).")
                   .arg(value(a.lowReading), value(a.gain * a.lowReading + a.offset), value(a.highReading),
                        value(a.gain * a.highReading + a.offset), QString::number(a.gain, 'f', 6), value(a.offset));
        break;
    }
    if (!a.written)
        text += QStringLiteral(" Kept for the next update: not yet written into the unit.");
    return text;
}

int CheckTable::failures() const
{
    return int(std::count_if(points.begin(), points.end(), [](const PointResult& p) { return !p.pass; }));
}

QString ConformityText(const CheckTable& table)
{
    if (table.passed())
        return QStringLiteral("PASS: every point within the tolerance");
    return QStringLiteral("FAIL: %1 of %2 points outside the tolerance").arg(table.failures()).arg(table.points.size());
}

QString CheckSoftwareText()
{
    return QStringLiteral("delvo2 " DELVO2_VERSION);
}

QString CheckHistoryNote(const CheckRecord& record)
{
    const auto verdict = [](const CheckTable& table) {
        return table.passed() ? QStringLiteral("PASS")
                              : QStringLiteral("FAIL (%1 of %2)").arg(table.failures()).arg(table.points.size());
    };
    const char* adjustment = "no adjustment";
    switch (record.adjustment.kind) {
    case Adjustment::Kind::None: break;
    case Adjustment::Kind::OffsetTrim: adjustment = "offset trim"; break;
    case Adjustment::Kind::TwoPoint: adjustment = "two-point calibration"; break;
    case Adjustment::Kind::Removed: adjustment = "correction removed"; break;
    }
    return QStringLiteral("%1: as found %2, %3%4, as left %5")
        .arg(record.certificateNumber, verdict(record.asFound), QLatin1String(adjustment),
             record.adjustment.kind != Adjustment::Kind::None && !record.adjustment.written ? QStringLiteral(" (not yet written)") : QString(),
             verdict(record.asLeft));
}
