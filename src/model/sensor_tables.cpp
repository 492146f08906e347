#include "model/sensor_tables.h"

#include "model/decimal_text.h"
#include "model/input_types.h"
#include "model/list_format.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace {

constexpr int PrimaryTableLines = 85;    // 255 values in table B
constexpr int SecondaryTableLines = 63;  // 252 values in table C
constexpr int NumbersPerLine = 4;
constexpr qint64 MaxTableFileSize = 1 << 20;

// The file name (without folder) of a code's primary (1) or secondary (2) table; empty when
// the code has no tables.
QString tableName(std::uint8_t code, int which)
{
    const InputType* type = FindInputType(code);
    if (!type || (which != 1 && which != 2))
        return QString();
    return QString::fromLatin1(which == 1 ? type->primaryFile : type->secondaryFile);
}

QString illegalTableText(const QString& path)
{
    return QStringLiteral("Error in file '") + path + QStringLiteral("'. Some of the file values are illegal.")
        + QString::fromLatin1(CrLf) + QStringLiteral("Can't translate this file.");
}

// The lines of a file ended by CR LF or a bare LF; a final line break does not start a line.
QList<QByteArray> fileLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// The bytes of a table file; nothing (after telling the operator) when it cannot be read.
std::optional<QByteArray> readTableFile(const QString& path, Operator& op)
{
    QByteArray bytes;
    if (path.isEmpty() || !ReadWholeFile(path, MaxTableFileSize, bytes)) {
        IllegalPathMessage(op, CantAccessFileText(path));
        return std::nullopt;
    }
    return bytes;
}

// Takes a table file line by line, handing the four numbers of each line to `store`, up to and
// including the end line. False (after telling the operator) when a number is missing or
// malformed, or the end line does not come within `capacity` lines.
template <typename Store>
bool parseTableFile(const QByteArray& bytes, const QString& path, int capacity, Operator& op, Store store)
{
    const QList<QByteArray> lines = fileLines(bytes);
    for (qsizetype i = 0; i < lines.size() && i < capacity; ++i) {
        const QString line = QString::fromLatin1(lines[i]);
        int position = 1;
        std::array<float, NumbersPerLine> numbers{};
        for (float& number : numbers) {
            const QByteArray token = NextToken(line, position).toLatin1();
            const auto value = ParseSingle(std::string_view(token.constData(), token.size()));
            if (!value) {
                IllegalFileMessage(op, illegalTableText(path));
                return false;
            }
            number = *value;
        }
        store(numbers);
        if (numbers[0] == TableEndMarker)
            return true;
    }
    IllegalFileMessage(op, illegalTableText(path));
    return false;
}

void append(SensorTable& table, float value)
{
    table.values[table.count] = value;
    ++table.count;
}

} // namespace

QString TableFileName(const QString& appDir, std::uint8_t inputCode, int which)
{
    const QString name = tableName(inputCode, which);
    // A code without tables names the folder itself, whose opening fails and is reported by name.
    return appDir + QLatin1Char('/') + name;
}

QString NextToken(const QString& line, int& position)
{
    position = std::max(position, 1);
    QString token;
    while (position <= line.size()) {
        const QChar c = line[position - 1];
        ++position;
        if (c != QLatin1Char(' '))
            token += c;
        else if (!token.isEmpty())
            break;
    }
    return token;
}

bool LoadPrimaryTables(const QString& appDir, std::uint8_t inputCode, SensorTables& tables, Operator& op)
{
    const QString path = TableFileName(appDir, inputCode, 1);
    const auto bytes = readTableFile(path, op);
    return bytes && LoadPrimaryTables(*bytes, path, tables, op);
}

bool LoadPrimaryTables(const QByteArray& bytes, const QString& path, SensorTables& tables, Operator& op)
{
    SensorTable a;
    SensorTable b;
    const bool loaded = parseTableFile(bytes, path, PrimaryTableLines, op,
                                       [&a, &b](const std::array<float, NumbersPerLine>& numbers) {
                                           append(a, numbers[0]);
                                           for (int k = 1; k < NumbersPerLine; ++k)
                                               append(b, numbers[k]);
                                       });
    if (loaded) {
        tables.A = a;
        tables.B = b;
    }
    return loaded;
}

bool LoadSecondaryTable(const QString& appDir, std::uint8_t inputCode, SensorTables& tables, Operator& op)
{
    const QString path = TableFileName(appDir, inputCode, 2);
    const auto bytes = readTableFile(path, op);
    return bytes && LoadSecondaryTable(*bytes, path, tables, op);
}

bool LoadSecondaryTable(const QByteArray& bytes, const QString& path, SensorTables& tables, Operator& op)
{
    SensorTable c;
    const bool loaded = parseTableFile(bytes, path, SecondaryTableLines, op,
                                       [&c](const std::array<float, NumbersPerLine>& numbers) {
                                           for (float number : numbers)
                                               append(c, number);
                                       });
    if (loaded)
        tables.C = c;
    return loaded;
}
