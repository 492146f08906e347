#pragma once

class ModalRunner;
class QWidget;
struct Link;

// Removes the correction from the connected unit: the reference fields of both records become
// "not set" and a calibration-only update sends the calibration marker and the finish (the
// progress window, child of `parent`, plans 6 ticks). When the port cannot be opened nothing
// changes. The calibration record file is left alone.
void UndoCalibration(Link& link, ModalRunner& modal, QWidget* parent);
