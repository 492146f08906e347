#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A fault the unit plays on one exchange.
struct Fault {
    enum class Kind {
        Silence,         // the unit ignores the exchange: no reply, nothing stored
        WrongEcho,       // the first reply byte is inverted (for a block: its acknowledgement)
        ShortReply,      // the last reply byte is left off
        LongReply,       // one byte 0x00 more
        LateReply,       // the reply starts `seconds` later
        ResendRequest,   // the unit answers 0xBB and does not act on the exchange
        BadAcknowledge,  // the last reply byte is inverted (a block's acknowledgement, an upload
                         // block's checksum); the exchange is acted on
        GarbageBefore,   // `count` bytes 0xFF go out before the reply
        SlowBytes,       // the reply bytes go out `seconds` apart
        HangUp,          // the unit is unplugged: the port fails and the unit stops answering
    };

    Kind kind = Kind::Silence;
    double seconds = 0;
    int count = 0;

    static Fault silence() { return {Kind::Silence}; }
    static Fault wrongEcho() { return {Kind::WrongEcho}; }
    static Fault shortReply() { return {Kind::ShortReply}; }
    static Fault longReply() { return {Kind::LongReply}; }
    static Fault lateReply(double seconds) { return {Kind::LateReply, seconds}; }
    static Fault resendRequest() { return {Kind::ResendRequest}; }
    static Fault badAcknowledge() { return {Kind::BadAcknowledge}; }
    static Fault garbageBefore(int count) { return {Kind::GarbageBefore, 0, count}; }
    static Fault slowBytes(double secondsPerByte) { return {Kind::SlowBytes, secondsPerByte}; }
    static Fault hangUp() { return {Kind::HangUp}; }

    bool operator==(const Fault&) const = default;
};

// Which exchanges a fault applies to. An exchange is a command byte and its reply (read
// commands, select bytes, 'A', 'Z', 0xAA), a written block and its acknowledgement, a table
// chunk and its acknowledgement, or one block of the factory memory upload.
struct FaultTrigger {
    enum class On { Command, Block, TableChunk, UploadBlock, AnyExchange };

    On on = On::AnyExchange;
    std::uint8_t command = 0;

    static FaultTrigger onCommand(std::uint8_t command) { return {On::Command, command}; }
    static FaultTrigger onBlock() { return {On::Block}; }  // any written block but a table chunk
    static FaultTrigger onTableChunk() { return {On::TableChunk}; }
    static FaultTrigger onUploadBlock() { return {On::UploadBlock}; }
    static FaultTrigger onAnyExchange() { return {On::AnyExchange}; }

    // Whether this trigger covers an exchange (described by a trigger that is not AnyExchange).
    bool covers(const FaultTrigger& exchange) const;
    bool operator==(const FaultTrigger&) const = default;
};

// Faults waiting for their exchanges; the first rule that covers an exchange is played and
// counts down. A rule added with `after` n lets the first n exchanges it covers pass untouched
// (the fault then lands on, say, the third table chunk).
class FaultPlan {
public:
    static constexpr int Always = -1;

    void add(FaultTrigger trigger, Fault fault, int times = 1, int after = 0);
    // The fault to play on this exchange, if any.
    std::optional<Fault> take(const FaultTrigger& exchange);
    bool empty() const { return rules_.empty(); }

private:
    struct Rule {
        FaultTrigger trigger;
        Fault fault;
        int remaining;
        int passing;  // covered exchanges still to let pass
    };
    std::vector<Rule> rules_;
};
