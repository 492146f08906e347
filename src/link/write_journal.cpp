#include "link/write_journal.h"

#include "link/serial_link.h"
#include "model/session.h"

namespace {

// What the program knows the unit held before the write: the unit read at connect when it is still
// the unit the link talks to, else what the link holds of it (the factory window knows only the
// serial number it read).
const ConfRecord& asFound(const Link& link)
{
    const ConfRecord& unit = link.session.UnitConf;
    return link.journal.found.Serial == unit.Serial ? link.journal.found : unit;
}

// What the unit holds after a write that went through. The update machine's records follow it
// (an edited record's output direction may be unset: the unit's follows its output limits); a
// display range alone leaves the records as they were; a factory memory image is not a
// configuration, so the configuration stays what it was found to be.
ConfRecord asLeft(const Link& link, WriteOperation operation, const ConfRecord& found)
{
    if (operation == WriteOperation::FlashRestore)
        return found;
    ConfRecord left = link.session.UnitConf;
    left.OutDir = OutputDirection(left);
    if (operation == WriteOperation::DisplayRange) {
        left.DispLow = link.session.EditConf.DispLow;
        left.DispHigh = link.session.EditConf.DispHigh;
    }
    return left;
}

} // namespace

WriteOutcome OutcomeOf(bool failed, bool reported, UpdateSteps failedAt)
{
    if (failed)
        return {WriteOutcome::Result::Failed, failedAt};
    return {reported ? WriteOutcome::Result::Reported : WriteOutcome::Result::Done};
}

void NoteUnitFound(Link& link)
{
    link.journal.found = link.session.UnitConf;
}

bool JournalWriteStart(Link& link, WriteOperation operation)
{
    JournalState& j = link.journal;
    if (!j.journal || j.running)
        return false;
    j.running = operation;
    j.found = asFound(link);
    j.journal->beforeWrite(operation, j.found);
    return true;
}

void JournalWriteEnd(Link& link, const WriteOutcome& outcome)
{
    JournalState& j = link.journal;
    if (!j.journal || !j.running)
        return;
    const WriteOperation operation = *j.running;
    j.running.reset();
    if (outcome.result == WriteOutcome::Result::Failed) {
        j.journal->afterWrite(operation, outcome, nullptr);
        return;
    }
    j.found = asLeft(link, operation, j.found);
    j.journal->afterWrite(operation, outcome, &j.found);
}
