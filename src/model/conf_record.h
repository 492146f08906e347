#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Markers stored in single-precision fields; compare them bit-exactly.
inline constexpr float NoValue = 2147483008.0f;     // missing range end or reading
inline constexpr float NoCal = 8388607.0f;          // correction not set; as a reading: burn-out
inline constexpr float OffsetMarker = 28671.0f;     // stored by a completed calibration
inline constexpr std::uint8_t NoCode = 255;         // byte code: nothing chosen

// Input classes.
inline constexpr std::uint8_t ClassRtd = 0;
inline constexpr std::uint8_t ClassThermocouple = 1;
inline constexpr std::uint8_t ClassPotentiometer = 2;
inline constexpr std::uint8_t ClassVoltage = 3;
inline constexpr std::uint8_t ClassResistor = 4;

// Measurement units; a record's Units byte holds one of these numbers (or anything a unit or a
// file sent, until checked).
enum class MeasureUnit : std::uint8_t { Celsius = 0, Fahrenheit = 1, Ohm = 2, Millivolt = 3, Percent = 4, None = 255 };

// The same as byte codes, as the record keeps them.
inline constexpr std::uint8_t UnitsCelsius = std::uint8_t(MeasureUnit::Celsius);
inline constexpr std::uint8_t UnitsFahrenheit = std::uint8_t(MeasureUnit::Fahrenheit);
inline constexpr std::uint8_t UnitsOhm = std::uint8_t(MeasureUnit::Ohm);
inline constexpr std::uint8_t UnitsMillivolt = std::uint8_t(MeasureUnit::Millivolt);
inline constexpr std::uint8_t UnitsPercent = std::uint8_t(MeasureUnit::Percent);

// The configuration of one transmitter, its live readings, its correction and factory data.
struct ConfRecord {
    QString Serial;
    QString Tag;
    QString InputName;
    std::uint8_t InputCode = NoCode;
    std::uint8_t InputClass = NoCode;
    std::uint8_t Wires = NoCode;
    std::uint8_t BurnOut = NoCode;
    float OutMin = 0;
    float OutMax = 0;
    std::uint8_t OutDir = NoCode;
    std::uint8_t Freq = NoCode;
    std::uint8_t Mode = NoCode;
    std::uint8_t Units = NoCode;
    std::uint8_t AmbUnits = 0;
    float Damping = 0;
    float RangeMin = NoValue;
    float RangeMax = NoValue;
    float Reading = NoValue;
    float MinRead = NoValue;
    float MaxRead = NoValue;
    float AmbRead = NoValue;
    float CalLowRef = NoCal;
    float CalLowRead = NoCal;
    float CalHighRef = NoCal;
    float CalHighRead = NoCal;
    float CalGain = NoCal;
    float CalOffset = NoCal;
    std::uint8_t FactStatus = 0;
    float FactVal1 = 0;
    std::vector<std::uint8_t> FactBytes;
    float FactVal2 = 0;
    float FactVal3 = 0;
    float FactVal4 = 0;
    std::int16_t DispHigh = 0;
    std::int16_t DispLow = 0;

    bool operator==(const ConfRecord&) const = default;
};

// A record with every field zero and every text empty: the starting point of a file read.
ConfRecord ZeroConfRecord();

// Stores the reset values; the output range, ambient units, damping, factory fields and
// display range are kept.
void ResetConf(ConfRecord& record);

// The six correction fields back to "not set".
void ClearCorrection(ConfRecord& record);

// The output direction the unit has with these output limits: 1 (up scale) when the output rises
// with the input.
std::uint8_t OutputDirection(const ConfRecord& record);

// True when the record can be written to a unit.
bool IsConfComplete(const ConfRecord& record);

// The option byte that travels on the wire.
std::uint8_t PackOptionFlags(const ConfRecord& record);
// Sets BurnOut, Freq, Mode, AmbUnits and Units from an option byte; InputClass must be set.
void UnpackOptionFlags(std::uint8_t flags, ConfRecord& record);

// Replaces out-of-range codes by 255; true when nothing was replaced.
bool ClampConfCodes(ConfRecord& record);

// Whether the single/differential setting applies to an input class.
bool ModeApplies(std::uint8_t inputClass);

// Tags compare without their trailing blanks: the unit pads its tag to 19 characters.
bool SameTag(const QString& a, const QString& b);

// Exact bit comparison of singles (NoValue equals itself, 0.0 and -0.0 differ).
bool SameSingle(float a, float b);
