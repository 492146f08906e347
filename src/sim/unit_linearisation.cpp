#include "sim/unit_linearisation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

std::optional<std::int64_t> wholeNumber(float value)
{
    if (!std::isfinite(value) || std::trunc(value) != value)
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

// Checks the lines and the shifts of the end line and builds the curve.
std::optional<Curve> makeCurve(const std::vector<std::array<float, 4>>& rows)
{
    // At least one segment line, the upper-end line and the end line.
    if (rows.size() < 3 || rows.back()[0] != TableEndMarker)
        return std::nullopt;
    Curve curve;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        CurveLine line;
        std::int64_t* fields[4] = {&line.x, &line.a, &line.b, &line.c};
        for (int k = 0; k < 4; ++k) {
            const auto value = wholeNumber(rows[i][k]);
            if (!value || (k == 0 && rows[i][k] == TableEndMarker))
                return std::nullopt;
            *fields[k] = *value;
        }
        if (!curve.lines.empty() && line.x <= curve.lines.back().x)
            return std::nullopt;
        curve.lines.push_back(line);
    }
    int* shifts[3] = {&curve.p, &curve.q, &curve.r};
    for (int k = 0; k < 3; ++k) {
        const auto value = wholeNumber(rows.back()[k + 1]);
        if (!value || *value < 0 || *value > MaxCurveShift)
            return std::nullopt;
        *shifts[k] = static_cast<int>(*value);
    }
    return curve;
}

std::int64_t roundShift(std::int64_t value, int shift)
{
    if (shift == 0)
        return value;
    return (value + (std::int64_t{1} << (shift - 1))) >> shift;
}

} // namespace

std::optional<Curve> PrimaryCurve(const SensorTables& tables)
{
    const int lines = tables.A.count;
    if (tables.B.count != 3 * lines)
        return std::nullopt;
    std::vector<std::array<float, 4>> rows(lines);
    for (int i = 0; i < lines; ++i)
        rows[i] = {tables.A.values[i], tables.B.values[3 * i], tables.B.values[3 * i + 1], tables.B.values[3 * i + 2]};
    return makeCurve(rows);
}

std::optional<Curve> SecondaryCurve(const SensorTables& tables)
{
    if (tables.C.count % 4 != 0)
        return std::nullopt;
    std::vector<std::array<float, 4>> rows(tables.C.count / 4);
    for (std::size_t i = 0; i < rows.size(); ++i)
        std::copy_n(tables.C.values.begin() + 4 * i, 4, rows[i].begin());
    return makeCurve(rows);
}

std::int64_t CurveFineValue(const Curve& curve, std::int64_t x)
{
    x = std::clamp(x, curve.lines.front().x, curve.lines.back().x);
    const auto next = std::upper_bound(curve.lines.begin(), curve.lines.end(), x,
                                       [](std::int64_t value, const CurveLine& line) { return value < line.x; });
    const CurveLine& line = *std::prev(next);
    const std::int64_t d = x - line.x;
    const int s = std::max(curve.q, curve.r);
    const std::int64_t t = (line.b * d << (s - curve.q)) + (line.c * d * d << (s - curve.r));
    return line.a + roundShift(t, s);
}

std::int64_t CurveValue(const Curve& curve, std::int64_t x)
{
    return roundShift(CurveFineValue(curve, x), curve.p);
}

std::int64_t ColdJunctionEmf(const Curve& coldJunction, std::int64_t terminalTemperature)
{
    return roundShift(10 * CurveFineValue(coldJunction, terminalTemperature), coldJunction.p);
}

std::int64_t ThermocoupleReading(const Curve& primary, const Curve& coldJunction, std::int64_t terminalVoltage,
                                 std::int64_t terminalTemperature)
{
    return CurveValue(primary, terminalVoltage + ColdJunctionEmf(coldJunction, terminalTemperature));
}

std::int64_t CentiCelsiusToCentiFahrenheit(std::int64_t centiCelsius)
{
    const std::int64_t tenths = 18 * centiCelsius + 5;
    return 3200 + (tenths >= 0 ? tenths / 10 : -((-tenths + 9) / 10));
}
