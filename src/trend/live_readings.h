#pragma once

#include "model/output_current.h"
#include "model/stability.h"
#include "trend/reading_log.h"
#include "trend/reading_series.h"

#include <optional>

struct ConfRecord;

// What the live readings are judged and drawn by; the program keeps them as settings.
struct ReadingSettings {
    StabilityRule stability;
    BurnOutLevels burnOut;
};

// The connected unit's readings over the run, as each poll brings them: the series the trend
// draws, the stable rule's window, the reading log. Times come from the clock seam, anchored to
// the wall clock once, so a virtual clock gives repeatable dates.
class LiveReadings {
public:
    // `wallAtStart` (seconds since 1970 UTC) is the wall time at the clock's `clockAtStart`.
    LiveReadings(double wallAtStart, double clockAtStart);

    void setSettings(const ReadingSettings& settings);
    const ReadingSettings& settings() const { return settings_; }

    struct Recorded {
        ReadingSample sample;
        StabilityVerdict verdict;
        std::optional<QString> logProblem;  // the log could not take the line
    };
    // A poll that brought the unit's readings (UnitConf as the poll left it).
    Recorded record(const ConfRecord& unit, double clockNow);
    // A poll that failed, or the link closed: a gap in the trend and in the log.
    std::optional<QString> recordGap(const ConfRecord& unit, double clockNow);

    const ReadingSeries& series() const { return series_; }
    ReadingLog& log() { return log_; }
    double wallTime(double clockNow) const { return wallAtStart_ + (clockNow - clockAtStart_); }

private:
    double wallAtStart_;
    double clockAtStart_;
    ReadingSettings settings_;
    ReadingSeries series_;
    StabilityWindow stability_;
    ReadingLog log_;
};
