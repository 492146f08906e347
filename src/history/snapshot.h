#pragma once

#include "link/write_journal.h"
#include "model/conf_record.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QString>

#include <optional>

// A unit's configuration as kept in its history: taken before a write (as found), after a write
// that went through (as left), or imported from a configuration file or unit record.

// What the snapshot was taken for: one of the writes, a calibration check, or an import.
struct SnapshotOperation {
    std::optional<WriteOperation> write;  // none: a check or imported from a file
    bool check = false;                   // the unit as a calibration check left it
    bool operator==(const SnapshotOperation&) const = default;
};

enum class SnapshotStage { AsFound, AsLeft };

// How the write ended; Running while it has not (or never did: the program ended during it).
struct SnapshotOutcome {
    // Passed and OutOfTolerance: a check's verdict on the unit as it was left.
    enum class Kind { Running, Done, Reported, Failed, Passed, OutOfTolerance };
    Kind kind = Kind::Running;
    UpdateSteps failedAt = UpdateSteps::Idle;
    bool operator==(const SnapshotOutcome&) const = default;
};
SnapshotOutcome OutcomeOfWrite(const WriteOutcome& outcome);

// Everything but the configuration: what a list of snapshots shows.
struct SnapshotHeader {
    QString id;  // short, stable, typed by people: "250314-101502", "250314-101502-2"
    QDateTime taken;
    QString serial;
    QString tag;
    SnapshotOperation operation;
    SnapshotStage stage = SnapshotStage::AsFound;
    SnapshotOutcome outcome;
    QString note;  // a check's certificate number and verdicts
};

struct Snapshot {
    SnapshotHeader header;
    ConfRecord conf;
};

// A snapshot of `conf` taken at `taken` (the serial number and tag are the configuration's).
Snapshot MakeSnapshot(const ConfRecord& conf, const QDateTime& taken, SnapshotOperation operation,
                      SnapshotStage stage, SnapshotOutcome outcome, QString note = {});

// The unit as a calibration check left it, with the check's verdict on it and `note` (the
// certificate number and both verdicts).
Snapshot CheckSnapshot(const ConfRecord& unit, const QDateTime& issued, bool passed, QString note);

// The words people read, also the stored words: "Update Unit", "as-found", "failed at step 3".
QString OperationWords(SnapshotOperation operation);
QString StageWords(SnapshotStage stage);
QString OutcomeWords(const SnapshotOutcome& outcome);
// Back from the stored words; nothing for words no version of the program wrote.
std::optional<SnapshotOperation> OperationFromWords(const QString& words);
std::optional<SnapshotStage> StageFromWords(const QString& words);
std::optional<SnapshotOutcome> OutcomeFromWords(const QString& words);

// The id's first part: the local date and time to the second ("250314-101502").
QString IdStem(const QDateTime& taken);
// Date and time as ISO 8601 in local time with its offset ("2025-03-14T10:15:02+01:00").
QString TakenText(const QDateTime& taken);

// The cells as one line, separated by tabs (tabs and line breaks inside a cell become blanks).
QByteArray TabSeparatedLine(const QStringList& cells);
// A snapshot in a listing:
// ID <TAB> DATE-TIME <TAB> SERIAL <TAB> TAG <TAB> OPERATION <TAB> STAGE <TAB> OUTCOME <TAB> NOTE
QByteArray SnapshotListLine(const SnapshotHeader& header);
