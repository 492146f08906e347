#include "model/operator_messages.h"
#include "model/split_text.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

using Box = ScriptedOperator::Box;

TEST(OperatorMessages, FixedTitlesAndTexts)
{
    ScriptedOperator op;
    NoDataMessage(op, QStringLiteral("Illegal Data. Please Fill in The Port No."));
    IllegalSuffixMessage(op);
    EmptyFieldsMessage(op);
    UnexpectedMessage(op, 7);
    UnexpectedMessage(op, 255);
    TimeoutMessage(op);
    NotNumericMessage(op, QStringLiteral("Maximal Current"));
    DialogErrorMessage(op, QStringLiteral("save"));
    MaxValueMessage(op, QString::fromUtf8("850\u00B0C"));
    MinValueMessage(op, QStringLiteral("4000 Ohm"));
    IllegalPathMessage(op, CantAccessFileText(QStringLiteral("/a/PortNo.txt")));
    CommErrorMessage(op, QString());

    const std::vector<Box> expected = {
        {"No Data", "Illegal Data. Please Fill in The Port No."},
        {"Illegal Suffix", "You are not allowed to save a file with .urd suffix."},
        {"Empty Fields", "There are a few fields without data. Please fill them in."},
        {"Communication Error", "Unexpected message '7' arrived from unit."},
        {"Communication Error", "Unexpected message '255' arrived from unit."},
        {"Communication Time-Out", "Time-Out While Waiting For The Connected Unit Response.\r\nCheck Unit's Connections."},
        {"Not Numeric", "'Maximal Current' should receive onlt numeric data"},
        {"Dialog box Error", "An error occured while trying to save a file."},
        {"Maximum Value Error", QString::fromUtf8("The Maximum Value Possible For The Chosen Sensor\r\n Is : 850\u00B0C")},
        {"Minimum Value Error", "The Minimum Value Possible For The Chosen Sensor\r\n Is : 4000 Ohm"},
        {"Illegal Pathname", "Can't access file: '/a/PortNo.txt'."},
        {"Communication Error", ""},
    };
    EXPECT_EQ(op.boxes, expected);
}

TEST(OperatorMessages, UpdateFailureIsIndented)
{
    ScriptedOperator op;
    UpdateFailedMessage(op);
    const Box box = op.only();
    EXPECT_EQ(box.title, QStringLiteral("Updating Error"));
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("An Error Occured While Trying to Update the Unit "));
    EXPECT_EQ(lines[1], QString(24, QLatin1Char(' ')) + QStringLiteral("Updating Failed."));
    EXPECT_EQ(lines[2], QString(17, QLatin1Char(' ')) + QStringLiteral("Check Unit's Connections."));
}

TEST(OperatorMessages, PortErrorDetailsByNumber)
{
    ScriptedOperator op;
    PortOpenError(op, 8005);
    PortOpenError(op, 8010);
    PortOpenError(op, 8002);
    PortCloseError(op, 8019);
    PortCloseError(op, 8020);
    PortCloseError(op, 8012);
    const QString prefix = QStringLiteral("Comm Control Error no. ");
    const std::vector<Box> expected = {
        {"Communication Error", prefix + "8005 has occured. Port Is Already Open, Or Occupied By Other Device."},
        {"Communication Error", prefix + "8010 has occured. The Hardware Is Not Evailable (Locked By Another Device)."},
        {"Communication Error", prefix + "8002 has occured. Can't open Port."},
        {"Communication Error", prefix + "8019 has occured. The device is busy."},
        {"Communication Error", prefix + "8020 has occured. Error reading Comm device."},
        {"Communication Error", prefix + "8012 has occured. Can't close Port."},
    };
    EXPECT_EQ(op.boxes, expected);
}

TEST(SplitText, PiecesAreOneBased)
{
    EXPECT_EQ(SplitText(QStringLiteral("C:\\Tools\\delvo2.exe"), QStringLiteral("\\delvo2.exe")),
              (QStringList{"", "C:\\Tools", ""}));
    EXPECT_EQ(SplitText(QStringLiteral("C:\\Tools\\DELVO2.EXE"), QStringLiteral("\\delvo2.exe")),
              (QStringList{"", "C:\\Tools\\DELVO2.EXE"}));
    EXPECT_EQ(SplitText(QString(), QStringLiteral(",")), (QStringList{"", ""}));
    EXPECT_EQ(SplitText(QStringLiteral("a,,b"), QStringLiteral(",")), (QStringList{"", "a", "", "b"}));
}
