#include "sim/fault_plan.h"

bool FaultTrigger::covers(const FaultTrigger& exchange) const
{
    if (on == On::AnyExchange)
        return true;
    return on == exchange.on && (on != On::Command || command == exchange.command);
}

void FaultPlan::add(FaultTrigger trigger, Fault fault, int times, int after)
{
    if (times != 0)
        rules_.push_back({trigger, fault, times, after});
}

std::optional<Fault> FaultPlan::take(const FaultTrigger& exchange)
{
    for (auto rule = rules_.begin(); rule != rules_.end(); ++rule) {
        if (!rule->trigger.covers(exchange))
            continue;
        if (rule->passing > 0) {
            --rule->passing;
            continue;
        }
        const Fault fault = rule->fault;
        if (rule->remaining != Always && --rule->remaining == 0)
            rules_.erase(rule);
        return fault;
    }
    return std::nullopt;
}
