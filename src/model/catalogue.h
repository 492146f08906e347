#pragma once

#include "model/conf_record.h"
#include "model/input_types.h"

#include <QString>

#include <array>
#include <cstdint>

// The codes of the inputs that are not sensors, as the input types list them.
inline constexpr std::array<std::uint8_t, WiringCount> ResistorCodes = FirstOf(InputFamily::Resistor).codes.byWiring;
inline constexpr std::array<std::uint8_t, WiringCount> PotentiometerCodes =
    FirstOf(InputFamily::Potentiometer).codes.byWiring;
inline constexpr std::uint8_t CodeResistor2Wire = ResistorCodes[0];
inline constexpr std::uint8_t CodeResistor3Wire = ResistorCodes[1];
inline constexpr std::uint8_t CodeResistor4Wire = ResistorCodes[2];
inline constexpr std::uint8_t CodeVoltage = FirstOf(InputFamily::Voltage).codes.byWiring[0];
inline constexpr std::uint8_t CodePotentiometer3Wire = PotentiometerCodes[1];
inline constexpr std::uint8_t CodePotentiometer4Wire = PotentiometerCodes[2];
inline constexpr std::uint8_t CodeUnidentified = FirstOf(InputFamily::Unidentified).codes.byWiring[0];

static_assert(CountOf(InputFamily::Copper) == 1, "the catalogue has one copper type");
inline constexpr int NickelTypes = CountOf(InputFamily::Nickel);              // Ni - 120, Ni - 1000, Ni - Fe
inline constexpr int PlatinumTypes = CountOf(InputFamily::Platinum);          // size index 0..3 + 4 for the 392 curve
inline constexpr int ThermocoupleTypes = CountOf(InputFamily::Thermocouple);

// The sensor codes and names of the input types, indexed by type and wiring as the sensor windows pick them.
struct Catalogue {
    std::array<std::uint8_t, WiringCount> copperCodes{};
    QString copperName;
    std::array<std::array<std::uint8_t, WiringCount>, NickelTypes> nickelCodes{};
    std::array<QString, NickelTypes> nickelNames;
    std::array<std::array<std::uint8_t, WiringCount>, PlatinumTypes> platinumCodes{};
    std::array<QString, PlatinumTypes> platinumNames;
    std::array<std::uint8_t, ThermocoupleTypes> thermocoupleCodes{};
    std::array<QString, ThermocoupleTypes> thermocoupleNames;
};

Catalogue BuildCatalogue();

// Sets InputCode, InputName, InputClass and Wires of the record; false (record unchanged) for a
// code outside the catalogue.
bool LookupInputCode(const Catalogue& catalogue, ConfRecord& record, std::uint8_t code);

// True for the RTD and thermocouple codes (the lookup's first two steps).
bool IsSensorCode(const Catalogue& catalogue, std::uint8_t code);

// Index 0..13 of a thermocouple code, or -1.
int ThermocoupleIndex(const Catalogue& catalogue, std::uint8_t code);

// Range limits of the record's sensor: the limit as text ("850°C", "4000 Ohm") when the value
// lies beyond it in the given units (°C, °F, Ohm, mV); empty otherwise.
QString MaxLimitText(const ConfRecord& record, float value, MeasureUnit units);
QString MinLimitText(const ConfRecord& record, float value, MeasureUnit units);
