#include "platform/user_folders.h"

#include "platform/install_registry.h"

#include <QDir>
#include <QStandardPaths>

QString UserDataFolder()
{
    // The generic data folder, not the per-program one: delvo2 and delvo2-cli see the same files.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/delvo2");
    QDir().mkpath(folder);
    return folder;
}

QString InstalledRecordFolder(const InstallRegistry& registry)
{
    return registry.appDirReadOnly() ? UserDataFolder() : QString();
}

QString DemoRecordFolder()
{
    const QString folder = UserDataFolder() + QStringLiteral("/demo");
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

QString HistoryFolder()
{
    return UserDataFolder() + QStringLiteral("/history");
}

QString DemoHistoryFolder()
{
    return UserDataFolder() + QStringLiteral("/demo/history");
}
