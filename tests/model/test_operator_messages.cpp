#include "model/operator_messages.h"
#include "model/split_text.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

TEST(OperatorMessages, TitlesAndTextsAsShown)
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
    UpdateFailedMessage(op);
    for (int error : {8005, 8010, 8002})
        PortOpenError(op, error);
    for (int error : {8019, 8020, 8012})
        PortCloseError(op, error);

    const QString port = QStringLiteral("Comm Control Error no. ");
    const std::vector<ScriptedOperator::Box> expected = {
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
        {"Updating Error", "An Error Occured While Trying to Update the Unit \r\n" + QString(24, ' ') + "Updating Failed.\r\n"
                               + QString(17, ' ') + "Check Unit's Connections."},
        {"Communication Error", port + "8005 has occured. Port Is Already Open, Or Occupied By Other Device."},
        {"Communication Error", port + "8010 has occured. The Hardware Is Not Evailable (Locked By Another Device)."},
        {"Communication Error", port + "8002 has occured. Can't open Port."},
        {"Communication Error", port + "8019 has occured. The device is busy."},
        {"Communication Error", port + "8020 has occured. Error reading Comm device."},
        {"Communication Error", port + "8012 has occured. Can't close Port."},
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
