#include "trend/reading_series.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A series with random steps in time (some longer than the gap limit), random values with spikes,
// and random stretches without a reading.
ReadingSeries RandomSeries(QRandomGenerator& random, int count)
{
    ReadingSeries series(5.0);
    double time = 1000;
    for (int i = 0; i < count; ++i) {
        time += random.bounded(20) == 0 ? 6 + random.bounded(30.0) : 0.2 + random.bounded(1.5);
        ReadingSample sample{time};
        if (random.bounded(10) != 0) {
            sample.status = SampleStatus::Ok;
            sample.reading = float(random.bounded(100.0) + (random.bounded(50) == 0 ? 1000 : 0));
        }
        series.append(sample);
    }
    return series;
}

} // namespace

TEST(Decimation, EveryColumnKeepsTheExtremesOfItsSamples)
{
    QRandomGenerator random(20240501);
    for (int round = 0; round < 200; ++round) {
        const ReadingSeries series = RandomSeries(random, 50 + int(random.bounded(3000)));
        const double from = series.firstTime() + random.bounded(series.lastTime() - series.firstTime());
        const double to = from + 1 + random.bounded(series.lastTime() - from + 50);
        const int columns = 1 + int(random.bounded(900));
        const std::vector<TrendColumn> result = series.decimate(TrendChannel::Reading, from, to, columns);
        ASSERT_EQ(int(result.size()), columns);

        // Sample by sample: the column of each, the extremes and the gaps before it.
        std::vector<TrendColumn> expected(std::size_t(columns), TrendColumn{});
        std::optional<double> lastTime;
        bool gap = false;
        for (std::size_t i = 0; i < series.size(); ++i) {
            const ReadingSample& s = series[i];
            if (s.time < from || s.time >= to)
                continue;
            if (std::isnan(s.reading)) {
                gap = true;
                continue;
            }
            const double perSecond = double(columns) / (to - from);
            TrendColumn& c = expected[std::min(std::size_t((s.time - from) * perSecond), expected.size() - 1)];
            if (!c.hasData)
                c = {s.reading, s.reading, s.reading, s.reading, true, gap || (lastTime && s.time - *lastTime > 5.0)};
            c.min = std::min(c.min, s.reading);
            c.max = std::max(c.max, s.reading);
            c.last = s.reading;
            gap = false;
            lastTime = s.time;
        }
        for (int i = 0; i < columns; ++i) {
            const TrendColumn& got = result[std::size_t(i)];
            const TrendColumn& want = expected[std::size_t(i)];
            ASSERT_EQ(got.hasData, want.hasData) << "round " << round << " column " << i;
            if (!want.hasData)
                continue;
            ASSERT_EQ(got.min, want.min) << "round " << round << " column " << i;
            ASSERT_EQ(got.max, want.max) << "round " << round << " column " << i;
            ASSERT_EQ(got.breakBefore, want.breakBefore) << "round " << round << " column " << i;
        }
    }
}

TEST(Decimation, CursorFindsTheNearestSampleWithinReach)
{
    ReadingSeries series;
    for (double time : {10.0, 11.0, 20.0})
        series.append({time, 1.0f, NoSampleValue, NoSampleValue, SampleStatus::Ok});
    series.append({15.0});  // the clock set back: kept at the last time
    EXPECT_EQ(series[3].time, 20.0);
    const std::tuple<double, double, std::optional<double>> cases[] = {
        {10.4, 1, 10.0}, {10.6, 1, 11.0}, {15.0, 1, std::nullopt}, {15.0, 5, 11.0}, {5.0, 5, 10.0}, {30.0, 5, std::nullopt},
    };
    for (const auto& [time, within, found] : cases) {
        const auto sample = series.nearest(time, within);
        EXPECT_EQ(sample ? std::optional(sample->time) : std::nullopt, found) << time << " within " << within;
    }
}
