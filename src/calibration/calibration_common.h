#pragma once

#include <QString>

class ModalRunner;
class Operator;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ConfRecord;
struct Link;
struct Session;

// What the correction windows and the undo share: message texts, value boxes, the write of a
// correction into the unit and the display range that follows it.

// The line break inside the correction windows' messages: line feed, then carriage return.
inline constexpr char LfCr[] = "\n\r";

// "Burn Out Reading": a burnt-out input cannot be calibrated.
void BurnOutReadingMessage(Operator& op);
// "Calibration Correction": true when the operator wants the correction written now.
bool AskRecalibrateNow(Operator& op);


// The unit's calibration record file, named after the connected unit.
QString CalRecordFile(const Session& session);

// Empties a box and paints it red (the emptying does not count as a change).
void RefuseBoxValue(QLineEdit* box);
void ResetBoxColour(QLineEdit* box);

// Writes the correction held in UnitConf into the unit in the progress window, with the busy
// pointer over `window` (WriteCorrection). False when the port cannot be opened.
bool WriteCorrectionNow(Link& link, ModalRunner& modal, QWidget& window);

