#include "check/check_record.h"
#include "check/check_settings.h"
#include "model/conf_record.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

ConfRecord unitWith(float rangeMin, float rangeMax, float outMin, float outMax, std::uint8_t inputClass,
                    std::uint8_t units)
{
    ConfRecord r;
    std::tie(r.RangeMin, r.RangeMax, r.OutMin, r.OutMax) = std::tuple(rangeMin, rangeMax, outMin, outMax);
    std::tie(r.InputClass, r.Units) = std::tuple(inputClass, units);
    return r;
}

} // namespace

TEST(CheckResults, ErrorSpanShareExpectedCurrentAndVerdict)
{
    const Tolerance quarterPercent{Tolerance::Kind::PercentOfSpan, 0.25};
    const Tolerance absolute{Tolerance::Kind::Absolute, 0.2};
    const ConfRecord rising = unitWith(0, 100, 4, 20, ClassRtd, UnitsCelsius);
    const ConfRecord falling = unitWith(-50, 150, 20, 4, ClassRtd, UnitsCelsius);
    const ConfRecord millivolt = unitWith(0, 50, 4, 20, ClassVoltage, UnitsMillivolt);
    const ConfRecord percent = unitWith(-50, 150, 4, 20, ClassRtd, UnitsPercent);
    struct Case {
        const char* name;
        const ConfRecord& unit;
        Tolerance tolerance;
        double reference;
        double reading;
        PointTexts texts;
    };
    const Case cases[] = {
        {"within", rising, quarterPercent, 25, 25.1f, {"25.000", "25.100", "0.100", "0.100", "8.000", "PASS"}},
        {"on the limit", rising, quarterPercent, 75, 75.25f, {"75.000", "75.250", "0.250", "0.250", "16.000", "PASS"}},
        {"outside", rising, quarterPercent, 50, 49.7f, {"50.000", "49.700", "-0.300", "-0.300", "12.000", "FAIL"}},
        {"a hair below zero shows no sign", rising, quarterPercent, 25, 24.9999, {"25.000", "25.000", "0.000", "0.000", "8.000", "PASS"}},
        {"no reading", rising, quarterPercent, 100, NAN, {"100.000", "-", "-", "-", "20.000", "FAIL"}},
        {"falling output", falling, absolute, 0, -0.15f, {"0.000", "-0.150", "-0.150", "-0.075", "16.000", "PASS"}},
        {"falling output, top", falling, absolute, 150, 150.21f, {"150.000", "150.210", "0.210", "0.105", "4.000", "FAIL"}},
        {"percent of the range", percent, quarterPercent, 50, 50.5f, {"50.000", "50.500", "0.500", "0.500", "12.000", "FAIL"}},
        {"millivolts", millivolt, quarterPercent, 10, 10.0123, {"10.0000", "10.0123", "0.0123", "0.025", "7.200", "PASS"}},
    };
    for (const Case& c : cases) {
        const std::optional<CheckScale> scale = CheckScaleOf(c.unit, c.tolerance);
        ASSERT_TRUE(scale) << c.name;
        const PointResult point = JudgePoint(*scale, c.reference, c.reading, true);
        const PointTexts t = TextsOf(*scale, point);
        EXPECT_EQ(QStringList({t.reference, t.reading, t.error, t.errorPercentOfSpan, t.expectedMa, t.verdict}),
                  QStringList({c.texts.reference, c.texts.reading, c.texts.error, c.texts.errorPercentOfSpan,
                               c.texts.expectedMa, c.texts.verdict}))
            << c.name;
    }
    EXPECT_FALSE(CheckScaleOf(unitWith(NoValue, 100, 4, 20, ClassRtd, UnitsCelsius), quarterPercent));
}

TEST(CheckResults, PointsTheirOrderAndTheirText)
{
    EXPECT_EQ(DefaultPoints(-50, 150), (std::vector<double>{-50, 0, 50, 100, 150}));
    CheckPlan plan;
    plan.points = {0, 50, 100};
    plan.downScale = true;
    EXPECT_EQ(RunOrder(plan), (std::vector<double>{0, 50, 100, 50, 0}));
    EXPECT_EQ(ParsePoints(QStringLiteral(" -10, 2.5  100")), (std::vector<double>{-10, 2.5, 100}));
    for (const char* wrong : {"", " , ", "1,x", "1,,inf"})
        EXPECT_FALSE(ParsePoints(QString::fromLatin1(wrong))) << wrong;
    EXPECT_EQ(PointsText({-10, 2.5, 100}), QStringLiteral("-10, 2.5, 100"));
}

TEST(CheckResults, AdjustmentReadFromTheCorrectionFields)
{
    ConfRecord before = unitWith(0, 100, 4, 20, ClassRtd, UnitsCelsius);
    ClearCorrection(before);
    ConfRecord trimmed = before;
    trimmed.CalLowRef = trimmed.CalHighRef = OffsetMarker;
    trimmed.CalGain = 10000;
    trimmed.CalOffset = -30;
    ConfRecord twoPoint = trimmed;
    twoPoint.CalGain = 10020.04f;
    twoPoint.CalOffset = -4008.016f;
    twoPoint.CalLowRead = 0.4f;
    twoPoint.CalHighRead = 100.2f;
    ConfRecord undone = trimmed;
    undone.CalLowRef = undone.CalHighRef = NoCal;
    const CheckScale scale = *CheckScaleOf(before, {});
    struct Case {
        const ConfRecord& from;
        const ConfRecord& to;
        bool written;
        const char* text;
    };
    const Case cases[] = {
        {before, before, true, "No adjustment: the as-left results are the as-found results."},
        {before, trimmed, true, "Offset trim: -0.300 °C added to every reading."},
        {before, trimmed, false, "Offset trim: -0.300 °C added to every reading. Kept for the next update: not yet "
                                 "written into the unit."},
        {before, twoPoint, true, "Two-point calibration: reading 0.400 °C made 0.000 °C, reading 100.200 °C made "
                                 "100.000 °C (gain 1.002004, offset -0.401 °C)."},
        {trimmed, undone, true, "The unit's correction was removed."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdjustmentText(AdjustmentBetween(c.from, c.to, c.written), scale), QString::fromUtf8(c.text));
}

TEST(CheckResults, CertificateNumbersNeverRepeat)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const QDate date(2025, 3, 7);
    {
        QSettings settings(file, QSettings::IniFormat);
        SaveCertificateSettings(settings, {QStringLiteral("Acme Instruments"), QStringLiteral("LAB")});
        EXPECT_EQ(IssueCertificateNumber(settings, QStringLiteral("LAB"), date), QStringLiteral("LAB-20250307-0001"));
    }
    QSettings first(file, QSettings::IniFormat);
    QSettings second(file, QSettings::IniFormat);  // another program holding the same settings
    EXPECT_EQ(IssueCertificateNumber(first, QStringLiteral("LAB"), date.addDays(1)), QStringLiteral("LAB-20250308-0002"));
    EXPECT_EQ(IssueCertificateNumber(second, QStringLiteral("LAB"), date), QStringLiteral("LAB-20250307-0003"));
    EXPECT_EQ(LoadCertificateSettings(second).company, QStringLiteral("Acme Instruments"));

    QSettings unwritable(dir.filePath(QStringLiteral("settings.ini/inside.ini")), QSettings::IniFormat);
    EXPECT_EQ(IssueCertificateNumber(unwritable, QStringLiteral("LAB"), date), QString());
}
