#pragma once

#include "platform/virtual_clock.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

// The default unit with its input held at 25.00 °C.
UnitSettings steadySettings();

// A simulated unit on an open simulated port, in virtual time.
struct Bench {
    explicit Bench(UnitSettings settings = steadySettings());

    // Writes the request and gives what has arrived `seconds` later.
    QByteArray exchange(const QByteArray& request, double seconds = 0.5);
    // A select byte and its block (checksum appended here); gives the echo and the answer.
    QByteArray writeBlock(std::uint8_t select, const QByteArray& block);

    VirtualClock clock;
    SimulatedUnit unit;
    SimulatedPort port;
};

// "74 49" -> bytes.
QByteArray hex(const char* text);
QByteArray withChecksum(std::uint8_t seed, QByteArray block);

// Sends the values of one table in chunks as "Update Unit" does (21 3-byte or 31 2-byte points
// a chunk, the address running on); gives the unit's answers to the chunks.
QByteArray writeTable(Bench& bench, std::uint8_t select, std::uint8_t page, const std::vector<float>& values,
                      int pointBytes);
