#pragma once

#include <QByteArray>

struct CheckRecord;

// The results of a check as CSV: a header line, then one line per point of the as-found and the
// as-left run, each with the certificate number and the units.
QByteArray CheckCsv(const CheckRecord& record);
