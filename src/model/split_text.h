#pragma once

#include <QString>
#include <QStringList>

// Splits a text at every occurrence of a delimiter (case-sensitive). The result is 1-based:
// element 0 stays empty and elements 1..count hold the pieces; an empty text gives one empty piece.
QStringList SplitText(const QString& text, const QString& delimiter);
