#include "check/certificate.h"
#include "check/check_csv.h"
#include "check/check_record.h"

#include "support/pdf_text.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A check of nine points (up and down) with every field of the certificate filled.
CheckRecord fullRecord()
{
    CheckRecord r;
    r.certificateNumber = QStringLiteral("LAB-20250307-0042");
    r.company = QStringLiteral("Acme Instruments Ltd");
    r.started = QDateTime(QDate(2025, 3, 7), QTime(9, 41));
    r.issued = QDateTime(QDate(2025, 3, 7), QTime(10, 5));
    r.plan.points = {0, 25, 50, 75, 100};
    r.plan.downScale = true;
    r.plan.reference = {QStringLiteral("RTD simulator RS-7"), QStringLiteral("SN 88121"), QStringLiteral("REF-4711"),
                        QStringLiteral("0.03 °C (k=2)")};
    r.plan.technician = QStringLiteral("Dana Whitfield");
    r.plan.customer = QStringLiteral("Northfield Water");
    r.plan.site = QStringLiteral("Pump station 3");
    r.plan.humidityPercent = 45;
    r.unit = {QStringLiteral("0512307"), QStringLiteral("TT-101"), QStringLiteral("Pt100 (385)"), QStringLiteral("3 wire"),
              0, 100, 4, 20, 2, 23.5, QStringLiteral("°C")};
    r.scale.transfer = {0, 100, 4, 20, std::nullopt, false};
    r.scale.tolerance = 0.25;
    r.scale.units = QStringLiteral("°C");
    for (double reference : RunOrder(r.plan)) {
        r.asFound.points.push_back(JudgePoint(r.scale, reference, reference + 0.3, reference != 25));
        r.asLeft.points.push_back(JudgePoint(r.scale, reference, reference + 0.01, true));
    }
    r.adjustment = {Adjustment::Kind::OffsetTrim, 1, -0.3, 0, 0, true};
    return r;
}

} // namespace

TEST(Certificate, PdfHoldsEveryFieldOnNumberedPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("certificate.pdf"));
    ASSERT_TRUE(WriteCertificatePdf(fullRecord(), path));
    const QString text = PdfText(path);
    const QStringList expected{
        "Calibration Certificate", "Certificate number LAB-20250307-0042", "Issued by Acme Instruments Ltd",
        "Customer Northfield Water", "Site Pump station 3", "Date of calibration 2025-03-07 09:41",
        "Date of issue 2025-03-07", "Serial number 0512307", "Tag TT-101", "Input type Pt100 (385)", "Wiring 3 wire",
        "Input range 0 to 100 °C", "Output range 4 to 20 mA (rising)", "Damping 2", "Calibration software delvo2",
        "0, 25, 50, 75, 100 °C, up-scale, then down-scale", "±0.25 % of span (±0.250 °C)",
        "10 readings in a row, one a second, within 0.02 % of span (0.020 °C)", "RTD simulator RS-7 SN 88121",
        "Its certificate REF-4711", "Its uncertainty 0.03 °C (k=2)", "traceable to national measurement standards",
        "Ambient temperature 23.5 °C", "Relative humidity 45 %", "25.000 25.300 0.300 0.300 8.000 FAIL*",
        "FAIL: 9 of 9 points outside the tolerance", "Offset trim: -0.300 °C added to every reading.",
        "50.000 50.010 0.010 0.010 12.000 PASS", "PASS: every point within the tolerance", "simple acceptance",
        "Technician Dana Whitfield", "Signature:", "Page 1 of 2", "Page 2 of 2"};
    for (const QString& wanted : expected)
        EXPECT_TRUE(text.contains(wanted)) << wanted.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Calibration Certificate No. LAB-20250307-0042")), 2);  // every page

    // A file that cannot be written is not left half-made.
    EXPECT_FALSE(WriteCertificatePdf(fullRecord(), dir.filePath(QStringLiteral("missing/certificate.pdf"))));
}

TEST(Certificate, CsvHasOneLinePerPointOfEachRun)
{
    CheckRecord record = fullRecord();
    record.certificateNumber = QStringLiteral("LAB,1");
    const QList<QByteArray> lines = CheckCsv(record).split('\n');
    ASSERT_EQ(lines.size(), 1 + 9 + 9 + 1);
    EXPECT_EQ(lines[0], "certificate,run,reference,reading,error,error_percent_of_span,expected_ma,stable,result,units");
    EXPECT_EQ(lines[2], "\"LAB,1\",as-found,25.000,25.300,0.300,0.300,8.000,no,FAIL,°C");
    EXPECT_EQ(lines[10], "\"LAB,1\",as-left,0.000,0.010,0.010,0.010,4.000,yes,PASS,°C");
}
