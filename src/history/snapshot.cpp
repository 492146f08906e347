#include "history/snapshot.h"

#include <QByteArrayList>

#include <algorithm>
#include <iterator>

namespace {

struct OperationName {
    SnapshotOperation operation;
    const char* words;
};
const OperationName operationNames[] = {
    {{WriteOperation::UpdateUnit}, "Update Unit"},
    {{WriteOperation::CalibrationWrite}, "Calibration write"},
    {{WriteOperation::CalibrationUndo}, "Calibration undo"},
    {{WriteOperation::ResetMinMax}, "Reset min/max"},
    {{WriteOperation::DisplayRange}, "Display range write"},
    {{WriteOperation::FlashRestore}, "Flash restore"},
    {{std::nullopt, true}, "Calibration Check"},
    {{std::nullopt}, "Import"},
};

struct OutcomeName {
    SnapshotOutcome::Kind kind;
    const char* words;
};
const OutcomeName outcomeNames[] = {
    {SnapshotOutcome::Kind::Running, "not finished"},
    {SnapshotOutcome::Kind::Done, "done"},
    {SnapshotOutcome::Kind::Reported, "done, problem reported"},
    {SnapshotOutcome::Kind::Failed, "failed"},
    {SnapshotOutcome::Kind::Passed, "passed"},
    {SnapshotOutcome::Kind::OutOfTolerance, "out of tolerance"},
};

const char failedAtStep[] = "failed at step ";

} // namespace

SnapshotOutcome OutcomeOfWrite(const WriteOutcome& outcome)
{
    switch (outcome.result) {
    case WriteOutcome::Result::Done: return {SnapshotOutcome::Kind::Done};
    case WriteOutcome::Result::Reported: return {SnapshotOutcome::Kind::Reported};
    case WriteOutcome::Result::Failed: break;
    }
    return {SnapshotOutcome::Kind::Failed, outcome.failedAt};
}

Snapshot MakeSnapshot(const ConfRecord& conf, const QDateTime& taken, SnapshotOperation operation,
                      SnapshotStage stage, SnapshotOutcome outcome, QString note)
{
    return {{QString(), taken, conf.Serial, conf.Tag, operation, stage, outcome, std::move(note)}, conf};
}

Snapshot CheckSnapshot(const ConfRecord& unit, const QDateTime& issued, bool passed, QString note)
{
    return MakeSnapshot(unit, issued, {std::nullopt, true}, SnapshotStage::AsLeft,
                        {passed ? SnapshotOutcome::Kind::Passed : SnapshotOutcome::Kind::OutOfTolerance},
                        std::move(note));
}

QString OperationWords(SnapshotOperation operation)
{
    const auto named = std::find_if(std::begin(operationNames), std::end(operationNames),
                                    [&](const OperationName& n) { return n.operation == operation; });
    return QLatin1String(named->words);
}

QString StageWords(SnapshotStage stage)
{
    return stage == SnapshotStage::AsFound ? QStringLiteral("as-found") : QStringLiteral("as-left");
}

QString OutcomeWords(const SnapshotOutcome& outcome)
{
    if (outcome.kind == SnapshotOutcome::Kind::Failed && outcome.failedAt != UpdateSteps::Idle)
        return QLatin1String(failedAtStep) + QString::number(int(outcome.failedAt));
    const auto named = std::find_if(std::begin(outcomeNames), std::end(outcomeNames),
                                    [&](const OutcomeName& n) { return n.kind == outcome.kind; });
    return QLatin1String(named->words);
}

std::optional<SnapshotOperation> OperationFromWords(const QString& words)
{
    for (const OperationName& n : operationNames)
        if (words == QLatin1String(n.words))
            return n.operation;
    return std::nullopt;
}

std::optional<SnapshotStage> StageFromWords(const QString& words)
{
    for (SnapshotStage stage : {SnapshotStage::AsFound, SnapshotStage::AsLeft})
        if (words == StageWords(stage))
            return stage;
    return std::nullopt;
}

std::optional<SnapshotOutcome> OutcomeFromWords(const QString& words)
{
    for (const OutcomeName& n : outcomeNames)
        if (words == QLatin1String(n.words))
            return SnapshotOutcome{n.kind};
    if (!words.startsWith(QLatin1String(failedAtStep)))
        return std::nullopt;
    bool ok = false;
    const int step = words.mid(int(std::size(failedAtStep)) - 1).toInt(&ok);
    if (!ok || step < int(UpdateSteps::ClearTables) || step > int(UpdateSteps::Finish))
        return std::nullopt;
    return SnapshotOutcome{SnapshotOutcome::Kind::Failed, UpdateSteps(step)};
}

QString IdStem(const QDateTime& taken)
{
    return taken.toLocalTime().toString(QStringLiteral("yyMMdd-HHmmss"));
}

QString TakenText(const QDateTime& taken)
{
    const QDateTime local = taken.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QByteArray TabSeparatedLine(const QStringList& cells)
{
    QByteArrayList bytes;
    for (QString text : cells) {
        for (QChar& c : text)
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                c = QLatin1Char(' ');
        bytes << text.toUtf8();
    }
    return bytes.join('\t') + '\n';
}

QByteArray SnapshotListLine(const SnapshotHeader& h)
{
    return TabSeparatedLine({h.id, TakenText(h.taken), h.serial, h.tag.trimmed(), OperationWords(h.operation),
                             StageWords(h.stage), OutcomeWords(h.outcome), h.note});
}
