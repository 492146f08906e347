#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

// Cuts the bytes the tool sends into frames. A frame in progress is dropped when the next byte
// comes more than a gap after the previous one (the tool sends a block's bytes 50 ms apart and
// waits seconds before it tries again), so a lost exchange never leaves the unit out of step.
class UnitFraming {
public:
    struct Frame {
        enum class Kind {
            Command,         // one command byte (`byte`)
            Block,           // a block after select `byte`: length byte .. checksum in `bytes`
            DisplayRange,    // 'A' and its five bytes (in `bytes`)
            UploadAnswer,    // 0xA5 or 0xBB during the factory memory upload (`byte`)
            BadBlockLength,  // a block length byte outside 1..64 (`byte`); the rest is ignored
        };
        Kind kind = Kind::Command;
        std::uint8_t byte = 0;
        QByteArray bytes;
    };

    // Takes one byte received at `now`; gives the frame it completes.
    std::optional<Frame> feed(std::uint8_t byte, double now, double gapSeconds);

    void reset() { state_ = State::Command; }
    // After echoing a select byte: the next bytes are its block.
    void expectBlock(std::uint8_t select);
    // After answering a block 0xBB: a table chunk or factory block comes again by itself, seconds
    // later; any other block starts over with its select byte.
    void expectBlockAgain(std::uint8_t select);
    // After echoing 0xAA: the tool answers each upload block with 0xA5 or 0xBB.
    void expectUploadAnswers() { state_ = State::UploadAnswers; }

private:
    enum class State { Command, Block, BlockAgain, DisplayRange, UploadAnswers, Discard };

    std::optional<Frame> take(std::uint8_t byte);

    State state_ = State::Command;
    std::uint8_t select_ = 0;
    QByteArray bytes_;
    double lastByteAt_ = 0;
};
