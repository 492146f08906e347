#pragma once

#include <cstddef>

// One row of a configuration summary (the update confirmation and both printed reports): the
// indexes of its heading, value and unit label (-1: no unit).
struct SummaryRow {
    int head;
    int data;
    int unit = -1;
};

// Indexes into the label arrays of the update confirmation (frmStatus) and the edited printout
// (frmPrintsts), named after what each label shows (the number ends its object name).
namespace SummaryHead {
enum : std::size_t {
    Serial = 0, Tag = 1, InputType = 2, InputRange = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, Output = 7,
    MainsFreq = 8, Mode = 9, Damping = 10, OutMin = 11, OutMax = 12, AmbientUnits = 13, DisplayRange = 14,
    DisplayLow = 15, DisplayHigh = 16,
};
}
namespace SummaryData {
enum : std::size_t {
    Serial = 0, Tag = 1, InputType = 2, Wires = 3, RangeMin = 4, RangeMax = 5, BurnOut = 6, OutDir = 7, Freq = 8,
    Mode = 9, OutMin = 10, OutMax = 11, Damping = 12, AmbUnits = 13, DispLow = 14, DispHigh = 15,
};
}

namespace SummaryUnits {
enum : std::size_t { RangeMin = 0, RangeMax = 1 };
}

// The configuration rows of every summary, top to bottom, each heading with its own value (and
// unit label). The output limits and the damping do not share their heading's number.
inline constexpr SummaryRow ConfigurationRows[] = {
    {SummaryHead::Serial, SummaryData::Serial},
    {SummaryHead::Tag, SummaryData::Tag},
    {SummaryHead::InputType, SummaryData::InputType},
    {SummaryHead::InputRange, SummaryData::Wires},
    {SummaryHead::RangeMin, SummaryData::RangeMin, SummaryUnits::RangeMin},
    {SummaryHead::RangeMax, SummaryData::RangeMax, SummaryUnits::RangeMax},
    {SummaryHead::BurnOut, SummaryData::BurnOut},
    {SummaryHead::Output, SummaryData::OutDir},
    {SummaryHead::OutMin, SummaryData::OutMin},
    {SummaryHead::OutMax, SummaryData::OutMax},
    {SummaryHead::Damping, SummaryData::Damping},
    {SummaryHead::MainsFreq, SummaryData::Freq},
    {SummaryHead::Mode, SummaryData::Mode},
    {SummaryHead::AmbientUnits, SummaryData::AmbUnits},
};
