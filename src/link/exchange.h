#pragma once

// What one exchange with the unit came to. The wire layer reports it; the task that asked
// (connect, poll, update, factory transfer) decides what the operator is told, which flags
// change and whether the link closes.
enum class Exchange {
    Ok,          // the answer came whole (echo right; a block: acknowledged)
    WrongEcho,   // an answer came that does not echo the request
    Refused,     // a block was answered, but not with the acknowledgement
    NoReply,     // every attempt went unanswered; the link is still open
    TimedOut,    // the final attempt of the exchange went unanswered: the link has to close
    LinkClosed,  // the link was closed while the exchange waited
    PortLost,    // the port vanished under the open link (cable or adapter pulled)
};

// The exchange ended in a way that closes the link (its one message is due).
constexpr bool EndsLink(Exchange e)
{
    return e == Exchange::TimedOut || e == Exchange::LinkClosed || e == Exchange::PortLost;
}

// An answer and what the exchange came to; `value` holds the failure value (255, NoValue, an
// empty text) unless the exchange is Ok.
template <class T>
struct Reply {
    Exchange result;
    T value;
    bool ok() const { return result == Exchange::Ok; }
};
