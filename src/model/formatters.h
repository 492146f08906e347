#pragma once

#include "model/conf_record.h"

#include <QString>

#include <cstdint>

// Texts of the coded fields of a ConfRecord, as every view shows them.
QString UnitsText(std::uint8_t units);        // "°C" "°F" "Ohm" "mV" "%", "?" for 255
QString WiresText(const ConfRecord& record);  // "2 wire" "3 wire" "4 wire"; empty for a voltage input
QString OutDirText(std::uint8_t outDir);      // 1 "Up Scale", 0 "Down Scale"
QString BurnOutText(std::uint8_t burnOut);    // 1 "Down Scale", 0 "Up Scale"
QString ModeText(std::uint8_t mode);
QString FreqText(std::uint8_t freq);
QString AmbUnitsText(std::uint8_t ambUnits);

// A single in its general form: up to seven significant digits, no trailing zeros, exponent
// form (2.147483E+09) outside 1E-04 .. 1E+07; empty for NoValue.
QString ValueText(float value);
// The same form without the NoValue rule.
QString GeneralText(float value);
// The shortest decimal text that reads back as the same single (what edit boxes show).
QString ShortestText(float value);
// The text written to files: the general form when it reads back bit-exactly, else more digits.
QString ExactText(float value);

// Rounding half to even, as the unit's firmware and the views expect.
double RoundHalfEven(double value);
