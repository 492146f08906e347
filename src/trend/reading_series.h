#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

enum class SampleStatus : std::uint8_t { Ok, BurnOut, NoReading };

inline constexpr float NoSampleValue = std::numeric_limits<float>::quiet_NaN();

// One poll of the unit, already classified. A value the poll did not give is NaN: the reading at a
// burn-out or without a reading, the ambient when the unit has none, everything while no unit
// answers. The output current at a burn-out is the burn-out level.
struct ReadingSample {
    double time = 0;  // seconds since 1970-01-01 UTC
    float reading = NoSampleValue;
    float ambient = NoSampleValue;
    float outputMa = NoSampleValue;
    SampleStatus status = SampleStatus::NoReading;
};

enum class TrendChannel { Reading, Ambient, Output };

float ChannelValue(const ReadingSample& sample, TrendChannel channel);

// One pixel column of a channel: the extremes of the samples that fall into it, and the values the
// line enters and leaves it with.
struct TrendColumn {
    float first = 0;
    float last = 0;
    float min = 0;
    float max = 0;
    bool hasData = false;
    bool breakBefore = false;  // a gap lies between the previous column with data and this one
};

// Every sample of a run, in time order, kept whole in memory (24 bytes a sample, in blocks that
// never move: a week at one a second is about 15 MB).
class ReadingSeries {
public:
    // Samples further apart than `gapSeconds` are not joined by a line (polling had stopped).
    explicit ReadingSeries(double gapSeconds = 5.0) : gapSeconds_(gapSeconds) {}

    // A sample dated before the last one (the wall clock set back) is kept at the last one's time.
    void append(ReadingSample sample);
    void clear() { samples_.clear(); }

    bool empty() const { return samples_.empty(); }
    std::size_t size() const { return samples_.size(); }
    const ReadingSample& operator[](std::size_t index) const { return samples_[index]; }
    double firstTime() const { return samples_.front().time; }
    double lastTime() const { return samples_.back().time; }
    double gapSeconds() const { return gapSeconds_; }

    // The indexes [first, second) of the samples with from <= time < to.
    std::pair<std::size_t, std::size_t> indexRange(double from, double to) const;
    // The sample nearest to `time`, when one lies within `within` seconds of it.
    std::optional<ReadingSample> nearest(double time, double within) const;
    // The samples of [from, to) in `columns` equal columns: each column's minimum and maximum are
    // those of its samples, so no spike is lost however many samples share a column.
    std::vector<TrendColumn> decimate(TrendChannel channel, double from, double to, int columns) const;

private:
    std::size_t lowerBound(double time) const;

    double gapSeconds_;
    std::deque<ReadingSample> samples_;
};
