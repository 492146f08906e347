#include "model/catalogue.h"
#include "model/conf_record.h"
#include "model/formatters.h"
#include "model/session.h"

#include <gtest/gtest.h>

namespace {

ConfRecord completeRecord()
{
    ConfRecord r;
    r.Serial = QStringLiteral("1234567");
    r.Tag = QStringLiteral("TT-101");
    r.InputCode = 0x49;
    r.BurnOut = r.Freq = r.Mode = r.Units = 0;
    r.OutDir = 1;
    r.RangeMin = 0;
    r.RangeMax = 100;
    return r;
}

} // namespace

TEST(ConfRecord, ResetClearsCodesShowsNothingAndKeepsOutputDampingFactoryAndDisplay)
{
    ConfRecord r = completeRecord();
    r.OutMin = 4, r.OutMax = 20, r.Damping = 3, r.AmbUnits = 1, r.DispLow = -200, r.CalGain = 10000;
    r.FactBytes = {1, 2};
    ResetConf(r);
    EXPECT_TRUE(r.Serial.isEmpty() && r.InputCode == NoCode && r.Units == NoCode);
    EXPECT_TRUE(SameSingle(r.RangeMax, NoValue) && SameSingle(r.Reading, NoValue) && SameSingle(r.CalGain, NoCal));
    EXPECT_EQ(std::tie(r.OutMin, r.OutMax, r.Damping, r.AmbUnits, r.DispLow), std::make_tuple(4.0f, 20.0f, 3.0f, 1, -200));
    EXPECT_EQ(r.FactBytes, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_FALSE(IsConfComplete(r));
    for (const QString& text : {ValueText(r.RangeMin), ValueText(r.Reading), BurnOutText(r.BurnOut), OutDirText(r.OutDir),
                                ModeText(r.Mode), FreqText(r.Freq), WiresText(r)})
        EXPECT_EQ(text, QString());
}

TEST(ConfRecord, CompletenessNeedsEveryRequiredField)
{
    EXPECT_TRUE(IsConfComplete(completeRecord()));
    const std::vector<std::pair<const char*, void (*)(ConfRecord&)>> spoilers = {
        {"serial", [](ConfRecord& r) { r.Serial.clear(); }},
        {"tag", [](ConfRecord& r) { r.Tag.clear(); }},
        {"burn-out", [](ConfRecord& r) { r.BurnOut = NoCode; }},
        {"frequency", [](ConfRecord& r) { r.Freq = NoCode; }},
        {"input", [](ConfRecord& r) { r.InputCode = NoCode; }},
        {"mode", [](ConfRecord& r) { r.Mode = NoCode; }},
        {"direction", [](ConfRecord& r) { r.OutDir = NoCode; }},
        {"units", [](ConfRecord& r) { r.Units = NoCode; }},
        {"range low", [](ConfRecord& r) { r.RangeMin = NoValue; }},
        {"range high", [](ConfRecord& r) { r.RangeMax = NoValue; }},
    };
    for (const auto& [name, spoil] : spoilers) {
        ConfRecord r = completeRecord();
        spoil(r);
        EXPECT_FALSE(IsConfComplete(r)) << name;
    }
}

TEST(ConfRecord, ClampReplacesOnlyOutOfRangeCodes)
{
    ConfRecord r = completeRecord();
    EXPECT_TRUE(ClampConfCodes(r));
    r.BurnOut = 7, r.Units = 9, r.AmbUnits = 2, r.Mode = 1;
    EXPECT_FALSE(ClampConfCodes(r));
    EXPECT_EQ(std::tie(r.BurnOut, r.Units, r.AmbUnits, r.Mode, r.Freq), std::make_tuple(NoCode, NoCode, NoCode, 1, 0));
}

TEST(OptionFlags, BitsFollowTheInputClassAndPackUnpacksBack)
{
    ConfRecord tc;
    tc.InputClass = ClassThermocouple;
    UnpackOptionFlags(0x44, tc);
    EXPECT_EQ(std::tie(tc.BurnOut, tc.Freq, tc.Mode, tc.AmbUnits, tc.Units), std::make_tuple(0, 0, 0, 0, UnitsPercent));
    ConfRecord rtd;
    rtd.InputClass = ClassRtd;
    UnpackOptionFlags(0x08, rtd);
    EXPECT_EQ(std::tie(rtd.BurnOut, rtd.Units), std::make_tuple(1, UnitsFahrenheit));
    const std::pair<std::uint8_t, std::uint8_t> classUnits[] = {
        {ClassResistor, UnitsOhm}, {ClassPotentiometer, UnitsPercent}, {ClassVoltage, UnitsMillivolt}, {NoCode, UnitsCelsius}};
    for (auto [inputClass, units] : classUnits) {
        ConfRecord r;
        r.InputClass = inputClass;
        UnpackOptionFlags(0x30, r);
        EXPECT_EQ(std::tie(r.Units, r.Freq, r.Mode), std::make_tuple(units, 1, 1)) << int(inputClass);
    }

    for (std::uint8_t inputClass : {ClassRtd, ClassThermocouple})
        for (int bits = 0; bits < 32; ++bits) {
            ConfRecord r;
            r.InputClass = inputClass;
            r.BurnOut = (bits & 1) ? 0 : 1;
            r.Freq = (bits & 2) ? 1 : 0;
            r.Mode = (bits & 4) ? 1 : 0;
            r.AmbUnits = (bits & 8) ? 1 : 0;
            r.Units = (bits & 16) ? UnitsPercent : r.AmbUnits;
            ConfRecord back;
            back.InputClass = inputClass;
            UnpackOptionFlags(PackOptionFlags(r), back);
            EXPECT_EQ(std::tie(back.BurnOut, back.Freq, back.Mode, back.AmbUnits, back.Units),
                      std::tie(r.BurnOut, r.Freq, r.Mode, r.AmbUnits, r.Units)) << bits;
        }
}
