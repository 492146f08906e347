#include "model/output_current.h"

#include "model/conf_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::optional<OutputTransfer> OutputTransferOf(const ConfRecord& conf, const BurnOutLevels& levels)
{
    if (SameSingle(conf.RangeMin, NoValue) || SameSingle(conf.RangeMax, NoValue) || conf.RangeMin == conf.RangeMax
        || conf.OutMin == conf.OutMax)
        return std::nullopt;
    OutputTransfer t{conf.RangeMin, conf.RangeMax, conf.OutMin, conf.OutMax, std::nullopt, false};
    // BurnOut 0 drives the output up scale, 1 down scale.
    if (conf.BurnOut == 0 || conf.BurnOut == 1) {
        t.burnOutUpScale = conf.BurnOut == 0;
        t.burnOutMa = t.burnOutUpScale ? levels.upScaleMa : levels.downScaleMa;
    }
    return t;
}

OutputPoint OutputAt(const OutputTransfer& transfer, double reading)
{
    const double fraction = (reading - transfer.rangeMin) / (transfer.rangeMax - transfer.rangeMin);
    const double clamped = std::clamp(fraction, 0.0, 1.0);
    return {transfer.outMin + clamped * (transfer.outMax - transfer.outMin), fraction * 100.0, false};
}

std::optional<OutputPoint> BurnOutOutput(const OutputTransfer& transfer)
{
    if (!transfer.burnOutMa)
        return std::nullopt;
    return OutputPoint{*transfer.burnOutMa, std::numeric_limits<double>::quiet_NaN(), true};
}
