#include "platform/install_registry.h"
#include "platform/port_names.h"
#include "platform/user_folders.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(InstallRegistry, FindsTheDefaultValueOfTheAppPathsKeyInItsFile)
{
    const QString key = QString::fromLatin1(AppPathsKey);
    EXPECT_EQ(InstallRegistry::appPathFromText(QStringLiteral("[") + key + QStringLiteral("]\n@=/opt/x/delvo2\n")),
              QStringLiteral("/opt/x/delvo2"));
    // Registry keys ignore letter case; CR LF line ends and comments are fine.
    EXPECT_EQ(InstallRegistry::appPathFromText(QStringLiteral("; c\r\n[") + key.toUpper() + QStringLiteral("]\r\n@=C:\\T\\delvo2.exe\r\n")),
              QStringLiteral("C:\\T\\delvo2.exe"));
    // The value must sit under the key itself, not under another key.
    EXPECT_FALSE(InstallRegistry::appPathFromText(QStringLiteral("[HKEY_LOCAL_MACHINE\\Other]\n@=/x\n[") + key
                                                  + QStringLiteral("]\nPath=/y\n")));
    EXPECT_FALSE(InstallRegistry::appPathFromText(QString()));

    // The file the installer writes; none at all means no installation.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.ini"));
    EXPECT_FALSE(InstallRegistry::fromFile(path).appPathValue());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[" + QByteArray(AppPathsKey) + "]\n@=/srv/tool/delvo2\n");
    file.close();
    EXPECT_EQ(InstallRegistry::fromFile(path).appPathValue(), QStringLiteral("/srv/tool/delvo2"));
}

// An installation marks its program folder read-only; the files the program writes then go to
// the user's data folder.
TEST(InstallRegistry, ReadOnlyAppDirSendsWrittenFilesToTheUserDataFolder)
{
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    const QByteArray key = "[" + QByteArray(AppPathsKey) + "]\n@=/usr/lib/delvo2/delvo2\n";
    const std::pair<QByteArray, bool> cases[] = {
        {key + "ReadOnlyAppDir=1\n", true},
        {key + "readonlyappdir=1\r\n", true},
        {key, false},
        {key + "ReadOnlyAppDir=0\n", false},
        {key + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\nReadOnlyAppDir=1\n", false},
        {"ReadOnlyAppDir=1\n" + key, false},
    };
    const QString path = dir.filePath(QStringLiteral("registry.ini"));
    for (const auto& [text, readOnly] : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size());
        file.close();
        const InstallRegistry registry = InstallRegistry::fromFile(path);
        EXPECT_EQ(registry.appDirReadOnly(), readOnly) << text.toStdString();
        EXPECT_EQ(InstalledRecordFolder(registry), readOnly ? dir.filePath(QStringLiteral("data/delvo2")) : QString())
            << text.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("data/delvo2"))).isDir());
    qunsetenv("XDG_DATA_HOME");
}

TEST(PortNames, LinuxRuleAndOverrides)
{
    PortNames names;
#ifdef Q_OS_WIN
    EXPECT_EQ(names.deviceFor(3), QStringLiteral("COM3"));
#else
    EXPECT_EQ(names.deviceFor(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(names.deviceFor(4), QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(names.deviceFor(5), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(names.deviceFor(8), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(names.deviceFor(12), QStringLiteral("/dev/ttyS11"));
    EXPECT_EQ(names.captionFor(2), QStringLiteral("Com 2  (/dev/ttyUSB1)"));
#endif
    names.overrides[1] = QStringLiteral("/dev/pts/7");
    EXPECT_EQ(names.deviceFor(1), QStringLiteral("/dev/pts/7"));
}
