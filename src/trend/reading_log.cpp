#include "trend/reading_log.h"

#include "model/csv_field.h"
#include "model/formatters.h"
#include "model/safe_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cmath>

namespace {

QString timeText(qint64 msecs)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecs);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QString valueText(float value) { return std::isnan(value) ? QString() : ShortestText(value); }

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("The reading log %1 cannot be written: %2.").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QByteArray ReadingLogHeader() { return QByteArrayLiteral("time,serial,tag,reading,units,ambient,output mA,min,max,status\n"); }

QString StatusText(SampleStatus status)
{
    switch (status) {
    case SampleStatus::Ok: return QStringLiteral("OK");
    case SampleStatus::BurnOut: return QStringLiteral("Burn Out");
    case SampleStatus::NoReading: break;
    }
    return QStringLiteral("No Reading");
}

QByteArray ReadingLogLine(const LogRow& row)
{
    const QStringList fields{
        timeText(row.msecsSinceEpoch),
        CsvField(row.serial),
        CsvField(row.tag),
        valueText(row.reading),
        CsvField(row.units),
        valueText(row.ambient),
        std::isnan(row.outputMa) ? QString() : QString::number(row.outputMa, 'f', 3),
        valueText(row.minimum),
        valueText(row.maximum),
        StatusText(row.status),
    };
    return (fields.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}

std::optional<QString> ReadingLog::start(const QString& path)
{
    QFile file(path);
    if (file.exists() && file.size() > 0) {
        if (!file.open(QIODevice::ReadOnly))
            return failure(path, file.errorString());
        const QByteArray header = ReadingLogHeader();
        if (file.read(header.size()) != header)
            return QStringLiteral("%1 is not a reading log of this program; choose another file.")
                .arg(QDir::toNativeSeparators(path));
    }
    path_ = path;
    // Writing the header (or nothing) now shows a folder that cannot be written before the first reading.
    const std::optional<QString> error = append({});
    if (error)
        path_.clear();
    return error;
}

std::optional<QString> ReadingLog::write(const LogRow& row)
{
    return running() ? append(ReadingLogLine(row)) : std::nullopt;
}

std::optional<QString> ReadingLog::append(const QByteArray& line)
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failure(path_, file.errorString());
    QByteArray bytes;
    const qint64 size = file.size();
    if (size == 0) {
        bytes = ReadingLogHeader();
    } else {
        // A line cut short by an earlier failure is ended, so the next line starts on its own.
        file.seek(size - 1);
        if (file.read(1) != "\n")
            bytes = "\n";
    }
    bytes += line;
    // A device (a pipe, /dev/full) is written where it stands: it has no end to seek to.
    if ((!file.isSequential() && !file.seek(size)) || file.write(bytes) != bytes.size())
        return failure(path_, file.errorString());
    return std::nullopt;
}

std::optional<QString> ExportChartData(const QString& path, const ReadingSeries& series, double from, double to,
                                       const LogRow& identity)
{
    QByteArray bytes = ReadingLogHeader();
    const auto [first, end] = series.indexRange(from, to);
    for (std::size_t i = first; i < end; ++i) {
        const ReadingSample& sample = series[i];
        LogRow row = identity;
        row.msecsSinceEpoch = std::llround(sample.time * 1000.0);
        row.reading = sample.reading;
        row.ambient = sample.ambient;
        row.outputMa = sample.outputMa;
        row.minimum = row.maximum = NoSampleValue;
        row.status = sample.status;
        bytes += ReadingLogLine(row);
    }
    if (!WriteFileAtomically(path, bytes))
        return QStringLiteral("The chart data cannot be written to %1.").arg(QDir::toNativeSeparators(path));
    return std::nullopt;
}
