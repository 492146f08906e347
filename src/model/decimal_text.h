#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>
#include <string_view>

// Plain decimal numbers as files and edit boxes hold them: optional sign, digits with an optional
// period, with or without a leading zero (.5, 0.5, -.5, 5.), optionally an exponent
// (2.147483E+09, 1e-3). Blanks, hex, inf and nan are not numbers.

// The nearest single; nothing for any other text, for a value beyond the single range and for a
// non-zero value that would round to zero.
std::optional<float> ParseSingle(std::string_view text);
std::optional<float> ParseSingle(QStringView text);
// The same texts as a double (a reading whose digits must not be rounded to single first).
std::optional<double> ParseDouble(QStringView text);
// A number whose value is a whole number from 0 to 255 (73, 73.0, 7.3E+01; not 73.5 or 256).
std::optional<std::uint8_t> ParseByte(std::string_view text);
