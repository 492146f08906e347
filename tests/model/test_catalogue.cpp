#include "model/catalogue.h"
#include "model/formatters.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    std::uint8_t code;
    const char* name;
    std::uint8_t inputClass;
    std::uint8_t wires;
};

ConfRecord withCode(std::uint8_t code)
{
    ConfRecord r;
    r.InputCode = code;
    return r;
}

} // namespace

TEST(Catalogue, LookupCoversEveryCodeOfTheTable)
{
    const Catalogue c = BuildCatalogue();
    const Expected table[] = {
        {0x00, "Copper", 0, 0}, {0x08, "Copper", 0, 1}, {0x10, "Copper", 0, 2},
        {0x20, "Ni - 120", 0, 0}, {0x29, "Ni - 1000", 0, 1}, {0x32, "Ni - Fe", 0, 2},
        {0x40, "Pt-50 (385)", 0, 0}, {0x49, "Pt-100 (385)", 0, 1}, {0x52, "Pt-500 (385)", 0, 2},
        {0x43, "Pt-1000 (385)", 0, 0}, {0x4C, "Pt-50 (392)", 0, 1}, {0x4D, "Pt-100 (392)", 0, 1},
        {0x56, "Pt-500 (392)", 0, 2}, {0x57, "Pt-1000 (392)", 0, 2},
        {0x61, "T/C Type K", 1, 255}, {0x6A, "T/C Type B", 1, 255}, {0x6C, "T/C Type W3", 1, 255},
        {0x6E, "T/C Type C", 1, 255},
        {128, "Resistor", 4, 0}, {136, "Resistor", 4, 1}, {144, "Resistor", 4, 2},
        {160, "Voltage input", 3, 255}, {200, "Poteniometer", 2, 1}, {208, "Poteniometer", 2, 2},
        {224, "Unidentified Input Type", 255, 255},
    };
    for (const Expected& e : table) {
        ConfRecord r;
        ASSERT_TRUE(LookupInputCode(c, r, e.code)) << int(e.code);
        EXPECT_EQ(r.InputCode, e.code);
        EXPECT_EQ(r.InputName, QString::fromLatin1(e.name)) << int(e.code);
        EXPECT_EQ(r.InputClass, e.inputClass) << int(e.code);
        EXPECT_EQ(r.Wires, e.wires) << int(e.code);
    }
}

TEST(Catalogue, EveryOtherCodeIsUnknownAndLeavesTheRecordAlone)
{
    const Catalogue c = BuildCatalogue();
    int known = 0;
    for (int code = 0; code < 256; ++code) {
        ConfRecord r;
        r.InputName = QStringLiteral("before");
        if (LookupInputCode(c, r, std::uint8_t(code)))
            ++known;
        else
            EXPECT_EQ(r.InputName, QStringLiteral("before")) << code;
    }
    // 3 copper + 9 nickel + 24 platinum + 14 thermocouple + 7 fixed codes.
    EXPECT_EQ(known, 57);
    EXPECT_FALSE(IsSensorCode(c, 0x70));
    EXPECT_TRUE(IsSensorCode(c, 0x00));
    EXPECT_FALSE(IsSensorCode(c, CodeVoltage));
    EXPECT_EQ(ThermocoupleIndex(c, 0x6D), 12);
}

TEST(RangeLimits, TemperatureSensorsInCelsiusAndFahrenheit)
{
    const ConfRecord pt100 = withCode(0x49);
    EXPECT_EQ(MaxLimitText(pt100, 850.0f, 0.0f), QString());
    EXPECT_EQ(MaxLimitText(pt100, 850.5f, 0.0f), QString::fromUtf8("850\u00B0C"));
    EXPECT_EQ(MinLimitText(pt100, -200.0f, 0.0f), QString());
    EXPECT_EQ(MinLimitText(pt100, -201.0f, 0.0f), QString::fromUtf8("-200\u00B0C"));
    EXPECT_EQ(MaxLimitText(pt100, 1563.0f, 1.0f), QString::fromUtf8("1562\u00B0F"));

    const ConfRecord copper = withCode(0x10);
    EXPECT_EQ(MinLimitText(copper, -110.0f, 1.0f), QString::fromUtf8("-103\u00B0F"));
    EXPECT_EQ(MinLimitText(copper, -103.0f, 1.0f), QString());

    EXPECT_EQ(MaxLimitText(withCode(0x4E), 456.0f, 0.0f), QString::fromUtf8("455\u00B0C"));   // Pt-500 (392)
    EXPECT_EQ(MaxLimitText(withCode(0x42), 601.0f, 0.0f), QString::fromUtf8("600\u00B0C"));   // Pt-500 (385)
    EXPECT_EQ(MinLimitText(withCode(0x6E), -16.0f, 0.0f), QString::fromUtf8("-15\u00B0C"));   // type C
    EXPECT_EQ(MinLimitText(withCode(0x6E), 4.0f, 1.0f), QString::fromUtf8("5\u00B0F"));
    EXPECT_EQ(MinLimitText(withCode(0x6B), 999.0f, 0.0f), QString::fromUtf8("1000\u00B0C")); // type W
    EXPECT_EQ(MaxLimitText(withCode(0x6D), 4218.0f, 1.0f), QString::fromUtf8("4217\u00B0F")); // type W5
}

TEST(RangeLimits, NoLimitWhereTheUnitsDoNotFitOrTheSensorHasNone)
{
    EXPECT_EQ(MaxLimitText(withCode(0x61), 99999.0f, 4.0f), QString());  // thermocouple in %
    EXPECT_EQ(MaxLimitText(withCode(0x43), 99999.0f, 0.0f), QString());  // Pt-1000 (385)
    EXPECT_EQ(MinLimitText(withCode(0x57), -99999.0f, 1.0f), QString()); // Pt-1000 (392)
    EXPECT_EQ(MaxLimitText(withCode(CodePotentiometer3Wire), 1e6f, 4.0f), QString());
    EXPECT_EQ(MinLimitText(withCode(CodeVoltage), -146.0f, 3.0f), QStringLiteral("-145mV"));
    EXPECT_EQ(MinLimitText(withCode(CodeVoltage), -146.0f, 0.0f), QString());
    EXPECT_EQ(MaxLimitText(withCode(CodeVoltage), 145.0f, 3.0f), QString());
    EXPECT_EQ(MaxLimitText(withCode(CodeResistor3Wire), 4000.5f, 2.0f), QStringLiteral("4000 Ohm"));
    EXPECT_EQ(MinLimitText(withCode(CodeResistor2Wire), -0.5f, 2.0f), QStringLiteral("0 Ohm"));
    EXPECT_EQ(MaxLimitText(withCode(CodeResistor2Wire), 5000.0f, 0.0f), QString());
    EXPECT_EQ(MaxLimitText(withCode(0x61), 5000.0f, 2.0f), QString());  // a thermocouple in Ohm
}
