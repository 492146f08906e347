#include "model/input_types.h"

#include <string_view>

namespace {

// Every code names one input, in one wiring.
constexpr bool codesAreUnique()
{
    int known[256] = {};
    for (const InputType& type : InputTypes)
        for (std::uint8_t code : type.codes.byWiring)
            if (code != NoCode && ++known[code] > 1)
                return false;
    return true;
}

// The °F limits are the °C limits converted, to the degree.
constexpr bool fahrenheitFollowsCelsius()
{
    const auto converts = [](int celsius, int fahrenheit) {
        const int difference = celsius * 9 - (fahrenheit - 32) * 5;  // 5 x the °F difference
        return difference > -5 && difference < 5;
    };
    for (const InputType& type : InputTypes) {
        const auto& celsius = type.limits[UnitsCelsius];
        const auto& fahrenheit = type.limits[UnitsFahrenheit];
        if (celsius.has_value() != fahrenheit.has_value())
            return false;
        if (celsius && !(converts(celsius->low, fahrenheit->low) && converts(celsius->high, fahrenheit->high)))
            return false;
    }
    return true;
}

// One primary table linearises one function: the inputs that share it share that function and
// the secondary table.
constexpr bool sharedTablesAgree()
{
    for (const InputType& a : InputTypes)
        for (const InputType& b : InputTypes)
            if (std::string_view(a.primaryFile) == b.primaryFile
                && (a.reference != b.reference || std::string_view(a.secondaryFile) != b.secondaryFile))
                return false;
    return true;
}

static_assert(codesAreUnique(), "an input code appears in two rows");
static_assert(fahrenheitFollowsCelsius(), "a °F limit is not its °C limit converted");
static_assert(sharedTablesAgree(), "inputs that share a primary table differ in function or secondary table");

} // namespace
