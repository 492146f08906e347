#pragma once

#include "history/history_journal.h"
#include "history/sql_history_store.h"

class Clock;
class Operator;
struct Link;

// The unit history of one program run: the store in `folder`, and the journal the link tells of
// every write. Its problems and notices go to the operator.
class UnitHistory {
public:
    UnitHistory(const QString& folder, Clock& clock, Operator& op);

    HistoryStore& store() { return store_; }
    // From now on every write into the link's units is kept.
    void attach(Link& link);

private:
    SqlHistoryStore store_;
    HistoryJournal journal_;
};
