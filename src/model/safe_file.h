#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file with the given bytes in one step: the bytes go to a temporary file beside it,
// which takes the file's place only when every byte was written. On any failure the old file
// stays as it was and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Reads at most `limit` bytes of a file; false when it cannot be opened or read, or is larger.
bool ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes);
