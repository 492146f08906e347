#include "model/catalogue.h"

#include <optional>

Catalogue BuildCatalogue()
{
    Catalogue c;
    // RTD codes are a base code plus the wiring offset (0, 8, 16).
    auto wirings = [](std::uint8_t base) {
        return std::array<std::uint8_t, WiringCount>{base, std::uint8_t(base + 0x08), std::uint8_t(base + 0x10)};
    };
    c.copperCodes = wirings(0x00);
    c.copperName = QStringLiteral("Copper");

    const char* nickel[NickelTypes] = {"Ni - 120", "Ni - 1000", "Ni - Fe"};
    for (int t = 0; t < NickelTypes; ++t) {
        c.nickelCodes[t] = wirings(std::uint8_t(0x20 + t));
        c.nickelNames[t] = QString::fromLatin1(nickel[t]);
    }

    const char* sizes[4] = {"50", "100", "500", "1000"};
    for (int t = 0; t < PlatinumTypes; ++t) {
        c.platinumCodes[t] = wirings(std::uint8_t(0x40 + t));
        c.platinumNames[t] = QStringLiteral("Pt-%1 (%2)").arg(QLatin1String(sizes[t % 4]), t < 4 ? QStringLiteral("385") : QStringLiteral("392"));
    }

    const char* types[ThermocoupleTypes] = {"K", "J", "E", "T", "S", "R", "N", "L", "U", "B", "W", "W3", "W5", "C"};
    for (int t = 0; t < ThermocoupleTypes; ++t) {
        c.thermocoupleCodes[t] = std::uint8_t(0x61 + t);
        c.thermocoupleNames[t] = QStringLiteral("T/C Type ") + QLatin1String(types[t]);
    }
    return c;
}

namespace {

struct FixedInput {
    std::uint8_t code;
    const char* name;
    std::uint8_t inputClass;
    std::uint8_t wires;
};

constexpr FixedInput fixedInputs[] = {
    {CodePotentiometer4Wire, "Poteniometer", ClassPotentiometer, 2},
    {CodePotentiometer3Wire, "Poteniometer", ClassPotentiometer, 1},
    {CodeResistor2Wire, "Resistor", ClassResistor, 0},
    {CodeResistor3Wire, "Resistor", ClassResistor, 1},
    {CodeResistor4Wire, "Resistor", ClassResistor, 2},
    {CodeVoltage, "Voltage input", ClassVoltage, NoCode},
    {CodeUnidentified, "Unidentified Input Type", NoCode, NoCode},
};

void setInput(ConfRecord& r, std::uint8_t code, const QString& name, std::uint8_t inputClass, std::uint8_t wires)
{
    r.InputCode = code;
    r.InputName = name;
    r.InputClass = inputClass;
    r.Wires = wires;
}

bool lookupRtd(const Catalogue& c, ConfRecord* r, std::uint8_t code)
{
    for (int w = 0; w < WiringCount; ++w) {
        if (code == c.copperCodes[w]) {
            if (r) setInput(*r, code, c.copperName, ClassRtd, std::uint8_t(w));
            return true;
        }
        for (int t = 0; t < NickelTypes; ++t)
            if (code == c.nickelCodes[t][w]) {
                if (r) setInput(*r, code, c.nickelNames[t], ClassRtd, std::uint8_t(w));
                return true;
            }
        for (int t = 0; t < PlatinumTypes; ++t)
            if (code == c.platinumCodes[t][w]) {
                if (r) setInput(*r, code, c.platinumNames[t], ClassRtd, std::uint8_t(w));
                return true;
            }
    }
    return false;
}

} // namespace

int ThermocoupleIndex(const Catalogue& c, std::uint8_t code)
{
    for (int t = 0; t < ThermocoupleTypes; ++t)
        if (code == c.thermocoupleCodes[t])
            return t;
    return -1;
}

bool IsSensorCode(const Catalogue& c, std::uint8_t code)
{
    return lookupRtd(c, nullptr, code) || ThermocoupleIndex(c, code) >= 0;
}

bool LookupInputCode(const Catalogue& c, ConfRecord& r, std::uint8_t code)
{
    if (lookupRtd(c, &r, code))
        return true;
    if (int t = ThermocoupleIndex(c, code); t >= 0) {
        setInput(r, code, c.thermocoupleNames[t], ClassThermocouple, NoCode);
        return true;
    }
    for (const FixedInput& f : fixedInputs)
        if (code == f.code) {
            setInput(r, code, QString::fromLatin1(f.name), f.inputClass, f.wires);
            return true;
        }
    return false;
}

namespace {

// One row of the limits table; all wirings of a sensor share it.
struct LimitRow {
    std::array<std::uint8_t, 3> codes;
    int maxC, maxF, minC, minF;
};

constexpr LimitRow temperatureLimits[] = {
    {{0x00, 0x08, 0x10}, 150, 302, -75, -103},    // Copper
    {{0x20, 0x28, 0x30}, 320, 608, -80, -112},    // Ni - 120
    {{0x21, 0x29, 0x31}, 160, 320, -50, -58},     // Ni - 1000
    {{0x22, 0x2A, 0x32}, 265, 509, -200, -328},   // Ni - Fe
    {{0x40, 0x48, 0x50}, 850, 1562, -200, -328},  // Pt-50 (385)
    {{0x41, 0x49, 0x51}, 850, 1562, -200, -328},  // Pt-100 (385)
    {{0x42, 0x4A, 0x52}, 600, 1112, -200, -328},  // Pt-500 (385)
    {{0x44, 0x4C, 0x54}, 455, 851, -100, -148},   // Pt-50 (392)
    {{0x45, 0x4D, 0x55}, 455, 851, -100, -148},   // Pt-100 (392)
    {{0x46, 0x4E, 0x56}, 455, 851, -100, -148},   // Pt-500 (392)
    {{0x61, 0x61, 0x61}, 1370, 2498, -200, -328}, // T/C Type K
    {{0x62, 0x62, 0x62}, 760, 1400, -200, -328},  // T/C Type J
    {{0x63, 0x63, 0x63}, 1000, 1832, -200, -328}, // T/C Type E
    {{0x64, 0x64, 0x64}, 400, 752, -200, -328},   // T/C Type T
    {{0x65, 0x65, 0x65}, 1760, 3200, 0, 32},      // T/C Type S
    {{0x66, 0x66, 0x66}, 1760, 3200, 0, 32},      // T/C Type R
    {{0x67, 0x67, 0x67}, 1300, 2372, -200, -328}, // T/C Type N
    {{0x68, 0x68, 0x68}, 890, 1634, -190, -310},  // T/C Type L
    {{0x69, 0x69, 0x69}, 590, 1094, -190, -310},  // T/C Type U
    {{0x6A, 0x6A, 0x6A}, 1820, 3308, 400, 752},   // T/C Type B
    {{0x6B, 0x6B, 0x6B}, 2160, 3920, 1000, 1832}, // T/C Type W
    {{0x6C, 0x6C, 0x6C}, 2320, 4208, 0, 32},      // T/C Type W3
    {{0x6D, 0x6D, 0x6D}, 2325, 4217, 0, 32},      // T/C Type W5
    {{0x6E, 0x6E, 0x6E}, 2320, 4208, -15, 5},     // T/C Type C
};
// Pt-1000 (385) and (392) and the potentiometer have no limits.

struct Limit {
    int value;
    const char* unit;
};

// The limit that applies to a sensor in the given units, or none when the units do not fit.
std::optional<Limit> limitFor(std::uint8_t code, float units, bool upper)
{
    if (units == 0.0f || units == 1.0f) {
        const bool fahrenheit = units == 1.0f;
        for (const LimitRow& row : temperatureLimits)
            for (std::uint8_t c : row.codes)
                if (c == code) {
                    const int v = upper ? (fahrenheit ? row.maxF : row.maxC) : (fahrenheit ? row.minF : row.minC);
                    return Limit{v, fahrenheit ? "\u00B0F" : "\u00B0C"};
                }
        return std::nullopt;
    }
    if (units == 3.0f && code == CodeVoltage)
        return Limit{upper ? 145 : -145, "mV"};
    if (units == 2.0f && (code == CodeResistor2Wire || code == CodeResistor3Wire || code == CodeResistor4Wire))
        return Limit{upper ? 4000 : 0, " Ohm"};
    return std::nullopt;
}

QString limitText(const Limit& limit)
{
    return QString::number(limit.value) + QString::fromUtf8(limit.unit);
}

} // namespace

QString MaxLimitText(const ConfRecord& record, float value, float units)
{
    const auto limit = limitFor(record.InputCode, units, true);
    return limit && value > float(limit->value) ? limitText(*limit) : QString();
}

QString MinLimitText(const ConfRecord& record, float value, float units)
{
    const auto limit = limitFor(record.InputCode, units, false);
    return limit && value < float(limit->value) ? limitText(*limit) : QString();
}
