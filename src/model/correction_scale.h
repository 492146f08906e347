#pragma once

#include "model/conf_record.h"

#include <cstdint>

// How the unit keeps a correction (CalGain, CalOffset): a two-point correction's gain and offset
// multiplied by this; an offset trim as gain 1 so scaled, with its offset in the reading's wire
// units (TrimOffsetScale).
inline constexpr long double CorrectionScale = 10000.0L;

// The unit takes a trim's offset in hundredths, in thousandths for a voltage input.
inline float TrimOffsetScale(std::uint8_t inputClass)
{
    return inputClass == ClassVoltage ? 1000.0f : 100.0f;
}
