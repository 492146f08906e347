// link_bench: figures of the serial link against delvo2-sim on a pseudo-terminal, the simulator
// pacing its bytes at 9600 baud (11 bits a byte), on the real serial-port class and RealClock:
//   connect   first frame to last reply byte, against the floor (the 50 ms pauses and every byte
//             on the wire), with the unit answering at once and with its default answer time;
//   polling   CPU time of this process per minute of once-a-second polling;
//   update    a full "Update Unit" with the shipped tables of a type K thermocouple and of a Pt-100
//             (385), ticked by a one-second clock timer as the progress window ticks it, against
//             the floor of the same exchanges with the protocol's fixed waits on the same ticks;
//             and the CPU time it takes.
// It prints the figures; it does not judge them.

#include "bench_support.h"

#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "platform/real_clock.h"
#include "sim/simulated_unit.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int ConnectRuns = 7;
constexpr double PollSeconds = 30.0;
// The protocol's fixed waits after the last byte of a block, before its answer is read.
constexpr double AfterBlockWait = 0.0001;
constexpr double AfterChunkWait = 5.0 + AfterBlockWait;

struct ConnectRun {
    double seconds = 0;
    double floor = 0;
    int exchanges = 0;
    int bytes = 0;
    double pauseLate = 0;  // mean: a frame's start after the previous reply, beyond the 50 ms
    double replyLate = 0;  // mean: a reply's end after its frame, beyond its bytes and the answer time
};

ConnectRun measureConnect(const std::vector<MeteredPort::Exchange>& all, double answerTime)
{
    ConnectRun run;
    run.exchanges = int(all.size());
    for (const MeteredPort::Exchange& e : all)
        run.bytes += e.bytesOut + e.bytesIn;
    run.floor = FloorOf(all, 0, all.size(), [](std::size_t) { return 0.0; }) - FramePause
        + run.exchanges * answerTime;
    run.seconds = all.back().lastArrival - all.front().sent;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const MeteredPort::Exchange& e = all[i];
        run.replyLate += e.lastArrival - e.sent - (e.bytesOut + e.bytesIn) * ByteSeconds - answerTime;
        if (i > 0)
            run.pauseLate += e.sent - all[i - 1].lastArrival - FramePause;
    }
    run.replyLate /= run.exchanges;
    run.pauseLate /= std::max(1, run.exchanges - 1);
    return run;
}

// Connects several times to a simulator whose unit answers `answerMs` after each request.
bool connectFigure(RealClock& clock, double answerMs)
{
    Simulator simulator(clock);
    const auto device = simulator.start({QStringLiteral("--reply-latency"), QString::number(answerMs)});
    if (!device)
        return false;
    BenchLink bench(clock, *device, QDir::tempPath());
    std::vector<double> seconds, floors, pauseLate, replyLate;
    ConnectRun last;
    for (int i = 0; i < ConnectRuns; ++i) {
        bench.port.exchanges.clear();
        if (!Connect(bench.link)) {
            std::fprintf(stderr, "link_bench: connect failed\n");
            return false;
        }
        const ConnectRun run = measureConnect(bench.port.exchanges, answerMs / 1000);
        last = run;
        seconds.push_back(run.seconds);
        floors.push_back(run.floor);
        pauseLate.push_back(run.pauseLate);
        replyLate.push_back(run.replyLate);
        Disconnect(bench.link);
    }
    const auto [low, high] = std::minmax_element(seconds.begin(), seconds.end());
    const QByteArray name = answerMs > 0 ? QByteArray("connect (answer ") + QByteArray::number(answerMs) + " ms)"
                                         : QByteArray("connect");
    PrintFigure(name.constData(), Median(seconds), Median(floors), "s",
                QStringLiteral("median of %1 (%2..%3 s); floor = %4 pauses + %5 bytes%6; per exchange %7 ms "
                               "late after the pause, %8 ms late with the reply")
                    .arg(ConnectRuns)
                    .arg(*low, 0, 'f', 4)
                    .arg(*high, 0, 'f', 4)
                    .arg(last.exchanges - 1)
                    .arg(last.bytes)
                    .arg(answerMs > 0 ? QStringLiteral(" + %1 answers x %2 ms").arg(last.exchanges).arg(answerMs) : QString())
                    .arg(Median(pauseLate) * 1000, 0, 'f', 2)
                    .arg(Median(replyLate) * 1000, 0, 'f', 2),
                "<= 1.03");
    return true;
}

bool pollingFigure(RealClock& clock)
{
    Simulator simulator(clock);
    const auto device = simulator.start({});
    if (!device)
        return false;
    BenchLink bench(clock, *device, QDir::tempPath());
    if (!Connect(bench.link))
        return false;
    const double cpuBefore = CpuSeconds();
    const double start = clock.now();
    int polls = 0;
    while (clock.now() - start < PollSeconds) {
        clock.waitFor(1.0);
        if (!Poll(bench.link)) {
            std::fprintf(stderr, "link_bench: poll failed\n");
            return false;
        }
        ++polls;
    }
    const double elapsed = clock.now() - start;
    const double cpu = CpuSeconds() - cpuBefore;
    PrintFigure("polling CPU", cpu / elapsed * 100, 0.5, "%",
                QStringLiteral("of one core: %1 CPU s per minute (%2 CPU s over %3 s, %4 polls)")
                    .arg(cpu * 60 / elapsed, 0, 'f', 4)
                    .arg(cpu, 0, 'f', 4)
                    .arg(elapsed, 0, 'f', 1)
                    .arg(polls),
                "< 0.5 %");
    Disconnect(bench.link);
    return true;
}

// One tick of the update timer, as it ran.
struct Tick {
    int step = 0;  // UpdateStep as the tick began (3, 4, 5: a table chunk)
    double start = 0;
    double end = 0;
    std::size_t firstExchange = 0;
    std::size_t endExchange = 0;
};

// The least time a tick's exchanges take: a replied frame that ends a block (frames without a
// reply before it) waits the block's fixed time first, 5 s more after a table chunk.
double tickFloor(const std::vector<MeteredPort::Exchange>& all, const Tick& tick)
{
    return FloorOf(all, tick.firstExchange, tick.endExchange, [&](std::size_t i) {
        if (all[i].bytesIn == 0)
            return 0.0;
        std::size_t silentBefore = 0;
        while (silentBefore < i - tick.firstExchange && all[i - 1 - silentBefore].bytesIn == 0)
            ++silentBefore;
        if (silentBefore == 0)
            return 0.0;
        return tick.step >= 3 && tick.step <= 5 ? AfterChunkWait : AfterBlockWait;
    });
}

// A full update of the unit whose input code is `inputCode`, as the progress window drives it.
bool updateFigure(RealClock& clock, const char* name, std::uint8_t inputCode, const QString& appDir)
{
    Simulator simulator(clock);
    const auto device = simulator.start({QStringLiteral("--input-code"), QString::number(inputCode),
                                         QStringLiteral("--reply-latency"), QStringLiteral("0")});
    if (!device)
        return false;
    BenchLink bench(clock, *device, appDir);
    Link& link = bench.link;
    if (!Connect(link))
        return false;
    // As "Update Unit" with the unit's own configuration in the editor, confirmed at once.
    EditFromUnit(bench.session);
    UpdateState& update = link.update;
    update.UpdateKind = UpdateKinds::Full;
    if (!StartFullUpdate(link)) {
        std::fprintf(stderr, "link_bench: %s: the update cannot start\n", name);
        return false;
    }
    const QString tables = QStringLiteral("%1 + %2 + %3 values")
                               .arg(bench.session.tables.A.count)
                               .arg(bench.session.tables.B.count)
                               .arg(bench.session.tables.C.count);
    ConfirmUpdate(link);

    const double cpuBefore = CpuSeconds();
    UpdateProgress progress = StartUpdateProgress(link);
    std::vector<Tick> ticks;
    const std::unique_ptr<ClockTimer> timer = clock.createTimer(1.0, [&] {
        // A tick that finds the previous one still running does nothing and is not counted.
        const bool runs = !progress.finished && !update.DriverRunning;
        Tick tick{int(update.UpdateStep), clock.now(), 0, bench.port.exchanges.size(), 0};
        UpdateTick(link, progress);
        tick.end = clock.now();
        tick.endExchange = bench.port.exchanges.size();
        if (runs)
            ticks.push_back(tick);
        if (progress.finished)
            clock.notify();
    });
    const double start = clock.now();
    timer->start();
    clock.waitFor(1800.0, [&] { return progress.finished; });
    timer->stop();
    const double cpu = CpuSeconds() - cpuBefore;
    if (progress.failed || progress.reported || ticks.empty()) {
        std::fprintf(stderr, "link_bench: %s: the update did not complete\n", name);
        return false;
    }

    // The floor runs the same ticks on the same one-second grid: a tick that outlasts a second
    // lets the timer's ticks pass, and the next step runs on the first tick after it.
    double floorEnd = 0;
    double nextTick = 1.0;
    double busy = 0;
    double busyFloor = 0;
    for (const Tick& tick : ticks) {
        const double floor = tickFloor(bench.port.exchanges, tick);
        floorEnd = nextTick + floor;
        nextTick = std::floor(floorEnd) + 1.0;
        busy += tick.end - tick.start;
        busyFloor += floor;
    }
    const double total = ticks.back().end - start;
    PrintFigure(name, total, floorEnd, "s",
                QStringLiteral("= %1 min; %2 ticks, tables %3; within the ticks %4 s against %5 s (ratio %6)")
                    .arg(total / 60, 0, 'f', 2)
                    .arg(ticks.size())
                    .arg(tables)
                    .arg(busy, 0, 'f', 3)
                    .arg(busyFloor, 0, 'f', 3)
                    .arg(busy / busyFloor, 0, 'f', 4),
                "<= 1.03");
    PrintFigure("update CPU", cpu / total * 100, 0.5, "%",
                QStringLiteral("of one core during the update: %1 CPU s over %2 s").arg(cpu, 0, 'f', 4).arg(total, 0, 'f', 1),
                "< 0.5 %");
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    RealClock clock;
    std::printf("link_bench: delvo2-sim on a pseudo-terminal, bytes paced at 9600 baud (11 bits, %.3f ms a byte); %s\n",
                ByteSeconds * 1000, qPrintable(LoadAverage()));

    // The sensor tables as shipped, in a folder the update may write its unit record into.
    QTemporaryDir appDir;
    const QDir data(QStringLiteral(DELVO_DATA_DIR));
    for (const QString& file : data.entryList({QStringLiteral("*.dat")}, QDir::Files))
        QFile::copy(data.filePath(file), appDir.filePath(file));
    const Catalogue catalogue = BuildCatalogue();

    const bool ok = connectFigure(clock, 0) && connectFigure(clock, UnitTiming{}.replyLatency * 1000)
        && pollingFigure(clock)
        && updateFigure(clock, "update Pt-100 (385)", catalogue.platinumCodes[1][1], appDir.path())
        && updateFigure(clock, "update type K", catalogue.thermocoupleCodes[0], appDir.path());
    std::printf("link_bench: %s\n", qPrintable(LoadAverage()));
    return ok ? 0 : 1;
}
