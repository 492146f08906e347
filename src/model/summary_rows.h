#pragma once

// One row of a configuration summary (the update confirmation and both printed reports): the
// indexes of its heading, value and unit label (-1: no unit).
struct SummaryRow {
    int head;
    int data;
    int unit = -1;
};

// The configuration rows of every summary, top to bottom. The headings do not share the index of
// their values everywhere: the output limits sit in values 10 and 11 beside the headings "Min :"
// (11) and "Max :" (12), the damping in value 12 beside heading 10.
inline constexpr SummaryRow ConfigurationRows[] = {{0, 0},    {1, 1},   {2, 2},   {3, 3},   {4, 4, 0},
                                                   {5, 5, 1}, {6, 6},   {7, 7},   {11, 10}, {12, 11},
                                                   {10, 12},  {8, 8},   {9, 9},   {13, 13}};
