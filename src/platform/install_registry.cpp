#include "platform/install_registry.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QStandardPaths>

InstallRegistry InstallRegistry::system()
{
    InstallRegistry registry;
#ifndef Q_OS_WIN
    const QString fromEnvironment = QProcessEnvironment::systemEnvironment().value(QStringLiteral("DELVO2_REGISTRY"));
    if (!fromEnvironment.isEmpty())
        registry.files_ << fromEnvironment;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!user.isEmpty())
        registry.files_ << user + QStringLiteral("/delvo2/registry.ini");
    registry.files_ << QStringLiteral(DELVO_SYSTEM_REGISTRY);
#endif
    return registry;
}

InstallRegistry InstallRegistry::fromFile(const QString& path)
{
    InstallRegistry registry;
    registry.files_ << path;
    return registry;
}

std::optional<QString> InstallRegistry::appPathValue() const
{
#ifdef Q_OS_WIN
    if (files_.isEmpty()) {
        QSettings key(QString::fromLatin1(AppPathsKey), QSettings::NativeFormat);
        const QVariant value = key.value(QStringLiteral("Default"));
        if (value.isValid())
            return value.toString();
        return std::nullopt;
    }
#endif
    for (const QString& path : files_) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (auto value = appPathFromText(QString::fromUtf8(file.read(64 * 1024))))
            return value;
    }
    return std::nullopt;
}

std::optional<QString> InstallRegistry::appPathFromText(const QString& text)
{
    const QString wanted = QLatin1Char('[') + QString::fromLatin1(AppPathsKey) + QLatin1Char(']');
    bool inKey = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inKey = line.compare(wanted, Qt::CaseInsensitive) == 0;  // registry keys ignore case
        else if (inKey && line.startsWith(QStringLiteral("@=")))
            return line.mid(2);
    }
    return std::nullopt;
}
