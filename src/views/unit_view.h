#pragma once

#include "views/view_targets.h"

struct Session;

// Writes UnitConf and its live readings into the unit panel, frmPrintCon, the reading labels of
// the calibration windows and the first rows of frmStatus (the edited printout frmPrintsts keeps
// the edited configuration). Readings at their no-reading markers leave their labels as the
// marker texts below set them.
void ShowUnitConf(const Session& session, ViewTargets& targets);

// The marker texts of the reading scaling.
void ShowBurnOut(ViewTargets& targets);
void ShowNoMaxReading(ViewTargets& targets);
void ShowNoMinReading(ViewTargets& targets);
void ShowNoAmbientReading(ViewTargets& targets);

// The big reading display: the present reading and its unit as the unit panel shows them.
void RefreshBigReading(ViewTargets& targets);

// Empties the unit panel and the connected-unit printout and resets the panel's heading colours.
void ClearUnitPanel(ViewTargets& targets);
