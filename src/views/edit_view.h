#pragma once

#include "views/view_targets.h"

#include <cstdint>
#include <functional>

struct Session;

// Redraws EditConf into the edit panel, frmStatus and frmPrintsts, paints the headings of the
// fields that differ from UnitConf red, sets ConfDiffers and ConfSaved, and enables the edit
// controls for the chosen input. Requests command state 3 when the edit panel shows a difference.
void ShowEditConf(Session& session, ViewTargets& targets, const std::function<void(std::int16_t)>& setCommandState);

// Compares EditConf with UnitConf and paints the differing edit-panel headings red. It does not
// reset headings painted earlier, so after connecting it only adds red.
void MarkEditPanelChanges(Session& session, ViewTargets& targets,
                          const std::function<void(std::int16_t)>& setCommandState);
