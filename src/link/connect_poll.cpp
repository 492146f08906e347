#include "link/connect_poll.h"

#include "link/codecs.h"
#include "link/commands.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "model/conf_files.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/operator.h"

namespace {

bool isNoValue(float v) { return SameSingle(v, NoValue); }

// The display's version byte as "V 2 . 4".
QString displayVersionText(std::uint8_t c)
{
    const double major = RoundHalfEven((c - 8) / 16.0);
    const double minor = RoundHalfEven((c - major) / 10.0);
    return QStringLiteral("V %1 . %2").arg(major).arg(minor);
}

// The reads after the identification, in the unit's order; false at the first failed check.
bool readConfiguration(Link& link)
{
    Session& s = link.session;
    ConfRecord& u = s.UnitConf;
    if (u.InputCode >= 255)
        return false;
    u.Serial = ReadSerial(link);
    if (u.Serial.isEmpty())
        return false;
    const std::uint8_t flags = ReadOptionFlags(link);
    UnpackOptionFlags(flags, u);
    if (flags >= 255)
        return false;
    std::uint8_t low[2] = {0, 0};
    std::uint8_t high[2] = {0, 0};
    const std::uint8_t lowStatus = ReadOutMinRaw(link, low);
    if (lowStatus >= 255)
        return false;
    const std::uint8_t highStatus = ReadOutMaxRaw(link, high);
    if (highStatus >= 255)
        return false;
    u.OutMin = DecodeWord16(low[0], low[1], lowStatus);
    u.OutMax = DecodeWord16(high[0], high[1], highStatus);
    u.OutDir = u.OutMin < u.OutMax ? 1 : 0;
    u = ScaleOutputs(u);

    u.Damping = ReadDamping(link);
    if (u.Damping == FailedDamping)
        return false;
    u.Reading = ReadValue(link, Command::Reading);
    if (isNoValue(u.Reading))
        return false;
    u.CalLowRef = ReadValue(link, Command::CalLowRef);
    u.CalHighRef = ReadValue(link, Command::CalHighRef);
    for (auto [command, field] : {std::pair{Command::RangeMax, &ConfRecord::RangeMax},
                                  std::pair{Command::RangeMin, &ConfRecord::RangeMin},
                                  std::pair{Command::MaxRead, &ConfRecord::MaxRead}}) {
        u.*field = ReadValue(link, command);
        if (isNoValue(u.*field))
            return false;
    }

    const std::uint8_t version = ReadDisplayVersion(link);
    if (version == FailedByte) {
        link.windows.hideDisplayControls();
    } else {
        ReadDisplayRange(link);
        u.DispHigh = s.poll.DisplayHighRaw;
        u.DispLow = s.poll.DisplayLowRaw;
        link.windows.showDisplay(displayVersionText(version), u.DispLow, u.DispHigh);
        s.EditConf.DispLow = u.DispLow;
        s.EditConf.DispHigh = u.DispHigh;
        s.poll.DisplayPresent = true;
    }

    u.MinRead = ReadValue(link, Command::MinRead);
    if (isNoValue(u.MinRead))
        return false;
    u.AmbRead = ReadValue(link, Command::AmbRead);
    return !isNoValue(u.AmbRead);
}

} // namespace

bool Connect(Link& link)
{
    Session& s = link.session;
    s.link.UnitOnline = true;
    if (!OpenPort(link))
        return false;
    const std::uint8_t code = ReadInputCode(link);
    if (!LookupInputCodeWithDisplay(s, link.catalogue, s.UnitConf, code)) {
        if (LinkMessagesWanted(link))
            CommErrorMessage(link.op, QStringLiteral("Communication Problems With The Unit."));
        Disconnect(link);
        return false;
    }
    if (!readConfiguration(link)) {
        Disconnect(link);
        return false;
    }
    s.UnitConf = ScaleRanges(s.UnitConf);
    s.UnitConf = ScaleReadings(link, s.UnitConf);
    s.UnitConf.Tag = ReadTag(link);
    if (!s.UnitConf.Tag.isEmpty() && s.link.UnitOnline)
        return true;
    Disconnect(link);
    return false;
}

bool Poll(Link& link)
{
    Session& s = link.session;
    bool result = false;
    s.poll.PollBusy = true;
    s.link.UnitOnline = true;
    if (s.poll.SettleAfterUpdate) {
        // The unit restarts after an update: give it time before asking again.
        link.windows.setBusyPointer(true);
        s.poll.SettleAfterUpdate = false;
        link.windows.stopPollTimer();
        link.clock.waitFor(SettleTime);
        link.windows.setEditorVisible(true);
    }
    const QString serial = ReadSerial(link);
    if (serial == s.UnitConf.Serial && s.link.LinkOpen) {
        ConfRecord& u = s.UnitConf;
        u.Reading = ReadValue(link, Command::Reading);
        if (isNoValue(u.Reading))
            return result;
        u.MaxRead = ReadValue(link, Command::MaxRead);
        if (isNoValue(u.MaxRead))
            return result;
        u.MinRead = ReadValue(link, Command::MinRead);
        if (isNoValue(u.MinRead))
            return result;
        u.AmbRead = ReadValue(link, Command::AmbRead);
        if (isNoValue(u.AmbRead))
            return result;
        s.UnitConf = ScaleReadings(link, s.UnitConf);
        if (s.link.UnitOnline) {
            result = true;
            s.poll.PollBusy = false;
            link.windows.setBusyPointer(false);
        } else {
            Disconnect(link);
        }
    } else if (serial.isEmpty()) {
        if (LinkMessagesWanted(link))
            CommErrorMessage(link.op, QStringLiteral("There's Some Problems Connecting The Unit,Check Connections."));
    } else if (s.link.UnitOnline) {
        UnitChangedCheck(link);
    }
    return result;
}

void UnitChangedCheck(Link& link)
{
    Session& s = link.session;
    const bool yes = link.op.ask(QStringLiteral("Unit Changed"),
                                 QStringLiteral("The Connected Unit Had Changed, ") + QStringLiteral("\n\r")
                                     + QStringLiteral("Do You Wish to Continue Connecting It?"));
    Disconnect(link);
    if (!yes) {
        s.poll.PollBusy = false;
        s.poll.UnitChangeAccepted = false;
        return;
    }
    s.poll.UnitChangeAccepted = true;
    s.link.NoTimeoutMessage = false;
    link.windows.setCommandState(5);
    link.windows.setBusyPointer(true);
    if (Connect(link)) {
        link.windows.showReadingFrames();
        link.windows.setCommandState(1);
        link.windows.showUnitConf();
        if (s.view.ConfDiffers)
            link.windows.markEditPanelChanges();
        SaveUnitRecord(link);
        link.windows.setBusyPointer(false);
        link.windows.startPollTimer();
    } else {
        link.windows.setBusyPointer(false);
        link.windows.setCommandState(0);
    }
}

ConfRecord ScaleReadings(Link& link, const ConfRecord& record)
{
    ConfRecord r = record;
    const bool burnOut = SameSingle(r.Reading, BurnOutReading);
    if (burnOut)
        link.windows.showBurnOut();
    const bool noMax = SameSingle(r.MaxRead, NoMaxReading);
    if (noMax)
        link.windows.showNoMaxReading();
    const bool noMin = SameSingle(r.MinRead, NoMinReading);
    if (noMin)
        link.windows.showNoMinReading();
    const bool noAmbient = SameSingle(r.AmbRead, NoAmbientReading);
    if (noAmbient)
        link.windows.showNoAmbientReading();

    const float divisor = r.InputClass == ClassVoltage && r.Units == UnitsMillivolt ? 1000.0f : 100.0f;
    if (!burnOut)
        r.Reading /= divisor;
    if (!noMax)
        r.MaxRead /= divisor;
    if (!noMin)
        r.MinRead /= divisor;
    if (!noAmbient)
        r.AmbRead /= 100.0f;
    link.windows.refreshBigReading();
    return r;
}

ConfRecord ScaleRanges(const ConfRecord& record)
{
    ConfRecord r = record;
    const float divisor = r.InputClass == ClassVoltage ? 1000.0f : 100.0f;
    r.RangeMin /= divisor;
    r.RangeMax /= divisor;
    return r;
}

ConfRecord ScaleOutputs(const ConfRecord& record)
{
    ConfRecord r = record;
    r.OutMin /= 1000.0f;
    r.OutMax /= 1000.0f;
    return r;
}

bool SaveUnitRecord(Link& link)
{
    const Session& s = link.session;
    return WriteConfFile(s.UnitConf, UnitRecordPath(RecordFolder(s), s.UnitConf.Serial), link.op);
}
