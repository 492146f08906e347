#include "link/connect_poll.h"

#include "link/codecs.h"
#include "link/commands.h"
#include "link/link_control.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/write_journal.h"
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
    u.Serial = Taken(link, ReadSerial(link));
    if (u.Serial.isEmpty())
        return false;
    const std::uint8_t flags = Taken(link, ReadOptionFlags(link));
    UnpackOptionFlags(flags, u);
    if (flags >= 255)
        return false;
    const Reply<RawWord> low = ReadOutMinRaw(link);
    if (Taken(link, low); !low.ok())
        return false;
    const Reply<RawWord> high = ReadOutMaxRaw(link);
    if (Taken(link, high); !high.ok())
        return false;
    u.OutMin = DecodeWord16(low.value[0], low.value[1]);
    u.OutMax = DecodeWord16(high.value[0], high.value[1]);
    u.OutDir = OutputDirection(u);
    u = ScaleOutputs(u);

    u.Damping = Taken(link, ReadDamping(link));
    if (u.Damping == FailedDamping)
        return false;
    u.Reading = Taken(link, ReadValue(link, Command::Reading));
    if (isNoValue(u.Reading))
        return false;
    u.CalLowRef = Taken(link, ReadValue(link, Command::CalLowRef));
    u.CalHighRef = Taken(link, ReadValue(link, Command::CalHighRef));
    for (auto [command, field] : {std::pair{Command::RangeMax, &ConfRecord::RangeMax},
                                  std::pair{Command::RangeMin, &ConfRecord::RangeMin},
                                  std::pair{Command::MaxRead, &ConfRecord::MaxRead}}) {
        u.*field = Taken(link, ReadValue(link, command));
        if (isNoValue(u.*field))
            return false;
    }

    // The local display is optional: its reads stay quiet when it does not answer.
    const std::uint8_t version = Settled(link, ReadDisplayVersion(link)).value;
    if (version == FailedByte) {
        link.windows.hideDisplayControls();
    } else {
        if (const Reply<DisplayRangeWords> range = ReadDisplayRange(link); Settled(link, range).ok()) {
            link.poll.DisplayLowRaw = range.value.low;
            link.poll.DisplayHighRaw = range.value.high;
        }
        u.DispHigh = link.poll.DisplayHighRaw;
        u.DispLow = link.poll.DisplayLowRaw;
        link.windows.showDisplay(displayVersionText(version), u.DispLow, u.DispHigh);
        s.EditConf.DispLow = u.DispLow;
        s.EditConf.DispHigh = u.DispHigh;
        link.poll.DisplayPresent = true;
    }

    u.MinRead = Taken(link, ReadValue(link, Command::MinRead));
    if (isNoValue(u.MinRead))
        return false;
    u.AmbRead = Taken(link, ReadValue(link, Command::AmbRead));
    return !isNoValue(u.AmbRead);
}

} // namespace

bool Connect(Link& link)
{
    Session& s = link.session;
    link.state.UnitOnline = true;
    if (!OpenLink(link))
        return false;
    const std::uint8_t code = Taken(link, ReadInputCode(link));
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
    s.UnitConf.Tag = Taken(link, ReadTag(link));
    if (!s.UnitConf.Tag.isEmpty() && link.state.UnitOnline) {
        NoteUnitFound(link);
        return true;
    }
    Disconnect(link);
    return false;
}

bool Poll(Link& link)
{
    Session& s = link.session;
    bool result = false;
    link.poll.PollBusy = true;
    link.state.UnitOnline = true;
    if (link.poll.SettleAfterUpdate) {
        // The unit restarts after an update: give it time before asking again.
        link.windows.setBusyPointer(true);
        link.poll.SettleAfterUpdate = false;
        link.windows.stopPollTimer();
        link.clock.waitFor(SettleTime);
        link.windows.setEditorVisible(true);
    }
    const QString serial = Taken(link, ReadSerial(link));
    if (serial == s.UnitConf.Serial && link.state.LinkOpen) {
        ConfRecord& u = s.UnitConf;
        u.Reading = Taken(link, ReadValue(link, Command::Reading));
        if (isNoValue(u.Reading))
            return result;
        u.MaxRead = Taken(link, ReadValue(link, Command::MaxRead));
        if (isNoValue(u.MaxRead))
            return result;
        u.MinRead = Taken(link, ReadValue(link, Command::MinRead));
        if (isNoValue(u.MinRead))
            return result;
        u.AmbRead = Taken(link, ReadValue(link, Command::AmbRead));
        if (isNoValue(u.AmbRead))
            return result;
        s.UnitConf = ScaleReadings(link, s.UnitConf);
        if (link.state.UnitOnline) {
            result = true;
            link.poll.PollBusy = false;
            link.windows.setBusyPointer(false);
        } else {
            Disconnect(link);
        }
    } else if (serial.isEmpty()) {
        if (LinkMessagesWanted(link))
            ConnectionProblemMessage(link.op);
    } else if (link.state.UnitOnline) {
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
        link.poll.PollBusy = false;
        link.poll.UnitChangeAccepted = false;
        return;
    }
    link.poll.UnitChangeAccepted = true;
    link.state.NoTimeoutMessage = false;
    link.windows.setCommandState(CommandStates::Busy);
    link.windows.setBusyPointer(true);
    if (Connect(link)) {
        link.windows.showReadingFrames();
        link.windows.setCommandState(CommandStates::Connected);
        link.windows.showUnitConf();
        if (s.view.ConfDiffers)
            link.windows.markEditPanelChanges();
        SaveUnitRecord(link);
        link.windows.setBusyPointer(false);
        link.windows.startPollTimer();
    } else {
        link.windows.setBusyPointer(false);
        link.windows.setCommandState(CommandStates::NotConnected);
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
