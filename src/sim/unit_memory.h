#pragma once

#include "model/sensor_tables.h"
#include "sim/unit_wire.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// What the simulated unit keeps, and how a written block lands in it.
//
// Memory map (select byte, page byte, address; the block length byte is N plus bit 7 "final"):
// - Page 0xFF is the factory memory: 704 bytes at (select - 1) * 256 + address. The serial
//   number lives in it at 0x70..0x73 (select 1; block 84 70 FF + 4 bytes), and the factory
//   download rewrites it in 64-byte blocks, so a downloaded image carries its serial number.
// - A one-byte block holding 0xBB on page 0xFF is a marker, a command that is not stored:
//     select 1, 0x00: the configuration follows (noted only);
//     select 1, 0x30 / select 2, 0x00 / select 2, 0xD0: clears the first / second / third table;
//     select 1, 0x22: clears the calibration block;
//     select 1, 0xE0: clears the stored maximum; select 1, 0xEC: clears the stored minimum;
//     any other address: noted only.
// - Select 1, page 0x00, address 0x01, 32 bytes: the configuration.
// - Select 1, page 0x22, address 0x23, 12 bytes: the calibration block.
// - Select 1 page 0x30 from 0x31 and select 2 page 0x00 from 0x01 (3-byte points), select 2
//   page 0xD0 from 0xD1 (2-byte points): the three tables. A chunk at the first address starts
//   the table afresh; each further chunk is expected where the previous one ended (address plus
//   length, modulo 256). Bit 7 of the length byte marks the table's last chunk. A point with
//   every bit set (FF FF FF, FF FF) is the end marker 16777215.
// Anything else is accepted and kept in the block log only. Blocks that a correct tool would
// not send are listed as irregularities, so tests can assert there were none.

inline constexpr int FactoryMemorySize = 704;
inline constexpr std::uint8_t FactoryPage = 0xFF;
inline constexpr std::uint8_t MarkerByte = 0xBB;
inline constexpr int SerialAddress = 0x70;
inline constexpr int TagLength = 19;

// The 32 bytes of the configuration block, decoded. Ranges are scaled as written (x100, or
// x1000 for a voltage input); output limits are in microamperes.
struct UnitConfiguration {
    std::uint8_t inputCode = 0x49;  // Pt-100 (385), three-wire
    std::int32_t rangeMax = 10000;
    std::int32_t rangeMin = 0;
    std::uint8_t options = 0x40;    // up-scale burn-out, 50 Hz, single sensor, degrees Celsius
    std::uint8_t damping = 2;
    std::uint16_t outMin = 4000;
    std::uint16_t outMax = 20000;
    QByteArray tag = QByteArray("TT-101").leftJustified(TagLength, ' ');

    bool operator==(const UnitConfiguration&) const = default;
};

// Gain and offset (gain scaled by 10000) and the two reference values; Max24 means "not set".
struct UnitCalibration {
    std::int32_t gain = unit_wire::Max24;
    std::int32_t offset = unit_wire::Max24;
    std::int32_t lowRef = unit_wire::Max24;
    std::int32_t highRef = unit_wire::Max24;

    bool isSet() const { return gain != unit_wire::Max24 && offset != unit_wire::Max24; }
    bool operator==(const UnitCalibration&) const = default;
};

struct DisplayUnit {
    bool present = true;
    std::uint8_t version = 40;
    std::int16_t low = -200;
    std::int16_t high = 1000;
};

// What the factory reads return: the status byte and the two-byte words.
struct FactoryWords {
    std::uint8_t status = 0x3D;                           // every checksum and the output good
    std::array<std::uint8_t, 2> steps{0xFF, 0xFF};         // 'C': every calibration step done
    std::array<std::uint8_t, 2> sense{0x27, 0x10};         // 'm': 10000
    std::array<std::uint8_t, 2> twoWire{0x00, 0x32};       // 'o': +50
    std::array<std::uint8_t, 2> threeWire{0x80, 0x1E};     // 'n': -30
    std::array<std::uint8_t, 2> ambient{0x01, 0x2C};       // 'c': +300
};

// One sensor table as the unit received it.
struct UnitTable {
    std::uint8_t select = 0;
    std::uint8_t page = 0;
    int pointBytes = 3;
    std::vector<float> points;  // as the table file holds them; the end marker is 16777215
    bool complete = false;
    std::uint8_t nextAddress = 0;

    std::uint8_t firstAddress() const { return std::uint8_t(page + 1); }
};

struct UnitMarker {
    std::uint8_t select = 0;
    std::uint8_t address = 0;
    bool operator==(const UnitMarker&) const = default;
};

struct WrittenBlock {
    std::uint8_t select = 0;
    QByteArray block;  // length byte to the last data byte (the checksum is not kept)
    bool operator==(const WrittenBlock&) const = default;
};

enum class UnitBlockKind { Marker, Configuration, Calibration, FactoryMemory, TableChunk, Unknown };

class UnitMemory {
public:
    UnitMemory(const unit_wire::SerialBytes& serial, UnitConfiguration configuration, DisplayUnit display,
               FactoryWords factory);

    // What a block (length byte to last data byte) written under a select byte is.
    static UnitBlockKind classify(std::uint8_t select, const QByteArray& block);
    // Stores an accepted block (its checksum already checked).
    UnitBlockKind apply(std::uint8_t select, const QByteArray& block);
    void setDisplayRange(std::int16_t low, std::int16_t high);
    void setSerial(const unit_wire::SerialBytes& serial);
    void setFactoryWords(const FactoryWords& factory) { factory_ = factory; }
    void noteIrregularity(const QString& what) { irregularities_ << what; }

    unit_wire::SerialBytes serial() const;
    QString serialText() const;
    const UnitConfiguration& configuration() const { return configuration_; }
    const UnitCalibration& calibration() const { return calibration_; }
    // The first (0), second (1) and third (2) table.
    const UnitTable& table(int index) const { return tables_.at(std::size_t(index)); }
    // The three tables in the layout the tool loads them into.
    SensorTables sensorTables() const;
    const DisplayUnit& display() const { return display_; }
    const FactoryWords& factory() const { return factory_; }
    const std::array<std::uint8_t, FactoryMemorySize>& factoryMemory() const { return factoryMemory_; }
    const std::vector<UnitMarker>& markers() const { return markers_; }
    const std::vector<WrittenBlock>& blocks() const { return blocks_; }
    const QStringList& irregularities() const { return irregularities_; }

private:
    void applyMarker(std::uint8_t select, std::uint8_t address);
    void applyConfiguration(const QByteArray& data);
    void applyCalibration(const QByteArray& data);
    void applyFactoryMemory(std::uint8_t select, std::uint8_t address, const QByteArray& data);
    void applyTableChunk(UnitTable& table, std::uint8_t address, const QByteArray& data, bool final);

    UnitConfiguration configuration_;
    UnitCalibration calibration_;
    std::array<UnitTable, 3> tables_;
    DisplayUnit display_;
    FactoryWords factory_;
    std::array<std::uint8_t, FactoryMemorySize> factoryMemory_{};
    std::vector<UnitMarker> markers_;
    std::vector<WrittenBlock> blocks_;
    QStringList irregularities_;
};
