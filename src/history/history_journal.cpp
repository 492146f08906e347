#include "history/history_journal.h"

#include "history/history_store.h"
#include "platform/operator.h"

HistoryJournal::HistoryJournal(HistoryStore& store, Operator& op, Now now)
    : store_(store), op_(op), now_(std::move(now))
{
}

QString HistoryTitle()
{
    return QStringLiteral("Unit History");
}

void HistoryJournal::report(const QString& what, const QString& error)
{
    if (reported_)
        return;
    reported_ = true;
    op_.message(HistoryTitle(), QStringLiteral("%1 could not be kept in the history:\n%2.").arg(what, error));
}

void HistoryJournal::beforeWrite(WriteOperation operation, const ConfRecord& asFound)
{
    reported_ = false;
    const Stored<QString> kept = store_.add(
        MakeSnapshot(asFound, now_(), {operation}, SnapshotStage::AsFound, {SnapshotOutcome::Kind::Running}));
    foundId_ = kept.value;
    if (!kept.ok())
        report(QStringLiteral("The configuration found in the unit"),
               kept.error + QStringLiteral(".\nThe unit is written all the same"));
}

void HistoryJournal::afterWrite(WriteOperation operation, const WriteOutcome& outcome, const ConfRecord* asLeft)
{
    const SnapshotOutcome ended = OutcomeOfWrite(outcome);
    if (!foundId_.isEmpty())
        if (const Stored<bool> set = store_.setOutcome(foundId_, ended); !set.ok())
            report(QStringLiteral("How the write ended"), set.error);
    foundId_.clear();
    if (!asLeft)
        return;
    const Stored<QString> kept = store_.add(MakeSnapshot(*asLeft, now_(), {operation}, SnapshotStage::AsLeft, ended));
    if (!kept.ok())
        report(QStringLiteral("The configuration left in the unit"), kept.error);
}
