#include "link/port_file.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PortFile, ReadsTheFirstNumber)
{
    QTemporaryDir dir;
    Session s;
    s.AppDir = dir.path();
    ScriptedOperator op;
    for (const auto& [content, port] : std::vector<std::pair<QByteArray, int>>{
             {"4\r\n", 4}, {"12\r\n", 12}, {"  3", 3}, {"2\n7\n", 2}}) {
        writeFile(PortFilePath(s.AppDir), content);
        ReadPortFile(s, op);
        EXPECT_EQ(s.link.PortNumber, port) << content.toStdString();
    }
    EXPECT_TRUE(op.boxes.empty());
}

TEST(PortFile, UnreadableFileKeepsThePortAndTellsTheOperator)
{
    QTemporaryDir dir;
    Session s;
    s.AppDir = dir.path();
    s.link.PortNumber = 3;
    const QString path = PortFilePath(s.AppDir);
    for (const QByteArray& content : {QByteArray(), QByteArray("com"), QByteArray("99999999999"), QByteArray(5000, '1')}) {
        ScriptedOperator op;
        writeFile(path, content);
        ReadPortFile(s, op);
        EXPECT_EQ(s.link.PortNumber, 3);
        EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Illegal Pathname", "Can't access file: '" + path + "'."}));
    }
    ScriptedOperator op;
    QFile::remove(path);
    ReadPortFile(s, op);
    EXPECT_EQ(op.only().title, QStringLiteral("Illegal Pathname"));
}

TEST(PortFile, WritesNumberWithCrLfAndReportsFailure)
{
    QTemporaryDir dir;
    Session s;
    s.AppDir = dir.path();
    s.link.PortNumber = 2;
    ScriptedOperator op;
    WritePortFile(s, op);
    EXPECT_EQ(readFile(PortFilePath(s.AppDir)), QByteArray("2\r\n"));
    EXPECT_TRUE(op.boxes.empty());

    // A folder in the file's place cannot be replaced: message, and the folder stays.
    Session blocked;
    blocked.AppDir = dir.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(PortFilePath(blocked.AppDir)));
    WritePortFile(blocked, op);
    EXPECT_EQ(op.only().text, "Can't access file: '" + PortFilePath(blocked.AppDir) + "'.");
    EXPECT_TRUE(QFileInfo(PortFilePath(blocked.AppDir)).isDir());
}
