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
    r.BurnOut = 0;
    r.Freq = 0;
    r.Mode = 0;
    r.OutDir = 1;
    r.Units = 0;
    r.RangeMin = 0;
    r.RangeMax = 100;
    return r;
}

} // namespace

TEST(ConfRecord, ResetClearsCodesAndKeepsOutputDampingFactoryAndDisplay)
{
    ConfRecord r = completeRecord();
    r.OutMin = 4;
    r.OutMax = 20;
    r.Damping = 3;
    r.AmbUnits = 1;
    r.FactBytes = {1, 2};
    r.DispLow = -200;
    r.CalGain = 10000;
    ResetConf(r);

    EXPECT_TRUE(r.Serial.isEmpty());
    EXPECT_EQ(r.InputCode, NoCode);
    EXPECT_EQ(r.Units, NoCode);
    EXPECT_TRUE(SameSingle(r.RangeMax, NoValue));
    EXPECT_TRUE(SameSingle(r.Reading, NoValue));
    EXPECT_TRUE(SameSingle(r.CalGain, NoCal));
    EXPECT_EQ(r.OutMin, 4);
    EXPECT_EQ(r.OutMax, 20);
    EXPECT_EQ(r.Damping, 3);
    EXPECT_EQ(r.AmbUnits, 1);
    EXPECT_EQ(r.FactBytes, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(r.DispLow, -200);
}

TEST(ConfRecord, FreshRecordShowsEmptyTextsAndIsIncomplete)
{
    ConfRecord r;
    ResetConf(r);
    EXPECT_FALSE(IsConfComplete(r));
    EXPECT_EQ(ValueText(r.RangeMin), QString());
    EXPECT_EQ(ValueText(r.Reading), QString());
    EXPECT_EQ(BurnOutText(r.BurnOut), QString());
    EXPECT_EQ(OutDirText(r.OutDir), QString());
    EXPECT_EQ(ModeText(r.Mode), QString());
    EXPECT_EQ(FreqText(r.Freq), QString());
    EXPECT_EQ(WiresText(r), QString());
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

TEST(OptionFlags, UnpackFollowsTheInputClass)
{
    ConfRecord tc;
    tc.InputClass = ClassThermocouple;
    UnpackOptionFlags(0x44, tc);
    EXPECT_EQ(tc.BurnOut, 0);
    EXPECT_EQ(tc.Freq, 0);
    EXPECT_EQ(tc.Mode, 0);
    EXPECT_EQ(tc.AmbUnits, 0);
    EXPECT_EQ(tc.Units, UnitsPercent);

    ConfRecord rtd;
    rtd.InputClass = ClassRtd;
    UnpackOptionFlags(0x08, rtd);
    EXPECT_EQ(rtd.BurnOut, 1);
    EXPECT_EQ(rtd.Units, UnitsFahrenheit);

    const std::pair<std::uint8_t, std::uint8_t> classUnits[] = {
        {ClassResistor, UnitsOhm}, {ClassPotentiometer, UnitsPercent}, {ClassVoltage, UnitsMillivolt}, {NoCode, UnitsCelsius}};
    for (auto [inputClass, units] : classUnits) {
        ConfRecord r;
        r.InputClass = inputClass;
        UnpackOptionFlags(0x30, r);
        EXPECT_EQ(r.Units, units) << int(inputClass);
        EXPECT_EQ(r.Freq, 1);
        EXPECT_EQ(r.Mode, 1);
    }
}

TEST(OptionFlags, PackAndUnpackAreInverseForTemperatureInputs)
{
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
            EXPECT_EQ(back.BurnOut, r.BurnOut) << bits;
            EXPECT_EQ(back.Freq, r.Freq) << bits;
            EXPECT_EQ(back.Mode, r.Mode) << bits;
            EXPECT_EQ(back.AmbUnits, r.AmbUnits) << bits;
            EXPECT_EQ(back.Units, r.Units) << bits;
        }
}

TEST(ConfRecord, ClampReplacesOnlyOutOfRangeCodes)
{
    ConfRecord r = completeRecord();
    EXPECT_TRUE(ClampConfCodes(r));
    r.BurnOut = 7;
    r.Units = 9;
    r.AmbUnits = 2;
    r.Mode = 1;
    EXPECT_FALSE(ClampConfCodes(r));
    EXPECT_EQ(r.BurnOut, NoCode);
    EXPECT_EQ(r.Units, NoCode);
    EXPECT_EQ(r.AmbUnits, NoCode);
    EXPECT_EQ(r.Mode, 1);
    EXPECT_EQ(r.Freq, 0);
}

TEST(ConfRecord, ModeAppliesToAllButPotentiometerAndNone)
{
    EXPECT_TRUE(ModeApplies(ClassRtd));
    EXPECT_TRUE(ModeApplies(ClassThermocouple));
    EXPECT_TRUE(ModeApplies(ClassVoltage));
    EXPECT_TRUE(ModeApplies(ClassResistor));
    EXPECT_FALSE(ModeApplies(ClassPotentiometer));
    EXPECT_FALSE(ModeApplies(NoCode));
}

TEST(Session, InitCopyAndCommitRules)
{
    Session s;
    s.link.LinkOpen = s.link.PortOpenedOnce = true;
    s.update.UpdateStep = 6;
    s.view.ConfDiffers = s.poll.DisplayPresent = s.poll.SettleAfterUpdate = true;
    s.EditConf = completeRecord();
    InitConfData(s);
    EXPECT_FALSE(s.link.LinkOpen || s.link.PortOpenedOnce || s.view.ConfDiffers || s.poll.DisplayPresent
                 || s.poll.SettleAfterUpdate);
    EXPECT_EQ(s.update.UpdateStep, 0);
    EXPECT_EQ(s.EditConf.InputCode, NoCode);

    s.UnitConf = completeRecord();
    s.UnitConf.FactBytes = {9};
    EditFromUnit(s);
    EXPECT_EQ(s.EditConf, s.UnitConf);
    s.EditConf.FactBytes.push_back(1);  // a copy, not shared storage
    EXPECT_EQ(s.UnitConf.FactBytes.size(), 1u);

    s.EditConf.Tag = QStringLiteral("NEW");
    s.update.ResetMinPending = true;  // only the minimum was reset: not a full update
    CommitUnitConf(s);
    EXPECT_EQ(s.UnitConf.Tag, QStringLiteral("TT-101"));
    s.update.ResetMaxPending = true;
    CommitUnitConf(s);
    EXPECT_EQ(s.UnitConf.Tag, QStringLiteral("NEW"));
}
