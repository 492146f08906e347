#pragma once

#include "model/conf_record.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <variant>
#include <vector>

// The fields of a configuration as people read them, one table for every place that lists or
// compares configurations: the change list before an update, the history's comparison and its
// storage, the command-line diff.

// What a field belongs to.
enum class FieldGroup {
    Identity,       // serial number and tag
    Configuration,  // what the configuration block of an update writes
    Display,        // the local display's range
    Correction,     // the user's correction (written by the calibration windows only)
};

using FieldMember = std::variant<QString ConfRecord::*, std::uint8_t ConfRecord::*, float ConfRecord::*,
                                 std::int16_t ConfRecord::*>;

struct ConfField {
    const char* key;      // the ConfRecord member's name
    const char* heading;  // "Damping Time"; nullptr for a field derived from another (kept, not shown)
    FieldGroup group;
    bool inConfFile;      // configuration files and unit records hold it
    FieldMember member;
    QString (*text)(const ConfRecord&);  // the value in words; empty when it has none
};

// Every kept field of a configuration (no live readings, no factory data), in reading order.
std::span<const ConfField> ConfFields();

// Tags compare without their trailing blanks, singles bit for bit.
bool SameField(const ConfField& field, const ConfRecord& a, const ConfRecord& b);

// A shown field of two records, its values in words ("(none)" for a value without words).
struct FieldComparison {
    const ConfField* field = nullptr;
    QString before;
    QString after;
    bool differs = false;
};
using FieldFilter = std::function<bool(const ConfField&)>;
// Every shown field accepted by `wanted`, in table order.
std::vector<FieldComparison> CompareFields(const ConfRecord& before, const ConfRecord& after,
                                           const FieldFilter& wanted);
// Only those that differ.
std::vector<FieldComparison> FieldDifferences(const ConfRecord& before, const ConfRecord& after,
                                              const FieldFilter& wanted);

// "Damping Time : 2 -> 5"
QString ChangeText(const FieldComparison& difference);
