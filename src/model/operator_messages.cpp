#include "model/operator_messages.h"

#include "platform/operator.h"

namespace {

QString crlf() { return QString::fromLatin1(CrLf); }

QString portErrorText(std::int16_t number, bool opening)
{
    const char* detail = nullptr;
    switch (number) {
    case 8005: detail = opening ? "Port Is Already Open, Or Occupied By Other Device." : "Port is already open."; break;
    case 8010: detail = opening ? "The Hardware Is Not Evailable (Locked By Another Device)."
                                : "The hardware is not evailable (locked by another device)."; break;
    case 8013: detail = opening ? "The Device Is Already Open." : "The device is already open."; break;
    case 8019: detail = opening ? "The Port Is Busy." : "The device is busy."; break;
    case 8020: detail = opening ? "Error Reading Comm Port." : "Error reading Comm device."; break;
    default: detail = opening ? "Can't open Port." : "Can't close Port."; break;
    }
    return QStringLiteral("Comm Control Error no. ") + QString::number(number) + QStringLiteral(" has occured. ")
        + QString::fromLatin1(detail);
}

const QString communicationError = QStringLiteral("Communication Error");

} // namespace

void NoDataMessage(Operator& op, const QString& prompt) { op.message(QStringLiteral("No Data"), prompt); }
void IllegalValueMessage(Operator& op, const QString& prompt) { op.message(QStringLiteral("Illegal value"), prompt); }
void IllegalSerialMessage(Operator& op)
{
    IllegalValueMessage(op, QStringLiteral("The Serial Number Must Have 7 Digits (0 - 9)."));
}
void IllegalFileMessage(Operator& op, const QString& prompt) { op.message(QStringLiteral("Illegal File"), prompt); }
void CommErrorMessage(Operator& op, const QString& prompt) { op.message(communicationError, prompt); }
void IllegalPathMessage(Operator& op, const QString& prompt) { op.message(QStringLiteral("Illegal Pathname"), prompt); }

void IllegalSuffixMessage(Operator& op)
{
    op.message(QStringLiteral("Illegal Suffix"),
               QStringLiteral("You are not allowed to save a file with ") + QStringLiteral(".urd") + QStringLiteral(" suffix."));
}

void EmptyFieldsMessage(Operator& op)
{
    op.message(QStringLiteral("Empty Fields"), QStringLiteral("There are a few fields without data. Please fill them in."));
}

void UnexpectedMessage(Operator& op, std::uint8_t byte)
{
    op.message(communicationError,
               QStringLiteral("Unexpected message '") + QString::number(byte) + QStringLiteral("' arrived from unit."));
}

void TimeoutMessage(Operator& op)
{
    op.message(QStringLiteral("Communication Time-Out"),
               QStringLiteral("Time-Out While Waiting For The Connected Unit Response.") + crlf()
                   + QStringLiteral("Check Unit's Connections."));
}

void UpdateFailedMessage(Operator& op)
{
    op.message(QStringLiteral("Updating Error"),
               QStringLiteral("An Error Occured While Trying to Update the Unit ") + crlf()
                   + QString(24, QLatin1Char(' ')) + QStringLiteral("Updating Failed.") + crlf()
                   + QString(17, QLatin1Char(' ')) + QStringLiteral("Check Unit's Connections."));
}

void NotNumericMessage(Operator& op, const QString& fieldName)
{
    op.message(QStringLiteral("Not Numeric"),
               QStringLiteral("'") + fieldName + QStringLiteral("'") + QStringLiteral(" should receive onlt numeric data"));
}

void DialogErrorMessage(Operator& op, const QString& verb)
{
    op.message(QStringLiteral("Dialog box Error"),
               QStringLiteral("An error occured while trying to ") + verb + QStringLiteral(" a file."));
}

void PortOpenError(Operator& op, std::int16_t errorNumber) { op.message(communicationError, portErrorText(errorNumber, true)); }
void PortCloseError(Operator& op, std::int16_t errorNumber) { op.message(communicationError, portErrorText(errorNumber, false)); }

void MaxValueMessage(Operator& op, const QString& valueText)
{
    op.message(QStringLiteral("Maximum Value Error"),
               QStringLiteral("The Maximum Value Possible For The Chosen Sensor") + crlf() + QStringLiteral(" Is : ") + valueText);
}

void MinValueMessage(Operator& op, const QString& valueText)
{
    op.message(QStringLiteral("Minimum Value Error"),
               QStringLiteral("The Minimum Value Possible For The Chosen Sensor") + crlf() + QStringLiteral(" Is : ") + valueText);
}

QString CantAccessFileText(const QString& path)
{
    return QStringLiteral("Can't access file: '") + path + QStringLiteral("'.");
}

bool AskToSaveChanges(Operator& op)
{
    return op.ask(QStringLiteral("Save Calibration?"),
                  QStringLiteral("The Calibration Has Changed, Would You Like to Save The Changes?"));
}

void ConnectionProblemMessage(Operator& op)
{
    CommErrorMessage(op, QStringLiteral("There's Some Problems Connecting The Unit,Check Connections."));
}

void ReceiveProblemMessage(Operator& op)
{
    CommErrorMessage(op, QStringLiteral("Problems receiving message from unit."));
}

void TryAgainMessage(Operator& op)
{
    CommErrorMessage(op, QStringLiteral("Communication Problems, Please Try Again"));
}

void FlashUploadMessage(Operator& op, bool completed)
{
    op.message(QStringLiteral("Upload Complete"), completed ? QStringLiteral("The Flash Memory Upload completed Successfully.")
                                                            : QStringLiteral("The Flash Memory Upload NOT completed."));
}

void PrinterErrorMessage(Operator& op)
{
    op.message(QStringLiteral("Printer Error"), QStringLiteral("There Has Been a Problem Writing to The Printer. ")
                                                    + QLatin1String(CrLf) + QStringLiteral("Check Your Printer Connection."));
}
