#pragma once

#include "link/exchange.h"
#include "link/link_state.h"
#include "link/system_ports.h"
#include "link/write_journal.h"

#include <QByteArray>

#include <cstdint>

struct Session;
struct Catalogue;
struct PortNames;
class SerialPort;
class Clock;
class Operator;
class LinkWindows;

// Everything an exchange with the unit touches, handed to the link's operations, and the
// link's own state.
struct Link {
    Session& session;
    SerialPort& port;
    Clock& clock;
    Operator& op;
    LinkWindows& windows;
    const PortNames& portNames;
    const Catalogue& catalogue;

    LinkState state{};
    PollState poll{};
    UpdateState update{};
    FactoryState factory{};
    JournalState journal{};  // who keeps the unit's history of writes
    // Where the advice on a port that does not open looks (the system's devices and processes).
    PortInspection inspection = SystemPortInspection();
};

// The settings every unit talks at.
inline constexpr char PortSettings[] = "9600,E,8,1";
inline constexpr double FramePause = 0.05;   // before every frame
inline constexpr double ReplyTimeout = 5.0;  // for every reply

// The wire: opening and closing the port, one frame out, one reply in. Nothing here tells the
// operator anything.

// Opens the port of PortNumber. Nothing when opened; the port's error number and what the port
// knows of the cause when it cannot be opened; 0 when the link is open already.
struct PortOpening {
    bool opened = false;
    int errorNumber = 0;
    PortFailure failure = PortFailure::Other;
};
PortOpening OpenPort(Link& link);
// Closes the port; the port's error number when it cannot (the link then stays open), else 0.
int ClosePort(Link& link);

// Pauses 50 ms (events keep running), then writes the frame while the link is open.
void SendFrame(Link& link, const QByteArray& frame);

// Waits up to 5 s for `expected` bytes. Complete: the bytes that came (every waiting byte, Ok);
// short of them: NoReply (the bytes read out), or an end of the link: TimedOut when this was
// the exchange's final attempt, LinkClosed, PortLost.
struct Frame {
    Exchange result;
    QByteArray bytes;
};
Frame ReceiveFrame(Link& link, std::uint8_t expected, bool finalAttempt);
