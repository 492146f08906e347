// Writes COUNT snapshots of unit SERIAL into the history in FOLDER, as fast as it can: two of these
// at once show that programs writing together lose no snapshot.

#include "history/sql_history_store.h"
#include "platform/real_clock.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    RealClock clock;
    SqlHistoryStore store(arguments[1], clock, {});
    ConfRecord conf;
    conf.Serial = arguments[3];
    for (int i = 0; i < arguments[2].toInt(); ++i) {
        conf.Damping = float(i);
        const Stored<QString> kept = store.add(MakeSnapshot(conf, QDateTime::currentDateTime(), {WriteOperation::UpdateUnit},
                                                            SnapshotStage::AsFound, {}));
        if (!kept.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(kept.error));
            return 1;
        }
    }
    return 0;
}
