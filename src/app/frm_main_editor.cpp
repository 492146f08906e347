// The configuration editor's handlers. The controls and their connections exist; the field
// editor (Change / Done / Cancel, option groups, typed values) fills these bodies.

#include "app/frm_main.h"

// Serial number and tag: filled by the field editor.
void frmMain::cmdSerialChange_Click() {}
void frmMain::cmdSerialDone_Click() {}
void frmMain::cmdSerialCancel_Click() {}
void frmMain::cmdTagChange_Click() {}
void frmMain::ComTagDone_Click() {}
void frmMain::ComTagCancel_Click() {}
void frmMain::TxtTag_Change() {}

// Input type: filled by the field editor with the input-type dialogs.
void frmMain::Option1_Click(int) {}

// Input range and units: filled by the field editor.
void frmMain::cmdChangeRange_Click() {}
void frmMain::cmdRangeDone_Click() {}
void frmMain::cmdRangeCancel_Click() {}
void frmMain::OptTemp_Click(int) {}
void frmMain::txtTempMin_Change() {}
void frmMain::TxtTempMax_Change() {}

// Output range: filled by the field editor.
void frmMain::cmdDirChange_Click() {}
void frmMain::cmdDirDone_Click() {}
void frmMain::cmsDirCancel_Click() {}
void frmMain::txtDirMin_Change() {}
void frmMain::txtDirMax_Change() {}

// Option groups (burn-out, mains frequency, mode, ambient units): filled by the field editor.
void frmMain::OptBurn_Click(int) {}
void frmMain::OptFreq_Click(int) {}
void frmMain::OptMode_Click(int) {}
void frmMain::OptAmbient_Click(int) {}

// Damping: filled by the field editor.
void frmMain::cmdAvrChange_Click() {}
void frmMain::cmdAvrDone_Click() {}
void frmMain::cmdAvrCancel_Click() {}
void frmMain::txtAverage_Change() {}

// Display range: filled by the field editor.
void frmMain::Com_discal_dune_Click() {}
void frmMain::Command1_Click() {}
