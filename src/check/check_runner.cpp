#include "check/check_runner.h"

#include "link/connect_poll.h"
#include "link/serial_link.h"
#include "model/session.h"
#include "platform/clock.h"

#include <cmath>

namespace {

constexpr double PollInterval = 1.0;

} // namespace

PassEnd RunPass(Link& link, const CheckPlan& plan, const CheckScale& scale, CheckTable& table, const PassHooks& hooks)
{
    for (double reference : RunOrder(plan)) {
        if (!hooks.applied(reference))
            return PassEnd::Stopped;
        StabilityWindow window(plan.stability);
        const double start = link.clock.now();
        // Polls keep a one-second beat, as the live-reading timer does.
        double beat = start;
        bool stable = false;
        while (!stable && beat - start < PointTimeLimit) {
            beat += PollInterval;
            link.clock.waitUntil(beat);
            if (!Poll(link))
                return PassEnd::LinkLost;
            window.add(PolledReading(link.session.UnitConf));
            stable = window.verdict(scale.span()).stable;
            beat += std::floor((link.clock.now() - beat) / PollInterval) * PollInterval;
        }
        table.points.push_back(JudgePoint(scale, reference, window.mean(), stable));
        hooks.recorded(table.points.back());
    }
    return PassEnd::Completed;
}
