#pragma once

#include "link/write_journal.h"

#include <QDateTime>
#include <QString>

#include <functional>

class HistoryStore;
class Operator;

// Keeps the unit's configuration before every write into it (as found) and after every write that
// went through (as left), and how each write ended. A history that cannot be written is reported
// once a write, and the write into the unit goes on: the unit is the job at hand, its history a
// record of it.
class HistoryJournal : public WriteJournal {
public:
    using Now = std::function<QDateTime()>;
    HistoryJournal(HistoryStore& store, Operator& op, Now now = &QDateTime::currentDateTime);

    void beforeWrite(WriteOperation operation, const ConfRecord& asFound) override;
    void afterWrite(WriteOperation operation, const WriteOutcome& outcome, const ConfRecord* asLeft) override;

private:
    void report(const QString& what, const QString& error);

    HistoryStore& store_;
    Operator& op_;
    Now now_;
    QString foundId_;  // the as-found snapshot of the write under way; empty when it was not kept
    bool reported_ = false;
};

// The title of the history's messages.
QString HistoryTitle();
