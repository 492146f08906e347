#include "platform/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace

QString DemoRecordFolder()
{
    const QString folder = userDataFolder() + QStringLiteral("/demo");
    if (QDir().mkpath(folder))
        return folder;
    const QString fallback = QDir::temp().filePath(QStringLiteral("delvo2-demo"));
    QDir().mkpath(fallback);
    return fallback;
}

QString HistoryFolder()
{
    return userDataFolder() + QStringLiteral("/history");
}

QString DemoHistoryFolder()
{
    return userDataFolder() + QStringLiteral("/demo/history");
}
