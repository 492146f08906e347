#pragma once

#include "model/output_current.h"
#include "trend/reading_log.h"
#include "trend/reading_series.h"

struct ConfRecord;

// The sample of a unit just polled (UnitConf after a poll, its sentinels as the poll left them),
// with the output current it drives for that reading.
ReadingSample SampleOfUnit(const ConfRecord& unit, double time, const BurnOutLevels& levels);

// The log line of that sample, with the unit's identity, units and stored minimum and maximum.
LogRow LogRowOfUnit(const ConfRecord& unit, const ReadingSample& sample);
