#include "model/safe_file.h"

#include <QFile>
#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile alone may commit a short write: check the count and abandon the file on a shortfall.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    // A regular file is read at its size (one byte more shows growth), so that a small file does
    // not cost a buffer of `limit` bytes; a device that tells no size is read up to the limit.
    const qint64 size = file.size();
    bytes = file.read((size > 0 && size <= limit ? size : limit) + 1);
    return file.error() == QFileDevice::NoError && bytes.size() <= limit;
}
