#pragma once

#include "model/session.h"
#include "views/view_targets.h"

#include <functional>

// Redraws EditConf into the edit panel, frmStatus and frmPrintsts, paints the headings of the
// fields that differ from UnitConf red, sets ConfDiffers and ConfSaved, and enables the edit
// controls for the chosen input. Requests the Edited command state when the edit panel shows a difference.
void ShowEditConf(Session& session, ViewTargets& targets, const std::function<void(CommandStates)>& setCommandState);

// Compares EditConf with UnitConf and paints the differing edit-panel headings red. It does not
// reset headings painted earlier, so after connecting it only adds red.
void MarkEditPanelChanges(Session& session, ViewTargets& targets,
                          const std::function<void(CommandStates)>& setCommandState);
