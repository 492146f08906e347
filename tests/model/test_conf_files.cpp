#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/list_format.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

const QString illegalValues = QStringLiteral("Some of the file values are illegal.\r\nCan't translate this file.");
const QByteArray exampleLine = "\"1234567\",\"TT-101\",73,0,1,0,4,20,0,0,0,0,1,100,0,"
                               "8388607,8388607,8388607,8388607,8388607,8388607\r\n";

class ConfFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }
    QByteArray contents(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Three-wire Pt-100 (385), up-scale burn-out, 4-20 mA, 50 Hz, single, °C, 0..100 °C, no correction.
    ConfRecord example() const
    {
        ConfRecord r = ZeroConfRecord();
        LookupInputCode(catalogue, r, 73);
        r.Serial = QStringLiteral("1234567");
        r.Tag = QStringLiteral("TT-101");
        r.OutMin = 4, r.OutMax = 20, r.Damping = 1, r.RangeMax = 100;
        r.CalLowRef = r.CalLowRead = r.CalHighRef = r.CalHighRead = r.CalGain = r.CalOffset = NoCal;
        return r;
    }
    ScriptedOperator::Box cantAccess(const QString& path) const
    {
        return {QStringLiteral("Illegal Pathname"), QStringLiteral("Can't access file: '") + path + QStringLiteral("'.")};
    }

    QTemporaryDir dir;
    Catalogue catalogue = BuildCatalogue();
    Session session;
    ScriptedOperator op;
};

TEST_F(ConfFiles, WrittenRecordsReadBackBitExact)
{
    ASSERT_TRUE(WriteConfFile(example(), dir.filePath("ex.cal"), op));
    EXPECT_EQ(contents("ex.cal"), exampleLine);
    session.EditConf.DispHigh = 500;  // fields the file does not hold are zero after a read
    session.EditConf.FactBytes = {1, 2};
    ASSERT_TRUE(ReadConfFile(session, catalogue, dir.filePath("ex.cal"), op));
    EXPECT_EQ(session.EditConf, example());

    // (Awkward singles and generated records: test_conf_round_trip.cpp.) A tag that needs the text rule:
    ConfRecord r = example();
    // The file holds the Windows ANSI bytes: the euro sign is 0x80, a character outside it '?'.
    r.Tag = QStringLiteral(" a, \"b\"\t") + QChar(0xE9) + QChar(0x20AC) + QChar(0x3A9);
    ASSERT_TRUE(WriteConfFile(r, dir.filePath("a.cal"), op));
    EXPECT_TRUE(contents("a.cal").contains(QByteArray("\" a, 'b' \xE9\x80?\"")));
    ASSERT_TRUE(ReadConfFile(session, catalogue, dir.filePath("a.cal"), op));
    EXPECT_EQ(session.EditConf.Tag, QStringLiteral(" a, 'b' ") + QChar(0xE9) + QChar(0x20AC) + QLatin1Char('?'));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(ConfFiles, ReaderAcceptsLooseLayoutsAndClampsCodes)
{
    // Bare LF and CR, fields split over lines, blanks and tabs, unquoted text, no leading zeros,
    // class and wiring that differ from the code's, codes out of range, a 22nd field.
    const QByteArray loose = " \"7,8\" ,\tT 1\n160 ,4,2,\r7,.4e1,2E+01\n"
                             "1,1,9,3,.5,-.25,2.147483E+09,1,2,3,4,5,6,99\n";
    ASSERT_TRUE(ReadConfFile(session, catalogue, write("loose.cal", loose), op)) << op.transcript().toStdString();
    const ConfRecord& r = session.EditConf;
    EXPECT_EQ(r.Serial, QStringLiteral("7,8"));
    EXPECT_EQ(r.Tag, QStringLiteral("T 1"));
    EXPECT_EQ(r.InputName, QStringLiteral("Voltage input"));
    EXPECT_EQ(std::make_tuple(r.InputCode, r.InputClass, r.Wires, r.BurnOut, r.Freq, r.Units, r.AmbUnits),
              std::make_tuple(CodeVoltage, 4, 2, NoCode, 1, NoCode, NoCode));
    EXPECT_EQ(std::make_tuple(r.OutMin, r.OutMax, r.Damping, r.RangeMax, r.RangeMin, r.CalOffset),
              std::make_tuple(4.0f, 20.0f, 0.5f, -0.25f, NoValue, 6.0f));
}

TEST_F(ConfFiles, RefusedFilesLeaveEditConfAndShowTheirMessage)
{
    const QString access = QStringLiteral("Illegal Pathname"), illegal = QStringLiteral("Illegal File");
    const QString badSensor = QStringLiteral("Illegal Sensor-Type was found in file.");
    const QByteArray rest = ",0,1,0,4,20,0,0,0,0,1,100,0,1,1,1,1,1,1\r\n";
    struct Case {
        const char* name;
        QByteArray bytes;      // null: no file
        QString title, text;   // null text: "Can't access file"
        bool takesUnitDisplay; // a code that is not a sensor code takes over the unit's display range
    } const cases[] = {
        {"missing", QByteArray(), access, QString(), false},
        {"empty", "", access, QString(), false},
        {"serial only", "\"1234567\"\r\n", access, QString(), false},
        {"huge", exampleLine + QByteArray(MaxListFileSize, ' '), access, QString(), false},
        {"ends after field 10", "\"1\",\"T\",73,0,1,0,4,20,0,0\r\n", illegal, illegalValues, false},
        {"20 fields", "\"1\",\"T\",73" + rest.chopped(4) + "\r\n", illegal, illegalValues, false},
        {"quoted code", "\"1\",\"T\",\"73\"" + rest, illegal, illegalValues, false},
        {"byte 256", "\"1\",\"T\",73,0,1,256,4,20,0,0,0,0,1,100,0,1,1,1,1,1,1", illegal, illegalValues, false},
        {"fraction in a byte", "\"1\",\"T\",73,0.5" + rest.mid(2), illegal, illegalValues, false},
        {"text in a single", "\"1\",\"T\",73,0,1,0,x,20,0,0,0,0,1,100,0,1,1,1,1,1,1", illegal, illegalValues, false},
        {"unknown code 112", "\"1\",\"T\",112" + rest, illegal, badSensor, true},
        {"fixed code, then truncated", "\"1\",\"T\",160,3,255,0,4", illegal, illegalValues, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.bytes.isNull() ? dir.filePath(c.name) : write(c.name, c.bytes);
        ResetConf(session.EditConf);
        session.EditConf.Tag = QStringLiteral("kept");
        session.EditConf.DispHigh = 11, session.EditConf.DispLow = 12;
        session.UnitConf.DispHigh = 21, session.UnitConf.DispLow = 22;
        ConfRecord expected = session.EditConf;
        if (c.takesUnitDisplay)
            expected.DispHigh = 21, expected.DispLow = 22;
        op.boxes.clear();
        EXPECT_FALSE(ReadConfFile(session, catalogue, path, op));
        EXPECT_EQ(session.EditConf, expected);
        EXPECT_EQ(op.only(), (c.text.isNull() ? cantAccess(path) : ScriptedOperator::Box{c.title, c.text}));
    }
}

// (Full disks, read-only folders and names taken by folders: tests/link/test_file_failures.cpp.)
TEST_F(ConfFiles, WriteIntoAMissingFolderCreatesNothing)
{
    const QString nowhere = dir.filePath("no/such/x.urd");
    EXPECT_FALSE(WriteCalRecord(example(), nowhere, op));
    EXPECT_EQ(op.only(), cantAccess(nowhere));
    EXPECT_FALSE(QFile::exists(dir.filePath("no")));
}

TEST_F(ConfFiles, CalRecordHoldsTheSixCorrectionFields)
{
    ConfRecord source = example();
    source.CalGain = 10000, source.CalOffset = -0.1f, source.CalLowRef = OffsetMarker;
    source.CalLowRead = 1e-7f, source.CalHighRef = NoValue, source.CalHighRead = -0.0f;
    ASSERT_TRUE(WriteCalRecord(source, dir.filePath("E1.urd"), op));
    EXPECT_EQ(contents("E1.urd"), QByteArray("10000,-0.1,28671,1E-07,2.147483E+09,-0\r\n"));

    // A refused record file leaves the record as it was.
    ConfRecord target;
    for (const QString& bad : {write("five", "1,2,3,4,5\r\n"), write("text", "1,2,3,\"x\",5,6"), dir.filePath("none")}) {
        op.boxes.clear();
        EXPECT_FALSE(ReadCalRecord(target, bad, op));
        EXPECT_EQ(target, ConfRecord());
        EXPECT_EQ(op.only(), cantAccess(bad));
    }
}

TEST_F(ConfFiles, FactoryImageIs44LinesOf16Bytes)
{
    std::vector<std::uint8_t> image(FactoryImageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 7);
    ASSERT_TRUE(WriteFactoryImage(image, dir.filePath("mem"), op));
    const QByteArray text = contents("mem");
    EXPECT_EQ(text.count("\r\n"), 44);
    EXPECT_TRUE(text.startsWith("0,7,14,21,28,35,42,49,56,63,70,77,84,91,98,105\r\n112,"));

    QByteArray loose = text;  // bare LF and values beyond the 704th are fine
    loose.replace("\r\n", "\n").append("1,2\n");
    std::vector<std::uint8_t> read{9};
    ASSERT_TRUE(ReadFactoryImage(read, write("loose", loose), op));
    EXPECT_EQ(read, image);

    const QByteArray bad[] = {text.left(text.lastIndexOf(',')), "256" + text.mid(1), "0.5" + text.mid(1)};
    for (const QByteArray& bytes : bad) {
        op.boxes.clear();
        const QString path = write("bad", bytes);
        EXPECT_FALSE(ReadFactoryImage(read, path, op));
        EXPECT_EQ(read, image);
        EXPECT_EQ(op.only(), cantAccess(path));
    }
}

} // namespace
