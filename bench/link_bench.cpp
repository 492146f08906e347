// link_bench: speed figures of the serial link against delvo2-sim on a pseudo-terminal, the
// simulator pacing its bytes at 9600 baud (11 bits a byte).
//   (a) connect: time from the first frame to the last reply byte, against the floor of the
//       protocol (the 50 ms pauses between the frames plus every byte on the wire);
//   (b) polling: CPU time of this process per minute of once-a-second polling.
// It prints the figures; it does not judge them.

#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "link/connect_poll.h"
#include "link/qt_serial_port.h"
#include "link/serial_link.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/real_clock.h"
#include "sim/simulated_unit.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr double ByteSeconds = 11.0 / 9600.0;  // 1.146 ms
constexpr int ConnectRuns = 5;
constexpr double PollSeconds = 20.0;

// Passes everything through to the real port and notes every exchange: when its frame went out,
// its bytes each way and when its last reply byte came in.
class MeteredPort : public SerialPort {
public:
    struct Exchange {
        double sent = 0;
        int bytesOut = 0;
        int bytesIn = 0;
        double lastArrival = 0;
    };

    MeteredPort(SerialPort& inner, Clock& clock) : inner_(inner), clock_(clock)
    {
        inner_.setActivityHandler([this] { onActivity(); });
    }

    bool open(const QString& device, const QString& settings, int& errorNumber) override
    {
        seen_ = 0;
        return inner_.open(device, settings, errorNumber);
    }
    bool close(int& errorNumber) override { return inner_.close(errorNumber); }
    bool isOpen() const override { return inner_.isOpen(); }
    int bytesWaiting() const override { return inner_.bytesWaiting(); }
    void discardInput() override
    {
        inner_.discardInput();
        seen_ = 0;
    }
    QByteArray readAll() override
    {
        seen_ = 0;
        return inner_.readAll();
    }
    void write(const QByteArray& bytes) override
    {
        exchanges.push_back({clock_.now(), int(bytes.size()), 0, 0});
        inner_.write(bytes);
    }

    std::vector<Exchange> exchanges;

private:
    void onActivity()
    {
        const int waiting = inner_.bytesWaiting();
        if (waiting > seen_ && !exchanges.empty()) {
            exchanges.back().bytesIn += waiting - seen_;
            exchanges.back().lastArrival = clock_.now();
        }
        seen_ = waiting;
        signalActivity();
    }

    SerialPort& inner_;
    Clock& clock_;
    int seen_ = 0;
};

// A connect seen on the wire.
struct ConnectFigures {
    double seconds = 0;  // first frame out to last reply byte in
    double floor = 0;    // the pauses between the frames plus every byte at 9600 baud
    int exchanges = 0;
    int bytes = 0;
    double pauseLate = 0;  // mean: a frame's start after the previous reply, beyond the 50 ms
    double replyLate = 0;  // mean: a reply's end after its frame, beyond its bytes on the wire

    explicit ConnectFigures(const std::vector<MeteredPort::Exchange>& all)
    {
        exchanges = int(all.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            const MeteredPort::Exchange& e = all[i];
            bytes += e.bytesOut + e.bytesIn;
            replyLate += e.lastArrival - e.sent - (e.bytesOut + e.bytesIn) * ByteSeconds;
            if (i > 0)
                pauseLate += e.sent - all[i - 1].lastArrival - FramePause;
        }
        seconds = all.back().lastArrival - all.front().sent;
        floor = (exchanges - 1) * FramePause + bytes * ByteSeconds;
        replyLate /= exchanges;
        pauseLate /= std::max(1, exchanges - 1);
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The simulator program, stopped whatever way the benchmark ends.
class Simulator {
public:
    explicit Simulator(Clock& clock) : clock_(clock)
    {
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [&clock] { clock.notify(); });
        QObject::connect(&process_, &QProcess::finished, [&clock] { clock.notify(); });
    }
    ~Simulator()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    // The pseudo-terminal's path, or nothing when the simulator did not start.
    std::optional<QString> start()
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(DELVO_SIM_PROGRAM), {QStringLiteral("--input"), QStringLiteral("25")});
        if (!clock_.waitFor(5.0, [this] { return process_.canReadLine(); }))
            return std::nullopt;
        return QString::fromLocal8Bit(process_.readLine().trimmed());
    }

private:
    Clock& clock_;
    QProcess process_;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    RealClock clock;
    Simulator simulator(clock);
    const std::optional<QString> device = simulator.start();
    if (!device) {
        std::fprintf(stderr, "link_bench: %s did not start\n", DELVO_SIM_PROGRAM);
        return 1;
    }

    QtSerialPort serialPort;
    MeteredPort port(serialPort, clock);
    port.setActivityHandler([&clock] { clock.notify(); });
    Session session;
    session.AppDir = QDir::tempPath();
    session.link.PortNumber = 1;
    PortNames portNames;
    portNames.overrides[1] = *device;
    ConsoleOperator op([](const QByteArray& bytes) { std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr); });
    HeadlessWindows windows;
    NoFileDialogs dialogs;
    const Catalogue catalogue = BuildCatalogue();
    Link link{session, port, clock, op, dialogs, windows, portNames, catalogue};

    std::printf("link_bench: delvo2-sim on %s, bytes paced at 9600 baud (11 bits, %.3f ms a byte)\n",
                qPrintable(*device), ByteSeconds * 1000);

    // (a) Connect, several times; the median run is reported.
    std::vector<ConnectFigures> runs;
    for (int i = 0; i < ConnectRuns; ++i) {
        port.exchanges.clear();
        if (!Connect(link)) {
            std::fprintf(stderr, "link_bench: connect failed\n");
            return 1;
        }
        runs.emplace_back(port.exchanges);
        if (i + 1 < ConnectRuns)
            Disconnect(link);
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
    const ConnectFigures& median = runs[runs.size() / 2];
    std::printf("connect: %.4f s from the first frame to the last reply (median of %d, %.4f..%.4f); "
                "floor %.4f s = %d pauses x 50 ms + %d bytes x %.3f ms; ratio %.3f (target <= 1.05)\n",
                median.seconds, ConnectRuns, runs.front().seconds, runs.back().seconds, median.floor,
                median.exchanges - 1, median.bytes, ByteSeconds * 1000, median.seconds / median.floor);
    // The simulated unit, like a real one, starts its reply a little after the request.
    const double unitLatency = UnitTiming{}.replyLatency;
    std::printf("connect overhead per exchange: %.2f ms after the reply before the next frame (beyond 50 ms), "
                "%.2f ms from the frame to the reply's end (beyond its bytes; the unit answers after %.1f ms); "
                "ratio with the unit's answer time in the floor %.3f\n",
                median.pauseLate * 1000, median.replyLate * 1000, unitLatency * 1000,
                median.seconds / (median.floor + median.exchanges * unitLatency));

    // (b) Polling once a second, as the live-reading timer does.
    const double cpuBefore = cpuSeconds();
    const double start = clock.now();
    int polls = 0;
    while (clock.now() - start < PollSeconds) {
        clock.waitFor(1.0);
        if (!Poll(link)) {
            std::fprintf(stderr, "link_bench: poll failed\n");
            return 1;
        }
        ++polls;
    }
    const double elapsed = clock.now() - start;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("polling: %.4f CPU s per minute (%.4f CPU s over %.1f s, %d polls); %.3f %% of one core "
                "(target < 1 %%)\n",
                cpu * 60 / elapsed, cpu, elapsed, polls, cpu / elapsed * 100);
    Disconnect(link);
    return 0;
}
