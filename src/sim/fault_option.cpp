#include "sim/fault_option.h"

#include "link/codecs.h"
#include "sim/simulated_unit.h"

namespace {

std::optional<FaultTrigger> parseTrigger(const QString& text)
{
    if (text == QLatin1String("block"))
        return FaultTrigger::onBlock();
    if (text == QLatin1String("chunk"))
        return FaultTrigger::onTableChunk();
    if (text == QLatin1String("upload"))
        return FaultTrigger::onUploadBlock();
    if (text == QLatin1String("any"))
        return FaultTrigger::onAnyExchange();
    if (text.size() == 1 && text.at(0).unicode() < 0x80)
        return FaultTrigger::onCommand(std::uint8_t(text.at(0).unicode()));
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && text.size() <= 4) {
        bool ok = false;
        const uint byte = text.mid(2).toUInt(&ok, 16);
        if (ok && byte <= 0xFF)
            return FaultTrigger::onCommand(std::uint8_t(byte));
    }
    return std::nullopt;
}

std::optional<double> parseSeconds(const QString& text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    return ok && seconds >= 0 ? std::optional<double>(seconds) : std::nullopt;
}

// KIND or KIND=VALUE.
std::optional<Fault> parseFault(const QString& text)
{
    const QString kind = text.section(QLatin1Char('='), 0, 0);
    const bool hasValue = text.contains(QLatin1Char('='));
    const QString value = text.section(QLatin1Char('='), 1);
    if (!hasValue) {
        if (kind == QLatin1String("silence"))
            return Fault::silence();
        if (kind == QLatin1String("echo"))
            return Fault::wrongEcho();
        if (kind == QLatin1String("short"))
            return Fault::shortReply();
        if (kind == QLatin1String("long"))
            return Fault::longReply();
        if (kind == QLatin1String("resend"))
            return Fault::resendRequest();
        if (kind == QLatin1String("badack"))
            return Fault::badAcknowledge();
        if (kind == QLatin1String("garbage"))
            return Fault::garbageBefore(2);
        if (kind == QLatin1String("hangup"))
            return Fault::hangUp();
        return std::nullopt;
    }
    if (kind == QLatin1String("garbage")) {
        bool ok = false;
        const int count = value.toInt(&ok);
        return ok && count > 0 ? std::optional<Fault>(Fault::garbageBefore(count)) : std::nullopt;
    }
    const std::optional<double> seconds = parseSeconds(value);
    if (!seconds)
        return std::nullopt;
    if (kind == QLatin1String("late"))
        return Fault::lateReply(*seconds);
    if (kind == QLatin1String("slow"))
        return Fault::slowBytes(*seconds);
    return std::nullopt;
}

std::optional<FaultOption> parseEvent(const QString& text, QString& error)
{
    const QString what = text.section(QLatin1Char('@'), 0, 0);
    UnitEvent event;
    if (text.contains(QLatin1Char('@'))) {
        const std::optional<double> at = parseSeconds(text.section(QLatin1Char('@'), 1));
        if (!at) {
            error = QStringLiteral("'%1': the time after @ must be a number of seconds").arg(text);
            return std::nullopt;
        }
        event.atSeconds = *at;
    }
    if (what == QLatin1String("burnout")) {
        event.kind = UnitEvent::Kind::BurnOut;
    } else if (what == QLatin1String("unplug")) {
        event.kind = UnitEvent::Kind::Unplug;
    } else {
        const std::optional<unit_wire::SerialBytes> serial = SerialToBytes(what.section(QLatin1Char('='), 1));
        if (!what.startsWith(QLatin1String("swap=")) || !serial) {
            error = QStringLiteral("'%1': expected burnout, swap=SERIAL (seven digits) or unplug").arg(text);
            return std::nullopt;
        }
        event.kind = UnitEvent::Kind::Swap;
        event.serial = *serial;
    }
    return event;
}

} // namespace

std::optional<FaultOption> parseFaultOption(const QString& text, QString& error)
{
    // A command character may itself be ':', so the target is everything up to the last ':'
    // before the fault kind.
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2)
        return parseEvent(text, error);
    int faultIndex = parts.size() - 1;
    int times = 1;
    const QString last = parts.last();
    bool numeric = false;
    const int count = last.toInt(&numeric);
    if (parts.size() >= 3 && (last == QLatin1String("always") || numeric)) {
        if (numeric && count < 1) {
            error = QStringLiteral("'%1': the number of times must be at least 1").arg(text);
            return std::nullopt;
        }
        times = numeric ? count : FaultPlan::Always;
        faultIndex = parts.size() - 2;
    }
    const QString target = parts.mid(0, faultIndex).join(QLatin1Char(':'));
    const std::optional<FaultTrigger> trigger = parseTrigger(target);
    if (!trigger) {
        error = QStringLiteral("'%1': unknown target '%2'").arg(text, target);
        return std::nullopt;
    }
    const std::optional<Fault> fault = parseFault(parts.at(faultIndex));
    if (!fault) {
        error = QStringLiteral("'%1': unknown fault '%2'").arg(text, parts.at(faultIndex));
        return std::nullopt;
    }
    return FaultRule{*trigger, *fault, times};
}

void applyFaultOption(const FaultOption& option, SimulatedUnit& unit, Clock& clock)
{
    if (const auto* rule = std::get_if<FaultRule>(&option)) {
        unit.faults().add(rule->trigger, rule->fault, rule->times);
        return;
    }
    const UnitEvent event = std::get<UnitEvent>(option);
    clock.callAfter(event.atSeconds, [&unit, event] {
        switch (event.kind) {
        case UnitEvent::Kind::BurnOut:
            unit.setBurnOut(true);
            break;
        case UnitEvent::Kind::Swap:
            unit.swapUnit(event.serial);
            break;
        case UnitEvent::Kind::Unplug:
            unit.unplug();
            break;
        }
    });
}

QString faultOptionHelp()
{
    return QStringLiteral(
        "Faults (--fault, repeatable):\n"
        "  TARGET:KIND[=VALUE][:TIMES]  a fault on the next exchange(s) of TARGET\n"
        "    TARGET  a command character (t, 8, C, ...), a byte as 0xNN, or block, chunk,\n"
        "            upload, any\n"
        "    KIND    silence, echo, short, long, late=SECONDS, resend, badack,\n"
        "            garbage[=COUNT], slow=SECONDS (between bytes), hangup\n"
        "    TIMES   a number of exchanges (1 when left out) or always\n"
        "  burnout[@SECONDS]            the input burns out, at once or SECONDS after the start\n"
        "  swap=SERIAL[@SECONDS]        another unit, serial number SERIAL, is on the cable\n"
        "  unplug@SECONDS               the unit is unplugged (the program ends)\n"
        "Examples: --fault t:silence:3  --fault chunk:resend  --fault 8:late=6:always\n");
}
