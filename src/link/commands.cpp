#include "link/commands.h"

#include "link/codecs.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "link/update.h"
#include "model/ansi_text.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/operator.h"

namespace {

// A unit that keeps asking for the same block again must not hold the tool forever.
constexpr int MaxResends = 8;
constexpr double AfterBlockPause = 0.0001;
constexpr double ChunkSettle = 5.0;

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
    bool quiet = false;      // the display reads: no message, no flag, no disconnect
    bool checkEcho = true;
};

// One read exchange; returns the reply when a reply of exactly `length` bytes with the right echo
// arrived, an empty array otherwise.
QByteArray readExchange(Link& link, std::uint8_t command, std::uint8_t length, ReadOptions options = {})
{
    if (options.discardFirst)
        link.port.discardInput();
    QByteArray reply;
    bool complete = false;
    for (std::int16_t attempt = 1; attempt <= options.attempts; ++attempt) {
        SendFrame(link, frameOf(command));
        const int count = ReceiveFrame(link, reply, length, attempt);
        if (count == length && reply.size() == length) {
            complete = true;
            break;
        }
        if (attempt >= 4)  // the final failure of ReceiveFrame: the link is already closed
            break;
    }
    if (!complete) {
        if (!options.quiet) {
            if (LinkMessagesWanted(link))
                CommErrorMessage(link.op, QStringLiteral("Problems receiving message from unit."));
            link.session.link.UnitOnline = false;
            Disconnect(link);
        }
        return {};
    }
    if (options.checkEcho && at(reply, 0) != command) {
        link.session.link.UnitOnline = false;
        return {};
    }
    return reply;
}

// Sends a byte and waits for one byte back, up to three attempts; the byte or nothing.
std::optional<std::uint8_t> byteExchange(Link& link, std::uint8_t byte)
{
    QByteArray reply;
    for (std::int16_t attempt = 1; attempt <= 3; ++attempt) {
        SendFrame(link, frameOf(byte));
        if (ReceiveFrame(link, reply, 1, attempt) == 1 && reply.size() == 1)
            return at(reply, 0);
        if (attempt >= 4)
            break;
    }
    return std::nullopt;
}

// Sends a block byte by byte (50 ms apart) and waits for the one-byte answer.
std::optional<std::uint8_t> sendBlock(Link& link, const QByteArray& block, double settle)
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
    QByteArray reply;
    std::int16_t attempt = 1;
    if (ReceiveFrame(link, reply, 1, attempt) == 1 && reply.size() == 1)
        return at(reply, 0);
    return std::nullopt;
}

void lowerStep(Link& link)
{
    link.session.update.UpdateStep -= 1;
}

void communicationProblem(Link& link)
{
    CommErrorMessage(link.op, QStringLiteral("Communication Problems, Please Try Again"));
}

} // namespace

QString ReadSerial(Link& link)
{
    const QByteArray r = readExchange(link, Command::Serial, 5, {.discardFirst = true});
    return r.isEmpty() ? QString() : SerialFromBytes(at(r, 1), at(r, 2), at(r, 3), at(r, 4));
}

std::uint8_t ReadInputCode(Link& link)
{
    const QByteArray r = readExchange(link, Command::InputCode, 2);
    return r.isEmpty() ? FailedByte : at(r, 1);
}

std::uint8_t ReadOptionFlags(Link& link)
{
    const QByteArray r = readExchange(link, Command::OptionFlags, 2);
    return r.isEmpty() ? FailedByte : at(r, 1);
}

namespace {

std::uint8_t readWord(Link& link, std::uint8_t command, std::uint8_t raw[2])
{
    const QByteArray r = readExchange(link, command, 3);
    if (r.isEmpty())
        return FailedByte;
    raw[0] = at(r, 1);
    raw[1] = at(r, 2);
    return 0;
}

} // namespace

std::uint8_t ReadOutMinRaw(Link& link, std::uint8_t raw[2]) { return readWord(link, Command::OutMin, raw); }
std::uint8_t ReadOutMaxRaw(Link& link, std::uint8_t raw[2]) { return readWord(link, Command::OutMax, raw); }

float ReadDamping(Link& link)
{
    const QByteArray r = readExchange(link, Command::Damping, 2);
    return r.isEmpty() ? FailedDamping : float(at(r, 1));
}

float ReadValue(Link& link, std::uint8_t command)
{
    const QByteArray r = readExchange(link, command, 4);
    return r.isEmpty() ? NoValue : DecodeSigned24(at(r, 1), at(r, 2), at(r, 3));
}

QString ReadTag(Link& link)
{
    const QByteArray r = readExchange(link, Command::Tag, 20);
    return r.isEmpty() ? QString() : FromAnsi(r.mid(1, 19));
}

std::uint8_t ReadDisplayVersion(Link& link)
{
    const QByteArray r = readExchange(link, Command::DisplayVersion, 2, {.attempts = 2, .quiet = true, .checkEcho = false});
    return r.isEmpty() ? FailedByte : at(r, 1);
}

void ReadDisplayRange(Link& link)
{
    const QByteArray r = readExchange(link, Command::DisplayRange, 5, {.attempts = 5, .quiet = true, .checkEcho = false});
    if (r.isEmpty())
        return;
    link.session.poll.DisplayLowRaw = DecodeDisplayWord(at(r, 1), at(r, 2));
    link.session.poll.DisplayHighRaw = DecodeDisplayWord(at(r, 3), at(r, 4));
}

std::uint8_t ReadFactoryWord(Link& link, std::uint8_t command, std::uint8_t raw[2])
{
    return readWord(link, command, raw);
}

void ReadFactoryValues(Link& link, ConfRecord& record)
{
    record.FactStatus = ReadOptionFlags(link);
    std::uint8_t raw[2] = {0, 0};
    if (ReadFactoryWord(link, Command::FactoryBytes, raw) == FailedByte)
        return Disconnect(link);
    record.FactBytes = {raw[0], raw[1]};
    struct Word {
        std::uint8_t command;
        float ConfRecord::*field;
        float (*decode)(std::uint8_t, std::uint8_t);
    };
    const Word words[] = {{Command::FactoryM, &ConfRecord::FactVal1, DecodeFactoryWordReciprocal},
                          {Command::FactoryO, &ConfRecord::FactVal2, DecodeFactoryWordSignHigh},
                          {Command::FactoryN, &ConfRecord::FactVal3, DecodeFactoryWordSignHigh},
                          {Command::FactoryC, &ConfRecord::FactVal4, DecodeFactoryWordSignLow}};
    for (const Word& w : words) {
        if (ReadFactoryWord(link, w.command, raw) == FailedByte)
            return Disconnect(link);
        record.*w.field = w.decode(raw[0], raw[1]);
    }
}

WriteResult WriteBlock(Link& link, std::uint8_t select, const QByteArray& block, bool sendAfterWrongEcho)
{
    const auto echo = byteExchange(link, select);
    if (!echo) {
        link.session.link.UnitOnline = false;
        return WriteResult::NoReply;
    }
    const bool wrongEcho = *echo != select;
    if (wrongEcho) {
        lowerStep(link);
        if (!sendAfterWrongEcho)
            return WriteResult::WrongEcho;
    }
    const auto answer = sendBlock(link, block, 0);
    if (!answer) {
        link.session.link.UnitOnline = false;
        return WriteResult::NoReply;
    }
    if (*answer != Acknowledge) {
        lowerStep(link);
        return WriteResult::Refused;
    }
    return wrongEcho ? WriteResult::WrongEcho : WriteResult::Accepted;
}

QByteArray BuildTableChunk(Link& link, SensorTable& table, const TableTarget& target, bool& final)
{
    UpdateState& u = link.session.update;
    if (table.cursor == 0)
        u.ChunkAddress = target.firstAddress;
    QByteArray chunk(67, '\0');
    int position = 3;
    while (table.cursor < table.count && position < 64) {
        const float point = table.values[table.cursor];
        if (target.bytesPerPoint == 3) {
            if (const auto bytes = EncodeSigned24(point))
                for (int i = 0; i < 3; ++i)
                    chunk[position + i] = char((*bytes)[i]);
            else
                communicationProblem(link);
        } else {
            const auto bytes = EncodeSigned16(point);
            chunk[position] = char(bytes[0]);
            chunk[position + 1] = char(bytes[1]);
        }
        position += target.bytesPerPoint;
        ++table.cursor;
    }
    const int n = position - 3;
    final = table.cursor >= table.count;
    chunk[0] = char(final ? (n | 0x80) : n);
    chunk[1] = char(u.ChunkAddress);
    chunk[2] = char(target.page);
    if (!final)
        u.ChunkAddress = std::uint8_t(u.ChunkAddress + n);
    chunk.truncate(n + 3);
    chunk.append(char(BlockChecksum(target.select, chunk)));
    return chunk;
}

void WriteTableChunk(Link& link, SensorTable& table, const TableTarget& target)
{
    Session& s = link.session;
    const auto echo = byteExchange(link, target.select);
    if (!echo) {
        s.link.UnitOnline = false;
        return;
    }
    if (*echo != target.select) {
        lowerStep(link);
        s.link.UnitOnline = false;
        return;
    }
    bool final = false;
    const QByteArray chunk = BuildTableChunk(link, table, target, final);
    std::uint8_t marker = ResendRequest;
    for (int sends = 0; marker == ResendRequest; ++sends) {
        const auto answer = sends <= MaxResends ? sendBlock(link, chunk, ChunkSettle) : std::nullopt;
        if (!answer) {
            s.link.UnitOnline = false;
            return;
        }
        marker = *answer;
    }
    if (final)
        s.update.UpdateStep += 1;
}

void Finish(Link& link)
{
    for (int exchange = 0; exchange < 2; ++exchange) {
        QByteArray reply;
        for (std::int16_t attempt = 1; attempt <= 3; ++attempt) {
            SendFrame(link, frameOf(Command::Finish));
            if (ReceiveFrame(link, reply, 1, attempt) == 1 || attempt >= 4)
                break;
        }
        if (!reply.isEmpty() && at(reply, 0) != Command::Finish && LinkMessagesWanted(link))
            UnexpectedMessage(link.op, at(reply, 0));
    }
    // A port lost during the finish has been reported and closed: the update must not pass.
    if (!link.session.link.LinkOpen)
        link.session.link.UnitOnline = false;
    link.session.update.UpdateStep = 0;
}

void WriteDisplayRange(Link& link, std::int16_t low, std::int16_t high)
{
    link.port.discardInput();
    const QByteArray frame = QByteArray(1, char(Command::WriteDisplay))
        + char(std::uint16_t(low) >> 8) + char(low & 0xFF) + char(std::uint16_t(high) >> 8) + char(high & 0xFF) + '\0';
    QByteArray reply;
    for (std::int16_t attempt = 1; attempt <= 8; ++attempt) {
        SendFrame(link, frame);
        if (ReceiveFrame(link, reply, 1, attempt) == 1 || (attempt >= 4 && !link.session.link.LinkOpen))
            break;
    }
}

void UploadFactoryMemory(Link& link)
{
    FactoryState& f = link.session.factory;
    const auto echo = byteExchange(link, UploadRequest);
    if (!echo || *echo != UploadRequest) {
        f.UploadOk = false;
        if (!echo) {
            if (LinkMessagesWanted(link))
                CommErrorMessage(link.op, QStringLiteral("Problems receiving message from unit."));
            Disconnect(link);
        }
        return;
    }
    std::uint8_t lastSent = UploadRequest;
    int resends = 0;
    for (int k = 0; k < FlashBlocks;) {
        QByteArray reply;
        bool received = false;
        for (std::int16_t attempt = 1; attempt <= 4 && !received; ++attempt)
            received = ReceiveFrame(link, reply, FlashBlockSize + 2, attempt) == FlashBlockSize + 2
                && reply.size() == FlashBlockSize + 2;
        if (!received || resends > MaxResends) {
            f.UploadOk = false;
            if (LinkMessagesWanted(link))
                CommErrorMessage(link.op, QStringLiteral("Problems receiving message from unit."));
            Disconnect(link);
            return;
        }
        const QByteArray data = reply.mid(1, FlashBlockSize);
        if (f.FlashImage.size() < std::size_t((k + 1) * FlashBlockSize))
            f.FlashImage.resize((k + 1) * FlashBlockSize);
        std::copy(data.begin(), data.end(), f.FlashImage.begin() + k * FlashBlockSize);
        const bool intact = BlockChecksum(lastSent, data) == at(reply, FlashBlockSize + 1);
        lastSent = intact ? Acknowledge : ResendRequest;
        SendFrame(link, frameOf(lastSent));
        if (intact) {
            ++k;
            resends = 0;
        } else {
            ++resends;
        }
    }
}

void DownloadFactoryMemory(Link& link)
{
    Session& s = link.session;
    FactoryState& f = s.factory;
    f.FactoryDownloadRun = true;
    if (f.FlashImage.size() < std::size_t(FlashSize)) {
        f.UploadOk = false;  // never write a partial image into the unit
        return;
    }
    int wrongEchoes = 0;
    for (int k = 0; k < FlashBlocks;) {
        const std::uint8_t select = std::uint8_t(k / 4 + 1);
        const std::uint8_t address = std::uint8_t((k % 4) * 0x40);
        const auto echo = byteExchange(link, select);
        if (!echo || *echo != select)
            f.UploadOk = false;
        if (echo && *echo != select) {
            // The same block comes round again, but a unit that never echoes right must not hold
            // the tool forever.
            if (++wrongEchoes > MaxResends) {
                s.link.UnitOnline = false;
                break;
            }
            continue;
        }
        if (f.UploadOk) {
            QByteArray block;
            block.append(char(0x40)).append(char(address)).append(char(0xFF));
            const auto begin = f.FlashImage.begin() + (select - 1) * 256 + address;
            block.append(reinterpret_cast<const char*>(&*begin), FlashBlockSize);
            block.append(char(BlockChecksum(select, block)));
            std::optional<std::uint8_t> answer = ResendRequest;
            for (int sends = 0; answer == ResendRequest && sends <= MaxResends; ++sends)
                answer = sendBlock(link, block, 0);
            if (!answer || answer == ResendRequest) {
                s.link.UnitOnline = false;
                f.UploadOk = false;  // the unit lacks this block: the image is not in it whole
            }
        }
        ++k;
    }
    s.update.UpdateStep = 9;
    UpdateDriver(link);
    if (!s.link.UnitOnline)
        f.UploadOk = false;
}
