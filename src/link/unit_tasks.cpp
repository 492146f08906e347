#include "link/unit_tasks.h"

#include "link/codecs.h"
#include "link/commands.h"
#include "link/link_control.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/write_journal.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/clock.h"

namespace {

constexpr double PollGrace = 2.0;

} // namespace

void WaitForRunningPoll(Link& link)
{
    const double graceEnd = link.clock.now() + PollGrace;
    if (link.poll.PollBusy)
        link.clock.waitUntil(graceEnd);
}

bool StartFullUpdate(Link& link)
{
    link.update.ResetMaxPending = link.update.ResetMinPending = true;
    WaitForRunningPoll(link);
    if (PrepareUpdate(link))
        return true;
    AbandonUpdate(link);
    return false;
}

void AbandonUpdate(Link& link)
{
    link.update.UpdateStep = UpdateSteps::Idle;
    link.update.ResetMaxPending = link.update.ResetMinPending = false;
}

UpdateProgress ResetExtremes(Link& link, Extremes which, const RunUpdateTicks& run)
{
    UpdateState& u = link.update;
    u.ResetButtonUsed = which == Extremes::Both;
    u.ResetMaxPending = which != Extremes::Minimum;
    u.ResetMinPending = which != Extremes::Maximum;
    u.UpdateStep = UpdateSteps::ResetExtremes;
    JournalWriteStart(link, WriteOperation::ResetMinMax);
    const UpdateProgress progress = run();
    u.ResetMaxPending = u.ResetMinPending = false;
    u.ResetButtonUsed = false;
    return progress;
}

bool WriteCorrection(Link& link, UpdateKinds kind, const RunUpdateTicks& run)
{
    Session& s = link.session;
    UpdateState& u = link.update;
    const UpdateKinds previous = u.UpdateKind;
    u.UpdateKind = kind;
    if (kind == UpdateKinds::CorrectionUndo) {
        if (!PrepareUpdate(link)) {
            u.UpdateKind = previous;
            return false;
        }
        JournalWriteStart(link, WriteOperation::CalibrationUndo);
        for (ConfRecord* record : {&s.UnitConf, &s.EditConf})
            record->CalHighRef = record->CalLowRef = NoCal;
        ResendDisplayRange(link);
    } else {
        link.windows.setCommandState(CommandStates::Busy);
        WaitForRunningPoll(link);
        if (!EnsurePortOpen(link)) {
            u.UpdateKind = previous;
            link.windows.setCommandState(CommandStates::NotConnected);
            return false;
        }
        JournalWriteStart(link, WriteOperation::CalibrationWrite);
    }
    run();
    return true;
}

void ResendDisplayRange(Link& link)
{
    // After a failed write the link is closed: a display range sent then would only time out.
    const Session& s = link.session;
    if (!link.poll.DisplayPresent || !link.state.LinkOpen)
        return;
    const bool journaled = JournalWriteStart(link, WriteOperation::DisplayRange);
    const Exchange result = Settled(link, WriteDisplayRange(link, s.EditConf.DispLow, s.EditConf.DispHigh));
    if (journaled)
        JournalWriteEnd(link, OutcomeOf(result != Exchange::Ok, false));
}

bool ReadFactoryValues(Link& link, ConfRecord& record)
{
    record.FactStatus = Taken(link, ReadOptionFlags(link));
    const Reply<RawWord> bytes = ReadFactoryWord(link, Command::FactoryBytes);
    if (Taken(link, bytes); !bytes.ok()) {
        Disconnect(link);
        return false;
    }
    record.FactBytes = {bytes.value[0], bytes.value[1]};
    struct Word {
        std::uint8_t command;
        float ConfRecord::*field;
        float (*decode)(std::uint8_t, std::uint8_t);
    };
    const Word words[] = {{Command::FactoryM, &ConfRecord::FactVal1, DecodeFactoryWordReciprocal},
                          {Command::FactoryO, &ConfRecord::FactVal2, DecodeFactoryWordSignHigh},
                          {Command::FactoryN, &ConfRecord::FactVal3, DecodeFactoryWordSignHigh},
                          {Command::FactoryC, &ConfRecord::FactVal4, DecodeFactoryWordSignLow}};
    for (const Word& w : words) {
        const Reply<RawWord> word = ReadFactoryWord(link, w.command);
        if (Taken(link, word); !word.ok()) {
            Disconnect(link);
            return false;
        }
        record.*w.field = w.decode(word.value[0], word.value[1]);
    }
    return true;
}

namespace {

// The upload stopped: nothing more can be read.
bool uploadFailed(Link& link)
{
    link.factory.UploadOk = false;
    if (LinkMessagesWanted(link))
        ReceiveProblemMessage(link.op);
    Disconnect(link);
    return false;
}

} // namespace

bool UploadFactoryMemory(Link& link)
{
    FactoryState& f = link.factory;
    std::vector<std::uint8_t>& image = link.session.FlashImage;
    const Reply<std::uint8_t> echo = ByteExchange(link, UploadRequest);
    if (!Settled(link, echo).ok())
        return uploadFailed(link);
    if (echo.value != UploadRequest) {
        f.UploadOk = false;
        return false;
    }
    std::uint8_t lastSent = UploadRequest;
    int resends = 0;
    for (int k = 0; k < FlashBlocks;) {
        const Reply<QByteArray> reply = ReceiveFlashBlock(link);
        if (!Settled(link, reply).ok() || resends > MaxResends)
            return uploadFailed(link);
        const QByteArray data = reply.value.mid(1, FlashBlockSize);
        if (image.size() < std::size_t((k + 1) * FlashBlockSize))
            image.resize((k + 1) * FlashBlockSize);
        std::copy(data.begin(), data.end(), image.begin() + k * FlashBlockSize);
        const bool intact = BlockChecksum(lastSent, data) == std::uint8_t(reply.value.at(FlashBlockSize + 1));
        lastSent = intact ? Acknowledge : ResendRequest;
        SendFrame(link, QByteArray(1, char(lastSent)));
        if (intact) {
            ++k;
            resends = 0;
        } else {
            ++resends;
        }
    }
    return f.UploadOk;
}

bool DownloadFactoryMemory(Link& link)
{
    FactoryState& f = link.factory;
    const std::vector<std::uint8_t>& image = link.session.FlashImage;
    f.FactoryDownloadRun = true;
    if (image.size() < std::size_t(FlashSize)) {
        f.UploadOk = false;  // never write a partial image into the unit
        return false;
    }
    const bool journaled = JournalWriteStart(link, WriteOperation::FlashRestore);
    int wrongEchoes = 0;
    for (int k = 0; k < FlashBlocks;) {
        const std::uint8_t select = std::uint8_t(k / 4 + 1);
        const std::uint8_t address = std::uint8_t((k % 4) * 0x40);
        const Reply<std::uint8_t> echo = ByteExchange(link, select);
        if (!Settled(link, echo).ok() || echo.value != select)
            f.UploadOk = false;
        if (echo.ok() && echo.value != select) {
            // The same block comes round again, but a unit that never echoes right must not hold
            // the tool forever.
            if (++wrongEchoes > MaxResends) {
                link.state.UnitOnline = false;
                break;
            }
            continue;
        }
        // After a block the unit did not take, the rest of the image is not sent.
        if (f.UploadOk) {
            QByteArray block;
            block.append(char(0x40)).append(char(address)).append(char(0xFF));
            const auto begin = image.begin() + (select - 1) * 256 + address;
            block.append(reinterpret_cast<const char*>(&*begin), FlashBlockSize);
            block.append(char(BlockChecksum(select, block)));
            Reply<std::uint8_t> answer{Exchange::Ok, ResendRequest};
            for (int sends = 0; answer.ok() && answer.value == ResendRequest && sends <= MaxResends; ++sends)
                answer = Settled(link, SendBlock(link, block, 0));
            if (!answer.ok() || answer.value == ResendRequest) {
                link.state.UnitOnline = false;
                f.UploadOk = false;  // the unit lacks this block: the image is not in it whole
            }
        }
        ++k;
    }
    const bool imageTaken = f.UploadOk;
    link.update.UpdateStep = UpdateSteps::CalibrationBlock;
    const DriverResult finished = UpdateDriver(link);
    if (!link.state.UnitOnline)
        f.UploadOk = false;
    if (journaled)
        JournalWriteEnd(link, OutcomeOf(!f.UploadOk, finished.reported,
                                        imageTaken ? UpdateSteps::CalibrationBlock : UpdateSteps::Idle));
    return f.UploadOk && !finished.reported;
}
