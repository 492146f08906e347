#pragma once

struct Link;
struct ConfRecord;

// Reads the whole configuration of a freshly connected unit into UnitConf; true when complete.
bool Connect(Link& link);
// Rereads the live readings and checks that the same unit is still attached; true when refreshed.
bool Poll(Link& link);
// Another serial number answered: asks whether to connect the new unit.
void UnitChangedCheck(Link& link);

// Copies with the raw values of the unit divided into their units (sentinels stay as they are).
ConfRecord ScaleReadings(Link& link, const ConfRecord& record);
ConfRecord ScaleRanges(const ConfRecord& record);
ConfRecord ScaleOutputs(const ConfRecord& record);

// Writes UnitConf into its unit record file; false (after the operator was told) when it cannot.
bool SaveUnitRecord(Link& link);

// Reading sentinels as the unit sends them.
inline constexpr float BurnOutReading = 8388607.0f;
inline constexpr float NoMinReading = 4194303.0f;
inline constexpr float NoMaxReading = -4194303.0f;
inline constexpr float NoAmbientReading = 32767.0f;
// Seconds the first poll after an update waits for the unit to restart.
inline constexpr double SettleTime = 12.0;
