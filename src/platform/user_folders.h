#pragma once

#include <QString>

class InstallRegistry;

// "delvo2" in the user's data folder (~/.local/share/delvo2), made when missing; the program and
// the command-line tool share it.
QString UserDataFolder();

// Where the files the program writes (unit records, PortNo.txt) go for an installation: the
// user's data folder when the registry marks the program folder read-only, else nothing (they
// stay in the program folder, as in the build tree and on Windows).
QString InstalledRecordFolder(const InstallRegistry& registry);

// The simulated transmitter's own folder for the unit records it leaves: "demo" in the user's
// data folder (or in the temporary folder when that cannot be made), so a demonstration never
// writes beside the real units' records.
QString DemoRecordFolder();

// The file that keeps the device a unit last answered on: in the user's data folder.
QString RememberedDeviceFile();
// The unit history's folder: "history" in the user's data folder; the demonstration's apart from
// it, in the demo folder. Made when the history is first written.
QString HistoryFolder();
QString DemoHistoryFolder();
