#include "link/serial_link.h"

#include "link/link_windows.h"
#include "link/serial_port.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/port_names.h"

bool OpenPort(Link& link)
{
    Session& s = link.session;
    if (s.link.LinkOpen)
        return false;
    int error = 0;
    if (!link.port.open(link.portNames.deviceFor(s.link.PortNumber), QString::fromLatin1(PortSettings), error)) {
        PortOpenError(link.op, std::int16_t(error));
        s.link.LinkOpen = false;
        ResetConf(s.UnitConf);
        return false;
    }
    s.link.LinkOpen = true;
    s.link.PortOpenedOnce = true;
    s.link.PortLost = false;
    return true;
}

bool EnsurePortOpen(Link& link)
{
    if (!link.session.link.LinkOpen && !OpenPort(link))
        return false;
    link.session.update.UpdateStep = 7;
    return true;
}

void SendFrame(Link& link, const QByteArray& frame)
{
    link.clock.waitFor(FramePause);
    if (link.session.link.LinkOpen && link.port.isOpen())
        link.port.write(frame);
}

namespace {

// The port closed itself under an open link: one message that fits what was going on, and the
// failures that follow stay quiet.
void reportLostPort(Link& link)
{
    Session& s = link.session;
    s.link.PortLost = true;
    if (s.update.UpdateStep != 0)
        UpdateFailedMessage(link.op);
    else
        CommErrorMessage(link.op, QStringLiteral("There's Some Problems Connecting The Unit,Check Connections."));
}

} // namespace

bool LinkMessagesWanted(const Link& link)
{
    return !link.session.link.PortLost;
}

int ReceiveFrame(Link& link, QByteArray& reply, std::uint8_t expected, std::int16_t& attempt)
{
    Session& s = link.session;
    SerialPort& port = link.port;
    // A port that has vanished ends the wait at once instead of after the full time-out.
    link.clock.waitFor(ReplyTimeout, [&] { return port.bytesWaiting() >= expected || !port.isOpen(); });
    const int count = port.bytesWaiting() & 0xFF;
    if (count != expected && (attempt == 4 || !s.link.LinkOpen || !port.isOpen())) {
        if (s.link.LinkOpen && !port.isOpen())
            reportLostPort(link);
        else if (!s.link.NoTimeoutMessage && LinkMessagesWanted(link))
            TimeoutMessage(link.op);
        attempt = 4;
        reply = QByteArray(1, '\0');
        Disconnect(link);
        return 0;
    }
    if (s.link.LinkOpen)
        reply = port.readAll();
    return count;
}

namespace {

// The save offered when the link closes with unsaved edits; true when the editor should stay.
bool offerToSave(Link& link)
{
    if (!AskToSaveChanges(link.op))
        return false;
    const DialogResult chosen = link.dialogs.saveFile(QStringLiteral("*.cal"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(link.op, QStringLiteral("save"));
    else if (chosen.kind == DialogResult::Chosen) {
        if (chosen.path.endsWith(QStringLiteral(".urd")))
            IllegalSuffixMessage(link.op);
        else
            WriteConfFile(link.session.EditConf, chosen.path, link.op);
    }
    return true;
}

} // namespace

void Disconnect(Link& link)
{
    Session& s = link.session;
    if (!s.link.LinkOpen)
        return;
    int error = 0;
    if (link.port.isOpen() && !link.port.close(error)) {
        PortCloseError(link.op, std::int16_t(error));
        return;
    }
    link.windows.stopPollTimer();
    s.link.LinkOpen = false;
    ResetConf(s.UnitConf);

    const bool editorOpen = link.windows.editorVisible();
    if (editorOpen && !s.view.ConfSaved && offerToSave(link))
        return;
    if (editorOpen)
        link.windows.setEditorVisible(false);
    link.windows.setCommandState(4);
}
