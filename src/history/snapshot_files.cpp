#include "history/snapshot_files.h"

#include "history/compared_conf.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"

#include <QFileInfo>

std::optional<Stored<QString>> ImportConfFile(HistoryStore& store, const QString& path, const QString& serialIfNone,
                                              const Catalogue& catalogue, Operator& op)
{
    std::optional<ComparedConf> file = ConfFromFile(path, catalogue, op);
    if (!file)
        return std::nullopt;
    if (file->conf.Serial.isEmpty())
        file->conf.Serial = serialIfNone;
    return store.add(MakeSnapshot(file->conf, QFileInfo(path).lastModified(), {}, SnapshotStage::AsFound,
                                  {SnapshotOutcome::Kind::Done}));
}

bool ExportSnapshot(const Snapshot& snapshot, const QString& path, Operator& op)
{
    if (path.endsWith(QLatin1String(".urd"), Qt::CaseSensitive)) {
        IllegalSuffixMessage(op);
        return false;
    }
    return WriteConfFile(snapshot.conf, path, op);
}
