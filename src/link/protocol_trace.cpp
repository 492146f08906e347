#include "link/protocol_trace.h"

ProtocolTrace::ProtocolTrace(double origin, QDateTime startedAt, qsizetype capacity)
    : origin_(origin), startedAt_(std::move(startedAt)), capacity_(capacity)
{
}

void ProtocolTrace::record(double time, TraceKind kind, QByteArray bytes)
{
    if (bytes.size() > capacity_)
        bytes = bytes.right(capacity_);
    bytes_ += bytes.size();
    while (bytes_ > capacity_) {
        bytes_ -= entries_.front().bytes.size();
        entries_.pop_front();
    }
    entries_.push_back({time, kind, std::move(bytes)});
    ++revision_;
}
