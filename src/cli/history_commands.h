#pragma once

#include "history/compared_conf.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class HistoryStore;
class Operator;
struct Catalogue;
struct ConfRecord;

// The history's side of delvo2-cli: listing snapshots and comparing configurations.

using Print = std::function<void(const QByteArray&)>;

// A command's end: its exit code and, on failure, the reason that ends the report.
struct CommandEnd {
    int exitCode = 0;
    QString reason;
};

// One line a snapshot (SnapshotListLine), the newest first.
CommandEnd ListHistory(HistoryStore& store, const std::optional<QString>& serial, const Print& out);

// What a diff operand names: "unit" (the connected unit, read by `readUnit`: nothing when it
// cannot be read), an existing file or a name ending ".cal" or ".urd" (a configuration file or
// unit record), else a snapshot id.
struct ResolvedOperand {
    std::optional<ComparedConf> conf;
    CommandEnd end;  // why there is none
};
ResolvedOperand ResolveOperand(const QString& word, HistoryStore& store, const Catalogue& catalogue, Operator& op,
                               const std::function<const ConfRecord*()>& readUnit);

// One line a field that differs: FIELD <TAB> A-VALUE <TAB> B-VALUE; Success when none differs,
// Differ otherwise.
CommandEnd PrintDifferences(const ComparedConf& a, const ComparedConf& b, const Print& out);

struct CliOptions;
// The history and diff commands of `options`.
CommandEnd RunHistoryCommand(const CliOptions& options, HistoryStore& store, const Catalogue& catalogue, Operator& op,
                             const Print& out, const std::function<const ConfRecord*()>& readUnit);
