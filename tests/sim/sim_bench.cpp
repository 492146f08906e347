#include "sim_bench.h"

#include "link/codecs.h"

UnitSettings steadySettings()
{
    UnitSettings settings;
    settings.input = {25.0, 0.0, 0.0};
    return settings;
}

Bench::Bench(UnitSettings settings) : unit(clock, std::move(settings)), port(unit)
{
    int error = 0;
    port.open(QStringLiteral("/dev/simulated"), QStringLiteral("9600,E,8,1"), error);
}

QByteArray Bench::exchange(const QByteArray& request, double seconds)
{
    port.write(request);
    clock.advance(seconds);
    return port.readAll();
}

QByteArray Bench::writeBlock(std::uint8_t select, const QByteArray& block)
{
    // The tool sends the block 50 ms after the echo has come.
    const QByteArray echo = exchange(QByteArray(1, char(select)), 0.05);
    return echo + exchange(withChecksum(select, block));
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray withChecksum(std::uint8_t seed, QByteArray block)
{
    return block.append(char(BlockChecksum(seed, block)));
}

QByteArray writeTable(Bench& bench, std::uint8_t select, std::uint8_t page, const std::vector<float>& values,
                      int pointBytes)
{
    const std::size_t perChunk = pointBytes == 3 ? 21 : 31;
    auto address = std::uint8_t(page + 1);
    QByteArray answers;
    for (std::size_t first = 0; first < values.size(); first += perChunk) {
        QByteArray data;
        for (std::size_t i = first; i < std::min(values.size(), first + perChunk); ++i) {
            if (pointBytes == 3) {
                const auto bytes = EncodeSigned24(values[i]).value();
                data.append(reinterpret_cast<const char*>(bytes.data()), 3);
            } else {
                const auto bytes = EncodeSigned16(values[i]);
                data.append(reinterpret_cast<const char*>(bytes.data()), 2);
            }
        }
        const bool final = first + perChunk >= values.size();
        QByteArray block;
        block.append(char(data.size() | (final ? 0x80 : 0)));
        block.append(char(address));
        block.append(char(page));
        block.append(data);
        answers += bench.writeBlock(select, block).mid(1);
        address = std::uint8_t(address + data.size());
    }
    return answers;
}
