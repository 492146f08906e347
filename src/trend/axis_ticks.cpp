#include "trend/axis_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>

double ValueTickStep(double low, double high, int most)
{
    const double rough = (high - low) / std::max(most, 1);
    if (!(rough > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

std::vector<double> ValueTicks(double low, double high, int most)
{
    const double step = ValueTickStep(low, high, most);
    std::vector<double> ticks;
    for (double n = std::ceil(low / step); n * step <= high + step * 1e-9; ++n)
        ticks.push_back(n * step);
    return ticks;
}

TimeTicks TimeTicksOf(double from, double to, int most, int utcOffset)
{
    static constexpr std::array<double, 18> steps{1,   2,    5,    10,   15,    30,    60,    120,   300,
                                                  600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    const double rough = (to - from) / std::max(most, 1);
    TimeTicks ticks;
    const auto round = std::find_if(steps.begin(), steps.end(), [rough](double step) { return step >= rough; });
    ticks.step = round != steps.end() ? *round : steps.back() * std::ceil(rough / steps.back());
    for (double n = std::ceil((from + utcOffset) / ticks.step); n * ticks.step - utcOffset <= to; ++n)
        ticks.times.push_back(n * ticks.step - utcOffset);
    return ticks;
}
