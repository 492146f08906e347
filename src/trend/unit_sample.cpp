#include "trend/unit_sample.h"

#include "link/connect_poll.h"
#include "model/conf_record.h"
#include "model/formatters.h"

#include <cmath>

namespace {

// The value, or NaN when it is one of the markers of a missing value.
float present(float value, std::initializer_list<float> missing)
{
    for (float marker : missing)
        if (SameSingle(value, marker))
            return NoSampleValue;
    return value;
}

} // namespace

ReadingSample SampleOfUnit(const ConfRecord& unit, double time, const BurnOutLevels& levels)
{
    ReadingSample sample;
    sample.time = time;
    sample.ambient = present(unit.AmbRead, {NoAmbientReading, NoValue});
    const std::optional<OutputTransfer> transfer = OutputTransferOf(unit, levels);
    if (SameSingle(unit.Reading, BurnOutReading)) {
        sample.status = SampleStatus::BurnOut;
        if (const auto point = transfer ? BurnOutOutput(*transfer) : std::nullopt)
            sample.outputMa = float(point->milliamps);
    } else if (!SameSingle(unit.Reading, NoValue)) {
        sample.status = SampleStatus::Ok;
        sample.reading = unit.Reading;
        if (transfer)
            sample.outputMa = float(OutputAt(*transfer, unit.Reading).milliamps);
    }
    return sample;
}

LogRow LogRowOfUnit(const ConfRecord& unit, const ReadingSample& sample)
{
    LogRow row;
    row.msecsSinceEpoch = std::llround(sample.time * 1000.0);
    row.serial = unit.Serial;
    row.tag = unit.Tag;
    while (row.tag.endsWith(QLatin1Char(' ')))  // the unit pads its tag with blanks
        row.tag.chop(1);
    row.reading = sample.reading;
    row.units = UnitsText(unit.Units);
    row.ambient = sample.ambient;
    row.outputMa = sample.outputMa;
    if (sample.status != SampleStatus::NoReading) {
        row.minimum = present(unit.MinRead, {NoMinReading, NoValue});
        row.maximum = present(unit.MaxRead, {NoMaxReading, NoValue});
    }
    row.status = sample.status;
    return row;
}
