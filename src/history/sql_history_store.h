#pragma once

#include "history/history_store.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

class Clock;
class QSqlError;

// The history in an SQLite file through Qt SQL ("history.db" in a folder of the user's data), one
// row per snapshot with a column per configuration field. Every write is one transaction, so the
// window and the command-line tool can write at once: while one writes, the other waits for it
// through the clock (at most LockPatience). A damaged file is set aside under a new name and a new
// one started; the operator is told through `notice`. Opened at its first use.
class SqlHistoryStore : public HistoryStore {
public:
    static constexpr double LockPatience = 3.0;  // seconds another program may hold the file

    SqlHistoryStore(QString folder, Clock& clock, std::function<void(const QString&)> notice);
    ~SqlHistoryStore() override;
    SqlHistoryStore(const SqlHistoryStore&) = delete;
    SqlHistoryStore& operator=(const SqlHistoryStore&) = delete;

    Stored<QString> add(const Snapshot& snapshot) override;
    Stored<bool> setOutcome(const QString& id, const SnapshotOutcome& outcome) override;
    Stored<std::vector<UnitSeen>> units() override;
    Stored<std::vector<SnapshotHeader>> snapshots(const std::optional<QString>& serial) override;
    Stored<std::optional<Snapshot>> find(const QString& id) override;

    QString filePath() const;

private:
    // Runs `work` on the open database; waits out another program's write, sets a damaged file
    // aside and runs it once more on a new one. `work` returns the failed statement's error, or
    // nothing.
    template <class T>
    Stored<T> attempt(const std::function<std::optional<QSqlError>(T&)>& work, bool writes);
    std::optional<QSqlError> open();
    std::optional<QSqlError> prepareSchema();
    std::optional<QSqlError> addNoteColumn();
    bool setAside();
    void close();
    QString problemText(const QSqlError& error) const;

    QString folder_;
    Clock& clock_;
    std::function<void(const QString&)> notice_;
    QString connectionName_;
    QSqlDatabase db_;
};
