#pragma once

#include "model/conf_record.h"

#include <QString>

#include <array>
#include <cstdint>

// Fixed input codes.
inline constexpr std::uint8_t CodeResistor2Wire = 128;
inline constexpr std::uint8_t CodeResistor3Wire = 136;
inline constexpr std::uint8_t CodeResistor4Wire = 144;
inline constexpr std::uint8_t CodeVoltage = 160;
inline constexpr std::uint8_t CodePotentiometer3Wire = 200;
inline constexpr std::uint8_t CodePotentiometer4Wire = 208;
inline constexpr std::uint8_t CodeUnidentified = 224;

inline constexpr int WiringCount = 3;   // wiring index 0, 1, 2: two-, three-, four-wire
inline constexpr int NickelTypes = 3;   // Ni - 120, Ni - 1000, Ni - Fe
inline constexpr int PlatinumTypes = 8; // size index 0..3 (50, 100, 500, 1000 ohm) + 4 for the 392 curve
inline constexpr int ThermocoupleTypes = 14;

// The input codes the unit knows, indexed the way the sensor dialogs and the table files need.
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
// lies beyond it in the given units (0 °C, 1 °F, 2 Ohm, 3 mV); empty otherwise.
QString MaxLimitText(const ConfRecord& record, float value, float units);
QString MinLimitText(const ConfRecord& record, float value, float units);
