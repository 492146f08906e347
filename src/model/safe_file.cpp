#include "model/safe_file.h"

#include <QFile>
#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile alone may commit a short write: check the count and abandon the file on a shortfall.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.read(limit + 1);
    return file.error() == QFileDevice::NoError && bytes.size() <= limit;
}
