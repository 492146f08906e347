#include "history/sql_history_store.h"

#include "model/conf_fields.h"
#include "platform/clock.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <iterator>
#include <type_traits>

namespace {

constexpr double RetryPause = 0.02;

// SQLite's primary result codes; the driver reports the extended code as the native error code.
enum SqliteResult { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13, CantOpen = 14,
                    NotADatabase = 26 };

int resultOf(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xFF;
}

bool heldByAnother(const QSqlError& error)
{
    return resultOf(error) == Busy || resultOf(error) == Locked;
}

bool damaged(const QSqlError& error)
{
    return resultOf(error) == Corrupt || resultOf(error) == NotADatabase;
}

QString columnType(const ConfField& field)
{
    return std::visit(
        [](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, QString ConfRecord::*>)
                return QStringLiteral("TEXT");
            else if constexpr (std::is_same_v<M, float ConfRecord::*>)
                return QStringLiteral("REAL");
            else
                return QStringLiteral("INTEGER");
        },
        field.member);
}

QVariant fieldValue(const ConfField& field, const ConfRecord& record)
{
    return std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, QString ConfRecord::*>)
                return QVariant(record.*member);
            else if constexpr (std::is_same_v<M, float ConfRecord::*>)
                return QVariant(double(record.*member));
            else
                return QVariant(int(record.*member));
        },
        field.member);
}

void setField(const ConfField& field, ConfRecord& record, const QVariant& value)
{
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, QString ConfRecord::*>)
                record.*member = value.toString();
            else if constexpr (std::is_same_v<M, float ConfRecord::*>)
                record.*member = float(value.toDouble());
            else
                record.*member = static_cast<std::remove_reference_t<decltype(record.*member)>>(value.toInt());
        },
        field.member);
}

// Times are kept in UTC to the millisecond, so their text sorts as the times do.
QString storedTime(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

// The stored form read by position ("2025-03-14T09:15:02.123Z"): a long history lists many.
QDateTime timeOf(const QString& text)
{
    const auto number = [&text](int from, int length) { return QStringView(text).mid(from, length).toInt(); };
    if (text.size() != 24)
        return QDateTime::fromString(text, Qt::ISODateWithMs);
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
}

// What a list of snapshots reads of each, in this order before any field.
const char* const headerColumns[] = {"id", "taken", "operation", "stage", "outcome", "Serial", "Tag", "note"};

QStringList headerNames()
{
    QStringList names;
    for (const char* column : headerColumns)
        names << QLatin1String(column);
    return names;
}

// A row whose first columns are headerColumns.
SnapshotHeader headerOf(const QSqlQuery& q)
{
    SnapshotHeader h;
    h.id = q.value(0).toString();
    h.taken = timeOf(q.value(1).toString());
    h.operation = OperationFromWords(q.value(2).toString()).value_or(SnapshotOperation{});
    h.stage = StageFromWords(q.value(3).toString()).value_or(SnapshotStage::AsFound);
    h.outcome = OutcomeFromWords(q.value(4).toString()).value_or(SnapshotOutcome{});
    h.serial = q.value(5).toString();
    h.tag = q.value(6).toString();
    h.note = q.value(7).toString();
    return h;
}

std::optional<QSqlError> run(QSqlQuery& q)
{
    if (q.exec())
        return std::nullopt;
    return q.lastError();
}

std::optional<QSqlError> run(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    if (q.exec(statement))
        return std::nullopt;
    return q.lastError();
}

// The next free id of a stem: the stem itself, then stem-2, stem-3 ... ("-" sorts right before ".").
std::optional<QSqlError> freeId(const QSqlDatabase& db, const QString& stem, QString& id)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM snapshot WHERE id >= ? AND id < ?"));
    q.addBindValue(stem);
    q.addBindValue(stem + QLatin1Char('.'));
    if (auto error = run(q))
        return error;
    q.next();
    const int taken = q.value(0).toInt();
    id = taken == 0 ? stem : stem + QStringLiteral("-%1").arg(taken + 1);
    return std::nullopt;
}

} // namespace

SqlHistoryStore::SqlHistoryStore(QString folder, Clock& clock, std::function<void(const QString&)> notice)
    : folder_(std::move(folder))
    , clock_(clock)
    , notice_(std::move(notice))
    , connectionName_(QStringLiteral("history-%1").arg(quintptr(this)))
{
}

SqlHistoryStore::~SqlHistoryStore()
{
    close();
}

QString SqlHistoryStore::filePath() const
{
    return QDir(folder_).filePath(QStringLiteral("history.db"));
}

void SqlHistoryStore::close()
{
    if (!db_.isValid())
        return;
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

std::optional<QSqlError> SqlHistoryStore::open()
{
    if (db_.isOpen())
        return std::nullopt;
    if (!QDir().mkpath(folder_))
        return QSqlError(QString(), QStringLiteral("its folder cannot be made"), QSqlError::ConnectionError);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db_.setDatabaseName(filePath());
    // A busy file is waited for through the clock, not inside the driver.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    std::optional<QSqlError> error;
    if (!db_.open())
        error = db_.lastError();
    else
        error = prepareSchema();
    if (error)
        close();
    return error;
}

std::optional<QSqlError> SqlHistoryStore::prepareSchema()
{
    QStringList columns{QStringLiteral("id TEXT PRIMARY KEY"), QStringLiteral("taken TEXT NOT NULL"),
                        QStringLiteral("operation TEXT NOT NULL"), QStringLiteral("stage TEXT NOT NULL"),
                        QStringLiteral("outcome TEXT NOT NULL"), QStringLiteral("note TEXT NOT NULL DEFAULT ''")};
    for (const ConfField& field : ConfFields())
        columns << QLatin1String(field.key) + QLatin1Char(' ') + columnType(field);
    if (auto error = run(db_, QStringLiteral("PRAGMA journal_mode=WAL")))
        return error;
    if (auto error = run(db_, QStringLiteral("CREATE TABLE IF NOT EXISTS snapshot (%1)").arg(columns.join(QStringLiteral(", ")))))
        return error;
    if (auto error = addNoteColumn())
        return error;
    // Readers go on while one program writes. The lists read their columns from the indexes alone,
    // in the order they show them.
    const QString listed = QStringLiteral("id, operation, stage, outcome, Tag, note");
    for (const QString& statement :
         {QStringLiteral("CREATE INDEX IF NOT EXISTS snapshot_by_unit ON snapshot (Serial, taken, %1)").arg(listed),
          QStringLiteral("CREATE INDEX IF NOT EXISTS snapshot_by_time ON snapshot (taken, %1, Serial)").arg(listed)})
        if (auto error = run(db_, statement))
            return error;
    return std::nullopt;
}

std::optional<QSqlError> SqlHistoryStore::addNoteColumn()
{
    // A history written before snapshots had notes gains the column; its indexes are made again
    // with it, or its lists would read every row.
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('snapshot') WHERE name = 'note'")))
        return q.lastError();
    q.next();
    if (q.value(0).toInt() > 0)
        return std::nullopt;
    for (const char* statement : {"ALTER TABLE snapshot ADD COLUMN note TEXT NOT NULL DEFAULT ''",
                                  "DROP INDEX IF EXISTS snapshot_by_unit", "DROP INDEX IF EXISTS snapshot_by_time"})
        if (auto error = run(db_, QLatin1String(statement)))
            return error;
    return std::nullopt;
}

bool SqlHistoryStore::setAside()
{
    close();
    const QString aside = filePath() + QStringLiteral(".damaged-") + IdStem(QDateTime::currentDateTime());
    if (!QFile::rename(filePath(), aside))
        return false;
    // The write-ahead log belongs to the damaged file: it goes with it.
    for (const char* companion : {"-wal", "-shm"})
        if (QFile::exists(filePath() + QLatin1String(companion)))
            QFile::rename(filePath() + QLatin1String(companion), aside + QLatin1String(companion));
    if (notice_)
        notice_(QStringLiteral("The history file %1 was damaged. It was set aside as %2 and a new history was "
                               "started.")
                    .arg(QDir::toNativeSeparators(filePath()), QDir::toNativeSeparators(aside)));
    return true;
}

QString SqlHistoryStore::problemText(const QSqlError& error) const
{
    QString words;
    switch (resultOf(error)) {
    case Busy:
    case Locked: words = QStringLiteral("it is in use by another program"); break;
    case ReadOnly: words = QStringLiteral("it cannot be written"); break;
    case IoError: words = QStringLiteral("the disk could not be read or written"); break;
    case Full: words = QStringLiteral("the disk is full"); break;
    case CantOpen: words = QStringLiteral("it cannot be opened"); break;
    case Corrupt:
    case NotADatabase: words = QStringLiteral("it is damaged"); break;
    default: words = error.text(); break;
    }
    return QStringLiteral("history file %1: %2").arg(QDir::toNativeSeparators(filePath()), words);
}

template <class T>
Stored<T> SqlHistoryStore::attempt(const std::function<std::optional<QSqlError>(T&)>& work, bool writes)
{
    const double patienceEnd = clock_.now() + LockPatience;
    bool setAsideOnce = false;
    for (;;) {
        T value{};
        std::optional<QSqlError> error = open();
        if (!error && writes)
            error = run(db_, QStringLiteral("BEGIN IMMEDIATE"));
        if (!error) {
            error = work(value);
            if (writes && !error)
                error = run(db_, QStringLiteral("COMMIT"));
            if (writes && error)
                run(db_, QStringLiteral("ROLLBACK"));
        }
        if (!error)
            return {std::move(value), QString()};
        if (heldByAnother(*error) && clock_.now() < patienceEnd) {
            clock_.waitFor(RetryPause);
            continue;
        }
        if (damaged(*error) && !setAsideOnce) {
            setAsideOnce = true;
            if (setAside())
                continue;
        }
        return {T{}, problemText(*error)};
    }
}

Stored<QString> SqlHistoryStore::add(const Snapshot& snapshot)
{
    const auto fields = ConfFields();
    QStringList names{QStringLiteral("id"), QStringLiteral("taken"), QStringLiteral("operation"),
                      QStringLiteral("stage"), QStringLiteral("outcome"), QStringLiteral("note")};
    for (const ConfField& field : fields)
        names << QLatin1String(field.key);
    const QString statement = QStringLiteral("INSERT INTO snapshot (%1) VALUES (%2)")
                                  .arg(names.join(QStringLiteral(", ")),
                                       QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    const SnapshotHeader& h = snapshot.header;
    return attempt<QString>(
        [&](QString& id) -> std::optional<QSqlError> {
            if (auto error = freeId(db_, IdStem(h.taken), id))
                return error;
            QSqlQuery q(db_);
            q.prepare(statement);
            for (const QVariant& value : {QVariant(id), QVariant(storedTime(h.taken)),
                                          QVariant(OperationWords(h.operation)), QVariant(StageWords(h.stage)),
                                          QVariant(OutcomeWords(h.outcome)),
                                          QVariant(h.note.isNull() ? QStringLiteral("") : h.note)})
                q.addBindValue(value);
            for (const ConfField& field : fields)
                q.addBindValue(fieldValue(field, snapshot.conf));
            return run(q);
        },
        true);
}

Stored<bool> SqlHistoryStore::setOutcome(const QString& id, const SnapshotOutcome& outcome)
{
    return attempt<bool>(
        [&](bool& found) -> std::optional<QSqlError> {
            QSqlQuery q(db_);
            q.prepare(QStringLiteral("UPDATE snapshot SET outcome = ? WHERE id = ?"));
            q.addBindValue(OutcomeWords(outcome));
            q.addBindValue(id);
            auto error = run(q);
            found = !error && q.numRowsAffected() == 1;
            return error;
        },
        true);
}

Stored<std::vector<UnitSeen>> SqlHistoryStore::units()
{
    return attempt<std::vector<UnitSeen>>(
        [&](std::vector<UnitSeen>& units) -> std::optional<QSqlError> {
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            // Unit by unit through the index, not row by row: the next serial number is the least one
            // above the last.
            q.prepare(QStringLiteral(
                "WITH RECURSIVE unit(serial) AS (SELECT MIN(Serial) FROM snapshot UNION ALL SELECT (SELECT "
                "MIN(Serial) FROM snapshot WHERE Serial > unit.serial) FROM unit WHERE unit.serial IS NOT NULL) "
                "SELECT serial, (SELECT Tag FROM snapshot WHERE Serial = unit.serial ORDER BY taken DESC, id DESC "
                "LIMIT 1), (SELECT MAX(taken) FROM snapshot WHERE Serial = unit.serial) AS last FROM unit WHERE "
                "serial IS NOT NULL ORDER BY last DESC"));
            if (auto error = run(q))
                return error;
            while (q.next())
                units.push_back({q.value(0).toString(), q.value(1).toString(), timeOf(q.value(2).toString())});
            return std::nullopt;
        },
        false);
}

Stored<std::vector<SnapshotHeader>> SqlHistoryStore::snapshots(const std::optional<QString>& serial)
{
    return attempt<std::vector<SnapshotHeader>>(
        [&](std::vector<SnapshotHeader>& headers) -> std::optional<QSqlError> {
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            q.prepare(QStringLiteral("SELECT %1 FROM snapshot %2 ORDER BY taken DESC, id DESC")
                          .arg(headerNames().join(QStringLiteral(", ")), serial ? QStringLiteral("WHERE Serial = ?") : QString()));
            if (serial)
                q.addBindValue(*serial);
            if (auto error = run(q))
                return error;
            while (q.next())
                headers.push_back(headerOf(q));
            return std::nullopt;
        },
        false);
}

Stored<std::optional<Snapshot>> SqlHistoryStore::find(const QString& id)
{
    const auto fields = ConfFields();
    QStringList names = headerNames();
    for (const ConfField& field : fields)
        names << QLatin1String(field.key);
    return attempt<std::optional<Snapshot>>(
        [&](std::optional<Snapshot>& found) -> std::optional<QSqlError> {
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            q.prepare(QStringLiteral("SELECT %1 FROM snapshot WHERE id = ?").arg(names.join(QStringLiteral(", "))));
            q.addBindValue(id);
            if (auto error = run(q))
                return error;
            if (!q.next())
                return std::nullopt;
            Snapshot s{headerOf(q), ConfRecord{}};
            const int firstField = int(std::size(headerColumns));
            for (std::size_t i = 0; i < fields.size(); ++i)
                setField(fields[i], s.conf, q.value(firstField + int(i)));
            found = std::move(s);
            return std::nullopt;
        },
        false);
}
