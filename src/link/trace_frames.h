#pragma once

#include "link/protocol_trace.h"

#include <QString>

#include <vector>

// The trace read as the protocol's frames: each frame sent, with the reply that came before the
// next one. A block goes out byte by byte with short pauses; its bytes make one frame.
struct TraceFrame {
    TraceKind kind = TraceKind::Sent;  // Sent; Opened or Closed for the port; Received for bytes nobody asked for
    double time = 0;                   // of the first byte
    double lastSent = 0;               // of the frame's last byte
    QByteArray sent{};                 // Opened: the device
    QByteArray reply{};
    QByteArray discarded{};            // bytes thrown away unread while the frame was out
    double replyTime = 0;              // when the last reply byte was read
    bool timedOut = false;             // no reply within the reply time-out
    bool retry = false;                // the same bytes as the frame before
};

// `now` ends a frame that is still waiting for its reply.
std::vector<TraceFrame> DecodeFrames(const ProtocolTrace& trace, double now);

// The read command a frame sends ("Serial", "Reading"), empty for blocks and select bytes.
QString CommandName(const QByteArray& sent);

// One frame as a line of text: seconds since `origin` to the millisecond, the bytes sent (hex),
// the command's name, the marks, the reply and its delay.
QString FrameLine(const TraceFrame& frame, double origin);

// "delvo2 protocol trace begun 2025-03-01T10:15:02.125; times in seconds from then"
QString TraceHeading(const ProtocolTrace& trace);
// The heading, then a line a frame; every line ends in a line break.
QString TraceText(const ProtocolTrace& trace, const std::vector<TraceFrame>& frames);
QString TraceText(const ProtocolTrace& trace, double now);
