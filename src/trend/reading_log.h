#pragma once

#include "trend/reading_series.h"

#include <QByteArray>
#include <QString>

#include <optional>

// One line of a reading log: the unit's identity and live values at one moment. NaN: no value.
struct LogRow {
    qint64 msecsSinceEpoch = 0;
    QString serial;
    QString tag;
    float reading = NoSampleValue;
    QString units;
    float ambient = NoSampleValue;
    float outputMa = NoSampleValue;
    float minimum = NoSampleValue;
    float maximum = NoSampleValue;
    SampleStatus status = SampleStatus::NoReading;
};

// "time,serial,tag,reading,units,ambient,output mA,min,max,status" and a line break.
QByteArray ReadingLogHeader();
// Comma-separated, UTF-8, the time in ISO 8601 local time with milliseconds and the UTC offset;
// a text with a comma or a quote is quoted.
QByteArray ReadingLogLine(const LogRow& row);
QString StatusText(SampleStatus status);

// A reading log written line by line as the readings come. Each line opens the file, is handed to
// the system whole and closes it again: a crash or a pulled cable loses at most that line, a
// removed folder or a full disk shows at once, and the log goes on in the same file (after a gap)
// when writing works again. Failures come back as the operator's message; nothing throws.
class ReadingLog {
public:
    // Starts the log in `path`: a new or empty file gets the header, a log of this program is
    // continued at its end, any other file is left alone. The message when it cannot start.
    std::optional<QString> start(const QString& path);
    void stop() { path_.clear(); }
    bool running() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    // Appends one line; the message when it could not be written (the log keeps running).
    std::optional<QString> write(const LogRow& row);

private:
    // The header first when the file is new or empty, then `line`.
    std::optional<QString> append(const QByteArray& line);

    QString path_;
};

// Writes the samples of [from, to) as a log of the unit named in `identity` (minimum and maximum
// empty: the chart does not keep them), whole or not at all. The message when it cannot.
std::optional<QString> ExportChartData(const QString& path, const ReadingSeries& series, double from, double to,
                                       const LogRow& identity);
