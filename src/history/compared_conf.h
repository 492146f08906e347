#pragma once

#include "model/conf_fields.h"
#include "model/conf_record.h"

#include <QString>

#include <optional>
#include <vector>

struct Catalogue;
class Operator;

// One side of a comparison: a snapshot or the connected unit hold every field, a configuration
// file or unit record only those it has room for.
struct ComparedConf {
    QString name;  // the snapshot's id, the file's name, "unit"
    ConfRecord conf;
    bool fileOnly = false;
};

// Every field both sides hold, side by side.
std::vector<FieldComparison> CompareConfs(const ComparedConf& a, const ComparedConf& b);
// Only the fields that differ.
std::vector<FieldComparison> ConfDifferences(const ComparedConf& a, const ComparedConf& b);

// A configuration file or unit record as "Open Configuration" reads it; nothing when it cannot be
// read (the operator has been told why).
std::optional<ComparedConf> ConfFromFile(const QString& path, const Catalogue& catalogue, Operator& op);
