#include "model/conf_record.h"
#include "trend/reading_log.h"
#include "trend/unit_sample.h"

#include "link/connect_poll.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void append(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(bytes);
}

LogRow row(qint64 msecs, float reading)
{
    LogRow r;
    r.msecsSinceEpoch = msecs;
    r.serial = QStringLiteral("1234567");
    r.tag = QStringLiteral("TT-101");
    r.reading = reading;
    r.units = QStringLiteral("C");
    r.status = SampleStatus::Ok;
    return r;
}

} // namespace

TEST(ReadingLog, LinesFromThePolledUnit)
{
    ConfRecord unit;
    unit.Serial = QStringLiteral("1234567");
    unit.Tag = QStringLiteral("Boiler, \"east\"    ");
    unit.Units = UnitsCelsius;
    unit.RangeMin = 0, unit.RangeMax = 100, unit.OutMin = 4, unit.OutMax = 20, unit.BurnOut = 1;
    unit.MinRead = 20.5f, unit.MaxRead = NoMaxReading, unit.AmbRead = 23.25f;
    const double time = 1714567890.123;
    const struct {
        float reading;
        const char* fields;  // everything after the time
    } cases[] = {
        {25.37f, "1234567,\"Boiler, \"\"east\"\"\",25.37,\u00B0C,23.25,8.059,20.5,,OK"},
        {BurnOutReading, "1234567,\"Boiler, \"\"east\"\"\",,\u00B0C,23.25,3.600,20.5,,Burn Out"},
        {NoValue, "1234567,\"Boiler, \"\"east\"\"\",,\u00B0C,23.25,,,,No Reading"},
    };
    for (const auto& c : cases) {
        unit.Reading = c.reading;
        const QString line = QString::fromUtf8(ReadingLogLine(LogRowOfUnit(unit, SampleOfUnit(unit, time, {}))));
        const QString timeField = line.section(QLatin1Char(','), 0, 0);
        EXPECT_EQ(QDateTime::fromString(timeField, Qt::ISODateWithMs).toMSecsSinceEpoch(), 1714567890123) << timeField.toStdString();
        EXPECT_TRUE(timeField.contains(QLatin1String(".123"))) << timeField.toStdString();
        EXPECT_EQ(line.section(QLatin1Char(','), 1), QString::fromUtf8(c.fields) + QLatin1Char('\n'));
    }
    unit.AmbRead = NoAmbientReading;
    EXPECT_TRUE(std::isnan(SampleOfUnit(unit, time, {}).ambient));
}

TEST(ReadingLog, GoesOnInTheSameFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("log.csv"));
    ReadingLog log;
    ASSERT_FALSE(log.start(path));
    EXPECT_EQ(contents(path), ReadingLogHeader());
    ASSERT_FALSE(log.write(row(1000, 25.0f)));
    // A later run, after a line cut short (a full disk, a crash half-way).
    append(path, "1970-01-01T00:00:02");
    ReadingLog later;
    ASSERT_FALSE(later.start(path));
    ASSERT_FALSE(later.write(row(3000, 26.0f)));
    EXPECT_EQ(contents(path), ReadingLogHeader() + ReadingLogLine(row(1000, 25.0f)) + "1970-01-01T00:00:02\n"
                                  + ReadingLogLine(row(3000, 26.0f)));

    // A file that is not a log is left alone.
    const QString other = folder.filePath(QStringLiteral("notes.csv"));
    append(other, "a,b\n");
    const auto refused = ReadingLog().start(other);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QLatin1String("is not a reading log"))) << refused->toStdString();
    EXPECT_EQ(contents(other), "a,b\n");
}

TEST(ReadingLog, WriteFailuresComeBackAsMessages)
{
    ReadingLog full;
    const auto noSpace = full.start(QStringLiteral("/dev/full"));
    ASSERT_TRUE(noSpace);
    EXPECT_TRUE(noSpace->startsWith(QLatin1String("The reading log /dev/full cannot be written: "))) << noSpace->toStdString();
    EXPECT_FALSE(full.running());

    // The folder of a running log is removed, then made again.
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("stick"));
    const QString path = folder + QStringLiteral("/log.csv");
    ASSERT_TRUE(QDir().mkpath(folder));
    ReadingLog log;
    ASSERT_FALSE(log.start(path));
    ASSERT_FALSE(log.write(row(1000, 25.0f)));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    const auto removed = log.write(row(2000, 25.5f));
    ASSERT_TRUE(removed);
    EXPECT_TRUE(removed->contains(QLatin1String("log.csv cannot be written"))) << removed->toStdString();
    EXPECT_TRUE(log.running());
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_FALSE(log.write(row(3000, 26.0f)));
    EXPECT_EQ(contents(path), ReadingLogHeader() + ReadingLogLine(row(3000, 26.0f)));
}

TEST(ReadingLog, ChartExportWritesTheWindow)
{
    ReadingSeries series;
    for (int i = 0; i < 10; ++i)
        series.append({100.0 + i, float(i), NoSampleValue, 4.0f + float(i), SampleStatus::Ok});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.csv"));
    LogRow identity = row(0, 0);
    identity.minimum = identity.maximum = 1.0f;  // not kept by the chart
    ASSERT_FALSE(ExportChartData(path, series, 103, 106, identity));
    QByteArray expected = ReadingLogHeader();
    for (int i = 3; i < 6; ++i) {
        LogRow r = row(100000 + 1000 * i, float(i));
        r.outputMa = 4.0f + float(i);
        expected += ReadingLogLine(r);
    }
    EXPECT_EQ(contents(path), expected);
    EXPECT_TRUE(ExportChartData(folder.filePath(QStringLiteral("missing/chart.csv")), series, 103, 106, identity));
}
