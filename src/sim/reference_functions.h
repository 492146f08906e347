#pragma once

// The published characteristics of the sensors the transmitter supports, as functions of
// temperature (data/README.md names the source of every coefficient set).

#include <string>
#include <vector>

enum class ThermocoupleType { K, J, E, T, S, R, N, L, U, B, W, W3, W5, C };

// Thermoelectric EMF in µV at t °C with the reference junction at 0 °C.
double ThermocoupleEmf(ThermocoupleType type, double t);

enum class RtdType { Copper, Ni120, Ni1000, NiFe, Pt385, Pt392 };

// Resistance ratio R(t) / R(0 °C).
double ResistanceRatio(RtdType type, double t);

// What a primary table linearises: the reading quantity (°C, mV, Ohm or %) as a function of the
// raw input. The raw input is `raw(quantity)`; the reading is `quantity * outputScale` rounded.
enum class InputKind { Thermocouple, Rtd, Millivolt, Resistor, Potentiometer };

struct SensorCharacteristic {
    std::string name;           // as the catalogue shows it
    std::string primaryFile;    // e.g. "pk.dat"
    std::string secondaryFile;  // the cold-junction table of a thermocouple, else "lvoid.dat"
    InputKind kind = InputKind::Thermocouple;
    ThermocoupleType thermocouple = ThermocoupleType::K;  // for InputKind::Thermocouple
    RtdType rtd = RtdType::Pt385;                         // for InputKind::Rtd
    double low = 0.0;           // range covered by the table, in the reading quantity
    double high = 0.0;
    double outputScale = 100.0; // reading units per quantity unit
};

// Raw input units: thermocouple and millivolt inputs 0.1 µV; RTDs 10^-6 of R(0 °C); the resistor
// 1 mOhm; the potentiometer 10^-6 of the element.
double RawInput(const SensorCharacteristic& sensor, double quantity);

// Temperatures where the published characteristic changes from one function to the next; a
// table segment should not straddle them.
std::vector<double> CharacteristicJoins(const SensorCharacteristic& sensor);

// Every sensor that has a primary table, in catalogue order.
std::vector<SensorCharacteristic> SensorCharacteristics();

// Ambient range of the cold-junction tables in °C.
inline constexpr double ColdJunctionLow = -40.0;
inline constexpr double ColdJunctionHigh = 85.0;
