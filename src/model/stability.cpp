#include "model/stability.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

double StabilityRule::threshold(double span) const { return std::abs(span) * spanFraction; }

StabilityWindow::StabilityWindow(StabilityRule rule) { setRule(rule); }

void StabilityWindow::setRule(const StabilityRule& rule)
{
    rule_ = rule;
    rule_.readings = std::max(rule.readings, 2);
    readings_.clear();
}

void StabilityWindow::add(double reading)
{
    if (std::isnan(reading)) {
        readings_.clear();
        return;
    }
    readings_.push_back(reading);
    if (int(readings_.size()) > rule_.readings)
        readings_.pop_front();
}

StabilityVerdict StabilityWindow::verdict(double span) const
{
    StabilityVerdict v;
    v.count = int(readings_.size());
    v.needed = rule_.readings;
    v.threshold = rule_.threshold(span);
    if (v.count < 2)
        return v;
    const auto [low, high] = std::minmax_element(readings_.begin(), readings_.end());
    v.spread = *high - *low;
    // Readings arrive as singles: a spread that is the threshold itself may come out a few single
    // steps below it, and must still count as not below.
    const double rounding = 4 * std::numeric_limits<float>::epsilon() * std::max(std::abs(*low), std::abs(*high));
    v.stable = v.count == v.needed && *v.spread < v.threshold - rounding;
    return v;
}

double StabilityWindow::mean() const
{
    if (readings_.empty())
        return std::numeric_limits<double>::quiet_NaN();
    return std::accumulate(readings_.begin(), readings_.end(), 0.0) / double(readings_.size());
}
