// trace_bench: what the protocol trace costs the link. Polls of the simulated unit in virtual time
// (so only the program's own work is timed, no waiting), through the bare port and through the
// tracing port, in alternating rounds; then the ring's cost per entry when full, the time to turn
// a full ring into text (the support bundle, --trace) and the trace window's redraw of it.
// It prints the figures; it does not judge them.

#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/protocol_trace.h"
#include "link/serial_link.h"
#include "link/trace_frames.h"
#include "link/tracing_port.h"
#include "link/ui/trace_window.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/file_dialogs.h"
#include "platform/port_names.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 9;
constexpr int PollsPerRound = 2000;
constexpr int RingEntries = 2000000;

// The trace window's save dialog is never opened here.
class NoDialogs : public FileDialogs {
public:
    DialogResult openFile(const QString&) override { return {}; }
    DialogResult saveFile(const QString&, const QString&) override { return {}; }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds of the program's own work per poll (five exchanges) on `port`.
double pollMicroseconds(SerialPort& port, VirtualClock& clock)
{
    Session session;
    PortNames names;
    names.overrides[1] = QStringLiteral("simulated");
    ConsoleOperator op([](const QByteArray& text) { std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr); });
    HeadlessWindows windows;
    const Catalogue catalogue = BuildCatalogue();
    Link link{session, port, clock, op, windows, names, catalogue};
    link.state.PortNumber = 1;
    port.setActivityHandler([] {});
    if (!Connect(link))
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < PollsPerRound; ++i)
        if (!Poll(link))
            return -1;
    const double micros = double(timer.nsecsElapsed()) / 1000 / PollsPerRound;
    Disconnect(link);
    return micros;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VirtualClock clock;
    SimulatedUnit unit(clock);
    SimulatedPort bare(unit);
    ProtocolTrace trace(clock.now());
    TracingPort traced(bare, trace, clock);

    std::vector<double> bareTimes, tracedTimes;
    for (int round = 0; round < Rounds; ++round) {
        bareTimes.push_back(pollMicroseconds(bare, clock));
        tracedTimes.push_back(pollMicroseconds(traced, clock));
        if (bareTimes.back() < 0 || tracedTimes.back() < 0) {
            std::fprintf(stderr, "trace_bench: a poll failed\n");
            return 1;
        }
    }
    const double plain = median(bareTimes);
    const double withTrace = median(tracedTimes);
    std::printf("poll, program's work    %8.2f us bare, %8.2f us traced: %+.2f us a poll (%+.1f %%), medians of %d "
                "rounds of %d polls; a poll is 1 s apart, so the trace costs %.5f %% of one core\n",
                plain, withTrace, withTrace - plain, (withTrace / plain - 1) * 100, Rounds, PollsPerRound,
                std::max(0.0, withTrace - plain) / 1e6 * 100);

    ProtocolTrace ring(0);
    const QByteArray reply("\x38\x00\x09\xC5", 4);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < RingEntries; ++i)
        ring.record(i * 0.001, i % 2 ? TraceKind::Received : TraceKind::Sent, i % 2 ? reply : QByteArray(1, '8'));
    std::printf("ring record, full       %8.1f ns an entry over %d entries; %lld bytes kept in %zu entries\n",
                double(timer.nsecsElapsed()) / RingEntries, RingEntries, qlonglong(ring.byteCount()), ring.entries().size());

    timer.restart();
    const QString text = TraceText(ring, RingEntries * 0.001);
    std::printf("full ring as text       %8.1f ms for %lld lines (%lld characters)\n", double(timer.nsecsElapsed()) / 1e6,
                qlonglong(text.count(QLatin1Char('\n'))), qlonglong(text.size()));

    NoDialogs dialogs;
    ConsoleOperator op([](const QByteArray&) {});
    TraceWindow window(ring, clock, dialogs, op);
    window.show();
    std::vector<double> redraws;
    for (int i = 0; i < Rounds; ++i) {
        ring.record(RingEntries * 0.001 + i, TraceKind::Sent, QByteArray(1, 's'));
        timer.restart();
        window.refresh();
        app.processEvents();
        redraws.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("trace window redraw     %8.1f ms, full ring, a new frame before each (median of %d; once a second "
                "while shown)\n", median(redraws), Rounds);
    return 0;
}
