#pragma once

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <deque>

// What one entry of the trace is: bytes out or in, bytes thrown away unread, or the port opened
// (the entry holds the device name) or closed.
enum class TraceKind : std::uint8_t { Sent, Received, Discarded, Opened, Closed };

struct TraceEntry {
    double time = 0;  // clock seconds
    TraceKind kind = TraceKind::Sent;
    QByteArray bytes;
};

// The last bytes that went over the port each way, each chunk with its moment: a ring bounded in
// bytes (the oldest entries go first), cheap enough to keep filling during every exchange.
class ProtocolTrace {
public:
    static constexpr qsizetype DefaultCapacity = 100000;

    // `origin`: the clock's time as the trace begins, `startedAt` the same moment on the calendar.
    explicit ProtocolTrace(double origin, QDateTime startedAt = QDateTime::currentDateTime(),
                           qsizetype capacity = DefaultCapacity);

    // A chunk larger than the whole ring keeps its last bytes.
    void record(double time, TraceKind kind, QByteArray bytes);

    const std::deque<TraceEntry>& entries() const { return entries_; }
    qsizetype byteCount() const { return bytes_; }
    double origin() const { return origin_; }
    const QDateTime& startedAt() const { return startedAt_; }
    // Changes with every entry, so a view redraws only when there is something new.
    std::uint64_t revision() const { return revision_; }

private:
    double origin_;
    QDateTime startedAt_;
    qsizetype capacity_;
    qsizetype bytes_ = 0;
    std::uint64_t revision_ = 0;
    std::deque<TraceEntry> entries_;
};
