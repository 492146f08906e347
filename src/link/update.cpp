#include "link/update.h"

#include "link/codecs.h"
#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "model/sensor_tables.h"
#include "platform/operator.h"

#include <algorithm>
#include <cmath>

namespace {

bool calibrationOnly(const Session& s)
{
    return s.update.UpdateKind == 3 || s.update.UpdateKind == 4;
}

QByteArray withChecksum(std::uint8_t select, QByteArray block)
{
    block.append(char(BlockChecksum(select, block)));
    return block;
}

QByteArray markerBlock(std::uint8_t address)
{
    return QByteArray("\x81") + char(address) + char(0xFF) + char(0xBB);
}

void writeMarker(Link& link, std::uint8_t select, std::uint8_t address)
{
    WriteBlock(link, select, withChecksum(select, markerBlock(address)), true);
}

// Appends a 24-bit value; a value that does not fit is reported and leaves zero bytes.
void appendSigned24(Link& link, QByteArray& block, float value)
{
    if (const auto bytes = EncodeSigned24(value))
        block.append(char((*bytes)[0])).append(char((*bytes)[1])).append(char((*bytes)[2]));
    else {
        CommErrorMessage(link.op, QStringLiteral("Communication Problems, Please Try Again"));
        block.append(QByteArray(3, '\0'));
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

QByteArray ConfigurationBlock(Link& link)
{
    const ConfRecord& e = link.session.EditConf;
    const float scale = rangeScale(e.InputClass);
    QByteArray block;
    block.append(char(0xA0)).append(char(0x01)).append(char(0x00)).append(char(e.InputCode));
    // The unit takes the range in hundredths (thousandths for a voltage input).
    appendSigned24(link, block, e.RangeMax * scale);
    appendSigned24(link, block, e.RangeMin * scale);
    block.append(char(PackOptionFlags(e)));
    block.append(char(std::clamp(RoundHalfEven(e.Damping), 0.0, 255.0)));
    const auto outMin = EncodeMilli16(e.OutMin);
    const auto outMax = EncodeMilli16(e.OutMax);
    block.append(char(outMin[0])).append(char(outMin[1])).append(char(outMax[0])).append(char(outMax[1]));
    block.append(TagToBytes(e.Tag));
    return withChecksum(1, block);
}

QByteArray CalibrationBlock(Link& link)
{
    const ConfRecord& u = link.session.UnitConf;
    QByteArray block;
    block.append(char(0x8C)).append(char(0x23)).append(char(0x22));
    for (float value : {u.CalGain, u.CalOffset, u.CalLowRef, u.CalHighRef})
        appendSigned24(link, block, value);
    return withChecksum(1, block);
}

bool PrepareUpdate(Link& link)
{
    Session& s = link.session;
    if (!calibrationOnly(s)) {
        if (!IsConfComplete(s.EditConf)) {
            EmptyFieldsMessage(link.op);
            return false;
        }
        // Checked before anything is sent: the serial-number step comes after the configuration.
        if (s.update.SerialChanged && !SerialToBytes(s.EditConf.Serial)) {
            IllegalSerialMessage(link.op);
            return false;
        }
        if (!LoadPrimaryTables(s.AppDir, s.EditConf.InputCode, s.tables, link.op)
            || !LoadSecondaryTable(s.AppDir, s.EditConf.InputCode, s.tables, link.op))
            return false;
    }
    if (!s.link.LinkOpen && !OpenPort(link))
        return false;
    s.update.UpdateStep = calibrationOnly(s) ? 7 : 1;
    return true;
}

void ConfirmUpdate(Link& link)
{
    Session& s = link.session;
    s.update.UpdateConfirmed = true;
    const ConfRecord& e = s.EditConf;
    const ConfRecord& u = s.UnitConf;
    const bool sameInput = e.InputCode == u.InputCode && SameSingle(e.RangeMax, u.RangeMax)
        && SameSingle(e.RangeMin, u.RangeMin) && e.Mode == u.Mode && e.Units == u.Units;
    if (!sameInput) {
        ClearCorrection(s.UnitConf);
        ClearCorrection(s.EditConf);
    }
    link.windows.stopPollTimer();
    if (s.poll.DisplayPresent)
        WriteDisplayRange(link, s.EditConf.DispLow, s.EditConf.DispHigh);
    s.poll.SettleAfterUpdate = true;
}

UpdateProgress StartUpdateProgress(Link& link)
{
    const Session& s = link.session;
    const UpdateState& u = s.update;
    link.windows.stopPollTimer();
    UpdateProgress p;
    if (u.UpdateKind == 3)
        p.Total = 8;
    else if (u.ResetMinPending && u.ResetMaxPending && !u.ResetButtonUsed) {
        p.Total = (s.tables.A.count + 20) / 21 + (s.tables.B.count + 20) / 21 + (s.tables.C.count + 31) / 32 + 7;
        if (u.UpdateKind == 0)
            p.Total += 4;
    } else if (u.UpdateKind == 4)
        p.Total = 6;
    else
        p.Total = 8;
    p.Remaining = p.Total;
    p.StepPercent = 100.0f / float(p.Total);
    p.percentText = QStringLiteral("0 %");
    return p;
}

void UpdateTick(Link& link, UpdateProgress& p)
{
    Session& s = link.session;
    if (p.finished || s.update.DriverRunning)
        return;  // the previous tick still waits inside an exchange
    s.link.UnitOnline = true;
    p.Remaining -= 1;
    const float percent = 100.0f - float(p.Remaining) * p.StepPercent;
    const float r = UpdateDriver(link);
    if (!s.link.UnitOnline) {
        if (LinkMessagesWanted(link))
            UpdateFailedMessage(link.op);
        p.finished = p.failed = true;
        AfterUpdate(link);
        Disconnect(link);
        return;
    }
    p.Remaining = r >= 0 ? p.Remaining + int(r) : -int(r);
    p.percentText = QString::number(RoundHalfEven(percent)) + QStringLiteral(" %");
    p.barFraction = double(std::clamp(p.Total - p.Remaining, 0, p.Total)) / p.Total;
    if (p.Remaining <= 0 && s.update.UpdateStep > 0 && p.extraTicks < MaxExtraTicks) {
        // Repeated steps (or a short plan) used up the ticks: the update goes on to its finish.
        p.Remaining = 1;
        ++p.extraTicks;
    } else if (p.Remaining <= 0 && s.update.UpdateStep != 0) {
        // A step kept failing: the unit does not hold the whole update.
        s.link.UnitOnline = false;
        if (LinkMessagesWanted(link))
            UpdateFailedMessage(link.op);
        p.finished = p.failed = true;
        AfterUpdate(link);
        Disconnect(link);
    } else if (p.Remaining <= 0) {
        p.finished = true;
        AfterUpdate(link);
    }
}

float UpdateDriver(Link& link)
{
    Session& s = link.session;
    UpdateState& u = s.update;
    s.link.UnitOnline = true;
    u.DriverRunning = true;
    float r = 0;
    const int step = int(u.UpdateStep);
    // A write that failed lowered UpdateStep: the step runs again on the next tick, however many of
    // its blocks failed (falling below the step would end the update without finishing it).
    // Otherwise the step moves on.
    auto advance = [&u](int to, int from) { u.UpdateStep = float(u.UpdateStep < float(from) ? from : to); };
    switch (step) {
    case 1:
        writeMarker(link, 1, 0x00);
        writeMarker(link, 1, 0x30);
        writeMarker(link, 2, 0x00);
        writeMarker(link, 2, 0xD0);
        advance(2, 1);
        break;
    case 2:
        WriteBlock(link, 1, ConfigurationBlock(link));
        advance(3, 2);
        break;
    case 3: WriteTableChunk(link, s.tables.A, FirstTableTarget); break;
    case 4: WriteTableChunk(link, s.tables.B, SecondTableTarget); break;
    case 5: WriteTableChunk(link, s.tables.C, ThirdTableTarget); break;
    case 6: {
        const bool maxOnly = u.ResetMaxPending && !u.ResetMinPending;
        const bool minOnly = u.ResetMinPending && !u.ResetMaxPending;
        for (std::uint8_t address : {0xE0, 0xE4, 0xE8, 0xEC})
            if (!(maxOnly && address == 0xEC) && !(minOnly && address == 0xE0))
                writeMarker(link, 1, address);
        advance(u.UpdateKind == 0 ? 7 : (!u.SerialChanged ? 10 : 8), 6);
        break;
    }
    case 7:
        writeMarker(link, 1, 0x22);
        advance(u.UpdateKind == 4 || u.UpdateKind == 0 ? 10 : 9, 7);
        break;
    case 8:
        if (const auto serial = SerialToBytes(s.EditConf.Serial)) {
            QByteArray block("\x84\x70\xFF");
            for (std::uint8_t byte : *serial)
                block.append(char(byte));
            WriteBlock(link, 1, withChecksum(1, block));
        } else {
            s.link.UnitOnline = false;  // never write a serial number the unit cannot hold
        }
        advance(10, 8);
        break;
    case 9:
        WriteBlock(link, 1, CalibrationBlock(link));
        advance(10, 9);
        break;
    case 10:
        Finish(link);
        if (!s.factory.FactoryDownloadRun)
            r = -4;
        break;
    default:
        break;
    }
    if (!s.link.UnitOnline) {
        if (LinkMessagesWanted(link))
            CommErrorMessage(link.op, QStringLiteral("An Error Occured While Trying to Update the Unit, Unit Updating Failed"));
        r = -4;
    }
    u.DriverRunning = false;
    return r;
}

void AfterUpdate(Link& link)
{
    Session& s = link.session;
    UpdateState& u = s.update;
    if (!s.link.UnitOnline || u.UpdateKind == 3) {
        link.windows.setCommandState(1);
    } else {
        // Only a full update writes the edited configuration; the reading panel's Reset button
        // also sets both reset markers, and must not put the editor's record in the unit's place.
        if (!u.ResetButtonUsed)
            CommitUnitConf(s);
        link.windows.showEditConf();
        SaveUnitRecord(link);
        link.windows.setCommandState(1);
        link.windows.clearUnitPanel();
    }
    link.windows.startPollTimer();
    u.ResetMaxPending = u.ResetMinPending = false;
    if (calibrationOnly(s))
        u.UpdateKind = 0;
}
