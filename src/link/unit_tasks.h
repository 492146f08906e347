#pragma once

#include "link/link_state.h"
#include "link/update.h"

#include <functional>

struct Link;
struct ConfRecord;

// The tasks a command runs on the unit, one entry point each, shared by the main window, the
// calibration windows and the command-line tool. The update's ticks are run by the caller: the
// progress window, or the command-line tool's own one-second loop.
using RunUpdateTicks = std::function<UpdateProgress()>;

// A poll that is still running gets two seconds to finish before a write starts.
void WaitForRunningPoll(Link& link);

// "Update Unit" up to the confirmation: both stored extremes are reset with the configuration, a
// running poll may finish, then PrepareUpdate. False when nothing may be sent; the update is
// then abandoned.
bool StartFullUpdate(Link& link);
// An update that was refused or declined before anything was sent: nothing is pending.
void AbandonUpdate(Link& link);

// Clears the unit's stored maximum, minimum or both (the reading panel's Reset) with the
// reset step of the update machine.
enum class Extremes { Maximum, Minimum, Both };
UpdateProgress ResetExtremes(Link& link, Extremes which, const RunUpdateTicks& run);

// Writes the correction held in UnitConf (CorrectionWrite) or drops the unit's correction
// (CorrectionUndo) with the calibration-only kinds of the update machine. False when the port
// cannot be opened (or, for the undo, the update cannot be prepared): the update kind is then
// what it was, so a later "Update Unit" is a full update.
bool WriteCorrection(Link& link, UpdateKinds kind, const RunUpdateTicks& run);
// A unit with a local display gets its display range again after a correction is written.
void ResendDisplayRange(Link& link);

// The factory window's values into `record`: status, step bytes and the four factory words.
// False when a read failed (reported as reads are; the link closes).
bool ReadFactoryValues(Link& link, ConfRecord& record);
// The unit's 704 bytes of factory memory into FlashImage. UploadOk becomes false when they could
// not all be read; the result is UploadOk.
bool UploadFactoryMemory(Link& link);
// FlashImage back into the unit, then the calibration block and the finish. True when every
// block was taken and the finish went through without a report; UploadOk says whether the
// image went in whole.
bool DownloadFactoryMemory(Link& link);
