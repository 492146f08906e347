#include "app/command_state.h"

#include "model/conf_record.h"

namespace {

using enum Cell;

// Columns: 0 not connected, 1 connected, 2 configuration opened (on top of the current
// state), 3 connected with a differing edit, 4 disconnected, 5 busy.
constexpr CommandStateRow Table[] = {
    {"Toolbar_1", {On, Off, Keep, NoLink, On, Off}},
    {"Toolbar_2", {Off, Off, Keep, Link, Off, Off}},
    {"Toolbar_3", {Off, On, Keep, Link, Off, Off}},
    {"Toolbar_5", {Off, On, Keep, On, Off, Off}},
    {"Toolbar_6", {Off, On, Keep, On, Off, Off}},
    {"Toolbar_7", {Off, On, On, On, Off, Off}},
    {"Toolbar_8", {Editor, Editor, On, On, Editor, Off}},
    {"Toolbar_10", {Off, On, Keep, On, Off, Off}},
    {"Toolbar_11", {Off, On, Keep, On, Off, Off}},
    {"Toolbar_12", {On, On, Keep, On, On, Off}},
    {"Toolbar_13", {On, On, Keep, On, On, Off}},
    {"mnuFile", {On, On, Keep, On, On, Off}},
    {"mnuSaveItem", {Off, On, On, On, Off, Keep}},
    {"mnuChangePort", {On, On, Keep, On, On, Keep}},
    {"mnuExitItem", {On, On, Keep, On, On, Keep}},
    {"mnuCalib", {Editor, On, Keep, On, Editor, Off}},
    {"mnuEditItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuOpenItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuOffsetitem", {Off, On, Keep, On, Off, Keep}},
    {"mnuErrorCorrection", {Off, On, Keep, On, Off, Keep}},
    {"mnuUndoErrorItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuCheckItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuConnect", {On, On, Keep, On, On, Off}},
    {"mnuConnectItem", {On, Off, Keep, Off, On, Keep}},
    {"mnuUpdate", {Off, Off, Keep, On, Off, Keep}},
    {"mnuResetMin", {Off, On, Keep, On, Off, Keep}},
    {"mnuResetMax", {Off, On, Keep, On, Off, Keep}},
    {"mnuDisconnectItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuView", {Off, On, Keep, On, Off, Off}},
    {"mnuViewReadingItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuCloseCurrentViewItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuViewCalibItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuCloseCalibItem", {Off, On, On, On, Off, Keep}},
    {"mnuPrint", {Off, On, Keep, On, Off, Off}},
    {"mnuPrintCalibItem", {Off, On, Keep, On, Off, Keep}},
    {"mnuPrintEditItem", {Off, Off, On, On, Off, Keep}},
    {"mnuHelp", {On, On, Keep, On, On, Off}},
    {"mnuAboutItem", {On, On, Keep, On, On, Keep}},
    {"mnuTopicsItem", {On, On, Keep, On, On, Keep}},
    {"cmdChangeRange", {Keep, Range, Keep, Range, Keep, Keep}},
};

} // namespace

std::span<const CommandStateRow> CommandStateTable()
{
    return Table;
}

std::optional<bool> CellEnabled(Cell cell, const CommandConditions& now)
{
    switch (cell) {
    case Keep: return std::nullopt;
    case On: return true;
    case Off: return false;
    case Editor: return now.editorOpen;
    case Link: return now.linkOpen;
    case NoLink: return !now.linkOpen;
    case Range: return now.inputClass != ClassPotentiometer;
    }
    return std::nullopt;
}
