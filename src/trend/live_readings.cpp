#include "trend/live_readings.h"

#include "model/conf_record.h"
#include "trend/unit_sample.h"

LiveReadings::LiveReadings(double wallAtStart, double clockAtStart)
    : wallAtStart_(wallAtStart), clockAtStart_(clockAtStart)
{
}

void LiveReadings::setSettings(const ReadingSettings& settings)
{
    settings_ = settings;
    stability_.setRule(settings.stability);
}

LiveReadings::Recorded LiveReadings::record(const ConfRecord& unit, double clockNow)
{
    Recorded recorded;
    recorded.sample = SampleOfUnit(unit, wallTime(clockNow), settings_.burnOut);
    series_.append(recorded.sample);
    stability_.add(recorded.sample.reading);
    recorded.verdict = stability_.verdict(double(unit.RangeMax) - double(unit.RangeMin));
    if (log_.running())
        recorded.logProblem = log_.write(LogRowOfUnit(unit, recorded.sample));
    return recorded;
}

std::optional<QString> LiveReadings::recordGap(const ConfRecord& unit, double clockNow)
{
    const ReadingSample gap{wallTime(clockNow)};
    series_.append(gap);
    stability_.clear();
    return log_.running() ? log_.write(LogRowOfUnit(unit, gap)) : std::nullopt;
}
