#include "link/port_file.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// (Writing it: the port change in tests/app/connection_test.cpp and tests/link/test_file_failures.cpp.)
TEST(PortFile, ReadsTheFirstNumberOrKeepsThePortAndTellsTheOperator)
{
    QTemporaryDir dir;
    Session s;
    s.AppDir = dir.path();
    const QString path = PortFilePath(s.AppDir);
    const std::pair<QByteArray, int> cases[] = {
        {"4\r\n", 4}, {"12\r\n", 12}, {"  3", 3}, {"2\n7\n", 2},
        {"", 0}, {"com", 0}, {"99999999999", 0}, {QByteArray(5000, '1'), 0}, {QByteArray(), 0},  // 0: refused
    };
    const std::vector<ScriptedOperator::Box> refused{{"Illegal Pathname", "Can't access file: '" + path + "'."}};
    for (const auto& [content, port] : cases) {
        ScriptedOperator op;
        std::int16_t portNumber = 9;
        QFile::remove(path);
        QFile file(path);
        if (!content.isNull())
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        ReadPortFile(s, portNumber, op);
        EXPECT_EQ(portNumber, port ? port : 9) << content.toStdString();
        EXPECT_EQ(op.boxes, port ? std::vector<ScriptedOperator::Box>{} : refused) << content.toStdString();
    }
}

// With a folder of its own (the user's data folder of an installation), the port file is written
// there; the program folder's copy is only the default until then.
TEST(PortFile, OwnFolderTakesTheShippedDefaultUntilItHoldsItsOwn)
{
    QTemporaryDir appDir, ownDir;
    Session s;
    s.AppDir = appDir.path();
    s.RecordDir = ownDir.path();
    QFile shipped(PortFilePath(s.AppDir));
    ASSERT_TRUE(shipped.open(QIODevice::WriteOnly) && shipped.write("4\r\n") == 3);
    shipped.close();
    ScriptedOperator op;

    std::int16_t portNumber = 0;
    ReadPortFile(s, portNumber, op);
    EXPECT_EQ(portNumber, 4);
    WritePortFile(s, 6, op);
    ReadPortFile(s, portNumber = 0, op);

    EXPECT_EQ(portNumber, 6);
    EXPECT_TRUE(op.boxes.empty());
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), "4\r\n");
}
