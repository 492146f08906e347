#pragma once

#include "platform/clock.h"
#include "sim/fault_plan.h"
#include "sim/unit_wire.h"

#include <QString>

#include <optional>
#include <variant>

class SimulatedUnit;

// Faults and events written as text, for the simulator program's --fault option:
//   TARGET:KIND[=VALUE][:TIMES]   a fault on the next exchange(s) of TARGET
//       TARGET  a command character (t, 8, C, ...), a byte as 0xNN, or block, chunk, upload, any
//       KIND    silence, echo, short, long, late=SECONDS, resend, badack, garbage[=COUNT],
//               slow=SECONDS (between bytes), hangup
//       TIMES   a number of exchanges (1 when left out) or "always"
//   burnout[@SECONDS]           the input burns out, at once or that long after the start
//   swap=SERIAL[@SECONDS]       another unit, with serial number SERIAL, is on the cable
//   unplug@SECONDS              the unit is unplugged
struct FaultRule {
    FaultTrigger trigger;
    Fault fault;
    int times = 1;
    bool operator==(const FaultRule&) const = default;
};

struct UnitEvent {
    enum class Kind { BurnOut, Swap, Unplug };
    Kind kind = Kind::BurnOut;
    double atSeconds = 0;
    unit_wire::SerialBytes serial{};
    bool operator==(const UnitEvent&) const = default;
};

using FaultOption = std::variant<FaultRule, UnitEvent>;

// Nothing, with `error` saying why, when the text is not a fault or an event.
std::optional<FaultOption> parseFaultOption(const QString& text, QString& error);

// Adds a rule to the unit's fault plan, or schedules an event on the clock from now.
void applyFaultOption(const FaultOption& option, SimulatedUnit& unit, Clock& clock);

// The syntax above, for a program's help text.
QString faultOptionHelp();
