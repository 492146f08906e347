#pragma once

#include <QString>

// The simulated transmitter's own folder for the unit records it leaves: "demo" in the user's
// data folder (or in the temporary folder when that cannot be made), so a demonstration never
// writes beside the real units' records.
QString DemoRecordFolder();

// The file that keeps the device a unit last answered on: in the user's data folder.
QString RememberedDeviceFile();
