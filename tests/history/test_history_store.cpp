#include "history_fixture.h"

#include "history/compared_conf.h"
#include "history/history_journal.h"
#include "history/snapshot_files.h"
#include "model/conf_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <set>

namespace {

// A record with a value of its own in every kept field.
ConfRecord everyFieldSet()
{
    ConfRecord r;
    int n = 1;
    for (const ConfField& field : ConfFields()) {
        std::visit(
            [&](auto member) {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, QString ConfRecord::*>)
                    r.*member = QStringLiteral("%1 \u00B0%2").arg(QLatin1String(field.key)).arg(n);
                else if constexpr (std::is_same_v<M, float ConfRecord::*>)
                    r.*member = -1234.567f * float(n);
                else if constexpr (std::is_same_v<M, std::int16_t ConfRecord::*>)
                    r.*member = std::int16_t(-300 * n);
                else
                    r.*member = std::uint8_t(n);
            },
            field.member);
        ++n;
    }
    return r;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(HistoryTest, EveryFieldComesBackAndIdsStayApart)
{
    const ConfRecord conf = everyFieldSet();
    const QString id = add(conf, 0);
    EXPECT_EQ(id, "250314-101502");
    const Stored<std::optional<Snapshot>> found = store.find(id);
    ASSERT_TRUE(found.ok() && found.value) << found.error.toStdString();
    for (const ConfField& field : ConfFields())
        EXPECT_TRUE(SameField(field, found.value->conf, conf)) << field.key;
    EXPECT_EQ(found.value->header.taken, at(0));

    // Snapshots in the same second get the next number; lists come newest first.
    EXPECT_EQ(add(pt100(2), 0), "250314-101502-2");
    EXPECT_EQ(add(pt100(3), 0), "250314-101502-3");
    ConfRecord other = pt100(4);
    other.Serial = QStringLiteral("7654321");
    add(other, 60);
    ConfRecord renamed = pt100(5);
    renamed.Tag = QStringLiteral("TT-102");
    const QString last = add(renamed, 120);
    ASSERT_TRUE(store.setOutcome(last, {SnapshotOutcome::Kind::Failed, UpdateSteps::ThirdTable}).value);

    const auto listed = store.snapshots(QStringLiteral("0512307")).value;
    QStringList ids;
    for (const SnapshotHeader& h : listed)
        ids << h.id;
    EXPECT_EQ(ids, QStringList({last, "250314-101502-3", "250314-101502-2"}));
    EXPECT_EQ(OutcomeWords(listed.front().outcome), "failed at step 5");
    EXPECT_EQ(store.snapshots(std::nullopt).value.size(), 5u);

    const auto units = store.units().value;
    ASSERT_EQ(units.size(), 3u);  // the odd record's own serial, and two units
    EXPECT_EQ(std::tie(units[0].serial, units[0].tag, units[0].lastSeen), std::make_tuple(renamed.Serial, renamed.Tag, at(120)));
    EXPECT_EQ(units[1].serial, "7654321");
    EXPECT_FALSE(store.find("250314-999999").value);
}

TEST_F(HistoryTest, DamagedFileIsSetAsideAndANewOneStarted)
{
    QDir().mkpath(dir.filePath("history"));
    const QByteArray damaged = QByteArray("not a history ").repeated(400);
    QFile file(store.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
    file.close();

    const QString id = add(pt100(2), 0);
    EXPECT_TRUE(store.find(id).value);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains("was damaged. It was set aside as ")) << notices[0].toStdString();
    const QStringList aside = QDir(dir.filePath("history")).entryList({"history.db.damaged-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(fileBytes(dir.filePath("history/" + aside[0])), damaged);
}

// The history cannot be written: a message, once a write, and the journal returns at once.
TEST_F(HistoryTest, UnwritableOrLockedHistoryIsToldNotWaitedFor)
{
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    SqlHistoryStore unwritable(dir.filePath("blocked/history"), clock, {});
    HistoryJournal journal(unwritable, op);
    const ConfRecord conf = pt100(2);
    journal.beforeWrite(WriteOperation::UpdateUnit, conf);
    journal.afterWrite(WriteOperation::UpdateUnit, {}, &conf);
    ASSERT_EQ(op.boxes.size(), 1u) << op.transcript().toStdString();
    EXPECT_EQ(op.boxes[0].title, "Unit History");
    EXPECT_TRUE(op.boxes[0].text.startsWith("The configuration found in the unit could not be kept in the history:\n"
                                            "history file "))
        << op.boxes[0].text.toStdString();
    EXPECT_TRUE(op.boxes[0].text.endsWith(": its folder cannot be made.\nThe unit is written all the same."));

    add(conf, 0);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(store.filePath());
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("BEGIN EXCLUSIVE"));
        const double start = clock.now();
        const Stored<QString> refused = store.add(MakeSnapshot(conf, at(1), {}, SnapshotStage::AsFound, {}));
        EXPECT_TRUE(refused.error.endsWith("it is in use by another program")) << refused.error.toStdString();
        EXPECT_NEAR(clock.now() - start, SqlHistoryStore::LockPatience, 0.05);
        ASSERT_TRUE(hold.exec("COMMIT"));
        other.close();
    }
    QSqlDatabase::removeDatabase("other");
    EXPECT_EQ(add(conf, 1), "250314-101503");
}

TEST_F(HistoryTest, TwoProgramsWritingAtOnceLoseNothing)
{
    constexpr int each = 150;
    QProcess writers[2];
    for (int i = 0; i < 2; ++i)
        writers[i].start(HISTORY_WRITER, {dir.filePath("history"), QString::number(each), QStringLiteral("unit %1").arg(i)});
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(60000));
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    const auto all = store.snapshots(std::nullopt).value;
    std::set<QString> ids;
    for (const SnapshotHeader& h : all)
        ids.insert(h.id);
    EXPECT_EQ(ids.size(), std::size_t(2 * each));
    EXPECT_EQ(store.units().value.size(), 2u);
}

// Before a write its as-found snapshot; after it the outcome, and the as-left one when it went through.
TEST_F(HistoryTest, JournalKeepsWhatWasFoundAndLeft)
{
    const struct {
        WriteOutcome outcome;
        QStringList kept;  // stage and outcome, newest first
    } cases[] = {
        {{}, {"as-left done", "as-found done"}},
        {{WriteOutcome::Result::Reported}, {"as-left done, problem reported", "as-found done, problem reported"}},
        {{WriteOutcome::Result::Failed, UpdateSteps::FirstTable}, {"as-found failed at step 3"}},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        SqlHistoryStore own(folder.path(), clock, {});
        int second = 0;
        HistoryJournal journal(own, op, [&second] { return at(second++); });
        ConfRecord conf = pt100(2);
        journal.beforeWrite(WriteOperation::ResetMinMax, conf);
        EXPECT_EQ(OutcomeWords(own.snapshots(std::nullopt).value.at(0).outcome), "not finished");
        conf.Damping = 5;
        journal.afterWrite(WriteOperation::ResetMinMax, c.outcome, c.kept.size() == 2 ? &conf : nullptr);
        QStringList kept;
        for (const SnapshotHeader& h : own.snapshots(std::nullopt).value) {
            kept << StageWords(h.stage) + " " + OutcomeWords(h.outcome);
            EXPECT_EQ(OperationWords(h.operation), "Reset min/max");
        }
        EXPECT_EQ(kept, c.kept);
    }
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(HistoryTest, ExportedSnapshotImportsAsTheSameConfiguration)
{
    const QString id = add(pt100(7), 0);
    const Snapshot snapshot = *store.find(id).value;
    EXPECT_FALSE(ExportSnapshot(snapshot, dir.filePath("x.urd"), op));
    EXPECT_EQ(op.only().title, "Illegal Suffix");
    ASSERT_TRUE(ExportSnapshot(snapshot, dir.filePath("x.cal"), op));

    const auto imported = ImportConfFile(store, dir.filePath("x.cal"), QString(), catalogue, op);
    ASSERT_TRUE(imported && imported->ok());
    const Snapshot back = *store.find(imported->value).value;
    EXPECT_EQ(OperationWords(back.header.operation), "Import");
    EXPECT_TRUE(ConfDifferences({"", snapshot.conf}, {"", back.conf, true}).empty());
    EXPECT_FALSE(ImportConfFile(store, dir.filePath("missing.cal"), QString(), catalogue, op));
}

// A history written before snapshots had notes gains the column and keeps what it held; a check's
// verdict and note come back as kept.
TEST_F(HistoryTest, OlderHistoryGainsNotesAndKeepsItsSnapshots)
{
    const QString folder = dir.filePath("older");
    {
        SqlHistoryStore older(folder, clock, nullptr);
        ASSERT_TRUE(older.add(MakeSnapshot(pt100(2), at(0), {WriteOperation::UpdateUnit}, SnapshotStage::AsFound, {})).ok());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(folder + "/history.db");
        ASSERT_TRUE(db.open());
        for (const char* statement : {"DROP INDEX snapshot_by_unit", "DROP INDEX snapshot_by_time",
                                      "ALTER TABLE snapshot DROP COLUMN note",
                                      "CREATE INDEX snapshot_by_unit ON snapshot (Serial, taken, id)"})
            ASSERT_TRUE(QSqlQuery(db).exec(QLatin1String(statement))) << statement;
        db.close();
    }
    QSqlDatabase::removeDatabase("older");

    SqlHistoryStore reopened(folder, clock, nullptr);
    const Stored<QString> check = reopened.add(CheckSnapshot(pt100(2), at(60), false, "QA-1: as found FAIL (1 of 1)"));
    ASSERT_TRUE(check.ok()) << check.error.toStdString();
    const auto listed = reopened.snapshots(QStringLiteral("0512307"));
    ASSERT_TRUE(listed.ok()) << listed.error.toStdString();
    ASSERT_EQ(listed.value.size(), 2u);
    EXPECT_EQ(SnapshotListLine(listed.value[0]).split('\t').mid(4),
              QByteArrayList({"Calibration Check", "as-left", "out of tolerance", "QA-1: as found FAIL (1 of 1)\n"}));
    EXPECT_EQ(listed.value[1].note, "");
    EXPECT_TRUE(reopened.find(listed.value[1].id).value);
}
