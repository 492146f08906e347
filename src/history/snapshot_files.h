#pragma once

#include "history/history_store.h"

#include <QString>

struct Catalogue;
class Operator;

// Keeps a configuration file or unit record as an imported snapshot of the unit it names (of
// `serialIfNone` when it names none), dated by the file's last change, so the records the program
// already keeps start the unit's history. Nothing (the operator told why) when the file cannot be
// read; a store error in the result.
std::optional<Stored<QString>> ImportConfFile(HistoryStore& store, const QString& path, const QString& serialIfNone,
                                              const Catalogue& catalogue, Operator& op);

// Writes a snapshot's configuration as a configuration file. A name ending ".urd" is refused as
// the save command refuses it. False after the operator was told.
bool ExportSnapshot(const Snapshot& snapshot, const QString& path, Operator& op);
