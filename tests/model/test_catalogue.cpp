#include "model/catalogue.h"
#include "model/formatters.h"

#include <gtest/gtest.h>

TEST(Catalogue, LookupKnowsEveryCodeOfTheTableAndNoOther)
{
    const struct {
        std::uint8_t code;
        const char* name;
        std::uint8_t inputClass, wires;
    } table[] = {
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
    const Catalogue c = BuildCatalogue();
    for (const auto& e : table) {
        ConfRecord r;
        ASSERT_TRUE(LookupInputCode(c, r, e.code)) << int(e.code);
        EXPECT_EQ(std::tie(r.InputCode, r.InputName, r.InputClass, r.Wires),
                  std::make_tuple(e.code, QString::fromLatin1(e.name), e.inputClass, e.wires));
    }
    int known = 0;
    for (int code = 0; code < 256; ++code) {
        ConfRecord r;
        r.InputName = QStringLiteral("before");
        if (LookupInputCode(c, r, std::uint8_t(code)))
            ++known;
        else
            EXPECT_EQ(r.InputName, QStringLiteral("before")) << code;
    }
    EXPECT_EQ(known, 57);  // 3 copper + 9 nickel + 24 platinum + 14 thermocouple + 7 fixed codes
    EXPECT_TRUE(IsSensorCode(c, 0x00) && !IsSensorCode(c, 0x70) && !IsSensorCode(c, CodeVoltage));
    EXPECT_EQ(ThermocoupleIndex(c, 0x6D), 12);
}

TEST(RangeLimits, EachSensorInTheUnitsThatFitIt)
{
    const struct {
        std::uint8_t code;
        bool max;
        float value, units;
        const char* limit;  // empty: within the limit, or no limit applies
    } cases[] = {
        {0x49, true, 850.0f, 0, ""}, {0x49, true, 850.5f, 0, "850°C"}, {0x49, false, -200.0f, 0, ""},
        {0x49, false, -201.0f, 0, "-200°C"}, {0x49, true, 1563.0f, 1, "1562°F"},
        {0x10, false, -110.0f, 1, "-103°F"}, {0x10, false, -103.0f, 1, ""},
        {0x4E, true, 456.0f, 0, "455°C"},   // Pt-500 (392)
        {0x42, true, 601.0f, 0, "600°C"},   // Pt-500 (385)
        {0x6E, false, -16.0f, 0, "-15°C"}, {0x6E, false, 4.0f, 1, "5°F"},  // type C
        {0x6B, false, 999.0f, 0, "1000°C"}, {0x6D, true, 4218.0f, 1, "4217°F"},  // types W and W5
        {0x61, true, 99999.0f, 4, ""},      // a thermocouple in %
        {0x61, true, 5000.0f, 2, ""},       // a thermocouple in Ohm
        {0x43, true, 99999.0f, 0, ""}, {0x57, false, -99999.0f, 1, ""},  // the Pt-1000 have none
        {CodePotentiometer3Wire, true, 1e6f, 4, ""},
        {CodeVoltage, false, -146.0f, 3, "-145mV"}, {CodeVoltage, false, -146.0f, 0, ""},
        {CodeVoltage, true, 145.0f, 3, ""},
        {CodeResistor3Wire, true, 4000.5f, 2, "4000 Ohm"}, {CodeResistor2Wire, false, -0.5f, 2, "0 Ohm"},
        {CodeResistor2Wire, true, 5000.0f, 0, ""},
    };
    for (const auto& c : cases) {
        ConfRecord r;
        r.InputCode = c.code;
        const MeasureUnit units = MeasureUnit(c.units);
        const QString text = c.max ? MaxLimitText(r, c.value, units) : MinLimitText(r, c.value, units);
        EXPECT_EQ(text, QString::fromUtf8(c.limit)) << int(c.code) << (c.max ? " max " : " min ") << c.value;
    }
}
