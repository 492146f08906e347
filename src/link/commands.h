#pragma once

#include "link/exchange.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

struct Link;

// The unit's command set on the wire. Every exchange reports what it came to (exchange.h) and
// the value or its failure value; none tells the operator anything, changes a task's flags or
// closes the link: the task that called decides.

// Command bytes of the read operations.
namespace Command {
inline constexpr std::uint8_t Serial = 's';
inline constexpr std::uint8_t InputCode = 't';
inline constexpr std::uint8_t OptionFlags = 'q';
inline constexpr std::uint8_t OutMin = '4';
inline constexpr std::uint8_t OutMax = '5';
inline constexpr std::uint8_t Damping = '9';
inline constexpr std::uint8_t Reading = '8';
inline constexpr std::uint8_t CalLowRef = 'u';
inline constexpr std::uint8_t CalHighRef = 'w';
inline constexpr std::uint8_t RangeMax = 'x';
inline constexpr std::uint8_t RangeMin = 'v';
inline constexpr std::uint8_t MinRead = 'z';
inline constexpr std::uint8_t MaxRead = 'y';
inline constexpr std::uint8_t AmbRead = 'r';
inline constexpr std::uint8_t Tag = 'p';
inline constexpr std::uint8_t DisplayVersion = 'C';
inline constexpr std::uint8_t DisplayRange = 'B';
inline constexpr std::uint8_t WriteDisplay = 'A';
inline constexpr std::uint8_t Finish = 'Z';
inline constexpr std::uint8_t FactoryBytes = 'C';
inline constexpr std::uint8_t FactoryM = 'm';
inline constexpr std::uint8_t FactoryO = 'o';
inline constexpr std::uint8_t FactoryN = 'n';
inline constexpr std::uint8_t FactoryC = 'c';
} // namespace Command

// Wire constants.
inline constexpr std::uint8_t Acknowledge = 0xA5;
inline constexpr std::uint8_t ResendRequest = 0xBB;
inline constexpr std::uint8_t UploadRequest = 0xAA;
inline constexpr std::uint8_t FailedByte = 255;
inline constexpr float FailedDamping = 255.0f;
inline constexpr int FlashBlocks = 11;
inline constexpr int FlashBlockSize = 64;
inline constexpr int FlashSize = FlashBlocks * FlashBlockSize;
// A unit that keeps asking for the same block again must not hold the tool forever.
inline constexpr int MaxResends = 8;

using RawWord = std::array<std::uint8_t, 2>;
struct DisplayRangeWords {
    std::int16_t low = 0;
    std::int16_t high = 0;
};

// Reads: the command byte, then a reply of fixed length that echoes it (three attempts).
Reply<QString> ReadSerial(Link& link);
Reply<std::uint8_t> ReadInputCode(Link& link);
Reply<std::uint8_t> ReadOptionFlags(Link& link);
// Output limits in µA, as the unit's two bytes.
Reply<RawWord> ReadOutMinRaw(Link& link);
Reply<RawWord> ReadOutMaxRaw(Link& link);
Reply<float> ReadDamping(Link& link);
// 24-bit readings and ranges ('8', 'u', 'w', 'x', 'v', 'z', 'y', 'r'); NoValue on failure.
Reply<float> ReadValue(Link& link, std::uint8_t command);
Reply<QString> ReadTag(Link& link);
// The local display (no echo check): its version byte (255 when there is none) and its range.
Reply<std::uint8_t> ReadDisplayVersion(Link& link);
Reply<DisplayRangeWords> ReadDisplayRange(Link& link);
// Factory words ('C' two bytes, 'm', 'o', 'n', 'c').
Reply<RawWord> ReadFactoryWord(Link& link, std::uint8_t command);

// One byte out, one byte back (three attempts); the byte that came, not checked.
Reply<std::uint8_t> ByteExchange(Link& link, std::uint8_t byte);
// A block byte by byte (50 ms apart), `settle` seconds, then the unit's one-byte answer.
Reply<std::uint8_t> SendBlock(Link& link, const QByteArray& block, double settle);

// Select-and-block write: the select byte, its echo, the block, the acknowledgement. A wrong
// echo ends it (WrongEcho) unless the block is to go out anyway (the marker steps); a block the
// unit does not acknowledge: Refused.
Exchange WriteBlock(Link& link, std::uint8_t select, const QByteArray& block, bool sendAfterWrongEcho = false);
// A table chunk after its select was echoed: sent again while the unit asks for it again (up to
// MaxResends); Ok for any other answer.
Exchange SendTableChunk(Link& link, const QByteArray& chunk);
// One 'Z' exchange (three attempts): the last bytes that came back.
Reply<QByteArray> FinishExchange(Link& link);
// The display range; up to eight attempts, the answer is not examined.
Exchange WriteDisplayRange(Link& link, std::int16_t low, std::int16_t high);
// One block of the factory memory as the unit uploads it: 66 bytes (four attempts).
Reply<QByteArray> ReceiveFlashBlock(Link& link);
