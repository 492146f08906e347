// gui_bench: figures of the program's windows, under whatever QT_QPA_PLATFORM says (offscreen
// unless set):
//   responsiveness  the worst gap between the paint events of a widget that a 16 ms timer asks
//                   to repaint, while the link waits in the same process as the program's link
//                   waits (a 5 s reply time-out, a table chunk with its 5 s settle), against
//                   delvo2-sim on a pseudo-terminal;
//   start-up        process start to the main window's first paint (delvo2 --quit-when-shown)
//                   and peak resident memory; the same for `delvo2-cli read` against delvo2-sim.
// It prints the figures; it does not judge them.

#include "bench_support.h"

#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "platform/real_clock.h"
#include "sim/simulated_unit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int StartRuns = 5;
constexpr int ProbeIntervalMs = 16;
constexpr double IdleSeconds = 8.0;  // as long as a table chunk: the machine's own stalls show here too

// A widget repainted every 16 ms; notes the longest time between two of its paint events.
class RepaintProbe : public QWidget {
public:
    explicit RepaintProbe(Clock& clock) : clock_(clock)
    {
        resize(200, 100);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(ProbeIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start();
    }
    void restart()
    {
        lastPaint_ = 0;
        worst_ = 0;
        paints_ = 0;
        late_ = 0;
    }
    double worstGap() const { return worst_; }
    int paints() const { return paints_; }
    // Gaps of 30 ms or more.
    int lateGaps() const { return late_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const double now = clock_.now();
        if (lastPaint_ > 0) {
            worst_ = std::max(worst_, now - lastPaint_);
            late_ += now - lastPaint_ >= 0.030;
        }
        lastPaint_ = now;
        ++paints_;
    }

private:
    Clock& clock_;
    QTimer timer_;
    double lastPaint_ = 0;
    double worst_ = 0;
    int paints_ = 0;
    int late_ = 0;
};

void printGap(const char* name, const RepaintProbe& probe, double seconds)
{
    PrintFigure(name, probe.worstGap() * 1000, ProbeIntervalMs, "ms",
                QStringLiteral("worst gap between repaints of a 16 ms probe, %1 paints in %2 s, %3 gaps of 30 ms or more")
                    .arg(probe.paints())
                    .arg(seconds, 0, 'f', 2)
                    .arg(probe.lateGaps()),
                "< 30 ms");
}

// Also gives the floor of the connect it makes: its pauses, its bytes and the unit's answer times.
bool responsiveness(RealClock& clock, const QString& appDir, double& connectFloor)
{
    // The unit never answers the factory word 'm', which no connect asks for.
    Simulator simulator(clock);
    const auto device = simulator.start({QStringLiteral("--fault"), QStringLiteral("m:silence:always")});
    if (!device)
        return false;
    BenchLink bench(clock, *device, appDir);
    Link& link = bench.link;
    RepaintProbe probe(clock);
    probe.show();

    double start = clock.now();
    probe.restart();
    clock.waitFor(IdleSeconds);
    printGap("repaint, idle", probe, clock.now() - start);

    if (!Connect(link))
        return false;
    const auto& exchanges = bench.port.exchanges;
    connectFloor = FloorOf(exchanges, 0, exchanges.size(), [](std::size_t) { return 0.0; }) - FramePause
        + double(exchanges.size()) * UnitTiming{}.replyLatency;
    start = clock.now();
    probe.restart();
    SendFrame(link, QByteArray(1, 'm'));
    ReceiveFrame(link, 2, false);
    printGap("repaint, reply wait", probe, clock.now() - start);

    // The first chunk of an update's first table, as the progress window's tick sends it.
    EditFromUnit(bench.session);
    UpdateState& update = link.update;
    update.UpdateKind = UpdateKinds::Full;
    if (!StartFullUpdate(link))
        return false;
    update.UpdateStep = UpdateSteps::FirstTable;
    start = clock.now();
    probe.restart();
    UpdateDriver(link);
    printGap("repaint, table chunk", probe, clock.now() - start);
    update.UpdateStep = UpdateSteps::Idle;
    const bool online = link.state.UnitOnline;
    Disconnect(link);
    return online;
}

struct Started {
    double shown = -1;  // seconds to the "shown" line, when the program prints one
    double exited = 0;  // seconds to its end
    double peakMegabytes = 0;
    int status = -1;
};

// Runs a program to its end with `environment` added; its standard output is watched for a line
// "shown". Times from the spawn; peak resident memory from the kernel's account of the child.
Started runProgram(const QStringList& arguments, const QStringList& environment)
{
    Started result;
    std::vector<QByteArray> argumentBytes, environmentBytes;
    for (const QString& argument : arguments)
        argumentBytes.push_back(argument.toLocal8Bit());
    for (char** entry = environ; *entry; ++entry)
        environmentBytes.emplace_back(*entry);
    for (const QString& entry : environment)
        environmentBytes.push_back(entry.toLocal8Bit());
    std::vector<char*> argv, envp;
    for (QByteArray& bytes : argumentBytes)
        argv.push_back(bytes.data());
    for (QByteArray& bytes : environmentBytes)
        envp.push_back(bytes.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer elapsed;
    elapsed.start();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    // Blocking reads of the child's output: this process has nothing else to do meanwhile.
    QByteArray output;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, n);
        if (result.shown < 0 && output.contains("shown\n"))
            result.shown = double(elapsed.nsecsElapsed()) / 1e9;
    }
    ::close(pipeEnds[0]);
    rusage usage{};
    int status = 0;
    wait4(child, &status, 0, &usage);
    result.exited = double(elapsed.nsecsElapsed()) / 1e9;
    result.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool startFigure(const char* name, const QStringList& arguments, const QStringList& environment, bool toShown,
                 double timeReference, const char* timeTarget)
{
    std::vector<double> times, exits, peaks;
    for (int run = 0; run < StartRuns; ++run) {
        const Started started = runProgram(arguments, environment);
        if (started.status != 0 || (toShown && started.shown < 0)) {
            std::fprintf(stderr, "gui_bench: %s ended with status %d\n", qPrintable(arguments.join(u' ')), started.status);
            return false;
        }
        times.push_back(toShown ? started.shown : started.exited);
        exits.push_back(started.exited);
        peaks.push_back(started.peakMegabytes);
    }
    const auto [low, high] = std::minmax_element(times.begin(), times.end());
    PrintFigure(name, Median(times) * 1000, timeReference * 1000, "ms",
                QStringLiteral("median of %1 (%2..%3 ms)%4")
                    .arg(StartRuns)
                    .arg(*low * 1000, 0, 'f', 1)
                    .arg(*high * 1000, 0, 'f', 1)
                    .arg(toShown ? QStringLiteral("; to the process's end %1 ms").arg(Median(exits) * 1000, 0, 'f', 1)
                                 : QStringLiteral("; reference: the floor of its connect")),
                timeTarget);
    const auto [fewest, most] = std::minmax_element(peaks.begin(), peaks.end());
    PrintFigure((QByteArray(name) + " RSS").constData(), Median(peaks), 80.0, "MB",
                QStringLiteral("peak resident memory, median of %1 (%2..%3 MB)")
                    .arg(StartRuns)
                    .arg(*fewest, 0, 'f', 1)
                    .arg(*most, 0, 'f', 1),
                "< 80 MB");
    return true;
}

bool startUp(RealClock& clock, const QString& appDir, double connectFloor)
{
    // The program checks its installation registry at start-up: one that names the built program.
    const QString registry = QDir(appDir).filePath(QStringLiteral("registry.ini"));
    QFile file(registry);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\DELVO2.exe]\n@=")
               + QByteArray(DELVO_APP_PROGRAM) + '\n');
    file.close();
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
    if (!startFigure("start-up delvo2", {QStringLiteral(DELVO_APP_PROGRAM), QStringLiteral("--quit-when-shown")},
                     {QStringLiteral("QT_QPA_PLATFORM=") + platform, QStringLiteral("DELVO2_REGISTRY=") + registry},
                     true, 0.3, "< 300 ms"))
        return false;

    Simulator simulator(clock);
    const auto device = simulator.start({});
    if (!device)
        return false;
    return startFigure("delvo2-cli read",
                       {QStringLiteral(DELVO_CLI_PROGRAM), QStringLiteral("--port"), *device, QStringLiteral("--appdir"),
                        appDir, QStringLiteral("read")},
                       {}, false, connectFloor, "-");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RealClock clock;
    std::printf("gui_bench: platform %s; %s\n", qPrintable(QGuiApplication::platformName()), qPrintable(LoadAverage()));
    QTemporaryDir appDir;
    const QDir data(QStringLiteral(DELVO_DATA_DIR));
    for (const QString& name : data.entryList({QStringLiteral("*.dat")}, QDir::Files))
        QFile::copy(data.filePath(name), QDir(appDir.path()).filePath(name));
    double connectFloor = 0;
    const bool ok = responsiveness(clock, appDir.path(), connectFloor) && startUp(clock, appDir.path(), connectFloor);
    std::printf("gui_bench: %s\n", qPrintable(LoadAverage()));
    return ok ? 0 : 1;
}
