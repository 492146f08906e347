#pragma once

#include <deque>
#include <optional>

// When a reading has settled: the last `readings` readings lie within `spanFraction` of the input
// range's span (their spread, maximum minus minimum, below that threshold). One rule for every
// place that waits for a steady input: the stable indicator beside the live reading and the
// calibration steps that should not be entered while the input still moves.
struct StabilityRule {
    int readings = 10;
    double spanFraction = 0.0002;  // 0.02 % of the span

    double threshold(double span) const;
};

struct StabilityVerdict {
    bool stable = false;
    int count = 0;                 // readings held, at most `needed`
    int needed = 0;                // the rule's number of readings
    std::optional<double> spread;  // from two readings on
    double threshold = 0;
};

// The last readings of one input, judged by a StabilityRule.
class StabilityWindow {
public:
    explicit StabilityWindow(StabilityRule rule = {});

    // A new rule starts the count again; fewer than two readings are taken as two.
    void setRule(const StabilityRule& rule);
    const StabilityRule& rule() const { return rule_; }
    // A reading in the unit's units; NaN (burn-out, no reading, a lost link) starts the count again.
    void add(double reading);
    void clear() { readings_.clear(); }
    // Judged against an input range of `span` (RangeMax - RangeMin, either sign).
    StabilityVerdict verdict(double span) const;
    // The mean of the readings held (what a settled input is taken to be); NaN when none.
    double mean() const;

private:
    StabilityRule rule_;
    std::deque<double> readings_;
};
