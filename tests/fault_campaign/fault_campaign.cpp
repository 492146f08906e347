// Every exchange of every unit operation, met with every fault the simulated unit can play.
// Each case runs on a fresh unit in virtual time and is compared with a fault-free run of the
// same operation: a case either recovers (succeeds, holding exactly what the fault-free run
// holds), or fails with the messages the operator is owed and the link left consistent.

#include "campaign_rig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

namespace {

using Box = ScriptedOperator::Box;

const QString CommError = QStringLiteral("Communication Error");
const Box TimeoutBox{QStringLiteral("Communication Time-Out"),
                     QStringLiteral("Time-Out While Waiting For The Connected Unit Response.\r\nCheck Unit's Connections.")};
const Box ReceiveBox{CommError, QStringLiteral("Problems receiving message from unit.")};
const Box LostPortBox{CommError, QStringLiteral("There's Some Problems Connecting The Unit,Check Connections.")};
const Box UnknownInputBox{CommError, QStringLiteral("Communication Problems With The Unit.")};
const Box StepFailedBox{CommError, QStringLiteral("An Error Occured While Trying to Update the Unit, Unit Updating Failed")};
const Box UpdateFailedBox{QStringLiteral("Updating Error"),
                          QStringLiteral("An Error Occured While Trying to Update the Unit \r\n                        "
                                         "Updating Failed.\r\n                 Check Unit's Connections.")};
const Box DownloadDoneBox{QStringLiteral("Upload Complete"), QStringLiteral("The Flash Memory Upload completed Successfully.")};
const Box DownloadFailedBox{QStringLiteral("Upload Complete"), QStringLiteral("The Flash Memory Upload NOT completed.")};

bool isUnexpectedByte(const Box& box)
{
    return box.title == CommError && box.text.startsWith(QStringLiteral("Unexpected message '"))
        && box.text.endsWith(QStringLiteral("' arrived from unit."));
}

bool isUpdate(Operation operation)
{
    return operation == Operation::FullUpdate || operation == Operation::SerialUpdate
        || operation == Operation::CalibrationUpdate;
}

// The boxes an operation may show at all.
bool allowedBox(Operation operation, const Box& box)
{
    if (box.question || box == TimeoutBox || box == LostPortBox)
        return !box.question;
    switch (operation) {
    case Operation::Connect: return box == ReceiveBox || box == UnknownInputBox;
    case Operation::Poll: return box == ReceiveBox || box == LostPortBox;
    case Operation::FactoryReads:
    case Operation::Upload: return box == ReceiveBox;
    case Operation::DisplayRange: return false;
    case Operation::FullUpdate:
    case Operation::SerialUpdate:
    case Operation::CalibrationUpdate: return box == StepFailedBox || box == UpdateFailedBox || isUnexpectedByte(box);
    case Operation::Download:
        return box == DownloadDoneBox || box == DownloadFailedBox || box == StepFailedBox || box == UpdateFailedBox;
    }
    return false;
}

enum class Kind { Silence, WrongEcho, Short, Long, LateInside, LateOutside, Resend, UnknownAck, Garbage, Slow, HangUp };

struct FaultKind {
    Kind kind;
    const char* name;
};

const FaultKind Faults[] = {
    {Kind::Silence, "silence"},
    {Kind::WrongEcho, "wrong echo"},
    {Kind::Short, "short reply"},
    {Kind::Long, "long reply"},
    {Kind::LateInside, "late reply inside the time-out"},
    {Kind::LateOutside, "late reply outside the time-out"},
    {Kind::Resend, "0xBB resend"},
    {Kind::UnknownAck, "unknown acknowledgement"},
    {Kind::Garbage, "garbage before the reply"},
    {Kind::Slow, "slow bytes"},
    {Kind::HangUp, "hang-up"},
};

// A table chunk's answer is awaited 5 s after the chunk and then 5 s more; every other reply 5 s.
Fault makeFault(Kind kind, const FaultTrigger& trigger)
{
    const double window = trigger.on == FaultTrigger::On::TableChunk ? 10.0 : 5.0;
    switch (kind) {
    case Kind::Silence: return Fault::silence();
    case Kind::WrongEcho: return Fault::wrongEcho();
    case Kind::Short: return Fault::shortReply();
    case Kind::Long: return Fault::longReply();
    // The whole reply (an upload block is 66 bytes, after a 0.1 s pause) lands before the time-out.
    case Kind::LateInside: return Fault::lateReply(window - 0.25);
    case Kind::LateOutside: return Fault::lateReply(window + 0.1);
    case Kind::Resend: return Fault::resendRequest();
    case Kind::UnknownAck: return Fault::badAcknowledge();
    case Kind::Garbage: return Fault::garbageBefore(3);
    case Kind::Slow: return Fault::slowBytes(0.2);
    case Kind::HangUp: return Fault::hangUp();
    }
    return Fault::silence();
}

// Read replies carry data and no acknowledgement: an inverted last byte is a wrong value that
// nothing on the wire can reveal (no checksum), so the unknown acknowledgement is played only
// where an acknowledgement or an echo is the whole answer, or a checksum guards the data.
bool acknowledged(const FaultTrigger& t)
{
    const std::uint8_t c = t.command;
    return t.on != FaultTrigger::On::Command || c == 1 || c == 2 || c == 3 || c == 'Z' || c == 'A' || c == 0xAA;
}

FaultTrigger command(char c) { return FaultTrigger::onCommand(std::uint8_t(c)); }

std::vector<FaultTrigger> commands(const char* letters)
{
    std::vector<FaultTrigger> triggers;
    for (const char* c = letters; *c; ++c)
        triggers.push_back(command(*c));
    return triggers;
}

struct Target {
    Operation operation;
    std::vector<FaultTrigger> triggers;
};

// Select bytes 1..3 are commands too; blocks and chunks are the bytes after them.
std::vector<Target> targets()
{
    const FaultTrigger block = FaultTrigger::onBlock();
    return {
        {Operation::Connect, commands("tsq4598uwxvyCBzrp")},
        {Operation::Poll, commands("s8yzr")},
        {Operation::FactoryReads, commands("qCmoncs")},
        {Operation::DisplayRange, commands("A")},
        {Operation::FullUpdate, {command(1), command(2), block, FaultTrigger::onTableChunk(), command('Z')}},
        {Operation::SerialUpdate, {command(1), block}},
        {Operation::CalibrationUpdate, {command(1), block}},
        {Operation::Upload, {FaultTrigger::onCommand(0xAA), FaultTrigger::onUploadBlock()}},
        {Operation::Download, {command(1), command(2), command(3), block}},
    };
}

QString triggerName(const FaultTrigger& t, int after)
{
    QString what;
    switch (t.on) {
    case FaultTrigger::On::Command:
        what = t.command >= 0x20 && t.command < 0x7F ? QStringLiteral("'%1'").arg(QChar(t.command))
                                                      : QStringLiteral("0x%1").arg(t.command, 2, 16, QLatin1Char('0'));
        break;
    case FaultTrigger::On::Block: what = QStringLiteral("block"); break;
    case FaultTrigger::On::TableChunk: what = QStringLiteral("table chunk"); break;
    case FaultTrigger::On::UploadBlock: what = QStringLiteral("upload block"); break;
    case FaultTrigger::On::AnyExchange: what = QStringLiteral("any"); break;
    }
    return QStringLiteral("%1 #%2").arg(what).arg(after + 1);
}

enum class Verdict { Recovered, Reported, ReportedByState, Unverified, Corrupted };

struct Tally {
    int cases = 0;
    int recovered = 0;
    int reported = 0;
    int byState = 0;
    int unverified = 0;
    int corrupted = 0;
};

// The parts of what the unit holds, and of the tool's records, that differ from the reference.
QStringList differences(const RunResult& run, const RunResult& reference)
{
    QStringList parts;
    for (const auto& [part, contents] : reference.unitHolds)
        if (run.unitHolds.at(part) != contents)
            parts << part;
    if (!(run.unitConf == reference.unitConf))
        parts << QStringLiteral("UnitConf");
    if (run.flashImage != reference.flashImage)
        parts << QStringLiteral("FlashImage");
    return parts;
}

// Judges one case; appends to `problems` what breaks the rules of the link.
Verdict judge(Operation operation, Kind kind, const FaultTrigger& trigger, const RunResult& run,
              const RunResult& reference, QStringList& problems)
{
    for (const Box& box : run.boxes)
        if (!allowedBox(operation, box))
            problems << QStringLiteral("unexpected box \"%1: %2\"").arg(box.title, box.text);
    if (run.seconds > reference.seconds + 60.0)
        problems << QStringLiteral("took %1 s of virtual time").arg(run.seconds);

    // A pulled cable fails the operation with one message about the lost port (the update's
    // failure message during an update), and the failures that follow from it stay quiet.
    if (kind == Kind::HangUp) {
        const std::size_t windowBox = operation == Operation::Download ? 1 : 0;
        const bool fits = run.boxes.size() == 1 + windowBox
            && (run.boxes.front() == UpdateFailedBox || (!isUpdate(operation) && run.boxes.front() == LostPortBox));
        if (run.succeeded || !fits)
            problems << QStringLiteral("a hang-up did not end with the one lost-port message");
    }
    // A reply complete before the time-out is a normal reply; so is one that a read or a select
    // exchange asks again for after nothing (or too little) arrived.
    // (A select byte or 0xAA answered late leaves the unit waiting too long for what follows.)
    const bool read = !acknowledged(trigger);
    const bool echoOnly = trigger.on == FaultTrigger::On::Command && trigger.command != 'A' && !read;
    if (!run.succeeded && ((kind == Kind::LateInside && !echoOnly) || (read && (kind == Kind::Silence || kind == Kind::Short))))
        problems << QStringLiteral("did not recover");

    const bool unexpectedByte = std::any_of(run.boxes.begin(), run.boxes.end(), isUnexpectedByte);
    // The answer to 'A' is not examined at all: a unit that asks for the range again is taken as
    // having it. Counted apart, so that it stays visible.
    if (operation == Operation::DisplayRange && kind == Kind::Resend && run.succeeded)
        return Verdict::Unverified;
    if (run.succeeded) {
        for (const Box& box : run.boxes)
            if (!isUnexpectedByte(box) && !(box == DownloadDoneBox))
                problems << QStringLiteral("success reported after \"%1\"").arg(box.text);
        const QStringList differ = differences(run, reference);
        if (!differ.isEmpty()) {
            problems << QStringLiteral("success reported, but these differ: ") + differ.join(QStringLiteral(", "));
            return Verdict::Corrupted;
        }
        return unexpectedByte ? Verdict::Reported : Verdict::Recovered;
    }

    // Failures: the state the link is left in.
    if (isUpdate(operation) && kind != Kind::HangUp) {
        if (run.boxes.empty() || !(run.boxes.back() == UpdateFailedBox))
            problems << QStringLiteral("a failed update did not end with the update failure messages");
        if (run.linkOpen)
            problems << QStringLiteral("a failed update left the link open");
    }
    if (operation == Operation::Connect && run.linkOpen)
        problems << QStringLiteral("a failed connect left the link open");
    if (operation == Operation::Poll && !run.pollBusy)
        problems << QStringLiteral("a failed poll cleared PollBusy");

    if (!run.boxes.empty())
        return Verdict::Reported;
    // A complete reply with the wrong echo fails a read without a word: UnitOnline is cleared,
    // the connect closes the link, a poll or the factory window stops, the upload ends. The
    // faults that leave such a reply (or shift the bytes of the next one) are the only ones
    // allowed to end silently.
    const bool echoFault = kind == Kind::WrongEcho || kind == Kind::Long || kind == Kind::Garbage
        || kind == Kind::LateOutside || kind == Kind::Resend || kind == Kind::Slow || kind == Kind::UnknownAck;
    if (echoFault && !run.unitOnline)
        return Verdict::ReportedByState;
    // An upload that fails at its 0xAA exchange only clears UploadOk: the window then offers no file.
    if (operation == Operation::Upload && trigger.command == 0xAA && trigger.on == FaultTrigger::On::Command)
        return Verdict::ReportedByState;
    problems << QStringLiteral("failed without any message");
    return Verdict::Corrupted;
}

QString transcript(const std::vector<Box>& boxes)
{
    QStringList lines;
    for (const Box& box : boxes)
        lines << box.title + QStringLiteral(": ") + box.text;
    return lines.join(QStringLiteral(" | ")).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

struct FaultCampaign : ::testing::Test {
    QTemporaryDir tablesDir;

    void SetUp() override
    {
        ASSERT_TRUE(tablesDir.isValid());
        for (const char* name : {"pt10385.dat", "lvoid.dat"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), tablesDir.filePath(QLatin1String(name))));
    }
};

TEST_F(FaultCampaign, EveryExchangeMeetsEveryFault)
{
    // Enough for the longest operation (the update has some forty exchanges of one kind).
    constexpr int MaxExchangesOfOneKind = 64;
    Tally tally;
    for (const Target& target : targets()) {
        const RunResult reference = runOperation(target.operation, tablesDir.path(), std::nullopt);
        ASSERT_TRUE(reference.succeeded) << operationName(target.operation) << ": " << transcript(reference.boxes).toStdString();
        for (const FaultTrigger& trigger : target.triggers) {
            int after = 0;
            for (; after < MaxExchangesOfOneKind; ++after) {
                bool beyondLast = false;
                for (const FaultKind& f : Faults) {
                    if (f.kind == Kind::UnknownAck && !acknowledged(trigger))
                        continue;
                    const RunResult run = runOperation(target.operation, tablesDir.path(),
                                                       PlannedFault{trigger, makeFault(f.kind, trigger), after});
                    if (!run.faultPlayed) {  // fewer exchanges of this kind than `after`
                        beyondLast = true;
                        break;
                    }
                    QStringList problems;
                    const Verdict verdict = judge(target.operation, f.kind, trigger, run, reference, problems);
                    ++tally.cases;
                    tally.recovered += verdict == Verdict::Recovered;
                    tally.reported += verdict == Verdict::Reported || verdict == Verdict::ReportedByState;
                    tally.byState += verdict == Verdict::ReportedByState;
                    tally.unverified += verdict == Verdict::Unverified;
                    tally.corrupted += verdict == Verdict::Corrupted;
                    if (!problems.isEmpty())
                        ADD_FAILURE() << operationName(target.operation) << ", " << triggerName(trigger, after).toStdString()
                                      << ", " << f.name << ": " << problems.join(QStringLiteral("; ")).toStdString()
                                      << " [" << transcript(run.boxes).toStdString() << "]";
                }
                if (beyondLast)
                    break;
            }
            EXPECT_GT(after, 0) << operationName(target.operation) << ": no " << triggerName(trigger, 0).toStdString();
            EXPECT_LT(after, MaxExchangesOfOneKind);
        }
    }
    std::cout << "fault campaign: " << tally.cases << " cases, " << tally.recovered << " recovered by retry, "
              << tally.reported << " reported failures (" << tally.byState
              << " of them without a message, as a wrong echo prescribes), " << tally.unverified
              << " unverified by design, " << tally.corrupted << " corruptions\n";
    EXPECT_EQ(tally.corrupted, 0);
}

} // namespace
