#include "link/serial_link.h"

#include "link/serial_port.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/port_names.h"

PortOpening OpenPort(Link& link)
{
    if (link.state.LinkOpen)
        return {};
    int error = 0;
    if (!link.port.open(link.portNames.deviceFor(link.state.PortNumber), QString::fromLatin1(PortSettings), error)) {
        link.state.LinkOpen = false;
        return {false, error, link.port.openFailure()};
    }
    link.state.LinkOpen = true;
    link.state.PortOpenedOnce = true;
    link.state.PortLost = false;
    return {true, 0};
}

int ClosePort(Link& link)
{
    int error = 0;
    if (link.port.isOpen() && !link.port.close(error))
        return error;
    link.state.LinkOpen = false;
    return 0;
}

void SendFrame(Link& link, const QByteArray& frame)
{
    link.clock.waitFor(FramePause);
    if (link.state.LinkOpen && link.port.isOpen())
        link.port.write(frame);
}

Frame ReceiveFrame(Link& link, std::uint8_t expected, bool finalAttempt)
{
    SerialPort& port = link.port;
    // A port that has vanished ends the wait at once instead of after the full time-out.
    link.clock.waitFor(ReplyTimeout, [&] { return port.bytesWaiting() >= expected || !port.isOpen(); });
    // The count as a byte: the protocol's replies are short, and a flood must not pass for one.
    const int count = port.bytesWaiting() & 0xFF;
    if (count != expected) {
        // The end of the link answers with a single zero byte, as a failed read always has.
        const QByteArray none(1, '\0');
        if (link.state.LinkOpen && !port.isOpen())
            return {Exchange::PortLost, none};
        if (!link.state.LinkOpen)
            return {Exchange::LinkClosed, none};
        if (finalAttempt)
            return {Exchange::TimedOut, none};
    }
    if (!link.state.LinkOpen)
        return {Exchange::NoReply, {}};
    QByteArray bytes = port.readAll();
    const bool whole = count == expected && bytes.size() == expected;
    return {whole ? Exchange::Ok : Exchange::NoReply, std::move(bytes)};
}
