#include "model/conf_fields.h"

#include "model/formatters.h"

#include <type_traits>

namespace {

QString inputWords(const ConfRecord& r)
{
    if (!r.InputName.isEmpty() || r.InputCode == NoCode)
        return r.InputName;
    return QStringLiteral("code %1").arg(r.InputCode);
}

QString correctionWords(float value)
{
    return SameSingle(value, NoCal) ? QStringLiteral("not set") : GeneralText(value);
}

QString fieldWords(const ConfField& field, const ConfRecord& record)
{
    const QString words = field.text(record);
    return words.isEmpty() ? QStringLiteral("(none)") : words;
}

using F = ConfRecord;
using G = FieldGroup;

// clang-format off
const ConfField fields[] = {
    {"Serial", "Serial No.", G::Identity, true, &F::Serial, [](const F& r) { return r.Serial; }},
    {"Tag", "Tag Name", G::Identity, true, &F::Tag, [](const F& r) { return r.Tag.trimmed(); }},
    {"InputCode", "Input Type", G::Configuration, true, &F::InputCode, inputWords},
    {"InputName", nullptr, G::Configuration, true, &F::InputName, nullptr},
    {"InputClass", nullptr, G::Configuration, true, &F::InputClass, nullptr},
    {"Wires", "Wiring", G::Configuration, true, &F::Wires, WiresText},
    {"RangeMin", "Range Min.", G::Configuration, true, &F::RangeMin, [](const F& r) { return ValueText(r.RangeMin); }},
    {"RangeMax", "Range Max.", G::Configuration, true, &F::RangeMax, [](const F& r) { return ValueText(r.RangeMax); }},
    {"Units", "Units", G::Configuration, true, &F::Units, [](const F& r) { return UnitsText(r.Units); }},
    {"BurnOut", "Burn-Out", G::Configuration, true, &F::BurnOut, [](const F& r) { return BurnOutText(r.BurnOut); }},
    {"OutDir", "Output", G::Configuration, false, &F::OutDir, [](const F& r) { return OutDirText(r.OutDir); }},
    {"OutMin", "Output Min", G::Configuration, true, &F::OutMin, [](const F& r) { return ValueText(r.OutMin); }},
    {"OutMax", "Output Max", G::Configuration, true, &F::OutMax, [](const F& r) { return ValueText(r.OutMax); }},
    {"Freq", "Mains Frequency", G::Configuration, true, &F::Freq, [](const F& r) { return FreqText(r.Freq); }},
    {"Mode", "Mode", G::Configuration, true, &F::Mode, [](const F& r) { return ModeText(r.Mode); }},
    {"Damping", "Damping Time", G::Configuration, true, &F::Damping, [](const F& r) { return GeneralText(r.Damping); }},
    {"AmbUnits", "Ambient Temprature Units", G::Configuration, true, &F::AmbUnits, [](const F& r) { return AmbUnitsText(r.AmbUnits); }},
    {"DispLow", "Display Range Min.", G::Display, false, &F::DispLow, [](const F& r) { return QString::number(r.DispLow); }},
    {"DispHigh", "Display Range Max.", G::Display, false, &F::DispHigh, [](const F& r) { return QString::number(r.DispHigh); }},
    {"CalLowRef", "Correction Low Reference", G::Correction, true, &F::CalLowRef, [](const F& r) { return correctionWords(r.CalLowRef); }},
    {"CalLowRead", "Correction Low Reading", G::Correction, true, &F::CalLowRead, [](const F& r) { return correctionWords(r.CalLowRead); }},
    {"CalHighRef", "Correction High Reference", G::Correction, true, &F::CalHighRef, [](const F& r) { return correctionWords(r.CalHighRef); }},
    {"CalHighRead", "Correction High Reading", G::Correction, true, &F::CalHighRead, [](const F& r) { return correctionWords(r.CalHighRead); }},
    {"CalGain", "Correction Gain", G::Correction, true, &F::CalGain, [](const F& r) { return correctionWords(r.CalGain); }},
    {"CalOffset", "Correction Offset", G::Correction, true, &F::CalOffset, [](const F& r) { return correctionWords(r.CalOffset); }},
};
// clang-format on

} // namespace

std::span<const ConfField> ConfFields()
{
    return fields;
}

bool SameField(const ConfField& field, const ConfRecord& a, const ConfRecord& b)
{
    return std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, float ConfRecord::*>)
                return SameSingle(a.*member, b.*member);
            else if constexpr (std::is_same_v<Member, QString ConfRecord::*>)
                return member == &ConfRecord::Tag ? SameTag(a.Tag, b.Tag) : a.*member == b.*member;
            else
                return a.*member == b.*member;
        },
        field.member);
}

std::vector<FieldComparison> CompareFields(const ConfRecord& before, const ConfRecord& after,
                                           const FieldFilter& wanted)
{
    std::vector<FieldComparison> rows;
    for (const ConfField& field : fields)
        if (field.heading && wanted(field))
            rows.push_back({&field, fieldWords(field, before), fieldWords(field, after),
                            !SameField(field, before, after)});
    return rows;
}

std::vector<FieldComparison> FieldDifferences(const ConfRecord& before, const ConfRecord& after,
                                              const FieldFilter& wanted)
{
    std::vector<FieldComparison> rows = CompareFields(before, after, wanted);
    std::erase_if(rows, [](const FieldComparison& row) { return !row.differs; });
    return rows;
}

QString ChangeText(const FieldComparison& d)
{
    return QStringLiteral("%1 : %2 -> %3").arg(QLatin1String(d.field->heading), d.before, d.after);
}
