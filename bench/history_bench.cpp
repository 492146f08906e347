// history_bench: figures of the unit history with 100,000 snapshots (100 units, 1,000 each) in a
// history file in a temporary folder:
//   keep      one snapshot kept through the store, as before a write (one transaction, on disk);
//   list      one unit's snapshots, newest first (what the history window and `history SERIAL` show),
//             and the units seen;
//   compare   two snapshots read by id and compared field by field (what `diff A B` does).
// The 100,000 rows are copies of one kept snapshot, made in one statement so the filling is quick.
// It prints the figures (median of repeated runs); it does not judge them.
// With --picture FILE.png it draws the history window comparing two snapshots of a unit into
// FILE.png instead (for looking at it).

#include "history/compared_conf.h"
#include "history/sql_history_store.h"
#include "history/ui/history_window.h"
#include "model/catalogue.h"
#include "platform/real_clock.h"
#include "platform/widgets/message_box_operator.h"
#include "platform/widgets/system_file_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Units = 100;
constexpr int PerUnit = 1000;
constexpr int Runs = 21;

QString serialOf(int unit)
{
    return QString::number(1000000 + unit);
}

double medianMs(const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(ms.begin(), ms.begin() + Runs / 2, ms.end());
    return ms[Runs / 2];
}

// Copies the one snapshot in the file into Units x PerUnit rows, a second apart, the units taking
// turns.
bool fill(const QString& file)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(file);
    bool ok = db.open();
    if (ok) {
        QSqlQuery q(db);
        QStringList columns;
        ok = q.exec(QStringLiteral("PRAGMA table_info(snapshot)"));
        while (q.next())
            columns << q.value(1).toString();
        QStringList values = columns;
        values.replaceInStrings(QRegularExpression(QStringLiteral("^id$")), QStringLiteral("printf('b%06d', n)"));
        values.replaceInStrings(QRegularExpression(QStringLiteral("^taken$")),
                                QStringLiteral("strftime('%Y-%m-%dT%H:%M:%fZ', '2024-01-01', '+' || n || ' seconds')"));
        values.replaceInStrings(QRegularExpression(QStringLiteral("^Serial$")),
                                QStringLiteral("CAST(1000000 + n % %1 AS TEXT)").arg(Units));
        ok = ok && q.exec(QStringLiteral("BEGIN"))
            && q.exec(QStringLiteral("WITH RECURSIVE seq(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM seq WHERE n + 1 < %1) "
                                     "INSERT INTO snapshot (%2) SELECT %3 FROM seq, (SELECT * FROM snapshot LIMIT 1)")
                          .arg(Units * PerUnit)
                          .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))))
            && q.exec(QStringLiteral("COMMIT"));
        if (!ok)
            std::fprintf(stderr, "history_bench: %s\n", qPrintable(q.lastError().text()));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

// A unit's day: found as Pt-100, changed to a type K thermocouple, its extremes reset, a correction.
int picture(const QString& path)
{
    QTemporaryDir folder;
    RealClock clock;
    SqlHistoryStore store(folder.path(), clock, {});
    const Catalogue catalogue = BuildCatalogue();
    ConfRecord conf = ZeroConfRecord();
    LookupInputCode(catalogue, conf, 0x49);
    conf.Serial = QStringLiteral("1234567");
    conf.Tag = QStringLiteral("TT-101 BOILER FEED");
    conf.RangeMax = 100;
    conf.OutMax = 20;
    conf.OutMin = 4;
    conf.OutDir = 1;
    conf.Damping = 2;
    conf.DispLow = -200;
    conf.DispHigh = 1000;
    ClearCorrection(conf);
    const QDateTime start(QDate(2025, 3, 14), QTime(9, 12, 40));
    const auto keep = [&](int seconds, WriteOperation operation, SnapshotStage stage) {
        store.add(MakeSnapshot(conf, start.addSecs(seconds), {operation}, stage, {SnapshotOutcome::Kind::Done}));
    };
    keep(0, WriteOperation::UpdateUnit, SnapshotStage::AsFound);
    LookupInputCode(catalogue, conf, 0x61);
    conf.RangeMin = -50;
    conf.RangeMax = 1200;
    conf.Damping = 5;
    conf.BurnOut = 1;
    keep(84, WriteOperation::UpdateUnit, SnapshotStage::AsLeft);
    keep(2400, WriteOperation::ResetMinMax, SnapshotStage::AsFound);
    keep(2408, WriteOperation::ResetMinMax, SnapshotStage::AsLeft);
    ConfRecord other = conf;
    other.Serial = QStringLiteral("0512307");
    other.Tag = QStringLiteral("TT-102");
    store.add(MakeSnapshot(other, start.addSecs(-86400), {}, SnapshotStage::AsFound, {SnapshotOutcome::Kind::Done}));

    MessageBoxOperator op;
    SystemFileDialogs dialogs;
    HistoryWindow window({store, op, dialogs, catalogue, [] { return nullptr; }, [](const ConfRecord&) {}});
    window.chooseUnit(QStringLiteral("1234567"));
    window.chooseSnapshots({IdStem(start), IdStem(start.addSecs(84))});
    window.compareSnapshots();
    window.resize(960, 780);
    window.show();
    QCoreApplication::processEvents();
    return window.grab().save(path) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--picture") {
        QApplication app(argc, argv);
        return picture(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    RealClock clock;
    SqlHistoryStore store(folder.path(), clock, {});
    ConfRecord conf = ZeroConfRecord();
    LookupInputCode(BuildCatalogue(), conf, 0x49);
    conf.Serial = serialOf(0);
    conf.Tag = QStringLiteral("TT-101");
    conf.RangeMax = 100;
    conf.Damping = 2;
    const auto keep = [&] {
        return store.add(MakeSnapshot(conf, QDateTime::currentDateTime(), {WriteOperation::UpdateUnit},
                                      SnapshotStage::AsFound, {}));
    };
    if (!keep().ok())
        return 1;

    QElapsedTimer filling;
    filling.start();
    if (!fill(store.filePath()))
        return 1;
    const double fillSeconds = double(filling.elapsed()) / 1000;
    const qint64 bytes = QFileInfo(store.filePath()).size();
    std::printf("history of %d snapshots (%d units x %d): filled in %.1f s, file %.1f MB, %.0f bytes a snapshot\n",
                Units * PerUnit + 1, Units, PerUnit, fillSeconds, double(bytes) / 1e6,
                double(bytes) / (Units * PerUnit + 1));

    std::printf("  keep one snapshot (a transaction on disk):    %7.2f ms\n", medianMs([&] { keep(); }));
    const QString unit = serialOf(Units / 2);
    std::size_t listed = 0;
    std::printf("  list one unit's snapshots (%d):             %7.2f ms\n", PerUnit,
                medianMs([&] { listed = store.snapshots(unit).value.size(); }));
    std::printf("  list the units seen (%d):                    %7.2f ms\n", Units,
                medianMs([&] { listed = store.units().value.size(); }));
    std::printf("  list every snapshot (%d):                %7.2f ms\n", Units * PerUnit,
                medianMs([&] { listed = store.snapshots(std::nullopt).value.size(); }));
    std::size_t differing = 0;
    std::printf("  compare two snapshots (read both, compare):  %7.2f ms\n", medianMs([&] {
                    const Snapshot a = *store.find(QStringLiteral("b012345")).value;
                    const Snapshot b = *store.find(QStringLiteral("b098765")).value;
                    differing = ConfDifferences({a.header.id, a.conf}, {b.header.id, b.conf}).size();
                }));
    return listed > 0 && differing == 1 ? 0 : 1;  // only the serial number differs
}
