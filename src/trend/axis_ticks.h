#pragma once

#include <vector>

// Tick positions for the chart's axes, at round steps.

// Values from low to high at a step of 1, 2 or 5 times a power of ten, at most about `most` of them.
std::vector<double> ValueTicks(double low, double high, int most);
// The step of those ticks (to choose how many decimals their labels need).
double ValueTickStep(double low, double high, int most);

// Times (seconds since 1970 UTC) from `from` to `to` at a clock step (1 s ... 1 day) that gives at
// most about `most` ticks, on round times of the local clock whose offset from UTC is `utcOffset`.
struct TimeTicks {
    double step = 0;
    std::vector<double> times;
};
TimeTicks TimeTicksOf(double from, double to, int most, int utcOffset);
