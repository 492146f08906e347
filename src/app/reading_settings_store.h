#pragma once

#include "trend/live_readings.h"

class QSettings;

// The reading settings as the program keeps them between runs (defaults where none are kept).
ReadingSettings LoadReadingSettings(const QSettings& store);
void SaveReadingSettings(QSettings& store, const ReadingSettings& settings);
