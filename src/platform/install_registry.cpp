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
    // The user's config folder, then the system ones ($XDG_CONFIG_DIRS, /etc/xdg: the package's).
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        registry.files_ << folder + QStringLiteral("/delvo2/registry.ini");
    // The one `cmake --install` writes under its prefix.
    if (!registry.files_.contains(QStringLiteral(DELVO_SYSTEM_REGISTRY)))
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
    if (const std::optional<QString> text = keyFileText())
        return appPathFromText(*text);
    return std::nullopt;
}

bool InstallRegistry::appDirReadOnly() const
{
    const std::optional<QString> text = keyFileText();
    return text && valueFromText(*text, QStringLiteral("ReadOnlyAppDir")) == QStringLiteral("1");
}

std::optional<QString> InstallRegistry::keyFileText() const
{
    for (const QString& path : files_) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.read(64 * 1024));
        if (appPathFromText(text))
            return text;
    }
    return std::nullopt;
}

std::optional<QString> InstallRegistry::appPathFromText(const QString& text)
{
    return valueFromText(text, QStringLiteral("@"));
}

std::optional<QString> InstallRegistry::valueFromText(const QString& text, const QString& name)
{
    const QString wanted = QLatin1Char('[') + QString::fromLatin1(AppPathsKey) + QLatin1Char(']');
    const QString prefix = name + QLatin1Char('=');
    bool inKey = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inKey = line.compare(wanted, Qt::CaseInsensitive) == 0;  // registry keys ignore case
        else if (inKey && line.startsWith(prefix, Qt::CaseInsensitive))  // and so do value names
            return line.mid(prefix.size());
    }
    return std::nullopt;
}
