#include "trend/reading_series.h"

#include <algorithm>
#include <cmath>

namespace {

float ReadingSample::*member(TrendChannel channel)
{
    switch (channel) {
    case TrendChannel::Ambient: return &ReadingSample::ambient;
    case TrendChannel::Output: return &ReadingSample::outputMa;
    case TrendChannel::Reading: break;
    }
    return &ReadingSample::reading;
}

} // namespace

float ChannelValue(const ReadingSample& sample, TrendChannel channel) { return sample.*member(channel); }

void ReadingSeries::append(ReadingSample sample)
{
    if (!samples_.empty())
        sample.time = std::max(sample.time, samples_.back().time);
    samples_.push_back(sample);
}

std::size_t ReadingSeries::lowerBound(double time) const
{
    const auto at = std::partition_point(samples_.begin(), samples_.end(),
                                         [time](const ReadingSample& s) { return s.time < time; });
    return std::size_t(at - samples_.begin());
}

std::pair<std::size_t, std::size_t> ReadingSeries::indexRange(double from, double to) const
{
    const std::size_t first = lowerBound(from);
    return {first, std::max(first, lowerBound(to))};
}

std::optional<ReadingSample> ReadingSeries::nearest(double time, double within) const
{
    const std::size_t after = lowerBound(time);
    std::optional<ReadingSample> best;
    for (std::size_t i : {after - 1, after}) {  // after - 1 wraps past the end when after is 0
        if (i >= samples_.size())
            continue;
        const double distance = std::abs(samples_[i].time - time);
        if (distance <= within && (!best || distance < std::abs(best->time - time)))
            best = samples_[i];
    }
    return best;
}

std::vector<TrendColumn> ReadingSeries::decimate(TrendChannel channel, double from, double to, int columns) const
{
    std::vector<TrendColumn> result(std::size_t(std::max(columns, 0)));
    if (result.empty() || !(to > from))
        return result;
    const auto [first, end] = indexRange(from, to);
    const double perSecond = double(columns) / (to - from);
    float ReadingSample::*const channelValue = member(channel);
    bool gapPending = false;
    std::optional<double> lastValidTime;
    const auto stop = samples_.begin() + std::ptrdiff_t(end);
    for (auto at = samples_.begin() + std::ptrdiff_t(first); at != stop; ++at) {
        const float value = (*at).*channelValue;
        if (std::isnan(value)) {
            gapPending = true;
            continue;
        }
        const double time = at->time;
        TrendColumn& column = result[std::min(std::size_t((time - from) * perSecond), result.size() - 1)];
        if (!column.hasData) {
            const bool gap = gapPending || (lastValidTime && time - *lastValidTime > gapSeconds_);
            column = {value, value, value, value, true, gap};
        } else {
            column.min = std::min(column.min, value);
            column.max = std::max(column.max, value);
            column.last = value;
        }
        gapPending = false;
        lastValidTime = time;
    }
    return result;
}
