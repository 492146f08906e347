#include "model/decimal_text.h"
#include "model/formatters.h"

#include <gtest/gtest.h>

TEST(Formatters, CodeTexts)
{
    EXPECT_EQ(UnitsText(0), QString::fromUtf8("\u00B0C"));
    EXPECT_EQ(UnitsText(4), QStringLiteral("%"));
    EXPECT_EQ(UnitsText(255), QStringLiteral("?"));
    EXPECT_EQ(UnitsText(5), QString());
    EXPECT_EQ(AmbUnitsText(1), QString::fromUtf8("\u00B0F"));
    EXPECT_EQ(AmbUnitsText(255), QString());
    // Output direction and burn-out map 1 in opposite directions.
    EXPECT_EQ(OutDirText(1) + BurnOutText(1), QStringLiteral("Up ScaleDown Scale"));
    EXPECT_EQ(OutDirText(0) + BurnOutText(0), QStringLiteral("Down ScaleUp Scale"));
    EXPECT_EQ(ModeText(1), QStringLiteral("Differential"));
    EXPECT_EQ(FreqText(1), QStringLiteral("60 Hz"));
    EXPECT_EQ(FreqText(2), QString());

    ConfRecord r;
    r.InputClass = ClassRtd, r.Wires = 1;
    EXPECT_EQ(WiresText(r), QStringLiteral("3 wire"));
    r.InputClass = ClassVoltage, r.Wires = 0;
    EXPECT_EQ(WiresText(r), QString());
}

TEST(Formatters, GeneralNumberForm)
{
    EXPECT_EQ(ValueText(NoValue), QString());
    EXPECT_EQ(GeneralText(NoValue), QStringLiteral("2.147483E+09"));
    EXPECT_EQ(ValueText(8388607.0f), QStringLiteral("8388607"));
    EXPECT_EQ(ValueText(100.0f), QStringLiteral("100"));
    EXPECT_EQ(ValueText(0.5f), QStringLiteral("0.5"));
    EXPECT_EQ(ValueText(-12.345f), QStringLiteral("-12.345"));
    EXPECT_EQ(ValueText(4.005f), QStringLiteral("4.005"));
    EXPECT_EQ(ValueText(12345678.0f), QStringLiteral("1.234568E+07"));
    EXPECT_EQ(ValueText(1e-5f), QStringLiteral("1E-05"));
}

TEST(Formatters, FileAndEditTextsReadBackBitExactly)
{
    const float samples[] = {NoValue, NoCal, OffsetMarker, 0.1f, -0.0f, 4.005f, 1e-7f, 16777216.0f,
                             3.4028235e38f, 1.17549435e-38f, 2.5f, -328.0f, 0.3333333f, 10020.04f, -4008.016f};
    for (float v : samples) {
        const QString exact = ExactText(v);
        EXPECT_TRUE(SameSingle(ParseSingle(exact).value_or(1.5f), v)) << exact.toStdString();
        const QString shortest = ShortestText(v);
        EXPECT_TRUE(SameSingle(ParseSingle(shortest).value_or(1.5f), v)) << shortest.toStdString();
    }
    EXPECT_EQ(ExactText(NoValue), QStringLiteral("2.147483E+09"));
    EXPECT_EQ(ExactText(NoCal), QStringLiteral("8388607"));
    EXPECT_EQ(ShortestText(0.1f), QStringLiteral("0.1"));
}

TEST(DecimalText, NumbersArePlainDecimals)
{
    const std::pair<const char*, float> good[] = {{".5", 0.5f},   {"-.5", -0.5f},     {"+2", 2.0f},
                                                  {"5.", 5.0f},   {"1e-3", 1e-3f},    {"2.147483E+09", NoValue}};
    for (const auto& [text, value] : good)
        EXPECT_TRUE(ParseSingle(text) && SameSingle(*ParseSingle(text), value)) << text;
    // Typed text with characters beyond Latin-1 is no number either.
    EXPECT_FALSE(ParseSingle(QStringView(u"1\u00B5")));
    for (const char* text : {"", " 1", "\t1", "0x10", "inf", "nan", "1e39", "1e-50", "1.2.3", ".", "e5", "1e", "1,5"})
        EXPECT_FALSE(ParseSingle(text)) << '"' << text << '"';
    for (const char* text : {"255", "+73", "73.0", "7.3E+01"})
        EXPECT_TRUE(ParseByte(text)) << text;
    for (const char* text : {"256", "-1", "73.5", ""})
        EXPECT_FALSE(ParseByte(text)) << text;
}

TEST(Formatters, RoundingHalvesToEven)
{
    for (const auto& [value, rounded] : {std::pair{252.5, 252}, {253.5, 254}, {-50.5, -50}, {12.51, 13}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}
