#pragma once

#include "model/catalogue.h"
#include "sim/unit_memory.h"

#include <cstdint>
#include <optional>
#include <random>

// The physical input at the unit's terminals, in the input's own unit (degrees Celsius for RTDs
// and thermocouples, mV, Ohm, %): a slow sine around a setpoint, or fixed when the amplitude is 0.
// A reference applied later (ReadingModel::applyInput) is approached as a first-order system with
// the settling time constant (0: at once); every measurement carries an even noise of up to
// `noise` either way (0: none).
struct SimulatedInput {
    double setpoint = 25.0;
    double amplitude = 0.5;
    double periodSeconds = 120.0;
    double settlingSeconds = 0;
    double noise = 0;

    double valueAt(double seconds) const;
};

// The unit's measurement: physical input -> the input's own unit as the unit senses it (through
// the tables it holds when they make a curve for its sensor, else exactly) -> the configured
// units (degrees Fahrenheit for a temperature input with option 0x08; percent of the range with
// option 0x04) -> calibration -> wire units (x1000 for a voltage input measured in mV, else x100).
// The calibration block, when gain and offset are set: gain exactly 10000 is an offset trim,
// whose offset is in wire units of the reading; any other gain is a two-point correction,
// value * gain / 10000 + offset / 10000 (so a two-point correction of exactly unit gain is taken
// as a trim). The stored minimum and maximum follow every measurement that is not a burn-out.
class ReadingModel {
public:
    ReadingModel(SimulatedInput input, std::optional<double> ambientCelsius);

    void setInput(const SimulatedInput& input);
    // A reference applied at the terminals from `seconds` on: the input holds `value` without a
    // swing, approached from where it was with the input's settling time constant.
    void applyInput(double value, double seconds);
    // The unit's own error (a unit out of calibration), in the input's own unit, added to
    // whatever it measures.
    void setDrift(double drift) { drift_ = drift; }
    // Terminal temperature in degrees Celsius; nothing: the unit reports no ambient reading.
    void setAmbient(std::optional<double> celsius) { ambientCelsius_ = celsius; }
    void setBurnOut(bool burnOut) { burnOut_ = burnOut; }

    // The present reading at `seconds`, in wire units.
    std::int32_t measure(const UnitMemory& memory, double seconds);
    std::int32_t minimum() const { return minimum_.value_or(unit_wire::NoMinimum); }
    std::int32_t maximum() const { return maximum_.value_or(unit_wire::NoMaximum); }
    void clearMinimum() { minimum_.reset(); }
    void clearMaximum() { maximum_.reset(); }
    // The terminal temperature x100, in degrees Fahrenheit when option 0x08 is set.
    std::int32_t ambient(const UnitMemory& memory) const;

private:
    double inputAt(double seconds) const;
    double engineeringValue(const UnitMemory& memory, std::uint8_t inputClass, double input) const;

    Catalogue catalogue_;
    SimulatedInput input_;
    double transient_ = 0;   // the settling part of the input when it last changed
    double changedAt_ = 0;
    double drift_ = 0;
    std::mt19937 noise_;     // fixed seed: every run sees the same noise
    std::optional<double> ambientCelsius_;
    bool burnOut_ = false;
    std::optional<std::int32_t> minimum_;
    std::optional<std::int32_t> maximum_;
};
