#include "sim/reading_model.h"

#include "model/sensor_tables.h"
#include "sim/unit_linearisation.h"
#include "sim/reference_functions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr std::uint8_t OptionPercent = 0x04;
constexpr std::uint8_t OptionFahrenheit = 0x08;
// Terminal temperature of a unit that reports no ambient reading (its cold junction is still warm).
constexpr double UnreportedTerminalCelsius = 25.0;

double toFahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

std::uint8_t inputClassOf(const Catalogue& catalogue, std::uint8_t inputCode)
{
    ConfRecord record;
    return LookupInputCode(catalogue, record, inputCode) ? record.InputClass : NoCode;
}

// The input as the unit senses it, in the input's own unit: through the tables the unit holds
// when they make a curve for its sensor (a thermocouple's cold junction at the terminal
// temperature), else exactly, as a unit fresh from the simulator has its characteristic built in.
double sensedValue(const UnitMemory& memory, double input, double terminalCelsius)
{
    const std::optional<SensorCharacteristic> sensor = SensorCharacteristicOf(memory.configuration().inputCode);
    if (!sensor)
        return input;
    const SensorTables tables = memory.sensorTables();
    const std::optional<Curve> primary = PrimaryCurve(tables);
    if (!primary)
        return input;
    if (sensor->family != InputFamily::Thermocouple)
        return double(CurveValue(*primary, std::llround(RawInput(*sensor, input)))) / sensor->outputScale;
    const std::optional<Curve> coldJunction = SecondaryCurve(tables);
    if (!coldJunction)
        return input;
    const auto terminalVoltage = std::llround(RawInput(*sensor, input) - RawInput(*sensor, terminalCelsius));
    return double(ThermocoupleReading(*primary, *coldJunction, terminalVoltage, std::llround(terminalCelsius * 100)))
        / sensor->outputScale;
}

int readingScale(std::uint8_t inputClass, const UnitConfiguration& configuration)
{
    return inputClass == ClassVoltage && !(configuration.options & OptionPercent) ? 1000 : 100;
}

double calibratedValue(double value, const UnitCalibration& calibration, int scale)
{
    if (!calibration.isSet())
        return value;
    if (calibration.gain == 10000)
        return value + double(calibration.offset) / scale;
    return value * calibration.gain / 10000.0 + calibration.offset / 10000.0;
}

} // namespace

double SimulatedInput::valueAt(double seconds) const
{
    if (amplitude == 0 || periodSeconds <= 0)
        return setpoint;
    return setpoint + amplitude * std::sin(2 * std::numbers::pi * seconds / periodSeconds);
}

ReadingModel::ReadingModel(SimulatedInput input, std::optional<double> ambientCelsius)
    : catalogue_(BuildCatalogue()), input_(input), ambientCelsius_(ambientCelsius)
{
}

void ReadingModel::setInput(const SimulatedInput& input)
{
    input_ = input;
    transient_ = 0;
}

void ReadingModel::applyInput(double value, double seconds)
{
    transient_ = inputAt(seconds) - value;
    changedAt_ = seconds;
    input_.setpoint = value;
    input_.amplitude = 0;
}

double ReadingModel::inputAt(double seconds) const
{
    const double tau = input_.settlingSeconds;
    const double settling = tau > 0 ? transient_ * std::exp(-std::max(seconds - changedAt_, 0.0) / tau) : 0.0;
    return input_.valueAt(seconds) + settling;
}

double ReadingModel::engineeringValue(const UnitMemory& memory, std::uint8_t inputClass, double input) const
{
    const UnitConfiguration& configuration = memory.configuration();
    double value = sensedValue(memory, input, ambientCelsius_.value_or(UnreportedTerminalCelsius));
    if ((inputClass == ClassRtd || inputClass == ClassThermocouple) && (configuration.options & OptionFahrenheit))
        value = toFahrenheit(value);
    if ((configuration.options & OptionPercent) && inputClass != ClassPotentiometer) {
        const double rangeScale = inputClass == ClassVoltage ? 1000.0 : 100.0;
        const double low = configuration.rangeMin / rangeScale;
        const double high = configuration.rangeMax / rangeScale;
        value = high != low ? 100.0 * (value - low) / (high - low) : 0.0;
    }
    return value;
}

std::int32_t ReadingModel::measure(const UnitMemory& memory, double seconds)
{
    if (burnOut_)
        return unit_wire::BurnOut;
    const std::uint8_t inputClass = inputClassOf(catalogue_, memory.configuration().inputCode);
    const int scale = readingScale(inputClass, memory.configuration());
    const double noise = input_.noise * (2.0 * double(noise_()) / double(std::mt19937::max()) - 1.0);
    const double input = inputAt(seconds) + noise + drift_;
    const double value = calibratedValue(engineeringValue(memory, inputClass, input), memory.calibration(), scale);
    // One short of the limit, so that no reading passes for a burn-out.
    const auto reading = std::int32_t(std::clamp<long long>(std::llround(value * scale), -(unit_wire::Max24 - 1),
                                                            unit_wire::Max24 - 1));
    minimum_ = std::min(minimum_.value_or(reading), reading);
    maximum_ = std::max(maximum_.value_or(reading), reading);
    return reading;
}

std::int32_t ReadingModel::ambient(const UnitMemory& memory) const
{
    if (!ambientCelsius_)
        return unit_wire::NoAmbient;
    const double value = (memory.configuration().options & OptionFahrenheit) ? toFahrenheit(*ambientCelsius_)
                                                                             : *ambientCelsius_;
    return std::int32_t(std::lround(value * 100));
}
