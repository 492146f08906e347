#pragma once

#include "link/link_state.h"
#include "model/conf_record.h"

#include <optional>

struct Link;

// The writes into a unit that its history keeps apart.
enum class WriteOperation { UpdateUnit, CalibrationWrite, CalibrationUndo, ResetMinMax, DisplayRange, FlashRestore };

// How a write ended.
struct WriteOutcome {
    enum class Result { Done, Reported, Failed };
    Result result = Result::Done;
    UpdateSteps failedAt = UpdateSteps::Idle;  // the update step that failed; Idle outside the steps
    bool operator==(const WriteOutcome&) const = default;
};
// Failed (at `failedAt`), done past a problem the operator was told of, or done.
WriteOutcome OutcomeOf(bool failed, bool reported, UpdateSteps failedAt = UpdateSteps::Idle);

// Told of every write into a unit: before it, with the configuration the unit held; after it, with
// how it ended and the configuration the unit holds now (none after a failed write: what the unit
// holds then is not known). The unit history implements it.
class WriteJournal {
public:
    virtual ~WriteJournal() = default;
    virtual void beforeWrite(WriteOperation operation, const ConfRecord& asFound) = 0;
    virtual void afterWrite(WriteOperation operation, const WriteOutcome& outcome, const ConfRecord* asLeft) = 0;
};

// The link's side of the journal.
struct JournalState {
    WriteJournal* journal = nullptr;  // none: nothing is kept
    ConfRecord found;  // the unit as read at connect, then as left by each write that went through
    std::optional<WriteOperation> running;
};

// A connect read the unit: what the next write finds.
void NoteUnitFound(Link& link);
// A write into the unit begins. False when another is under way (this one is part of it) or no
// journal is attached: the caller then does not end it.
bool JournalWriteStart(Link& link, WriteOperation operation);
// The write under way ended; the link's records already follow what was written.
void JournalWriteEnd(Link& link, const WriteOutcome& outcome);
