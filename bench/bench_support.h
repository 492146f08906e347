#pragma once

// What the benchmark programs share: the simulator program on a pseudo-terminal, a port wrapper
// that notes every exchange on the wire, the link wired to both, and the figures' arithmetic.

#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "link/qt_serial_port.h"
#include "link/serial_link.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/port_names.h"

#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

class Clock;

inline constexpr double ByteSeconds = 11.0 / 9600.0;  // one byte at 9600 baud, 8E1: 1.146 ms

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

    MeteredPort(SerialPort& inner, Clock& clock);
    bool open(const QString& device, const QString& settings, int& errorNumber) override;
    bool close(int& errorNumber) override { return inner_.close(errorNumber); }
    bool isOpen() const override { return inner_.isOpen(); }
    int bytesWaiting() const override { return inner_.bytesWaiting(); }
    void discardInput() override;
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;

    std::vector<Exchange> exchanges;

private:
    void onActivity();

    SerialPort& inner_;
    Clock& clock_;
    int seen_ = 0;
};

// The simulator program, stopped whatever way the benchmark ends.
class Simulator {
public:
    explicit Simulator(Clock& clock);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The pseudo-terminal's path, or nothing (after a line on stderr) when it did not start.
    std::optional<QString> start(const QStringList& arguments);

private:
    Clock& clock_;
    QProcess process_;
};

// The link on the real serial-port class and the given clock, without windows; messages go to
// stderr. Port 1 is the simulator's pseudo-terminal.
struct BenchLink {
    BenchLink(Clock& clock, const QString& device, const QString& appDir);
    BenchLink(const BenchLink&) = delete;
    BenchLink& operator=(const BenchLink&) = delete;

    QtSerialPort serialPort;
    MeteredPort port;
    Session session;
    PortNames portNames;
    ConsoleOperator op;
    HeadlessWindows windows;
    Catalogue catalogue;
    Link link;
};

// The time a span of exchanges needs at least: every frame's 50 ms pause, and the bytes on the
// wire of each frame that waits for its reply. A frame that gets no reply (a block byte) goes out
// during the next frame's pause. `fixedWait(i)` is any further wait the protocol makes after
// frame i before its reply is read (the reply arrives during it).
template <class FixedWait>
double FloorOf(const std::vector<MeteredPort::Exchange>& exchanges, std::size_t from, std::size_t to, FixedWait fixedWait)
{
    double floor = 0;
    for (std::size_t i = from; i < to; ++i) {
        const MeteredPort::Exchange& e = exchanges[i];
        const double wire = e.bytesIn > 0 ? (e.bytesOut + e.bytesIn) * ByteSeconds : 0.0;
        floor += FramePause + std::max(wire, fixedWait(i));
    }
    return floor;
}

// User plus system CPU seconds of this process so far.
double CpuSeconds();
// "load average 1.23 1.10 0.98" (the machine's, as the figures were taken).
QString LoadAverage();
double Median(std::vector<double> values);
// A finished figure: name, measured value, floor or reference, their ratio and the target.
void PrintFigure(const char* name, double measured, double reference, const char* unit, const QString& detail,
                 const char* target);
