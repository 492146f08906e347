#include "link/commands.h"

#include "link/codecs.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "model/ansi_text.h"
#include "model/conf_record.h"
#include "platform/clock.h"

namespace {

// The pause after the last byte of a block before the answer is awaited.
constexpr double AfterBlockPause = 0.0001;
// The unit takes a table chunk into its memory before it answers.
constexpr double ChunkSettle = 5.0;
// The fourth failed attempt of any exchange is final.
constexpr int FinalAttempt = 4;

QByteArray frameOf(std::uint8_t byte)
{
    return QByteArray(1, char(byte));
}

std::uint8_t at(const QByteArray& bytes, int index)
{
    return std::uint8_t(bytes.at(index));
}

struct ReadOptions {
    int attempts = 3;
    bool discardFirst = false;
    bool checkEcho = true;
};

// One read: the command byte, then a reply of exactly `length` bytes that echoes it.
Reply<QByteArray> readExchange(Link& link, std::uint8_t command, std::uint8_t length, ReadOptions options = {})
{
    if (options.discardFirst)
        link.port.discardInput();
    for (int attempt = 1; attempt <= options.attempts; ++attempt) {
        SendFrame(link, frameOf(command));
        Frame frame = ReceiveFrame(link, length, attempt == FinalAttempt);
        if (frame.result == Exchange::Ok) {
            if (options.checkEcho && at(frame.bytes, 0) != command)
                return {Exchange::WrongEcho, {}};
            return {Exchange::Ok, std::move(frame.bytes)};
        }
        if (EndsLink(frame.result))
            return {frame.result, {}};
    }
    return {Exchange::NoReply, {}};
}

// The reply's value, or the failure value when the read failed.
template <class T, class Decode>
Reply<T> decoded(const Reply<QByteArray>& r, T failure, Decode decode)
{
    return {r.result, r.ok() ? decode(r.value) : failure};
}

Reply<RawWord> readWord(Link& link, std::uint8_t command)
{
    return decoded(readExchange(link, command, 3), RawWord{0, 0},
                   [](const QByteArray& b) { return RawWord{at(b, 1), at(b, 2)}; });
}

} // namespace

Reply<QString> ReadSerial(Link& link)
{
    return decoded(readExchange(link, Command::Serial, 5, {.discardFirst = true}), QString(),
                   [](const QByteArray& b) { return SerialFromBytes(at(b, 1), at(b, 2), at(b, 3), at(b, 4)); });
}

Reply<std::uint8_t> ReadInputCode(Link& link)
{
    return decoded(readExchange(link, Command::InputCode, 2), FailedByte, [](const QByteArray& b) { return at(b, 1); });
}

Reply<std::uint8_t> ReadOptionFlags(Link& link)
{
    return decoded(readExchange(link, Command::OptionFlags, 2), FailedByte, [](const QByteArray& b) { return at(b, 1); });
}

Reply<RawWord> ReadOutMinRaw(Link& link) { return readWord(link, Command::OutMin); }
Reply<RawWord> ReadOutMaxRaw(Link& link) { return readWord(link, Command::OutMax); }
Reply<RawWord> ReadFactoryWord(Link& link, std::uint8_t command) { return readWord(link, command); }

Reply<float> ReadDamping(Link& link)
{
    return decoded(readExchange(link, Command::Damping, 2), FailedDamping,
                   [](const QByteArray& b) { return float(at(b, 1)); });
}

Reply<float> ReadValue(Link& link, std::uint8_t command)
{
    return decoded(readExchange(link, command, 4), NoValue,
                   [](const QByteArray& b) { return DecodeSigned24(at(b, 1), at(b, 2), at(b, 3)); });
}

Reply<QString> ReadTag(Link& link)
{
    return decoded(readExchange(link, Command::Tag, 20), QString(), [](const QByteArray& b) { return FromAnsi(b.mid(1, 19)); });
}

Reply<std::uint8_t> ReadDisplayVersion(Link& link)
{
    return decoded(readExchange(link, Command::DisplayVersion, 2, {.attempts = 2, .checkEcho = false}), FailedByte,
                   [](const QByteArray& b) { return at(b, 1); });
}

Reply<DisplayRangeWords> ReadDisplayRange(Link& link)
{
    return decoded(readExchange(link, Command::DisplayRange, 5, {.attempts = 5, .checkEcho = false}), DisplayRangeWords{},
                   [](const QByteArray& b) {
                       return DisplayRangeWords{DecodeDisplayWord(at(b, 1), at(b, 2)), DecodeDisplayWord(at(b, 3), at(b, 4))};
                   });
}

Reply<std::uint8_t> ByteExchange(Link& link, std::uint8_t byte)
{
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SendFrame(link, frameOf(byte));
        const Frame frame = ReceiveFrame(link, 1, false);
        if (frame.result == Exchange::Ok)
            return {Exchange::Ok, at(frame.bytes, 0)};
        if (EndsLink(frame.result))
            return {frame.result, FailedByte};
    }
    return {Exchange::NoReply, FailedByte};
}

Reply<std::uint8_t> SendBlock(Link& link, const QByteArray& block, double settle)
{
    // A port that vanished mid-block ends the pacing at once: nothing more can reach the unit.
    for (qsizetype i = 0; i < block.size() && link.port.isOpen(); ++i) {
        // The unit answers only the whole block: whatever came in before its last byte is left
        // over from earlier exchanges and must not pass for the answer.
        if (i == block.size() - 1)
            link.port.discardInput();
        SendFrame(link, block.mid(i, 1));
    }
    if (link.port.isOpen())
        link.clock.waitFor(AfterBlockPause + settle);
    const Frame frame = ReceiveFrame(link, 1, false);
    if (frame.result == Exchange::Ok)
        return {Exchange::Ok, at(frame.bytes, 0)};
    return {frame.result, FailedByte};
}

Exchange WriteBlock(Link& link, std::uint8_t select, const QByteArray& block, bool sendAfterWrongEcho)
{
    const Reply<std::uint8_t> echo = ByteExchange(link, select);
    if (!echo.ok())
        return echo.result;
    const bool wrongEcho = echo.value != select;
    if (wrongEcho && !sendAfterWrongEcho)
        return Exchange::WrongEcho;
    const Reply<std::uint8_t> answer = SendBlock(link, block, 0);
    if (!answer.ok())
        return answer.result;
    if (answer.value != Acknowledge)
        return Exchange::Refused;
    return wrongEcho ? Exchange::WrongEcho : Exchange::Ok;
}

Exchange SendTableChunk(Link& link, const QByteArray& chunk)
{
    for (int sends = 0; sends <= MaxResends; ++sends) {
        const Reply<std::uint8_t> answer = SendBlock(link, chunk, ChunkSettle);
        if (!answer.ok())
            return answer.result;
        if (answer.value != ResendRequest)
            return Exchange::Ok;
    }
    return Exchange::NoReply;
}

Reply<QByteArray> FinishExchange(Link& link)
{
    QByteArray last;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SendFrame(link, frameOf(Command::Finish));
        Frame frame = ReceiveFrame(link, 1, false);
        if (frame.result == Exchange::Ok || EndsLink(frame.result))
            return {frame.result, std::move(frame.bytes)};
        last = std::move(frame.bytes);
    }
    return {Exchange::NoReply, last};
}

Exchange WriteDisplayRange(Link& link, std::int16_t low, std::int16_t high)
{
    link.port.discardInput();
    const QByteArray frame = QByteArray(1, char(Command::WriteDisplay))
        + char(std::uint16_t(low) >> 8) + char(low & 0xFF) + char(std::uint16_t(high) >> 8) + char(high & 0xFF) + '\0';
    for (int attempt = 1; attempt <= 8; ++attempt) {
        SendFrame(link, frame);
        const Frame reply = ReceiveFrame(link, 1, attempt == FinalAttempt);
        if (reply.result == Exchange::Ok || EndsLink(reply.result))
            return reply.result;
    }
    return Exchange::NoReply;
}

Reply<QByteArray> ReceiveFlashBlock(Link& link)
{
    for (int attempt = 1; attempt <= FinalAttempt; ++attempt) {
        Frame frame = ReceiveFrame(link, FlashBlockSize + 2, attempt == FinalAttempt);
        if (frame.result == Exchange::Ok || EndsLink(frame.result))
            return {frame.result, std::move(frame.bytes)};
    }
    return {Exchange::NoReply, {}};
}
