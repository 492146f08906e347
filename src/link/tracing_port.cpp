#include "link/tracing_port.h"

#include "link/protocol_trace.h"
#include "platform/clock.h"

TracingPort::TracingPort(SerialPort& inner, ProtocolTrace& trace, Clock& clock)
    : inner_(inner), trace_(trace), clock_(clock)
{
    inner_.setActivityHandler([this] { signalActivity(); });
}

bool TracingPort::open(const QString& device, const QString& settings, int& errorNumber)
{
    const bool opened = inner_.open(device, settings, errorNumber);
    if (opened)
        trace_.record(clock_.now(), TraceKind::Opened, device.toUtf8());
    return opened;
}

bool TracingPort::close(int& errorNumber)
{
    const bool closed = inner_.close(errorNumber);
    if (closed)
        trace_.record(clock_.now(), TraceKind::Closed, {});
    return closed;
}

void TracingPort::discardInput()
{
    // Read out first so the thrown-away bytes are seen too.
    if (inner_.bytesWaiting() > 0)
        trace_.record(clock_.now(), TraceKind::Discarded, inner_.readAll());
    inner_.discardInput();
}

QByteArray TracingPort::readAll()
{
    QByteArray bytes = inner_.readAll();
    if (!bytes.isEmpty())
        trace_.record(clock_.now(), TraceKind::Received, bytes);
    return bytes;
}

void TracingPort::write(const QByteArray& bytes)
{
    if (inner_.isOpen())
        trace_.record(clock_.now(), TraceKind::Sent, bytes);
    inner_.write(bytes);
}
