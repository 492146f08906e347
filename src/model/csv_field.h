#pragma once

#include <QString>

// A field of a comma-separated line: a text with a comma, a quote or a line break goes in quotes,
// its quotes doubled.
QString CsvField(const QString& text);
