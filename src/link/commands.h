#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

struct Link;
struct ConfRecord;
struct SensorTable;

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

// Read operations: each sends its command byte and checks the reply's length and echo. A missing
// reply disconnects with "Problems receiving message from unit."; a wrong echo clears UnitOnline.
QString ReadSerial(Link& link);
std::uint8_t ReadInputCode(Link& link);
std::uint8_t ReadOptionFlags(Link& link);
// Output limits in µA: the two raw bytes and the read status (255 on failure).
std::uint8_t ReadOutMinRaw(Link& link, std::uint8_t raw[2]);
std::uint8_t ReadOutMaxRaw(Link& link, std::uint8_t raw[2]);
float ReadDamping(Link& link);
// 24-bit readings and ranges ('8', 'u', 'w', 'x', 'v', 'z', 'y', 'r'); NoValue on failure.
float ReadValue(Link& link, std::uint8_t command);
QString ReadTag(Link& link);
// The local display: version byte (255 when there is none) and range (into DisplayLowRaw/HighRaw).
std::uint8_t ReadDisplayVersion(Link& link);
void ReadDisplayRange(Link& link);
// Factory words ('C' two bytes into FactBytes, 'm', 'o', 'n', 'c'); the status is 255 on failure.
std::uint8_t ReadFactoryWord(Link& link, std::uint8_t command, std::uint8_t raw[2]);
void ReadFactoryValues(Link& link, ConfRecord& record);

// Select-and-block write. A wrong echo or acknowledgement lowers UpdateStep so the step runs again;
// no reply clears UnitOnline. The marker steps still send their block after a wrong echo.
enum class WriteResult { Accepted, NoReply, WrongEcho, Refused };
WriteResult WriteBlock(Link& link, std::uint8_t select, const QByteArray& block, bool sendAfterWrongEcho = false);

// Where each sensor table goes in the unit.
struct TableTarget {
    std::uint8_t select;
    std::uint8_t page;
    std::uint8_t firstAddress;
    int bytesPerPoint;  // 3: 24-bit points, 2: 16-bit points
};
inline constexpr TableTarget FirstTableTarget{1, 0x30, 0x31, 3};
inline constexpr TableTarget SecondTableTarget{2, 0x00, 0x01, 3};
inline constexpr TableTarget ThirdTableTarget{2, 0xD0, 0xD1, 2};

// The next chunk of a table (repeated while the unit asks for it again); raises UpdateStep after
// the final chunk.
void WriteTableChunk(Link& link, SensorTable& table, const TableTarget& target);
// The chunk bytes for the table's points from its cursor on (advances the cursor and the running
// address); exposed for the update's tick plan and tests.
QByteArray BuildTableChunk(Link& link, SensorTable& table, const TableTarget& target, bool& final);

// 'Z' twice; any other answer is reported. UpdateStep becomes 0.
void Finish(Link& link);
// The display range; up to eight attempts, the answer is not examined.
void WriteDisplayRange(Link& link, std::int16_t low, std::int16_t high);

// Factory memory: the unit's 704 bytes into FlashImage, and back.
void UploadFactoryMemory(Link& link);
void DownloadFactoryMemory(Link& link);
