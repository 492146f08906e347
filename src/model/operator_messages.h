#pragma once

#include <QString>

#include <cstdint>

class Operator;

// The message boxes that every window shares. Each shows one box with a fixed title (OK only).
void NoDataMessage(Operator& op, const QString& prompt);
void IllegalValueMessage(Operator& op, const QString& prompt);
// A serial number the unit cannot hold (it takes seven digits); nothing is sent.
void IllegalSerialMessage(Operator& op);
void IllegalFileMessage(Operator& op, const QString& prompt);
void IllegalSuffixMessage(Operator& op);
void CommErrorMessage(Operator& op, const QString& prompt);
void EmptyFieldsMessage(Operator& op);
void UnexpectedMessage(Operator& op, std::uint8_t byte);
void TimeoutMessage(Operator& op);
void UpdateFailedMessage(Operator& op);
void NotNumericMessage(Operator& op, const QString& fieldName);
void IllegalPathMessage(Operator& op, const QString& prompt);
void DialogErrorMessage(Operator& op, const QString& verb);
void PortOpenError(Operator& op, std::int16_t errorNumber);
void PortCloseError(Operator& op, std::int16_t errorNumber);
void MaxValueMessage(Operator& op, const QString& valueText);
void MinValueMessage(Operator& op, const QString& valueText);

// The communication errors several tasks report (title "Communication Error").
// "There's Some Problems Connecting The Unit,Check Connections." — the unit stopped answering.
void ConnectionProblemMessage(Operator& op);
// "Problems receiving message from unit." — a read got no answer.
void ReceiveProblemMessage(Operator& op);
// "Communication Problems, Please Try Again" — what came back cannot be used.
void TryAgainMessage(Operator& op);
// "Upload Complete": whether the factory memory went into the unit whole.
void FlashUploadMessage(Operator& op, bool completed);

// "The Calibration Has Changed, Would You Like to Save The Changes?" (title "Save Calibration?");
// true for Yes. Asked wherever an edited configuration with unsaved changes would be dropped.
bool AskToSaveChanges(Operator& op);

// "Printer Error": a printout could not be written to the printer.
void PrinterErrorMessage(Operator& op);

// "Can't access file: '<path>'." — the prompt of IllegalPathMessage for every file operation.
QString CantAccessFileText(const QString& path);

// Line break inside a message.
inline constexpr char CrLf[] = "\r\n";
