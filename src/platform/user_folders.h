#pragma once

#include <QString>

// The simulated transmitter's own folder for the unit records it leaves: "demo" in the user's
// data folder (or in the temporary folder when that cannot be made), so a demonstration never
// writes beside the real units' records.
QString DemoRecordFolder();

// The unit history's folder: "history" in the user's data folder; the demonstration's apart from
// it, in the demo folder. Made when the history is first written.
QString HistoryFolder();
QString DemoHistoryFolder();
