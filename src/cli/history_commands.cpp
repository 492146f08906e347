#include "cli/history_commands.h"

#include "cli/cli_options.h"
#include "history/history_store.h"

#include <QFileInfo>

namespace {

bool namesFile(const QString& word)
{
    return QFileInfo(word).isFile() || word.endsWith(QLatin1String(".cal"), Qt::CaseInsensitive)
        || word.endsWith(QLatin1String(".urd"), Qt::CaseInsensitive);
}

} // namespace

CommandEnd ListHistory(HistoryStore& store, const std::optional<QString>& serial, const Print& out)
{
    const Stored<std::vector<SnapshotHeader>> listed = store.snapshots(serial);
    if (!listed.ok())
        return {CliExit::FileError, listed.error};
    for (const SnapshotHeader& h : listed.value)
        out(SnapshotListLine(h));
    return {};
}

ResolvedOperand ResolveOperand(const QString& word, HistoryStore& store, const Catalogue& catalogue, Operator& op,
                               const std::function<const ConfRecord*()>& readUnit)
{
    if (word == QLatin1String(UnitOperand)) {
        if (const ConfRecord* unit = readUnit())
            return {ComparedConf{word, *unit}, {}};
        return {std::nullopt, {CliExit::CommunicationFailure, QStringLiteral("could not read the unit")}};
    }
    if (namesFile(word)) {
        if (auto file = ConfFromFile(word, catalogue, op))
            return {std::move(file), {}};
        return {std::nullopt, {CliExit::FileError, QStringLiteral("could not read %1").arg(word)}};
    }
    const Stored<std::optional<Snapshot>> found = store.find(word);
    if (!found.ok())
        return {std::nullopt, {CliExit::FileError, found.error}};
    if (!found.value)
        return {std::nullopt, {CliExit::FileError, QStringLiteral("no snapshot '%1' in the history").arg(word)}};
    return {ComparedConf{word, found.value->conf}, {}};
}

CommandEnd PrintDifferences(const ComparedConf& a, const ComparedConf& b, const Print& out)
{
    const std::vector<FieldComparison> differences = ConfDifferences(a, b);
    for (const FieldComparison& d : differences)
        out(TabSeparatedLine({QLatin1String(d.field->heading), d.before, d.after}));
    return {differences.empty() ? CliExit::Success : CliExit::Differ, QString()};
}

CommandEnd RunHistoryCommand(const CliOptions& options, HistoryStore& store, const Catalogue& catalogue, Operator& op,
                             const Print& out, const std::function<const ConfRecord*()>& readUnit)
{
    if (options.command == CliCommand::History)
        return ListHistory(store, options.operands.isEmpty() ? std::nullopt : std::optional(options.operands.first()), out);
    std::optional<ComparedConf> sides[2];
    for (int i = 0; i < 2; ++i) {
        ResolvedOperand resolved = ResolveOperand(options.operands.at(i), store, catalogue, op, readUnit);
        if (!resolved.conf)
            return resolved.end;
        sides[i] = std::move(resolved.conf);
    }
    return PrintDifferences(*sides[0], *sides[1], out);
}
