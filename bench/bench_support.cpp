#include "bench_support.h"

#include "platform/clock.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

MeteredPort::MeteredPort(SerialPort& inner, Clock& clock) : inner_(inner), clock_(clock)
{
    inner_.setActivityHandler([this] { onActivity(); });
}

bool MeteredPort::open(const QString& device, const QString& settings, int& errorNumber)
{
    seen_ = 0;
    return inner_.open(device, settings, errorNumber);
}

void MeteredPort::discardInput()
{
    inner_.discardInput();
    seen_ = 0;
}

QByteArray MeteredPort::readAll()
{
    seen_ = 0;
    return inner_.readAll();
}

void MeteredPort::write(const QByteArray& bytes)
{
    exchanges.push_back({clock_.now(), int(bytes.size()), 0, 0});
    inner_.write(bytes);
}

void MeteredPort::onActivity()
{
    const int waiting = inner_.bytesWaiting();
    if (waiting > seen_ && !exchanges.empty()) {
        exchanges.back().bytesIn += waiting - seen_;
        exchanges.back().lastArrival = clock_.now();
    }
    seen_ = waiting;
    signalActivity();
}

Simulator::Simulator(Clock& clock) : clock_(clock)
{
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [&clock] { clock.notify(); });
    QObject::connect(&process_, &QProcess::finished, [&clock] { clock.notify(); });
}

Simulator::~Simulator()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

std::optional<QString> Simulator::start(const QStringList& arguments)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(DELVO_SIM_PROGRAM), arguments);
    if (!clock_.waitFor(5.0, [this] { return process_.canReadLine(); })) {
        std::fprintf(stderr, "bench: %s %s did not start\n", DELVO_SIM_PROGRAM, qPrintable(arguments.join(u' ')));
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process_.readLine().trimmed());
}

BenchLink::BenchLink(Clock& clock, const QString& device, const QString& appDir)
    : port(serialPort, clock),
      op([](const QByteArray& bytes) { std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr); }),
      catalogue(BuildCatalogue()),
      link{session, port, clock, op, windows, portNames, catalogue}
{
    port.setActivityHandler([&clock] { clock.notify(); });
    session.AppDir = appDir;
    link.state.PortNumber = 1;
    portNames.overrides[1] = device;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

QString LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("load average unknown");
    const QList<QByteArray> fields = file.readAll().split(' ');
    return QStringLiteral("load average %1 %2 %3")
        .arg(QString::fromLatin1(fields.value(0)), QString::fromLatin1(fields.value(1)), QString::fromLatin1(fields.value(2)));
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintFigure(const char* name, double measured, double reference, const char* unit, const QString& detail,
                 const char* target)
{
    std::printf("%-22s %10.4f %-3s reference %10.4f %-3s ratio %6.3f  target %-10s %s\n", name, measured, unit,
                reference, unit, reference > 0 ? measured / reference : 0.0, target, qPrintable(detail));
    std::fflush(stdout);
}
