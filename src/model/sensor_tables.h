#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

class Operator;

// One characteristic table as the unit receives it: a count byte, the transfer cursor and the
// values in file order.
struct SensorTable {
    std::uint8_t count = 0;
    std::uint8_t cursor = 0;
    std::array<float, 301> values{};
};

struct SensorTables {
    SensorTable A;  // first column of the primary file
    SensorTable B;  // the other three columns of the primary file
    SensorTable C;  // all four columns of the secondary file
};

// First number of the line that ends a table file.
inline constexpr float TableEndMarker = 16777215.0f;

// Full path of the primary (which = 1) or secondary (which = 2) table file of an input code;
// empty when the code has no tables.
QString TableFileName(const QString& appDir, std::uint8_t inputCode, int which);

// Next space-separated token of a line from a 1-based position, which advances; empty at the end.
QString NextToken(const QString& line, int& position);

// Load the tables of an input code; false (after the operator was told) when a file is missing
// or malformed. A line holds four numbers separated by spaces (a tab is not a separator); more
// tokens on a line are ignored, as are lines after the end line. A file longer than its table
// capacity (85 primary lines, 63 secondary lines, end line included) is refused. The tables are
// loaded into a copy and replaced only on success: a failed load leaves them as they were.
// The cursors of the loaded tables are 0.
bool LoadPrimaryTables(const QString& appDir, std::uint8_t inputCode, SensorTables& tables, Operator& op);
bool LoadSecondaryTable(const QString& appDir, std::uint8_t inputCode, SensorTables& tables, Operator& op);
// The same on the bytes of a table file already read; `path` only names the file in the messages.
bool LoadPrimaryTables(const QByteArray& bytes, const QString& path, SensorTables& tables, Operator& op);
bool LoadSecondaryTable(const QByteArray& bytes, const QString& path, SensorTables& tables, Operator& op);
