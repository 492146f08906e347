#pragma once

#include "cli/cli_commands.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/conf_record.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A configuration for an input code that differs from the simulated unit's default in every
// field the unit keeps.
inline ConfRecord newConfiguration(std::uint8_t inputCode)
{
    ConfRecord r = ZeroConfRecord();
    LookupInputCode(BuildCatalogue(), r, inputCode);
    r.Serial = QStringLiteral("7654321");
    r.Tag = QStringLiteral("TT-202 BOILER FEED1");  // all 19 characters: the unit pads shorter tags
    r.BurnOut = r.Freq = r.Mode = 1;
    r.Units = r.AmbUnits = UnitsFahrenheit;
    r.OutMin = 20;
    r.OutMax = 4;
    r.Damping = 5;
    r.RangeMax = 1200;
    r.RangeMin = -50.5f;
    r.CalLowRef = r.CalLowRead = r.CalHighRef = r.CalHighRead = r.CalGain = r.CalOffset = NoCal;
    return r;
}

// The configuration line as delvo2-cli prints it.
inline QByteArray printedLine(const ConfRecord& record)
{
    return ConfFileLine(record).replace("\r\n", "\n");
}

// delvo2-cli in virtual time against a simulated unit held at 25 °C, with a temporary program
// folder and settings; what the program prints is collected. A check applies its references to
// the simulated unit; Enter is pressed `enters` times, then the input ends.
struct CliTest : ::testing::Test {
    QTemporaryDir appDir;
    VirtualClock clock;
    SimulatedUnit unit{clock, [] {
                           UnitSettings steady;
                           steady.input = {25.0, 0.0, 0.0};
                           return steady;
                       }()};
    SimulatedPort port{unit};
    QTemporaryDir userData;
    QByteArray out;
    QByteArray err;
    QSettings settings{appDir.filePath("settings.ini"), QSettings::IniFormat};
    int enters = 0;
    CliHost host{clock,
                 [this](const PortChoice&) -> SerialPort& { return port; },
                 [this](const QByteArray& bytes) { out += bytes; },
                 [this](const QByteArray& bytes) { err += bytes; },
                 std::nullopt,
                 QDir::currentPath(),
                 {},
                 [this](bool demo) { return userData.filePath(demo ? "demo-history" : "history"); },
                 [this] { return enters-- > 0; },
                 [this](double reference) { unit.applyInput(reference); },
                 [this]() -> QSettings& { return settings; }};

    // Runs the program with these arguments after "--port simulated --appdir <appDir>".
    int run(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        return RunCli(QStringList{"delvo2-cli", "--port", "simulated", "--appdir", appDir.path()} + arguments, host);
    }

    QString path(const QString& name) const { return appDir.filePath(name); }

    QString writeConfiguration(const ConfRecord& record, const QString& name, std::initializer_list<const char*> tables)
    {
        for (const char* table : tables)
            QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(table), path(QLatin1String(table)));
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ConfFileLine(record));
        return path(name);
    }
};
