#include "model/formatters.h"

#include "model/decimal_text.h"

#include <charconv>
#include <cmath>

namespace {

QString pick(std::uint8_t code, std::initializer_list<const char*> texts)
{
    return code < texts.size() ? QString::fromUtf8(texts.begin()[code]) : QString();
}

// %G with the given number of significant digits; exponent with sign and at least two digits.
// (QString's formatting ignores the locale, unlike the C library once a GUI has set one.)
QString generalText(float value, int digits)
{
    if (value == 0 && std::signbit(value))
        return QStringLiteral("-0");  // keep the sign that QString's formatting drops
    return QString::asprintf("%.*G", digits, double(value));
}

} // namespace

QString UnitsText(std::uint8_t units)
{
    return units == NoCode ? QStringLiteral("?") : pick(units, {"\u00B0C", "\u00B0F", "Ohm", "mV", "%"});
}

QString WiresText(const ConfRecord& record)
{
    return record.InputClass == ClassVoltage ? QString() : pick(record.Wires, {"2 wire", "3 wire", "4 wire"});
}

QString OutDirText(std::uint8_t outDir) { return pick(outDir, {"Down Scale", "Up Scale"}); }
QString BurnOutText(std::uint8_t burnOut) { return pick(burnOut, {"Up Scale", "Down Scale"}); }
QString ModeText(std::uint8_t mode) { return pick(mode, {"Single Sensor", "Differential"}); }
QString FreqText(std::uint8_t freq) { return pick(freq, {"50 Hz", "60 Hz"}); }
QString AmbUnitsText(std::uint8_t ambUnits) { return pick(ambUnits, {"\u00B0C", "\u00B0F"}); }

QString GeneralText(float value)
{
    return generalText(value, 7);
}

QString ValueText(float value)
{
    return SameSingle(value, NoValue) ? QString() : GeneralText(value);
}

QString ShortestText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString ExactText(float value)
{
    for (int digits = 7; digits < 9; ++digits) {
        const QString text = generalText(value, digits);
        if (const auto back = ParseSingle(text); back && SameSingle(*back, value))
            return text;
    }
    return generalText(value, 9);
}

double RoundHalfEven(double value)
{
    return std::nearbyint(value);  // the default rounding mode rounds halves to even
}
