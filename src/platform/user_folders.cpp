#include "platform/user_folders.h"

#include <QDir>
#include <QStandardPaths>

QString DemoRecordFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/demo");
    if (QDir().mkpath(folder))
        return folder;
    const QString fallback = QDir::temp().filePath(QStringLiteral("delvo2-demo"));
    QDir().mkpath(fallback);
    return fallback;
}

QString RememberedDeviceFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/last-unit-device.txt");
}
