#include "link/update.h"

#include "link/codecs.h"
#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/write_journal.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "model/sensor_tables.h"
#include "platform/operator.h"

#include <algorithm>
#include <cmath>

namespace {

QByteArray withChecksum(std::uint8_t select, QByteArray block)
{
    block.append(char(BlockChecksum(select, block)));
    return block;
}

QByteArray markerBlock(std::uint8_t address)
{
    return QByteArray("\x81") + char(address) + char(0xFF) + char(0xBB);
}

// A marker block goes out even after a wrong echo of its select byte.
Exchange writeMarker(Link& link, std::uint8_t select, std::uint8_t address)
{
    return WriteBlock(link, select, withChecksum(select, markerBlock(address)), true);
}

// Appends a 24-bit value; a value that does not fit is reported and leaves zero bytes.
void appendSigned24(Link& link, EncodedBlock& block, float value)
{
    if (const auto bytes = EncodeSigned24(value)) {
        block.bytes.append(char((*bytes)[0])).append(char((*bytes)[1])).append(char((*bytes)[2]));
    } else {
        TryAgainMessage(link.op);
        block.bytes.append(QByteArray(3, '\0'));
        block.exact = false;
    }
}

float rangeScale(std::uint8_t inputClass)
{
    switch (inputClass) {
    case ClassVoltage: return 1000.0f;
    case ClassRtd: case ClassThermocouple: case ClassPotentiometer: case ClassResistor: return 100.0f;
    default: return 1.0f;
    }
}

} // namespace

EncodedBlock ConfigurationBlock(Link& link)
{
    const ConfRecord& e = link.session.EditConf;
    const float scale = rangeScale(e.InputClass);
    EncodedBlock block;
    block.bytes.append(char(0xA0)).append(char(0x01)).append(char(0x00)).append(char(e.InputCode));
    // The unit takes the range in hundredths (thousandths for a voltage input).
    appendSigned24(link, block, e.RangeMax * scale);
    appendSigned24(link, block, e.RangeMin * scale);
    block.bytes.append(char(PackOptionFlags(e)));
    block.bytes.append(char(std::clamp(RoundHalfEven(e.Damping), 0.0, 255.0)));
    const auto outMin = EncodeMilli16(e.OutMin);
    const auto outMax = EncodeMilli16(e.OutMax);
    block.bytes.append(char(outMin[0])).append(char(outMin[1])).append(char(outMax[0])).append(char(outMax[1]));
    block.bytes.append(TagToBytes(e.Tag));
    block.bytes = withChecksum(1, block.bytes);
    return block;
}

EncodedBlock CalibrationBlock(Link& link)
{
    const ConfRecord& u = link.session.UnitConf;
    EncodedBlock block;
    block.bytes.append(char(0x8C)).append(char(0x23)).append(char(0x22));
    for (float value : {u.CalGain, u.CalOffset, u.CalLowRef, u.CalHighRef})
        appendSigned24(link, block, value);
    block.bytes = withChecksum(1, block.bytes);
    return block;
}

TableChunk BuildTableChunk(Link& link, SensorTable& table, const TableTarget& target)
{
    UpdateState& u = link.update;
    if (table.cursor == 0)
        u.ChunkAddress = target.firstAddress;
    TableChunk chunk;
    QByteArray& bytes = chunk.block.bytes;
    bytes = QByteArray(3, '\0');
    while (table.cursor < table.count && bytes.size() < 64) {
        const float point = table.values[table.cursor];
        if (target.bytesPerPoint == 3) {
            appendSigned24(link, chunk.block, point);
        } else {
            const auto encoded = EncodeSigned16(point);
            bytes.append(char(encoded[0])).append(char(encoded[1]));
        }
        ++table.cursor;
    }
    const int n = int(bytes.size()) - 3;
    chunk.last = table.cursor >= table.count;
    bytes[0] = char(chunk.last ? (n | 0x80) : n);
    bytes[1] = char(u.ChunkAddress);
    bytes[2] = char(target.page);
    if (!chunk.last)
        u.ChunkAddress = std::uint8_t(u.ChunkAddress + n);
    bytes.append(char(BlockChecksum(target.select, bytes)));
    return chunk;
}

bool PrepareUpdate(Link& link)
{
    Session& s = link.session;
    const bool calibrationOnly = CalibrationOnly(link.update.UpdateKind);
    if (!calibrationOnly) {
        if (!IsConfComplete(s.EditConf)) {
            EmptyFieldsMessage(link.op);
            return false;
        }
        // Checked before anything is sent: the serial-number step comes after the configuration.
        if (link.update.SerialChanged && !SerialToBytes(s.EditConf.Serial)) {
            IllegalSerialMessage(link.op);
            return false;
        }
        if (!LoadPrimaryTables(s.AppDir, s.EditConf.InputCode, s.tables, link.op)
            || !LoadSecondaryTable(s.AppDir, s.EditConf.InputCode, s.tables, link.op))
            return false;
    }
    if (!link.state.LinkOpen && !OpenLink(link))
        return false;
    link.update.UpdateStep = calibrationOnly ? UpdateSteps::CalibrationMarker : UpdateSteps::ClearTables;
    return true;
}

void ConfirmUpdate(Link& link)
{
    Session& s = link.session;
    link.update.UpdateConfirmed = true;
    JournalWriteStart(link, WriteOperation::UpdateUnit);
    const ConfRecord& e = s.EditConf;
    const ConfRecord& u = s.UnitConf;
    const bool sameInput = e.InputCode == u.InputCode && SameSingle(e.RangeMax, u.RangeMax)
        && SameSingle(e.RangeMin, u.RangeMin) && e.Mode == u.Mode && e.Units == u.Units;
    if (!sameInput) {
        ClearCorrection(s.UnitConf);
        ClearCorrection(s.EditConf);
    }
    link.windows.stopPollTimer();
    if (link.poll.DisplayPresent)
        Settled(link, WriteDisplayRange(link, s.EditConf.DispLow, s.EditConf.DispHigh));
    link.poll.SettleAfterUpdate = true;
}

UpdateProgress StartUpdateProgress(Link& link)
{
    const Session& s = link.session;
    const UpdateState& u = link.update;
    link.windows.stopPollTimer();
    UpdateProgress p;
    if (u.UpdateKind == UpdateKinds::CorrectionWrite)
        p.Total = 8;
    else if (u.ResetMinPending && u.ResetMaxPending && !u.ResetButtonUsed) {
        p.Total = (s.tables.A.count + 20) / 21 + (s.tables.B.count + 20) / 21 + (s.tables.C.count + 31) / 32 + 7;
        if (u.UpdateKind == UpdateKinds::Full)
            p.Total += 4;
    } else if (u.UpdateKind == UpdateKinds::CorrectionUndo)
        p.Total = 6;
    else
        p.Total = 8;
    p.Remaining = p.Total;
    p.StepPercent = 100.0f / float(p.Total);
    p.percentText = QStringLiteral("0 %");
    return p;
}

namespace {

// The update cannot go on at `step`: the records follow what was written and the link closes.
void failUpdate(Link& link, UpdateProgress& p, UpdateSteps step)
{
    link.state.UnitOnline = false;
    if (LinkMessagesWanted(link))
        UpdateFailedMessage(link.op);
    p.finished = p.failed = true;
    p.failedAt = step;
    p.recordKept = AfterUpdate(link);
    JournalWriteEnd(link, OutcomeOf(true, p.reported, step));
    Disconnect(link);
}

} // namespace

void UpdateTick(Link& link, UpdateProgress& p)
{
    if (p.finished || link.update.DriverRunning)
        return;  // the previous tick still waits inside an exchange
    link.state.UnitOnline = true;
    p.Remaining -= 1;
    const float percent = 100.0f - float(p.Remaining) * p.StepPercent;
    const UpdateSteps step = link.update.UpdateStep;
    const DriverResult r = UpdateDriver(link);
    p.reported = p.reported || r.reported;
    if (!link.state.UnitOnline)
        return failUpdate(link, p, step);
    if (r.request == DriverRequest::FourMoreTicks)
        p.Remaining = -int(r.request);
    p.percentText = QString::number(RoundHalfEven(percent)) + QStringLiteral(" %");
    p.barFraction = double(std::clamp(p.Total - p.Remaining, 0, p.Total)) / p.Total;
    const bool stepsLeft = link.update.UpdateStep != UpdateSteps::Idle;
    if (p.Remaining <= 0 && stepsLeft && p.extraTicks < MaxExtraTicks) {
        // Repeated steps (or a short plan) used up the ticks: the update goes on to its finish.
        p.Remaining = 1;
        ++p.extraTicks;
    } else if (p.Remaining <= 0 && stepsLeft) {
        // A step kept failing: the unit does not hold the whole update.
        failUpdate(link, p, link.update.UpdateStep);
    } else if (p.Remaining <= 0) {
        p.finished = true;
        p.recordKept = AfterUpdate(link);
        JournalWriteEnd(link, OutcomeOf(false, p.reported));
    }
}

namespace {

// What the writes of one step came to.
class StepWrites {
public:
    explicit StepWrites(Link& link) : link_(link), step_(link.update.UpdateStep) {}

    // A write the unit did not take (wrong echo, refused) makes the step run again on the next
    // tick; one without an answer fails the update.
    void take(Exchange result)
    {
        Settled(link_, result);
        if (result == Exchange::WrongEcho || result == Exchange::Refused)
            repeat_ = true;
        else if (result != Exchange::Ok)
            link_.state.UnitOnline = false;
    }
    void moveTo(UpdateSteps next) { link_.update.UpdateStep = repeat_ ? step_ : next; }

private:
    Link& link_;
    UpdateSteps step_;
    bool repeat_ = false;
};

// One chunk of a table; the step moves on after the table's last chunk. A wrong echo of the
// select byte fails the update (the unit would take the chunk at the wrong place).
void writeTableChunk(Link& link, SensorTable& table, const TableTarget& target, DriverResult& result)
{
    const Reply<std::uint8_t> echo = ByteExchange(link, target.select);
    if (!Settled(link, echo).ok() || echo.value != target.select) {
        link.state.UnitOnline = false;
        return;
    }
    const TableChunk chunk = BuildTableChunk(link, table, target);
    result.reported = result.reported || !chunk.block.exact;
    if (Settled(link, SendTableChunk(link, chunk.block.bytes)) != Exchange::Ok) {
        link.state.UnitOnline = false;
        return;
    }
    if (chunk.last)
        link.update.UpdateStep = StepAfter(link.update.UpdateStep);
}

// 'Z' twice; an answer other than 'Z' is reported and the update still completes.
void finish(Link& link, DriverResult& result)
{
    for (int exchange = 0; exchange < 2; ++exchange) {
        const Reply<QByteArray> reply = FinishExchange(link);
        Settled(link, reply);
        if (!reply.value.isEmpty() && std::uint8_t(reply.value[0]) != Command::Finish && LinkMessagesWanted(link)) {
            UnexpectedMessage(link.op, std::uint8_t(reply.value[0]));
            result.reported = true;
        }
    }
    // A port lost during the finish has been reported and closed: the update must not pass.
    if (!link.state.LinkOpen)
        link.state.UnitOnline = false;
    link.update.UpdateStep = UpdateSteps::Idle;
}

} // namespace

DriverResult UpdateDriver(Link& link)
{
    Session& s = link.session;
    UpdateState& u = link.update;
    link.state.UnitOnline = true;
    u.DriverRunning = true;
    DriverResult result;
    StepWrites writes(link);
    switch (u.UpdateStep) {
    case UpdateSteps::ClearTables:
        for (auto [select, address] : {std::pair{1, 0x00}, {1, 0x30}, {2, 0x00}, {2, 0xD0}})
            writes.take(writeMarker(link, std::uint8_t(select), std::uint8_t(address)));
        writes.moveTo(UpdateSteps::Configuration);
        break;
    case UpdateSteps::Configuration: {
        const EncodedBlock block = ConfigurationBlock(link);
        result.reported = !block.exact;
        writes.take(WriteBlock(link, 1, block.bytes));
        writes.moveTo(UpdateSteps::FirstTable);
        break;
    }
    case UpdateSteps::FirstTable: writeTableChunk(link, s.tables.A, FirstTableTarget, result); break;
    case UpdateSteps::SecondTable: writeTableChunk(link, s.tables.B, SecondTableTarget, result); break;
    case UpdateSteps::ThirdTable: writeTableChunk(link, s.tables.C, ThirdTableTarget, result); break;
    case UpdateSteps::ResetExtremes: {
        const bool maxOnly = u.ResetMaxPending && !u.ResetMinPending;
        const bool minOnly = u.ResetMinPending && !u.ResetMaxPending;
        for (std::uint8_t address : {0xE0, 0xE4, 0xE8, 0xEC})
            if (!(maxOnly && address == 0xEC) && !(minOnly && address == 0xE0))
                writes.take(writeMarker(link, 1, address));
        writes.moveTo(u.UpdateKind == UpdateKinds::Full ? UpdateSteps::CalibrationMarker
                      : u.SerialChanged                  ? UpdateSteps::SerialNumber
                                                         : UpdateSteps::Finish);
        break;
    }
    case UpdateSteps::CalibrationMarker:
        writes.take(writeMarker(link, 1, 0x22));
        writes.moveTo(u.UpdateKind == UpdateKinds::CorrectionUndo || u.UpdateKind == UpdateKinds::Full
                          ? UpdateSteps::Finish
                          : UpdateSteps::CalibrationBlock);
        break;
    case UpdateSteps::SerialNumber:
        if (const auto serial = SerialToBytes(s.EditConf.Serial)) {
            QByteArray block("\x84\x70\xFF");
            for (std::uint8_t byte : *serial)
                block.append(char(byte));
            writes.take(WriteBlock(link, 1, withChecksum(1, block)));
        } else {
            link.state.UnitOnline = false;  // never write a serial number the unit cannot hold
        }
        writes.moveTo(UpdateSteps::Finish);
        break;
    case UpdateSteps::CalibrationBlock: {
        const EncodedBlock block = CalibrationBlock(link);
        result.reported = !block.exact;
        writes.take(WriteBlock(link, 1, block.bytes));
        writes.moveTo(UpdateSteps::Finish);
        break;
    }
    case UpdateSteps::Finish:
        finish(link, result);
        if (!link.factory.FactoryDownloadRun)
            result.request = DriverRequest::FourMoreTicks;
        break;
    case UpdateSteps::Idle:
        break;
    }
    if (!link.state.UnitOnline) {
        if (LinkMessagesWanted(link))
            CommErrorMessage(link.op, QStringLiteral("An Error Occured While Trying to Update the Unit, Unit Updating Failed"));
        result.request = DriverRequest::FourMoreTicks;
    }
    u.DriverRunning = false;
    return result;
}

bool AfterUpdate(Link& link)
{
    Session& s = link.session;
    UpdateState& u = link.update;
    bool recordKept = true;
    if (!link.state.UnitOnline || u.UpdateKind == UpdateKinds::CorrectionWrite) {
        link.windows.setCommandState(CommandStates::Connected);
    } else {
        // Only a full update writes the edited configuration; the reading panel's Reset button
        // also sets both reset markers, and must not put the editor's record in the unit's place.
        if (u.ResetMaxPending && u.ResetMinPending && !u.ResetButtonUsed)
            CommitUnitConf(s);
        link.windows.showEditConf();
        recordKept = SaveUnitRecord(link);
        link.windows.setCommandState(CommandStates::Connected);
        link.windows.clearUnitPanel();
    }
    link.windows.startPollTimer();
    u.ResetMaxPending = u.ResetMinPending = false;
    if (CalibrationOnly(u.UpdateKind))
        u.UpdateKind = UpdateKinds::Full;
    // However the update ended, none runs now: the live readings may go on.
    u.UpdateStep = UpdateSteps::Idle;
    return recordKept;
}
