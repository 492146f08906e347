#include "sim/unit_memory.h"

#include "link/codecs.h"

#include <algorithm>

namespace {

struct TableLocation {
    std::uint8_t select;
    std::uint8_t page;
    int pointBytes;
};

constexpr std::array<TableLocation, 3> TableLocations{{{1, 0x30, 3}, {2, 0x00, 3}, {2, 0xD0, 2}}};

int tableIndex(std::uint8_t select, std::uint8_t page)
{
    for (std::size_t i = 0; i < TableLocations.size(); ++i) {
        if (TableLocations[i].select == select && TableLocations[i].page == page)
            return int(i);
    }
    return -1;
}

std::uint8_t byteAt(const QByteArray& bytes, int index)
{
    return std::uint8_t(bytes.at(index));
}

std::int32_t signed24At(const QByteArray& bytes, int index)
{
    return unit_wire::fromSignMagnitude24(byteAt(bytes, index), byteAt(bytes, index + 1), byteAt(bytes, index + 2));
}

// A table point; all bits set (FF FF FF, or FF FF for 2-byte points) is the end marker, not
// the most negative value.
float tablePointAt(const QByteArray& bytes, int index, int pointBytes)
{
    const bool allSet = bytes.mid(index, pointBytes).count(char(0xFF)) == pointBytes;
    if (allSet)
        return TableEndMarker;
    return float(pointBytes == 3 ? signed24At(bytes, index)
                                 : unit_wire::fromSignMagnitude16(byteAt(bytes, index), byteAt(bytes, index + 1)));
}

QString hex(int value)
{
    return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
}

} // namespace

UnitMemory::UnitMemory(const unit_wire::SerialBytes& serial, UnitConfiguration configuration, DisplayUnit display,
                       FactoryWords factory)
    : configuration_(std::move(configuration)), display_(display), factory_(factory)
{
    for (std::size_t i = 0; i < TableLocations.size(); ++i) {
        tables_[i].select = TableLocations[i].select;
        tables_[i].page = TableLocations[i].page;
        tables_[i].pointBytes = TableLocations[i].pointBytes;
        tables_[i].nextAddress = tables_[i].firstAddress();
    }
    // A recognisable pattern, so that a block landing in the wrong place shows.
    for (std::size_t i = 0; i < factoryMemory_.size(); ++i)
        factoryMemory_[i] = std::uint8_t(i * 37 + 11);
    setSerial(serial);
}

UnitBlockKind UnitMemory::classify(std::uint8_t select, const QByteArray& block)
{
    const int length = byteAt(block, 0) & 0x7F;
    const std::uint8_t address = byteAt(block, 1);
    const std::uint8_t page = byteAt(block, 2);
    if (page == FactoryPage)
        return length == 1 && byteAt(block, 3) == MarkerByte ? UnitBlockKind::Marker : UnitBlockKind::FactoryMemory;
    if (select == 1 && page == 0x00 && address == 0x01 && length == 32)
        return UnitBlockKind::Configuration;
    if (select == 1 && page == 0x22 && address == 0x23 && length == 12)
        return UnitBlockKind::Calibration;
    if (tableIndex(select, page) >= 0)
        return UnitBlockKind::TableChunk;
    return UnitBlockKind::Unknown;
}

UnitBlockKind UnitMemory::apply(std::uint8_t select, const QByteArray& block)
{
    blocks_.push_back({select, block});
    const UnitBlockKind kind = classify(select, block);
    const std::uint8_t address = byteAt(block, 1);
    const QByteArray data = block.mid(3);
    switch (kind) {
    case UnitBlockKind::Marker:
        applyMarker(select, address);
        break;
    case UnitBlockKind::Configuration:
        applyConfiguration(data);
        break;
    case UnitBlockKind::Calibration:
        applyCalibration(data);
        break;
    case UnitBlockKind::FactoryMemory:
        applyFactoryMemory(select, address, data);
        break;
    case UnitBlockKind::TableChunk:
        applyTableChunk(tables_[std::size_t(tableIndex(select, byteAt(block, 2)))], address, data,
                        byteAt(block, 0) & 0x80);
        break;
    case UnitBlockKind::Unknown:
        noteIrregularity(QStringLiteral("unknown block: select %1, page %2, address %3, %4 bytes")
                             .arg(select)
                             .arg(hex(byteAt(block, 2)), hex(address))
                             .arg(data.size()));
        break;
    }
    return kind;
}

void UnitMemory::applyMarker(std::uint8_t select, std::uint8_t address)
{
    markers_.push_back({select, address});
    if (select == 1 && address == 0x22)
        calibration_ = UnitCalibration{};
    const int index = tableIndex(select, address);
    if (index >= 0) {
        UnitTable& table = tables_[std::size_t(index)];
        table.points.clear();
        table.complete = false;
        table.nextAddress = table.firstAddress();
    }
}

void UnitMemory::applyConfiguration(const QByteArray& data)
{
    configuration_.inputCode = byteAt(data, 0);
    configuration_.rangeMax = signed24At(data, 1);
    configuration_.rangeMin = signed24At(data, 4);
    configuration_.options = byteAt(data, 7);
    configuration_.damping = byteAt(data, 8);
    configuration_.outMin = unit_wire::fromWord16(byteAt(data, 9), byteAt(data, 10));
    configuration_.outMax = unit_wire::fromWord16(byteAt(data, 11), byteAt(data, 12));
    configuration_.tag = data.mid(13, TagLength);
}

void UnitMemory::applyCalibration(const QByteArray& data)
{
    calibration_ = {signed24At(data, 0), signed24At(data, 3), signed24At(data, 6), signed24At(data, 9)};
}

void UnitMemory::applyFactoryMemory(std::uint8_t select, std::uint8_t address, const QByteArray& data)
{
    const int start = (select - 1) * 256 + address;
    if (start + data.size() > FactoryMemorySize) {
        noteIrregularity(QStringLiteral("factory memory write beyond its end: select %1, address %2, %3 bytes")
                             .arg(select)
                             .arg(hex(address))
                             .arg(data.size()));
    }
    for (int i = 0; i < data.size() && start + i < FactoryMemorySize; ++i)
        factoryMemory_[std::size_t(start + i)] = byteAt(data, i);
}

void UnitMemory::applyTableChunk(UnitTable& table, std::uint8_t address, const QByteArray& data, bool final)
{
    if (address == table.firstAddress()) {
        table.points.clear();
    } else if (address != table.nextAddress) {
        noteIrregularity(QStringLiteral("table chunk out of sequence: select %1, page %2, address %3, expected %4")
                             .arg(table.select)
                             .arg(hex(table.page), hex(address), hex(table.nextAddress)));
    }
    if (data.size() % table.pointBytes != 0) {
        noteIrregularity(QStringLiteral("table chunk of %1 bytes holds no whole number of points").arg(data.size()));
    }
    for (int i = 0; i + table.pointBytes <= data.size(); i += table.pointBytes)
        table.points.push_back(tablePointAt(data, i, table.pointBytes));
    table.nextAddress = std::uint8_t(address + data.size());
    table.complete = final;
}

void UnitMemory::setDisplayRange(std::int16_t low, std::int16_t high)
{
    display_.low = low;
    display_.high = high;
}

void UnitMemory::setSerial(const unit_wire::SerialBytes& serial)
{
    std::copy(serial.begin(), serial.end(), factoryMemory_.begin() + SerialAddress);
}

unit_wire::SerialBytes UnitMemory::serial() const
{
    unit_wire::SerialBytes bytes{};
    std::copy_n(factoryMemory_.begin() + SerialAddress, bytes.size(), bytes.begin());
    return bytes;
}

SensorTables UnitMemory::sensorTables() const
{
    SensorTables out;
    std::array<SensorTable*, 3> targets{&out.A, &out.B, &out.C};
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        const std::vector<float>& points = tables_[i].points;
        const std::size_t count = std::min({points.size(), targets[i]->values.size(), std::size_t(255)});
        targets[i]->count = std::uint8_t(count);
        std::copy_n(points.begin(), count, targets[i]->values.begin());
    }
    return out;
}

QString UnitMemory::serialText() const
{
    const unit_wire::SerialBytes bytes = serial();
    return SerialFromBytes(bytes[0], bytes[1], bytes[2], bytes[3]);
}
