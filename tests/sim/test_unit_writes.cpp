#include "sim_bench.h"

#include "link/codecs.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(SimulatedUnitWrites, SelectAndBlockAcknowledgesARightChecksumAndAsksAgainForAWrongOne)
{
    Bench bench;
    // The display range and the finish are single frames.
    EXPECT_EQ(bench.exchange(hex("41 FF 9C 01 F4 00")).toHex(' '), "a5");
    EXPECT_EQ(bench.exchange("B").toHex(' '), "42 ff 9c 01 f4");
    EXPECT_EQ(bench.exchange("ZZ").toHex(' '), "5a 5a");
    EXPECT_EQ(bench.unit.finishCount(), 2);

    EXPECT_EQ(bench.exchange(hex("01"), 0.05).toHex(' '), "01");
    EXPECT_EQ(bench.exchange(hex("81 00 FF BB 00")).toHex(' '), "bb");
    EXPECT_TRUE(bench.unit.memory().blocks().empty());

    EXPECT_EQ(bench.exchange(hex("01"), 0.05).toHex(' '), "01");
    EXPECT_EQ(bench.exchange(hex("81 00 FF BB C4")).toHex(' '), "a5");
    EXPECT_EQ(bench.unit.memory().markers(), (std::vector<UnitMarker>{{1, 0x00}}));
    EXPECT_TRUE(bench.unit.memory().irregularities().isEmpty());
}

TEST(SimulatedUnitWrites, ConfigurationAndSerialBlocksChangeWhatTheReadsReturn)
{
    Bench bench;
    // Type K, 1200.00 .. -50.00, options 0x58, damping 5, 20 -> 4 mA, tag "TE-7 BOILER".
    const QByteArray block = hex("A0 01 00 61 01 D4 C0 80 13 88 58 05 4E 20 0F A0") + "TE-7 BOILER        ";
    EXPECT_EQ(bench.writeBlock(1, block).toHex(' '), "01 a5");
    // Code, the options behind q, range 1200.00 .. -50.00, output 20 -> 4 mA, damping, tag.
    EXPECT_EQ(bench.exchange("tsqxv459p").toHex(' '), "74 61 73 05 0c 03 07 71 58 78 01 d4 c0 76 80 13 88 34 4e 20 35 0f a0 "
                                                     "39 05 70 54 45 2d 37 20 42 4f 49 4c 45 52 20 20 20 20 20 20 20 20");
    EXPECT_EQ(bench.unit.memory().configuration().tag, QByteArray("TE-7 BOILER        "));
    EXPECT_TRUE(bench.unit.memory().irregularities().isEmpty());

    // A serial number block lands in factory memory.
    EXPECT_EQ(bench.writeBlock(1, hex("84 70 FF 01 02 03 04")).toHex(' '), "01 a5");
    EXPECT_EQ(bench.exchange("s").toHex(' '), "73 01 02 03 04");
    EXPECT_EQ(bench.unit.memory().factoryMemory()[0x73], 0x04);
}

TEST(SimulatedUnitWrites, CalibrationBlockCorrectsTheReading)
{
    struct Case {
        const char* name;
        std::uint8_t inputCode;
        double input;
        float gain;
        float offset;
        const char* reading;
    };
    const Case cases[] = {
        {"not set", 0x49, 25.0, 8388607.0f, 8388607.0f, "38 00 09 c4"},
        {"offset trim of -0.30 °C", 0x49, 25.0, 10000.0f, -30.0f, "38 00 09 a6"},                   // 2470
        {"two-point, gain 1.002004, offset -0.4008", 0x49, 25.0, 10020.04f, -4008.016f, "38 00 09 a1"},  // 24.6492
        {"offset trim of -0.0123 mV", 0xA0, 25.0, 10000.0f, -12.3f, "38 00 61 9c"},                 // 24988
    };
    for (const Case& c : cases) {
        UnitSettings settings = steadySettings();
        settings.configuration.inputCode = c.inputCode;
        settings.input.setpoint = c.input;
        Bench bench(settings);
        QByteArray block = hex("8C 23 22");
        for (float value : {c.gain, c.offset, OffsetMarker, OffsetMarker}) {
            const auto bytes = EncodeSigned24(value).value();
            block.append(reinterpret_cast<const char*>(bytes.data()), 3);
        }
        EXPECT_EQ(bench.writeBlock(1, block).toHex(' '), "01 a5") << c.name;
        EXPECT_EQ(bench.exchange("8").toHex(' '), QByteArray(c.reading)) << c.name;
        EXPECT_EQ(bench.exchange("uw").toHex(' '), "75 00 6f ff 77 00 6f ff") << c.name;
    }
}

TEST(SimulatedUnitWrites, MarkersClearMaximumMinimumCalibrationAndTables)
{
    Bench bench;
    for (double input : {20.0, 30.0, 25.0}) {
        bench.unit.readings().setInput({input, 0, 0});
        bench.exchange("8");
    }
    bench.writeBlock(1, hex("8C 23 22 00 27 10 80 00 1E 00 6F FF 00 6F FF"));
    writeTable(bench, 1, 0x30, {1, 2, 3}, 3);
    EXPECT_EQ(bench.exchange("8yz").toHex(' '), "38 00 09 a6 79 00 0b b8 7a 00 07 d0");

    bench.writeBlock(1, hex("81 E0 FF BB"));
    EXPECT_EQ(bench.exchange("yz").toHex(' '), "79 00 09 a6 7a 00 07 d0");
    bench.writeBlock(1, hex("81 EC FF BB"));
    EXPECT_EQ(bench.exchange("z").toHex(' '), "7a 00 09 a6");
    bench.writeBlock(1, hex("81 22 FF BB"));
    EXPECT_EQ(bench.exchange("8u").toHex(' '), "38 00 09 c4 75 7f ff ff");
    EXPECT_EQ(bench.unit.memory().table(0).points.size(), 3u);
    bench.writeBlock(1, hex("81 30 FF BB"));
    EXPECT_TRUE(bench.unit.memory().table(0).points.empty());

    bench.unit.setBurnOut(true);
    bench.writeBlock(1, hex("81 E0 FF BB"));
    bench.writeBlock(1, hex("81 EC FF BB"));
    EXPECT_EQ(bench.exchange("yz").toHex(' '), "79 bf ff ff 7a 3f ff ff");  // no reading recorded
}

TEST(SimulatedUnitWrites, TableChunksAreStoredExactlyAndInSequence)
{
    Bench bench;
    std::vector<float> first(45);
    std::iota(first.begin(), first.end(), -20.0f);
    first.back() = 16777215.0f;  // end marker
    std::vector<float> third(40);
    std::iota(third.begin(), third.end(), -300.0f);
    EXPECT_EQ(writeTable(bench, 1, 0x30, first, 3).toHex(' '), "a5 a5 a5");
    EXPECT_EQ(writeTable(bench, 2, 0xD0, third, 2).toHex(' '), "a5 a5");

    const UnitMemory& memory = bench.unit.memory();
    EXPECT_EQ(memory.table(0).points, first);
    EXPECT_TRUE(memory.table(0).complete);
    EXPECT_EQ(memory.table(2).points, third);
    EXPECT_TRUE(memory.table(1).points.empty());
    std::vector<std::pair<int, int>> heads;
    for (const WrittenBlock& block : memory.blocks())
        heads.push_back({std::uint8_t(block.block[0]), std::uint8_t(block.block[1])});
    EXPECT_EQ(heads, (std::vector<std::pair<int, int>>{{63, 0x31}, {63, 0x70}, {0x89, 0xAF}, {62, 0xD1}, {0x92, 0x0F}}));
    EXPECT_TRUE(memory.irregularities().isEmpty());

    // A chunk that does not continue where the table stands is stored but noted.
    bench.writeBlock(2, hex("83 40 00 00 00 01"));
    EXPECT_EQ(memory.irregularities().size(), 1);
}

TEST(SimulatedUnitWrites, ReadingGoesThroughTheTablesTheUnitHolds)
{
    // Pt-100: one flat segment over the whole input, reading 123.45 whatever the resistance.
    Bench rtd;
    writeTable(rtd, 1, 0x30, {800000, 1400000, 16777215}, 3);
    writeTable(rtd, 2, 0x00, {12345, 0, 0, 12345, 0, 0, 0, 0, 0}, 3);
    writeTable(rtd, 2, 0xD0, {16777215, 0, 0, 0}, 2);
    EXPECT_EQ(rtd.exchange("8").toHex(' '), "38 00 30 39");

    // Type K: the primary curve passes the voltage through (0.01 °C per 0.1 µV) and the cold
    // junction adds a flat 123 µV, so with the input at the terminal temperature only that shows.
    UnitSettings settings = steadySettings();
    settings.configuration.inputCode = 0x61;
    settings.input.setpoint = 23.5;
    Bench thermocouple(settings);
    writeTable(thermocouple, 1, 0x30, {-500000, 500000, 16777215}, 3);
    writeTable(thermocouple, 2, 0x00, {-500000, 1, 0, 500000, 0, 0, 0, 0, 0}, 3);
    writeTable(thermocouple, 2, 0xD0, {-4000, 123, 0, 0, 8500, 123, 0, 0, 16777215, 0, 0, 0}, 2);
    EXPECT_EQ(thermocouple.exchange("8").toHex(' '), "38 00 04 ce");  // 12.30
    thermocouple.unit.readings().setInput({24.5, 0, 0});
    const QByteArray warmer = thermocouple.exchange("8");
    ASSERT_EQ(warmer.size(), 4);
    EXPECT_GT(DecodeSigned24(warmer[1], warmer[2], warmer[3]), 1230.0f);

    // While a table is being rewritten the unit measures exactly.
    rtd.writeBlock(1, hex("81 30 FF BB"));
    EXPECT_EQ(rtd.exchange("8").toHex(' '), "38 00 09 c4");
}

TEST(SimulatedUnitWrites, UploadSendsElevenBlocksAndResendsOnRequest)
{
    Bench bench;
    const auto& memory = bench.unit.memory().factoryMemory();
    auto expectBlock = [&memory](const QByteArray& reply, int k, std::uint8_t seed) {
        ASSERT_EQ(reply.size(), 66) << "block " << k;
        EXPECT_EQ(std::uint8_t(reply[0]), k);
        const QByteArray data = reply.mid(1, 64);
        EXPECT_EQ(data, QByteArray(reinterpret_cast<const char*>(memory.data()) + 64 * k, 64));
        EXPECT_EQ(std::uint8_t(reply[65]), BlockChecksum(seed, data)) << "block " << k;
    };
    // The echo comes alone; the first block follows after a pause.
    EXPECT_EQ(bench.exchange(hex("AA"), 0.05).toHex(' '), "aa");
    expectBlock(bench.exchange({}, 0.2), 0, 0xAA);
    expectBlock(bench.exchange(hex("A5")), 1, 0xA5);
    expectBlock(bench.exchange(hex("BB")), 1, 0xBB);
    for (int k = 2; k < 11; ++k)
        expectBlock(bench.exchange(hex("A5")), k, 0xA5);
    EXPECT_TRUE(bench.exchange(hex("A5")).isEmpty());
    EXPECT_EQ(bench.unit.uploadsCompleted(), 1);
    EXPECT_EQ(bench.exchange("t").toHex(' '), "74 49");
}

TEST(SimulatedUnitWrites, DownloadStoresTheImageAndItsSerialNumber)
{
    Bench bench;
    std::array<std::uint8_t, FactoryMemorySize> image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(255 - i % 251);
    image[0x70] = 9;
    image[0x71] = 8;
    image[0x72] = 7;
    image[0x73] = 6;
    QByteArray answers;
    for (int k = 0; k < 11; ++k) {
        const int select = k < 4 ? 1 : k < 8 ? 2 : 3;
        const int address = (k % 4) * 0x40;
        QByteArray block = hex("40");
        block.append(char(address));
        block.append(char(0xFF));
        block.append(reinterpret_cast<const char*>(image.data()) + (select - 1) * 256 + address, 64);
        answers += bench.writeBlock(std::uint8_t(select), block);
    }
    EXPECT_EQ(answers.toHex(' '), "01 a5 01 a5 01 a5 01 a5 02 a5 02 a5 02 a5 02 a5 03 a5 03 a5 03 a5");
    EXPECT_EQ(bench.unit.memory().factoryMemory(), image);
    EXPECT_EQ(bench.exchange("s").toHex(' '), "73 09 08 07 06");
    EXPECT_TRUE(bench.unit.memory().irregularities().isEmpty());
}
