// The reply side of the command set: the fuzz input is what the unit answers, frame by frame, to
// a connect, a poll and an update, in virtual time (a missing answer costs its time-out instantly).
#include "fuzz/link_scenario.h"
#include "fuzz/scenario_folder.h"
#include "platform/virtual_clock.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScenarioFolder folder;
    VirtualClock clock;
    ScriptedPort port(clock);
    port.replies = RepliesFromInput(data, size);
    RunLinkScenario(port, clock, folder.path());
    return 0;
}
