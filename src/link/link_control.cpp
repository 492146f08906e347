#include "link/link_control.h"

#include "link/link_windows.h"
#include "link/serial_link.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/operator.h"
#include "platform/port_names.h"

void ResetLinkState(Link& link)
{
    link.state.LinkOpen = false;
    link.state.PortOpenedOnce = false;
    link.update.UpdateStep = UpdateSteps::Idle;
    link.poll.DisplayPresent = false;
    link.poll.SettleAfterUpdate = false;
}

bool OpenLink(Link& link)
{
    if (link.state.LinkOpen)
        return false;
    const PortOpening opening = OpenPort(link);
    if (!opening.opened) {
        PortOpenError(link.op, std::int16_t(opening.errorNumber));
        const QString device = link.portNames.deviceFor(link.state.PortNumber);
        if (const QString advice = PortAdvice(device, opening.failure, link.inspection); !advice.isEmpty())
            link.op.message(QString::fromLatin1(PortProblemTitle), advice);
        ResetConf(link.session.UnitConf);
    }
    return opening.opened;
}

bool EnsurePortOpen(Link& link)
{
    if (!link.state.LinkOpen && !OpenLink(link))
        return false;
    link.update.UpdateStep = UpdateSteps::CalibrationMarker;
    return true;
}

void Disconnect(Link& link)
{
    if (!link.state.LinkOpen)
        return;
    if (const int error = ClosePort(link)) {
        PortCloseError(link.op, std::int16_t(error));
        return;
    }
    link.windows.stopPollTimer();
    ResetConf(link.session.UnitConf);
    link.windows.linkClosed();
}

bool LinkMessagesWanted(const Link& link)
{
    return !link.state.PortLost;
}

Exchange Settled(Link& link, Exchange result)
{
    if (!EndsLink(result))
        return result;
    if (result == Exchange::PortLost) {
        // The one message about a vanished port fits what was going on; the failures that follow
        // from it stay quiet.
        link.state.PortLost = true;
        if (link.update.UpdateStep != UpdateSteps::Idle)
            UpdateFailedMessage(link.op);
        else
            ConnectionProblemMessage(link.op);
    } else if (!link.state.NoTimeoutMessage && LinkMessagesWanted(link)) {
        TimeoutMessage(link.op);
    }
    Disconnect(link);
    return result;
}

void TakeFailedRead(Link& link, Exchange result)
{
    if (result == Exchange::Ok)
        return;
    link.state.UnitOnline = false;
    if (result == Exchange::WrongEcho)
        return;
    if (LinkMessagesWanted(link))
        ReceiveProblemMessage(link.op);
    Disconnect(link);
}
