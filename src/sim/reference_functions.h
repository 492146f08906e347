#pragma once

// The published characteristics of the sensors the transmitter supports, as functions of the
// measured quantity (data/README.md names the source of every coefficient set), and the tables
// that linearise them.

#include "model/input_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one primary table linearises: the reading quantity (°C, Ohm, mV or %) as a function of the
// raw input. The raw input is `RawInput(sensor, quantity)`; the reading is `quantity * outputScale`
// rounded.
struct SensorCharacteristic {
    std::string name;           // the input types that use the table, as the catalogue shows them
    std::string primaryFile;    // e.g. "pk.dat"
    std::string secondaryFile;  // the cold-junction table of a thermocouple, else "lvoid.dat"
    InputFamily family = InputFamily::Thermocouple;
    std::uint8_t readingUnits = UnitsCelsius;  // of the quantity: °C, Ohm, mV or %
    double (*published)(double quantity) = nullptr;  // EMF in µV, R(t) / R(0 °C), or the quantity itself
    double rawScale = 1.0;      // raw input units per unit of the published value
    // Quantities where the published function changes from one piece to the next; a table
    // segment should not straddle them.
    std::vector<double> joins;
    double low = 0.0;           // range covered by the table: the limits of its input types,
    double high = 0.0;          // within the range where the function is published
    double outputScale = 100.0; // reading units per quantity unit
};

// Raw input units: thermocouple and millivolt inputs 0.1 µV; RTDs 10^-6 of R(0 °C); the resistor
// 1 mOhm; the potentiometer 10^-6 of the element.
double RawInput(const SensorCharacteristic& sensor, double quantity);

// Thermoelectric EMF of a thermocouple in µV at t °C with the reference junction at 0 °C.
double ThermocoupleEmf(const SensorCharacteristic& thermocouple, double t);

// One characteristic for every primary table, in the order of the input types.
std::vector<SensorCharacteristic> SensorCharacteristics();

// The characteristic of an input code's primary table; nothing for a code without tables.
std::optional<SensorCharacteristic> SensorCharacteristicOf(std::uint8_t inputCode);
