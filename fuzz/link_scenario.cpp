#include "fuzz/link_scenario.h"

#include "cli/headless_seams.h"
#include "fuzz/silent_operator.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/virtual_clock.h"

#include <algorithm>

namespace {

constexpr std::uint8_t LateFlag = 0x80;
constexpr std::uint8_t LengthMask = 0x7F;
constexpr double OnTime = 0.01;
constexpr double Late = ReplyTimeout + 1.0;
// An update is a few dozen one-second ticks; anything longer than this has lost its way.
constexpr double UpdateTimeLimit = 3600.0;

// As the command-line tool's write: the update confirmed, then ticked once a second to its end.
bool runUpdate(Link& link, VirtualClock& clock)
{
    link.session.EditConf = ScenarioConfiguration(link.catalogue);
    link.update.UpdateKind = UpdateKinds::Full;
    if (!StartFullUpdate(link))
        return false;
    ConfirmUpdate(link);
    UpdateProgress progress = StartUpdateProgress(link);
    const double limit = clock.now() + UpdateTimeLimit;
    while (!progress.finished && clock.now() < limit) {
        clock.waitFor(1.0);
        UpdateTick(link, progress);
    }
    return progress.finished && !progress.failed;
}

} // namespace

ConfRecord ScenarioConfiguration(const Catalogue& catalogue)
{
    ConfRecord r = ZeroConfRecord();
    LookupInputCode(catalogue, r, ScenarioInputCode);
    r.Serial = QStringLiteral("0512307");
    r.Tag = QStringLiteral("TT-101");
    r.OutMin = 4, r.OutMax = 20, r.Damping = 1, r.RangeMax = 100;
    ClearCorrection(r);
    return r;
}

bool RunLinkScenario(SerialPort& port, VirtualClock& clock, const QString& appDir)
{
    Session session;
    session.AppDir = appDir;
    SilentOperator op;
    HeadlessWindows windows;
    const PortNames portNames;
    const Catalogue catalogue = BuildCatalogue();
    Link link{session, port, clock, op, windows, portNames, catalogue};
    link.state.PortNumber = 1;

    if (Connect(link))
        Poll(link);
    const bool updated = runUpdate(link, clock);
    if (link.state.LinkOpen)
        Poll(link);
    Disconnect(link);
    return updated;
}

std::deque<ScriptedPort::Reply> RepliesFromInput(const std::uint8_t* data, std::size_t size)
{
    std::deque<ScriptedPort::Reply> replies;
    std::size_t pos = 0;
    while (pos < size) {
        const std::uint8_t header = data[pos++];
        const std::size_t length = std::min<std::size_t>(header & LengthMask, size - pos);
        replies.push_back({QByteArray(reinterpret_cast<const char*>(data + pos), qsizetype(length)),
                           header & LateFlag ? Late : OnTime});
        pos += length;
    }
    return replies;
}

QByteArray InputFromReplies(const std::vector<QByteArray>& replies)
{
    QByteArray input;
    for (const QByteArray& reply : replies) {
        const QByteArray cut = reply.left(LengthMask);
        input.append(char(cut.size())).append(cut);
    }
    return input;
}
