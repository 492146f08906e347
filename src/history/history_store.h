#pragma once

#include "history/snapshot.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// A value, or why it could not be had ("the disk is full", "in use by another program").
template <class T>
struct Stored {
    T value{};
    QString error;  // empty when the value is there
    bool ok() const { return error.isEmpty(); }
};

// A unit that has snapshots: its serial number, its latest tag and when it was last seen.
struct UnitSeen {
    QString serial;
    QString tag;
    QDateTime lastSeen;
};

// Where the snapshots are kept: a database file of the user's own, or (later) a server shared by a
// maintenance team. Nothing is ever removed.
class HistoryStore {
public:
    virtual ~HistoryStore() = default;
    // Keeps a snapshot whole or not at all; its id is made from its time.
    virtual Stored<QString> add(const Snapshot& snapshot) = 0;
    // How the write of an as-found snapshot ended.
    virtual Stored<bool> setOutcome(const QString& id, const SnapshotOutcome& outcome) = 0;
    // The units seen, the last seen first.
    virtual Stored<std::vector<UnitSeen>> units() = 0;
    // The snapshots of one unit (every unit's with nothing), the newest first.
    virtual Stored<std::vector<SnapshotHeader>> snapshots(const std::optional<QString>& serial) = 0;
    // One snapshot with its configuration; nothing in the value when the id is not known.
    virtual Stored<std::optional<Snapshot>> find(const QString& id) = 0;
};
