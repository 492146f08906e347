#include "model/conf_record.h"

#include <bit>

ConfRecord ZeroConfRecord()
{
    ConfRecord r;
    r.InputCode = r.InputClass = r.Wires = r.BurnOut = r.OutDir = r.Freq = r.Mode = r.Units = 0;
    r.RangeMin = r.RangeMax = r.Reading = r.MinRead = r.MaxRead = r.AmbRead = 0;
    r.CalLowRef = r.CalLowRead = r.CalHighRef = r.CalHighRead = r.CalGain = r.CalOffset = 0;
    return r;
}

void ResetConf(ConfRecord& r)
{
    r.Serial.clear();
    r.Tag.clear();
    r.InputName.clear();
    r.InputCode = r.InputClass = r.Wires = r.BurnOut = NoCode;
    r.OutDir = r.Freq = r.Mode = r.Units = NoCode;
    r.RangeMin = r.RangeMax = NoValue;
    r.Reading = r.MinRead = r.MaxRead = r.AmbRead = NoValue;
    ClearCorrection(r);
}

void ClearCorrection(ConfRecord& r)
{
    r.CalLowRef = r.CalLowRead = r.CalHighRef = r.CalHighRead = r.CalGain = r.CalOffset = NoCal;
}

bool SameTag(const QString& a, const QString& b)
{
    const auto withoutTrailingBlanks = [](const QString& tag) {
        qsizetype end = tag.size();
        while (end > 0 && tag[end - 1] == QLatin1Char(' '))
            --end;
        return QStringView(tag).left(end);
    };
    return withoutTrailingBlanks(a) == withoutTrailingBlanks(b);
}

bool SameSingle(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

std::uint8_t OutputDirection(const ConfRecord& r)
{
    return r.OutMin < r.OutMax ? 1 : 0;
}

bool IsConfComplete(const ConfRecord& r)
{
    return !r.Serial.isEmpty() && !r.Tag.isEmpty()
        && r.BurnOut != NoCode && r.Freq != NoCode && r.InputCode != NoCode
        && r.Mode < NoCode && r.OutDir < NoCode
        && !SameSingle(r.RangeMin, NoValue) && !SameSingle(r.RangeMax, NoValue)
        && r.Units < NoCode;
}

std::uint8_t PackOptionFlags(const ConfRecord& r)
{
    std::uint8_t flags = 0;
    if (r.BurnOut == 0) flags |= 0x40;
    if (r.Freq == 1) flags |= 0x20;
    if (r.Mode == 1) flags |= 0x10;
    if (r.AmbUnits == 1) flags |= 0x08;
    if (r.Units == UnitsPercent) flags |= 0x04;
    return flags;
}

void UnpackOptionFlags(std::uint8_t flags, ConfRecord& r)
{
    r.BurnOut = (flags & 0x40) ? 0 : 1;
    r.Freq = (flags & 0x20) ? 1 : 0;
    r.Mode = (flags & 0x10) ? 1 : 0;
    r.AmbUnits = (flags & 0x08) ? 1 : 0;
    if (flags & 0x04)
        r.Units = UnitsPercent;
    else if (r.InputClass == ClassResistor)
        r.Units = UnitsOhm;
    else if (r.InputClass == ClassPotentiometer)
        r.Units = UnitsPercent;
    else if (r.InputClass == ClassVoltage)
        r.Units = UnitsMillivolt;
    else
        r.Units = r.AmbUnits;
}

bool ClampConfCodes(ConfRecord& r)
{
    bool untouched = true;
    auto clamp = [&untouched](std::uint8_t& field, std::uint8_t highest) {
        if (field > highest && field != NoCode) {
            field = NoCode;
            untouched = false;
        }
    };
    clamp(r.BurnOut, 1);
    clamp(r.OutDir, 1);
    clamp(r.Freq, 1);
    clamp(r.Mode, 1);
    clamp(r.Units, 4);
    clamp(r.AmbUnits, 1);
    return untouched;
}

bool ModeApplies(std::uint8_t inputClass)
{
    return inputClass == ClassRtd || inputClass == ClassThermocouple
        || inputClass == ClassVoltage || inputClass == ClassResistor;
}
