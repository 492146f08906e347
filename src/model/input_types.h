#pragma once

// Every input type the unit knows, one row each: its codes, name, class, range limits, table
// files and the published characteristic its tables linearise. The catalogue, the range
// limits, the table-file selection, the simulator, the table generator and the input-type
// windows all read this table.

#include "model/conf_record.h"

#include <array>
#include <cstdint>
#include <optional>

inline constexpr int WiringCount = 3;  // wiring index 0, 1, 2: two-, three-, four-wire

// The kinds of input; the RTD metals are told apart because the RTD window offers them apart.
enum class InputFamily : std::uint8_t { Copper, Nickel, Platinum, Thermocouple, Resistor, Voltage, Potentiometer, Unidentified };

constexpr std::uint8_t InputClassOf(InputFamily family)
{
    switch (family) {
    case InputFamily::Copper:
    case InputFamily::Nickel:
    case InputFamily::Platinum: return ClassRtd;
    case InputFamily::Thermocouple: return ClassThermocouple;
    case InputFamily::Resistor: return ClassResistor;
    case InputFamily::Voltage: return ClassVoltage;
    case InputFamily::Potentiometer: return ClassPotentiometer;
    case InputFamily::Unidentified: break;
    }
    return NoCode;
}

// The published characteristic an input's tables linearise. The simulator and the table
// generator hold the function of each (sim/reference_functions.cpp); None: no tables.
enum class ReferenceFunction : std::uint8_t {
    None,
    Copper, Ni120, Ni1000, NiFe, Pt385, Pt392,
    TypeK, TypeJ, TypeE, TypeT, TypeS, TypeR, TypeN, TypeL, TypeU, TypeB, TypeW, TypeW3, TypeW5, TypeC,
    Resistance, Millivolt, Potentiometer,
};

// The codes of an input by wiring index, NoCode for a wiring it cannot have. An input without
// wiring (Wires 255) has its one code at index 0.
struct InputCodes {
    std::array<std::uint8_t, WiringCount> byWiring{NoCode, NoCode, NoCode};
    bool wired = false;
};

constexpr InputCodes Wired(std::uint8_t twoWire, std::uint8_t threeWire, std::uint8_t fourWire)
{
    return {{twoWire, threeWire, fourWire}, true};
}

constexpr InputCodes Unwired(std::uint8_t code) { return {{code, NoCode, NoCode}, false}; }

// Lowest and highest range value an input allows in one unit.
struct RangeLimit {
    int low;
    int high;
};

// An input's limits by units code: 0 °C, 1 °F, 2 Ohm, 3 mV. A units code without a limit does
// not fit the input, and its range is not tested.
using InputLimits = std::array<std::optional<RangeLimit>, UnitsMillivolt + 1>;

constexpr InputLimits Temperature(int lowCelsius, int highCelsius, int lowFahrenheit, int highFahrenheit)
{
    return {RangeLimit{lowCelsius, highCelsius}, RangeLimit{lowFahrenheit, highFahrenheit}, std::nullopt, std::nullopt};
}

constexpr InputLimits Ohms(int low, int high) { return {std::nullopt, std::nullopt, RangeLimit{low, high}, std::nullopt}; }
constexpr InputLimits Millivolts(int low, int high) { return {std::nullopt, std::nullopt, std::nullopt, RangeLimit{low, high}}; }
inline constexpr InputLimits NoLimits{};

struct InputType {
    InputFamily family;
    InputCodes codes;
    const char* name;           // InputName, letter for letter
    InputLimits limits;
    const char* primaryFile;    // table files in the program folder; "" for an input without tables
    const char* secondaryFile;
    ReferenceFunction reference;
};

// Within a family the catalogue keeps this order: the RTD window picks a platinum type as
// size (50, 100, 500, 1000) + 4 for the 392 curve, the thermocouple list shows them as listed.
inline constexpr InputType InputTypes[] = {
    // family, codes, name, limits (°C low, high, °F low, high), primary and secondary table, reference
    {InputFamily::Copper, Wired(0x00, 0x08, 0x10), "Copper", Temperature(-75, 150, -103, 302), "pcopper.dat", "lvoid.dat", ReferenceFunction::Copper},
    {InputFamily::Nickel, Wired(0x20, 0x28, 0x30), "Ni - 120", Temperature(-80, 320, -112, 608), "pni120.dat", "lvoid.dat", ReferenceFunction::Ni120},
    {InputFamily::Nickel, Wired(0x21, 0x29, 0x31), "Ni - 1000", Temperature(-50, 160, -58, 320), "pni1000.dat", "lvoid.dat", ReferenceFunction::Ni1000},
    {InputFamily::Nickel, Wired(0x22, 0x2A, 0x32), "Ni - Fe", Temperature(-200, 265, -328, 509), "pnife.dat", "lvoid.dat", ReferenceFunction::NiFe},
    {InputFamily::Platinum, Wired(0x40, 0x48, 0x50), "Pt-50 (385)", Temperature(-200, 850, -328, 1562), "pt10385.dat", "lvoid.dat", ReferenceFunction::Pt385},
    {InputFamily::Platinum, Wired(0x41, 0x49, 0x51), "Pt-100 (385)", Temperature(-200, 850, -328, 1562), "pt10385.dat", "lvoid.dat", ReferenceFunction::Pt385},
    {InputFamily::Platinum, Wired(0x42, 0x4A, 0x52), "Pt-500 (385)", Temperature(-200, 600, -328, 1112), "pt10385.dat", "lvoid.dat", ReferenceFunction::Pt385},
    {InputFamily::Platinum, Wired(0x43, 0x4B, 0x53), "Pt-1000 (385)", NoLimits, "pt10385.dat", "lvoid.dat", ReferenceFunction::Pt385},
    {InputFamily::Platinum, Wired(0x44, 0x4C, 0x54), "Pt-50 (392)", Temperature(-100, 455, -148, 851), "pt10392.dat", "lvoid.dat", ReferenceFunction::Pt392},
    {InputFamily::Platinum, Wired(0x45, 0x4D, 0x55), "Pt-100 (392)", Temperature(-100, 455, -148, 851), "pt10392.dat", "lvoid.dat", ReferenceFunction::Pt392},
    {InputFamily::Platinum, Wired(0x46, 0x4E, 0x56), "Pt-500 (392)", Temperature(-100, 455, -148, 851), "pt10392.dat", "lvoid.dat", ReferenceFunction::Pt392},
    {InputFamily::Platinum, Wired(0x47, 0x4F, 0x57), "Pt-1000 (392)", NoLimits, "pt10392.dat", "lvoid.dat", ReferenceFunction::Pt392},
    {InputFamily::Thermocouple, Unwired(0x61), "T/C Type K", Temperature(-200, 1370, -328, 2498), "pk.dat", "lk.dat", ReferenceFunction::TypeK},
    {InputFamily::Thermocouple, Unwired(0x62), "T/C Type J", Temperature(-200, 760, -328, 1400), "pj.dat", "lj.dat", ReferenceFunction::TypeJ},
    {InputFamily::Thermocouple, Unwired(0x63), "T/C Type E", Temperature(-200, 1000, -328, 1832), "pe.dat", "le.dat", ReferenceFunction::TypeE},
    {InputFamily::Thermocouple, Unwired(0x64), "T/C Type T", Temperature(-200, 400, -328, 752), "pt.dat", "lt.dat", ReferenceFunction::TypeT},
    {InputFamily::Thermocouple, Unwired(0x65), "T/C Type S", Temperature(0, 1760, 32, 3200), "ps.dat", "ls.dat", ReferenceFunction::TypeS},
    {InputFamily::Thermocouple, Unwired(0x66), "T/C Type R", Temperature(0, 1760, 32, 3200), "pr.dat", "lr.dat", ReferenceFunction::TypeR},
    {InputFamily::Thermocouple, Unwired(0x67), "T/C Type N", Temperature(-200, 1300, -328, 2372), "pn.dat", "ln.dat", ReferenceFunction::TypeN},
    {InputFamily::Thermocouple, Unwired(0x68), "T/C Type L", Temperature(-190, 890, -310, 1634), "pl.dat", "ll.dat", ReferenceFunction::TypeL},
    {InputFamily::Thermocouple, Unwired(0x69), "T/C Type U", Temperature(-190, 590, -310, 1094), "pu.dat", "lu.dat", ReferenceFunction::TypeU},
    {InputFamily::Thermocouple, Unwired(0x6A), "T/C Type B", Temperature(400, 1820, 752, 3308), "pb.dat", "lb.dat", ReferenceFunction::TypeB},
    {InputFamily::Thermocouple, Unwired(0x6B), "T/C Type W", Temperature(1000, 2160, 1832, 3920), "pw.dat", "lw.dat", ReferenceFunction::TypeW},
    {InputFamily::Thermocouple, Unwired(0x6C), "T/C Type W3", Temperature(0, 2320, 32, 4208), "pw3.dat", "lw3.dat", ReferenceFunction::TypeW3},
    {InputFamily::Thermocouple, Unwired(0x6D), "T/C Type W5", Temperature(0, 2325, 32, 4217), "pw5.dat", "lw5.dat", ReferenceFunction::TypeW5},
    {InputFamily::Thermocouple, Unwired(0x6E), "T/C Type C", Temperature(-15, 2320, 5, 4208), "pc.dat", "lc.dat", ReferenceFunction::TypeC},
    {InputFamily::Resistor, Wired(0x80, 0x88, 0x90), "Resistor", Ohms(0, 4000), "Pres.dat", "lvoid.dat", ReferenceFunction::Resistance},
    {InputFamily::Voltage, Unwired(0xA0), "Voltage input", Millivolts(-145, 145), "pmv.dat", "lvoid.dat", ReferenceFunction::Millivolt},
    {InputFamily::Potentiometer, Wired(NoCode, 0xC8, 0xD0), "Poteniometer", NoLimits, "Ppot.dat", "lvoid.dat", ReferenceFunction::Potentiometer},
    {InputFamily::Unidentified, Unwired(0xE0), "Unidentified Input Type", NoLimits, "", "", ReferenceFunction::None},
};

// The row of an input code; nullptr for a code outside the table.
constexpr const InputType* FindInputType(std::uint8_t code)
{
    if (code == NoCode)
        return nullptr;
    for (const InputType& type : InputTypes)
        for (std::uint8_t c : type.codes.byWiring)
            if (c == code)
                return &type;
    return nullptr;
}

// Wires of an input code of the row: its wiring index, or 255 for an input without wiring.
constexpr std::uint8_t WiresOf(const InputType& type, std::uint8_t code)
{
    for (int w = 0; type.codes.wired && w < WiringCount; ++w)
        if (type.codes.byWiring[w] == code)
            return std::uint8_t(w);
    return NoCode;
}

constexpr int CountOf(InputFamily family)
{
    int count = 0;
    for (const InputType& type : InputTypes)
        count += type.family == family ? 1 : 0;
    return count;
}

// The first row of a family; only for constants (a family without a row does not compile).
consteval const InputType& FirstOf(InputFamily family)
{
    std::size_t first = std::size(InputTypes);  // past the end: no such row, no constant
    for (std::size_t i = std::size(InputTypes); i-- > 0;)
        if (InputTypes[i].family == family)
            first = i;
    return InputTypes[first];
}
