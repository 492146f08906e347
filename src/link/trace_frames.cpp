#include "link/trace_frames.h"

#include "link/commands.h"
#include "link/serial_link.h"

#include <QStringList>

namespace {

// Bytes written closer together than this without a reply between them are one block.
constexpr double BlockGap = 1.0;
// A frame without a reply followed by nothing for this long waited out the reply time-out (less a
// little, as a timer may fire a few milliseconds early).
constexpr double TimeoutGap = ReplyTimeout - 0.25;

struct CommandLabel {
    std::uint8_t byte;
    const char* name;
};
constexpr CommandLabel commandLabels[] = {
    {Command::Serial, "Serial"},         {Command::InputCode, "InputCode"},   {Command::OptionFlags, "OptionFlags"},
    {Command::OutMin, "OutMin"},         {Command::OutMax, "OutMax"},         {Command::Damping, "Damping"},
    {Command::Reading, "Reading"},       {Command::CalLowRef, "CalLowRef"},   {Command::CalHighRef, "CalHighRef"},
    {Command::RangeMax, "RangeMax"},     {Command::RangeMin, "RangeMin"},     {Command::MinRead, "MinRead"},
    {Command::MaxRead, "MaxRead"},       {Command::AmbRead, "AmbRead"},       {Command::Tag, "Tag"},
    {Command::DisplayVersion, "DisplayVersion"}, {Command::FactoryBytes, "FactoryBytes"},
    {Command::DisplayRange, "DisplayRange"},     {Command::WriteDisplay, "WriteDisplay"},
    {Command::Finish, "Finish"},         {Command::FactoryM, "FactoryM"},     {Command::FactoryO, "FactoryO"},
    {Command::FactoryN, "FactoryN"},     {Command::FactoryC, "FactoryC"},     {UploadRequest, "UploadRequest"},
};

// The display range goes out as one frame: the command and five bytes.
constexpr qsizetype WriteDisplayFrame = 6;

bool extendsBlock(const TraceFrame& last, double time)
{
    return last.kind == TraceKind::Sent && last.reply.isEmpty() && last.discarded.isEmpty()
        && time - last.lastSent < BlockGap;
}

void markRetriesAndTimeouts(std::vector<TraceFrame>& frames, double now)
{
    for (std::size_t i = 0; i < frames.size(); ++i) {
        TraceFrame& f = frames[i];
        if (f.kind != TraceKind::Sent)
            continue;
        const double next = i + 1 < frames.size() ? frames[i + 1].time : now;
        f.timedOut = f.reply.isEmpty() && next - f.lastSent >= TimeoutGap;
        f.retry = i > 0 && frames[i - 1].kind == TraceKind::Sent && frames[i - 1].sent == f.sent;
    }
}

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

std::vector<TraceFrame> DecodeFrames(const ProtocolTrace& trace, double now)
{
    std::vector<TraceFrame> frames;
    for (const TraceEntry& e : trace.entries()) {
        const bool afterSent = !frames.empty() && frames.back().kind == TraceKind::Sent;
        switch (e.kind) {
        case TraceKind::Sent:
            if (!frames.empty() && extendsBlock(frames.back(), e.time)) {
                frames.back().sent += e.bytes;
                frames.back().lastSent = e.time;
            } else {
                frames.push_back({TraceKind::Sent, e.time, e.time, e.bytes});
            }
            break;
        case TraceKind::Received:
        case TraceKind::Discarded:
            if (!afterSent)
                frames.push_back({TraceKind::Received, e.time, e.time});
            (e.kind == TraceKind::Received ? frames.back().reply : frames.back().discarded) += e.bytes;
            frames.back().replyTime = e.time;
            break;
        case TraceKind::Opened:
        case TraceKind::Closed:
            frames.push_back({e.kind, e.time, e.time, e.bytes});
            break;
        }
    }
    markRetriesAndTimeouts(frames, now);
    return frames;
}

QString CommandName(const QByteArray& sent)
{
    const bool command = sent.size() == 1 || (sent.size() == WriteDisplayFrame && std::uint8_t(sent[0]) == Command::WriteDisplay);
    QStringList names;
    for (const CommandLabel& label : commandLabels)
        if (command && std::uint8_t(sent[0]) == label.byte)
            names << QLatin1String(label.name);
    return names.join(QLatin1Char('/'));
}

QString FrameLine(const TraceFrame& f, double origin)
{
    QStringList parts{QStringLiteral("%1").arg(f.time - origin, 10, 'f', 3)};
    switch (f.kind) {
    case TraceKind::Opened: return parts.first() + QStringLiteral("  open ") + QString::fromUtf8(f.sent);
    case TraceKind::Closed: return parts.first() + QStringLiteral("  close");
    case TraceKind::Sent:
        parts << QStringLiteral("> ") + hex(f.sent);
        if (const QString name = CommandName(f.sent); !name.isEmpty())
            parts << name;
        if (f.retry)
            parts << QStringLiteral("RETRY");
        break;
    default: parts << QStringLiteral("(unasked)"); break;
    }
    if (!f.discarded.isEmpty())
        parts << QStringLiteral("discarded ") + hex(f.discarded);
    if (!f.reply.isEmpty())
        parts << QStringLiteral("< ") + hex(f.reply);
    if (!f.reply.isEmpty() && f.kind == TraceKind::Sent)
        parts << QStringLiteral("(%1 ms)").arg(qRound((f.replyTime - f.lastSent) * 1000));
    else if (f.timedOut)
        parts << QStringLiteral("TIME-OUT");
    return parts.join(QStringLiteral("  "));
}

QString TraceHeading(const ProtocolTrace& trace)
{
    return QStringLiteral("delvo2 protocol trace begun %1; times in seconds from then")
        .arg(trace.startedAt().toString(Qt::ISODateWithMs));
}

QString TraceText(const ProtocolTrace& trace, const std::vector<TraceFrame>& frames)
{
    QStringList lines{TraceHeading(trace)};
    for (const TraceFrame& frame : frames)
        lines << FrameLine(frame, trace.origin());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString TraceText(const ProtocolTrace& trace, double now)
{
    return TraceText(trace, DecodeFrames(trace, now));
}
