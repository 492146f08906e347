#include "model/sensor_tables.h"
#include "sim/unit_linearisation.h"
#include "support/scripted_operator.h"
#include "sim/reference_functions.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString DataDir = QStringLiteral(DATA_DIR);

// A code of an input type whose primary table is the file.
std::uint8_t codeOf(const std::string& file)
{
    for (const InputType& type : InputTypes)
        for (std::uint8_t code : type.codes.byWiring)
            if (file == type.primaryFile && code != NoCode)
                return code;
    ADD_FAILURE() << "no input type reads " << file;
    return NoCode;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Loaded {
    Curve primary;
    std::optional<Curve> coldJunction;
};

// The tables of a code loaded as "Update Unit" loads them, read back as the unit reads them.
std::optional<Loaded> load(std::uint8_t code)
{
    SensorTables tables;
    ScriptedOperator op;
    if (!LoadPrimaryTables(DataDir, code, tables, op) || !LoadSecondaryTable(DataDir, code, tables, op))
        return std::nullopt;
    const auto primary = PrimaryCurve(tables);
    if (!primary)
        return std::nullopt;
    return Loaded{*primary, SecondaryCurve(tables)};
}

// The figures data/README.md states for a table: worst error and cold-junction error (µV).
std::pair<double, double> statedFigures(const std::string& file)
{
    for (const QByteArray& line : readAll(DataDir + "/README.md").split('\n')) {
        const QList<QByteArray> cells = line.split('|');
        if (cells.size() > 6 && cells[2].trimmed() == QByteArray::fromStdString(file))
            return {cells[4].trimmed().split(' ')[0].toDouble(), cells[5].trimmed().split(' ')[0].toDouble()};
    }
    ADD_FAILURE() << file << " has no row in data/README.md";
    return {0.0, 0.0};
}

TEST(SensorTableFiles, GeneratorReproducesTheCommittedFiles)
{
    QTemporaryDir out;
    QProcess generator;
    generator.start(QStringLiteral(GENERATOR), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(300000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const QStringList generated = QDir(out.path()).entryList({"*.dat"}, QDir::Files, QDir::Name);
    EXPECT_EQ(generated, QDir(DataDir).entryList({"*.dat"}, QDir::Files, QDir::Name));
    EXPECT_EQ(generated.size(), 38);  // 23 primary files, 14 cold-junction files, lvoid.dat
    for (const QString& name : generated)
        EXPECT_EQ(readAll(out.filePath(name)), readAll(DataDir + "/" + name)) << name.toStdString();
}

TEST(SensorTableFiles, EveryFileLoadsAndEveryValueSurvivesItsWireEncoding)
{
    const QRegularExpression line(QStringLiteral("^-?\\d+ -?\\d+ -?\\d+ -?\\d+\r$"));
    for (const QString& name : QDir(DataDir).entryList({"*.dat"}, QDir::Files)) {
        const bool secondary = name.startsWith('l');
        const QList<QByteArray> lines = readAll(DataDir + "/" + name).split('\n');
        ASSERT_TRUE(lines.last().isEmpty()) << name.toStdString() << ": the last line ends with CR LF";
        EXPECT_LE(lines.size() - 1, secondary ? 63 : 85) << name.toStdString();
        for (int i = 0; i + 1 < lines.size(); ++i) {
            const QString text = QString::fromLatin1(lines[i]);
            ASSERT_TRUE(line.match(text).hasMatch()) << name.toStdString() << ": " << text.toStdString();
            const QStringList numbers = text.trimmed().split(' ');
            const bool end = i + 2 == lines.size();
            EXPECT_EQ(numbers[0] == "16777215", end) << name.toStdString() << " line " << i;
            for (int k = end ? 1 : 0; k < 4; ++k)
                EXPECT_LE(std::abs(numbers[k].toLongLong()), secondary ? 32766 : 8388606)
                    << name.toStdString() << " line " << i;
        }
    }
    // Every code of every input type with tables finds them here; only thermocouples have a
    // cold-junction table.
    for (const InputType& type : InputTypes)
        for (std::uint8_t code : type.codes.byWiring) {
            if (code == NoCode || type.reference == ReferenceFunction::None)
                continue;
            const auto tables = load(code);
            ASSERT_TRUE(tables) << type.name << " code " << int(code);
            EXPECT_EQ(tables->coldJunction.has_value(), type.family == InputFamily::Thermocouple) << type.name;
        }
}

// Printed table values: the reading of a published EMF or resistance ratio, cold junction at 0 °C.
TEST(SensorTableFiles, ReadingsMatchPublishedTableValues)
{
    struct Point {
        const char* file;
        double published;  // mV, or R/R0
        double celsius;
        double tolerance;  // the printed value's rounding in °C, plus 0.01 °C
    };
    const Point points[] = {
        {"pk.dat", -5.891, -200, 0.05},  {"pk.dat", 4.096, 100, 0.03},   {"pk.dat", 14.293, 350, 0.03},
        {"pk.dat", 20.644, 500, 0.03},   {"pk.dat", 41.276, 1000, 0.03}, {"pj.dat", 19.090, 350, 0.03},
        {"pj.dat", 42.919, 760, 0.03},   {"pe.dat", -5.237, -100, 0.03}, {"pe.dat", 24.964, 350, 0.02},
        {"pe.dat", 76.373, 1000, 0.02},  {"pt.dat", -5.603, -200, 0.06}, {"pt.dat", -1.819, -50, 0.03},
        {"pt.dat", 17.819, 350, 0.03},   {"ps.dat", 2.786, 350, 0.07},   {"ps.dat", 14.373, 1400, 0.06},
        {"pr.dat", 2.896, 350, 0.07},    {"pn.dat", 11.136, 350, 0.03},  {"pn.dat", 47.513, 1300, 0.03},
        {"pb.dat", 0.786, 400, 0.15},    {"pb.dat", 13.820, 1820, 0.07}, {"pu.dat", -3.40, -100, 0.2},
        {"pu.dat", 14.90, 300, 0.15},    {"pu.dat", 27.41, 500, 0.15},   {"pl.dat", -4.75, -100, 0.15},
        {"pl.dat", 10.95, 200, 0.15},    {"pl.dat", 22.16, 400, 0.15},   {"pt10385.dat", 0.1852, -200, 0.02},
        {"pt10385.dat", 1.3851, 100, 0.02}, {"pt10385.dat", 3.90481, 850, 0.02}, {"pni1000.dat", 0.7426, -50, 0.02},
        {"pni1000.dat", 1.0555, 10, 0.02}, {"pni1000.dat", 1.1009, 18, 0.02},
    };
    for (const Point& point : points) {
        const auto tables = load(codeOf(point.file));
        ASSERT_TRUE(tables) << point.file;
        const bool thermocouple = tables->coldJunction.has_value();
        const auto raw = std::llround(point.published * (thermocouple ? 1e4 : 1e6));
        const double reading = double(thermocouple ? ThermocoupleReading(tables->primary, *tables->coldJunction, raw, 0)
                                                   : CurveValue(tables->primary, raw)) / 100.0;
        EXPECT_NEAR(reading, point.celsius, point.tolerance) << point.file << " at " << point.published;
    }
    // 4.096 mV at the terminals of a type K thermocouple whose terminals are at 25 °C: 124.3 °C.
    const auto k = load(0x61);
    ASSERT_TRUE(k);
    EXPECT_NEAR(double(ThermocoupleReading(k->primary, *k->coldJunction, 40960, 2500)) / 100.0, 124.3, 0.06);
}

// Every whole raw input across the range, the true value found by bisection of the reference
// function, stays within the worst error that data/README.md states.
TEST(SensorTableFiles, LinearisationStaysWithinTheStatedError)
{
    for (const SensorCharacteristic& sensor : SensorCharacteristics()) {
        const std::string& file = sensor.primaryFile;
        const auto tables = load(codeOf(file));
        ASSERT_TRUE(tables) << file;
        const auto [stated, statedColdJunction] = statedFigures(file);
        const auto first = std::int64_t(std::ceil(RawInput(sensor, sensor.low)));
        const auto last = std::int64_t(std::floor(RawInput(sensor, sensor.high)));
        const std::int64_t step = std::max<std::int64_t>(1, (last - first) / 20000);
        double worst = 0.0;
        for (std::int64_t x = first; x <= last; x += step) {
            double low = sensor.low - 1.0, high = sensor.high + 1.0;
            for (int i = 0; i < 60; ++i)
                (RawInput(sensor, 0.5 * (low + high)) < double(x) ? low : high) = 0.5 * (low + high);
            worst = std::max(worst, std::abs(double(CurveValue(tables->primary, x)) / sensor.outputScale - low));
        }
        EXPECT_LE(worst, stated + 1e-4) << file;
        if (tables->coldJunction) {
            double worstEmf = 0.0;
            for (std::int64_t t = -4000; t <= 8500; t += 7)
                worstEmf = std::max(worstEmf, std::abs(double(ColdJunctionEmf(*tables->coldJunction, t)) / 10.0
                                                       - ThermocoupleEmf(sensor, double(t) / 100.0)));
            EXPECT_LE(worstEmf, statedColdJunction + 0.005) << file;
        }
    }
}

} // namespace
