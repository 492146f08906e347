#include "model/catalogue.h"
#include "model/sensor_tables.h"
#include "support/scripted_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t Pt100 = 0x49, Pt1000_392 = 0x57, TypeK = 0x61, TypeW3 = 0x6C;

bool operator==(const SensorTable& x, const SensorTable& y)
{
    return x.count == y.count && x.cursor == y.cursor && x.values == y.values;
}

class SensorTableFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Recognisable contents, so that a failed load shows whether it touched the tables.
        for (SensorTable* t : {&tables.A, &tables.B, &tables.C})
            t->count = 7, t->cursor = 5, t->values.fill(-1.0f);
    }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }
    // `data` lines "i i+0.25 -i 1e2", then the end line.
    static QByteArray table(int data, const char* lineEnd = "\r\n")
    {
        QByteArray text;
        for (int i = 0; i < data; ++i)
            text += QByteArray::number(i) + ' ' + QByteArray::number(i + 0.25) + " -" + QByteArray::number(i) + " 1e2"
                + lineEnd;
        return text + "16777215 0 0 0" + lineEnd;
    }
    static ScriptedOperator::Box illegal(const QString& path)
    {
        return {QStringLiteral("Illegal File"), QStringLiteral("Error in file '") + path
                    + QStringLiteral("'. Some of the file values are illegal.\r\nCan't translate this file.")};
    }

    QTemporaryDir dir;
    SensorTables tables;
    ScriptedOperator op;
};

TEST(SensorTableNames, FilesFollowTheSensorAndTokensSplitAtSpaces)
{
    const std::tuple<std::uint8_t, const char*, const char*> files[] = {
        {0x10, "pcopper.dat", "lvoid.dat"}, {0x28, "pni120.dat", "lvoid.dat"}, {0x21, "pni1000.dat", "lvoid.dat"},
        {0x32, "pnife.dat", "lvoid.dat"},   {Pt100, "pt10385.dat", "lvoid.dat"}, {Pt1000_392, "pt10392.dat", "lvoid.dat"},
        {TypeK, "pk.dat", "lk.dat"},        {TypeW3, "pw3.dat", "lw3.dat"},      {0x6E, "pc.dat", "lc.dat"},
        {CodeVoltage, "pmv.dat", "lvoid.dat"}, {CodeResistor3Wire, "Pres.dat", "lvoid.dat"},
        {CodePotentiometer3Wire, "Ppot.dat", "lvoid.dat"},
    };
    for (const auto& [code, primary, secondary] : files) {
        EXPECT_EQ(TableFileName(QStringLiteral("/app"), code, 1), QStringLiteral("/app/") + primary);
        EXPECT_EQ(TableFileName(QStringLiteral("/app"), code, 2), QStringLiteral("/app/") + secondary);
    }
    // A code without tables names the folder, so the failing open says where it looked.
    for (int code : {int(CodeUnidentified), 0x70, 0x58})
        EXPECT_EQ(TableFileName(QStringLiteral("/app"), std::uint8_t(code), 1), QStringLiteral("/app/")) << code;

    const QString line = QStringLiteral("  12   3.5\t7 x ");
    int position = 1;
    for (const char* token : {"12", "3.5\t7", "x", "", ""})
        EXPECT_EQ(NextToken(line, position), QString::fromLatin1(token));
    EXPECT_EQ(position, line.size() + 1);
}

TEST_F(SensorTableFiles, LoadsUpToTheEndLineWithinCapacity)
{
    // Leading and repeated spaces, exponent and leading-dot numbers; lines after the end line ignored.
    write("pt10385.dat", "  1.5 2   3 4\r\n-5 6.25  7e1 .5\r\n16777215 8 9 10\r\nnot a table line\r\n");
    ASSERT_TRUE(LoadPrimaryTables(dir.path(), Pt100, tables, op));
    EXPECT_EQ(std::make_tuple(tables.A.count, tables.A.cursor, tables.B.count, tables.B.cursor),
              std::make_tuple(3, 0, 9, 0));
    auto first = [](const SensorTable& t, int n) { return std::vector<float>(t.values.begin(), t.values.begin() + n); };
    EXPECT_EQ(first(tables.A, 4), (std::vector<float>{1.5f, -5, 16777215, 0}));
    EXPECT_EQ(first(tables.B, 9), (std::vector<float>{2, 3, 4, 6.25f, 70, 0.5f, 8, 9, 10}));

    write("pw3.dat", table(84, "\n"));  // 85 lines, bare LF
    write("lw3.dat", table(62));        // 63 lines
    ASSERT_TRUE(LoadPrimaryTables(dir.path(), TypeW3, tables, op));
    ASSERT_TRUE(LoadSecondaryTable(dir.path(), TypeW3, tables, op));
    EXPECT_EQ(std::make_tuple(tables.A.count, tables.B.count, tables.C.count, tables.C.cursor),
              std::make_tuple(85, 255, 252, 0));
    EXPECT_EQ(std::make_tuple(tables.A.values[84], tables.C.values[5], tables.C.values[248]),
              std::make_tuple(16777215.0f, 1.25f, 16777215.0f));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(SensorTableFiles, RefusedFilesLeaveTheTablesAndShowTheirMessage)
{
    const std::tuple<const char*, QByteArray, int> cases[] = {
        {"86 primary lines", table(85), 1},
        {"64 secondary lines", table(63), 2},
        {"three numbers on a line", "1 2 3\r\n16777215 0 0 0\r\n", 1},
        {"tab between numbers", "1 2\t3 4\r\n16777215 0 0 0\r\n", 2},
        {"comma as decimal separator", "1 2,5 3 4\r\n16777215 0 0 0\r\n", 1},
        {"blank line", "1 2 3 4\r\n\r\n16777215 0 0 0\r\n", 2},
        {"no end line", "1 2 3 4\r\n5 6 7 8\r\n", 1},
        {"empty file", "", 2},
        {"missing file", QByteArray(), 1},
    };
    const SensorTables before = tables;
    for (const auto& [what, bytes, which] : cases) {
        SCOPED_TRACE(what);
        const QString path = TableFileName(dir.path(), Pt1000_392, which);
        QFile::remove(path);
        if (!bytes.isNull())
            write(path.section(QLatin1Char('/'), -1), bytes);
        op.boxes.clear();
        EXPECT_FALSE(which == 1 ? LoadPrimaryTables(dir.path(), Pt1000_392, tables, op)
                                : LoadSecondaryTable(dir.path(), Pt1000_392, tables, op));
        EXPECT_TRUE(tables.A == before.A && tables.B == before.B && tables.C == before.C);
        const ScriptedOperator::Box access{QStringLiteral("Illegal Pathname"), "Can't access file: '" + path + "'."};
        EXPECT_EQ(op.only(), bytes.isNull() ? access : illegal(path));
    }
    op.boxes.clear();
    EXPECT_FALSE(LoadPrimaryTables(dir.path(), CodeUnidentified, tables, op));  // no tables for the code
    EXPECT_EQ(op.only().text, "Can't access file: '" + dir.path() + "/'.");
}

} // namespace
