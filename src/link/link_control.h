#pragma once

#include "link/exchange.h"

struct Link;

// The task side of the link: what the operator is told when an exchange fails, and opening and
// closing the link as the commands need it.

// Start-up: the link closed and every flag of connect, poll and update cleared.
void ResetLinkState(Link& link);

// Opens the port; when it cannot, the operator is told (PortOpenError, then what to do about it
// where the cause is known: "Port Problem") and the connected unit is forgotten. False also when
// the link is open already.
bool OpenLink(Link& link);
// For the calibration windows: open (or already open), and the update starts at its calibration
// marker.
bool EnsurePortOpen(Link& link);

// Closes the link: polling stops, the connected unit is forgotten and the windows hear of it
// (an edited configuration is offered for saving there). A port that cannot be closed is
// reported and the link stays open.
void Disconnect(Link& link);

// False once the port has vanished under the open link and its one message was shown: the
// messages of the failures that follow from it are left out.
bool LinkMessagesWanted(const Link& link);

// An exchange that ended the link: its one message (the time-out, or the lost port's), then the
// link closes. Any other result passes unchanged.
Exchange Settled(Link& link, Exchange result);

template <class T>
const Reply<T>& Settled(Link& link, const Reply<T>& reply)
{
    Settled(link, reply.result);
    return reply;
}

// A read that failed, as connect, poll and the factory window take it (after Settled): a wrong
// echo marks the unit offline; a read that got no answer is reported ("Problems receiving
// message from unit."), marks the unit offline and closes the link.
void TakeFailedRead(Link& link, Exchange result);

// A read as those tasks take it: settled, its failure taken; the value, or its failure value.
template <class T>
T Taken(Link& link, const Reply<T>& reply)
{
    Settled(link, reply.result);
    TakeFailedRead(link, reply.result);
    return reply.value;
}
