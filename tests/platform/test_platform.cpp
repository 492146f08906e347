#include "platform/install_registry.h"
#include "platform/port_names.h"

#include <QFile>
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
