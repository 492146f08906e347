#pragma once

#include "check/check_record.h"

#include <functional>

struct Link;

// How long a point waits for a stable reading before it is taken as it is.
inline constexpr double PointTimeLimit = 60.0;

// What happens around each point of a pass run without a window.
struct PassHooks {
    // The reference is to be applied now (a prompt, a wait for Enter, a simulated input set);
    // false stops the pass.
    std::function<bool(double reference)> applied;
    std::function<void(const PointResult&)> recorded;
};

enum class PassEnd { Completed, Stopped, LinkLost };

// Runs the plan's points in order on a connected unit: once each reference is applied, polls the
// unit once a second until its readings are stable by the plan's rule (the mean of those readings
// is recorded) or PointTimeLimit has passed (the mean of the readings held is recorded, marked as
// not settled). Each result is added to `table` as it is recorded.
PassEnd RunPass(Link& link, const CheckPlan& plan, const CheckScale& scale, CheckTable& table, const PassHooks& hooks);
