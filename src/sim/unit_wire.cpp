#include "sim/unit_wire.h"

#include <algorithm>
#include <cstdlib>

namespace unit_wire {

std::array<std::uint8_t, 3> toSignMagnitude24(std::int32_t value)
{
    const std::int32_t magnitude = std::min(std::abs(value), Max24);
    std::array<std::uint8_t, 3> bytes{std::uint8_t(magnitude >> 16), std::uint8_t(magnitude >> 8),
                                      std::uint8_t(magnitude)};
    if (value < 0)
        bytes[0] |= 0x80;
    return bytes;
}

std::int32_t fromSignMagnitude24(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2)
{
    const std::int32_t magnitude = (b0 & 0x7F) << 16 | b1 << 8 | b2;
    return (b0 & 0x80) ? -magnitude : magnitude;
}

std::int32_t fromSignMagnitude16(std::uint8_t b0, std::uint8_t b1)
{
    const std::int32_t magnitude = (b0 & 0x7F) << 8 | b1;
    return (b0 & 0x80) ? -magnitude : magnitude;
}

std::array<std::uint8_t, 2> toWord16(std::uint16_t value)
{
    return {std::uint8_t(value >> 8), std::uint8_t(value)};
}

std::uint16_t fromWord16(std::uint8_t b0, std::uint8_t b1)
{
    return std::uint16_t(b0 << 8 | b1);
}

std::uint8_t checksum(std::uint8_t seed, const QByteArray& block)
{
    unsigned sum = seed;
    for (char byte : block)
        sum += std::uint8_t(byte);
    return std::uint8_t(256 - sum % 256);
}

} // namespace unit_wire
