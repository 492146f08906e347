#include "sim/unit_framing.h"

namespace {

constexpr std::uint8_t DisplayRangeCommand = 'A';
constexpr int DisplayRangeBytes = 5;
constexpr std::uint8_t Acknowledge = 0xA5;
constexpr std::uint8_t ResendRequest = 0xBB;
constexpr int MaxBlockData = 64;
// The tool waits 5 s for a chunk's answer before it sends the chunk again.
constexpr double BlockAgainSeconds = 10.0;

} // namespace

void UnitFraming::expectBlock(std::uint8_t select)
{
    state_ = State::Block;
    select_ = select;
    bytes_.clear();
}

void UnitFraming::expectBlockAgain(std::uint8_t select)
{
    expectBlock(select);
    state_ = State::BlockAgain;
}

std::optional<UnitFraming::Frame> UnitFraming::feed(std::uint8_t byte, double now, double gapSeconds)
{
    const bool gap = now - lastByteAt_ > (state_ == State::BlockAgain ? BlockAgainSeconds : gapSeconds);
    lastByteAt_ = now;
    if (gap && state_ != State::UploadAnswers)
        state_ = State::Command;
    return take(byte);
}

std::optional<UnitFraming::Frame> UnitFraming::take(std::uint8_t byte)
{
    switch (state_) {
    case State::Command:
        if (byte == DisplayRangeCommand) {
            state_ = State::DisplayRange;
            bytes_.clear();
            return std::nullopt;
        }
        return Frame{Frame::Kind::Command, byte, {}};
    case State::DisplayRange:
        bytes_.append(char(byte));
        if (bytes_.size() < DisplayRangeBytes)
            return std::nullopt;
        state_ = State::Command;
        return Frame{Frame::Kind::DisplayRange, DisplayRangeCommand, bytes_};
    case State::BlockAgain:
        state_ = State::Block;
        if (byte >= 1 && byte <= 3) {  // a select byte: the tool starts the step over
            state_ = State::Command;
            return Frame{Frame::Kind::Command, byte, {}};
        }
        return take(byte);
    case State::Block: {
        if (bytes_.isEmpty()) {
            const int length = byte & 0x7F;
            if (length < 1 || length > MaxBlockData) {
                state_ = State::Discard;
                return Frame{Frame::Kind::BadBlockLength, byte, {}};
            }
        }
        bytes_.append(char(byte));
        // Length byte, address, page, the data bytes and the checksum.
        if (bytes_.size() < (std::uint8_t(bytes_.at(0)) & 0x7F) + 4)
            return std::nullopt;
        state_ = State::Command;
        return Frame{Frame::Kind::Block, select_, bytes_};
    }
    case State::UploadAnswers:
        if (byte == Acknowledge || byte == ResendRequest)
            return Frame{Frame::Kind::UploadAnswer, byte, {}};
        // The tool has given up on the upload: this is a command again.
        state_ = State::Command;
        return take(byte);
    case State::Discard:
        return std::nullopt;
    }
    return std::nullopt;
}
