// The main window's correction commands: offset trimming, two-point calibration and the undo
// of either.

#include "app/application.h"
#include "app/frm_main.h"

#include "calibration/calibration_common.h"
#include "calibration/calibration_undo.h"
#include "calibration/calibration_windows.h"
#include "calibration/check_window.h"
#include "calibration/frm_error.h"
#include "calibration/frm_offset.h"
#include "model/session.h"
#include "platform/operator.h"

void frmMain::mnuUndoErrorItem_Click()
{
    UndoCalibration(app_.link(), app_.seams().modal, this);
    setBusyPointer(false);
}

void frmMain::mnuCheckItem_Click()
{
    app_.check().loadAndShow();
}

void frmMain::mnuOffsetitem_Click()
{
    const ConfRecord& unit = app_.session().UnitConf;
    if (unit.CalHighRef != NoCal && unit.CalLowRef != NoCal) {
        if (!app_.op().ask(QStringLiteral("Offset Modification"),
                           QStringLiteral("The Connected Unit's Offset Already had been Change,") + QLatin1String(LfCr)
                               + QStringLiteral("Do You Wish to Remodify The Offset?")))
            return;
        // The old correction leaves the unit before a new one is measured.
        mnuUndoErrorItem_Click();
    }
    app_.calibration().offset().loadAndShow();
}

void frmMain::mnuErrorCorrection_Click()
{
    Session& s = app_.session();
    if (s.UnitConf.CalHighRef == OffsetMarker || s.UnitConf.CalLowRef == OffsetMarker) {
        if (!app_.op().ask(QStringLiteral("Overall Calibration"),
                           QStringLiteral("The Connected Unit's Offset Already Been Modified.") + QLatin1String(LfCr)
                               + QStringLiteral("Do You Wish to Recalibrate The Unit?")))
            return;
        for (ConfRecord* r : {&s.UnitConf, &s.EditConf})
            r->CalHighRef = r->CalLowRef = NoCal;
        mnuUndoErrorItem_Click();
    }
    app_.calibration().error().loadAndShow();
}
