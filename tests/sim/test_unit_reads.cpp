#include "sim_bench.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

struct ReadCase {
    const char* command;
    const char* reply;
};

} // namespace

TEST(SimulatedUnitReads, EveryReadCommandAnswersWithItsEchoAndLength)
{
    // The default unit, input at 25.00 °C, terminals at 23.50 °C, no calibration.
    const ReadCase cases[] = {
        {"s", "73 05 0C 03 07"},  // serial 0512307
        {"t", "74 49"},           // Pt-100 (385), three-wire
        {"4", "34 0F A0"},        // 4000 µA
        {"5", "35 4E 20"},        // 20000 µA
        {"9", "39 02"},
        {"8", "38 00 09 C4"},     // 2500
        {"u", "75 7F FF FF"},     // not calibrated
        {"w", "77 7F FF FF"},
        {"x", "78 00 27 10"},     // 100.00 °C
        {"v", "76 00 00 00"},
        {"y", "79 00 09 C4"},
        {"z", "7A 00 09 C4"},
        {"r", "72 00 09 2E"},     // 2350
        {"p", "70 54 54 2D 31 30 31 20 20 20 20 20 20 20 20 20 20 20 20 20"},
        {"C", "43 28"},           // display version 40
        {"B", "42 FF 38 03 E8"},  // display -200 .. 1000
        {"m", "6D 27 10"},
        {"o", "6F 00 32"},
        {"n", "6E 80 1E"},
        {"c", "63 01 2C"},
    };
    for (const ReadCase& c : cases) {
        Bench bench;
        EXPECT_EQ(bench.exchange(c.command).toHex(' '), hex(c.reply).toHex(' ')) << "command " << c.command;
    }
}

TEST(SimulatedUnitReads, QAndCAnswerByTheCommandsBeforeThem)
{
    const struct {
        const char* name;
        const char* before;
        const char* command;
        const char* reply;
    } cases[] = {
        {"q opening a connect", "ts", "q", "71 40"},
        {"q opening a connect, serial read twice", "tss", "q", "71 40"},
        {"q alone", "", "q", "71 3d"},
        {"q after a poll", "s8yzr", "q", "71 3d"},
        {"q of a second Get Values", "qCmoncs", "q", "71 3d"},
        {"C in the connect sequence", "tsq45985uwxvy", "C", "43 28"},
        {"C right after a factory q", "q", "C", "43 ff ff"},
        {"C repeated after a factory q", "qC", "C", "43 ff ff"},
        {"C after the connect q", "tsq", "C", "43 28"},
        {"C after another command", "q8", "C", "43 28"},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.exchange(c.before);
        EXPECT_EQ(bench.exchange(c.command).toHex(' '), QByteArray(c.reply)) << c.name;
    }
}

TEST(SimulatedUnitReads, UnitWithoutDisplayIgnoresDisplayReadsButAcknowledgesTheRange)
{
    UnitSettings settings = steadySettings();
    settings.display.present = false;
    Bench bench(settings);
    EXPECT_TRUE(bench.exchange("C").isEmpty());
    EXPECT_TRUE(bench.exchange("B").isEmpty());
    EXPECT_EQ(bench.exchange(hex("41 00 00 00 64 00")).toHex(' '), "a5");
    EXPECT_EQ(bench.exchange("qC").toHex(' '), "71 3d 43 ff ff");  // the factory form stays
    EXPECT_TRUE(bench.exchange("K").isEmpty());                 // an unknown command is noted
    EXPECT_EQ(bench.unit.memory().irregularities().size(), 1);
}

TEST(SimulatedUnitReads, ReadingFollowsTheSlowInputAndMinMaxFollowTheReading)
{
    UnitSettings settings;
    settings.input = {50.0, 2.0, 40.0};
    Bench bench(settings);
    bench.clock.advance(10.0);  // a quarter period: the crest
    EXPECT_EQ(bench.exchange("8").toHex(' '), "38 00 14 50");  // 52.00
    bench.clock.advance(19.5);  // three quarters: the trough
    EXPECT_EQ(bench.exchange("8").toHex(' '), "38 00 12 c0");  // 48.00
    EXPECT_EQ(bench.exchange("y").toHex(' '), "79 00 14 50");
    EXPECT_EQ(bench.exchange("z").toHex(' '), "7a 00 12 c0");
}

TEST(SimulatedUnitReads, TemperatureUnitsPercentAndVoltageScale)
{
    struct Case {
        const char* name;
        std::uint8_t inputCode;
        std::uint8_t options;
        double input;
        const char* reading;
        const char* ambient;
    };
    const Case cases[] = {
        {"°C", 0x49, 0x40, 25.0, "38 00 09 c4", "72 00 09 2e"},
        {"°F", 0x49, 0x48, 25.0, "38 00 1e 14", "72 00 1d 06"},  // 77.00 °F, 74.30 °F
        {"% of 0..100", 0x49, 0x44, 25.0, "38 00 09 c4", "72 00 09 2e"},
        {"thermocouple % of 0..100", 0x61, 0x44, 75.0, "38 00 1d 4c", "72 00 09 2e"},
        {"mV x1000", 0xA0, 0x40, -12.345, "38 80 30 39", "72 00 09 2e"},
        {"potentiometer %", 0xD0, 0x40, 33.3, "38 00 0d 02", "72 00 09 2e"},
    };
    for (const Case& c : cases) {
        UnitSettings settings = steadySettings();
        settings.configuration.inputCode = c.inputCode;
        settings.configuration.options = c.options;
        settings.input.setpoint = c.input;
        Bench bench(settings);
        EXPECT_EQ(bench.exchange("8").toHex(' '), QByteArray(c.reading)) << c.name;
        EXPECT_EQ(bench.exchange("r").toHex(' '), QByteArray(c.ambient)) << c.name;
    }
}

TEST(SimulatedUnitReads, AmbientReadingFollowsTheTerminals)
{
    Bench bench;
    bench.unit.readings().setAmbient(-5.25);
    EXPECT_EQ(bench.exchange("r").toHex(' '), "72 80 02 0d");
    bench.unit.readings().setAmbient(std::nullopt);
    EXPECT_EQ(bench.exchange("r").toHex(' '), "72 00 7f ff");  // no ambient reading
}

// A reference applied at 0 s moves the input from 25 to 75 with a 2 s time constant; the unit
// adds its drift of 0.3 and a noise of at most 0.004 (readings in hundredths).
TEST(SimulatedUnitReads, AppliedInputSettlesFirstOrderWithDriftAndNoise)
{
    UnitSettings settings = steadySettings();
    ReadingModel model({25.0, 0.0, 0.0, 2.0, 0.004}, std::nullopt);
    model.setDrift(0.3);
    const UnitMemory memory(settings.serial, settings.configuration, settings.display, settings.factory);
    model.applyInput(75.0, 0.0);
    for (double seconds : {0.0, 2.0, 6.0, 30.0}) {
        const double expected = 75.3 - 50.0 * std::exp(-seconds / 2.0);
        EXPECT_NEAR(model.measure(memory, seconds) / 100.0, expected, 0.004 + 0.005) << seconds;
    }
    std::set<std::int32_t> seen;
    for (int i = 0; i < 50; ++i)
        seen.insert(model.measure(memory, 100.0 + i));
    EXPECT_EQ(seen, (std::set<std::int32_t>{7530}));  // noise below half a hundredth leaves 75.30
    model.setInput({75.005, 0.0, 0.0, 0.0, 0.004});
    for (int i = 0; i < 50; ++i)
        seen.insert(model.measure(memory, 300.0 + i));
    EXPECT_EQ(seen, (std::set<std::int32_t>{7530, 7531}));  // ... and moves a value between two
}
