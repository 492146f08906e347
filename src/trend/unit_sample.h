#pragma once

#include "model/output_current.h"
#include "trend/reading_log.h"
#include "trend/reading_series.h"

struct ConfRecord;

// The sample of a unit just polled (UnitConf after a poll, its sentinels as the poll left them),
// with the output current it drives for that reading. A failed poll or a lost link is the sample
// `ReadingSample{time}`: no reading, no values, drawn and logged as a gap.
ReadingSample SampleOfUnit(const ConfRecord& unit, double time, const BurnOutLevels& levels);

// The log line of a sample, with the unit's identity and units, and its stored minimum and maximum
// unless the sample has no reading (they would be stale).
LogRow LogRowOfUnit(const ConfRecord& unit, const ReadingSample& sample);
