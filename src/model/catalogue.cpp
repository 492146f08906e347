#include "model/catalogue.h"

#include <optional>

Catalogue BuildCatalogue()
{
    Catalogue c;
    int nickel = 0;
    int platinum = 0;
    int thermocouple = 0;
    for (const InputType& type : InputTypes) {
        const QString name = QString::fromLatin1(type.name);
        switch (type.family) {
        case InputFamily::Copper:
            c.copperCodes = type.codes.byWiring;
            c.copperName = name;
            break;
        case InputFamily::Nickel:
            c.nickelCodes[nickel] = type.codes.byWiring;
            c.nickelNames[nickel++] = name;
            break;
        case InputFamily::Platinum:
            c.platinumCodes[platinum] = type.codes.byWiring;
            c.platinumNames[platinum++] = name;
            break;
        case InputFamily::Thermocouple:
            c.thermocoupleCodes[thermocouple] = type.codes.byWiring[0];
            c.thermocoupleNames[thermocouple++] = name;
            break;
        default: break;  // the other inputs have fixed codes
        }
    }
    return c;
}

namespace {

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
    // The fixed codes: resistor, voltage, potentiometer, unidentified.
    if (const InputType* type = FindInputType(code)) {
        setInput(r, code, QString::fromLatin1(type->name), InputClassOf(type->family), WiresOf(*type, code));
        return true;
    }
    return false;
}

namespace {

// The limit's unit as the range messages write it after the number, by units code.
constexpr const char* limitUnits[] = {"\u00B0C", "\u00B0F", " Ohm", "mV"};
static_assert(std::size(limitUnits) == std::tuple_size_v<InputLimits>);

struct Limit {
    int value;
    const char* unit;
};

// The limit that applies to an input in the given units, or none when the units do not fit it.
std::optional<Limit> limitFor(std::uint8_t code, MeasureUnit units, bool upper)
{
    const InputType* type = FindInputType(code);
    for (std::size_t u = 0; type && u < type->limits.size(); ++u)
        if (std::size_t(units) == u && type->limits[u])
            return Limit{upper ? type->limits[u]->high : type->limits[u]->low, limitUnits[u]};
    return std::nullopt;
}

QString limitText(const Limit& limit)
{
    return QString::number(limit.value) + QString::fromUtf8(limit.unit);
}

} // namespace

QString MaxLimitText(const ConfRecord& record, float value, MeasureUnit units)
{
    const auto limit = limitFor(record.InputCode, units, true);
    return limit && value > float(limit->value) ? limitText(*limit) : QString();
}

QString MinLimitText(const ConfRecord& record, float value, MeasureUnit units)
{
    const auto limit = limitFor(record.InputCode, units, false);
    return limit && value < float(limit->value) ? limitText(*limit) : QString();
}
