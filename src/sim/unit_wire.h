#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// The unit's own view of the bytes on the wire. The unit works in whole numbers: readings and
// ranges are scaled integers, currents are microamperes.
namespace unit_wire {

// Largest magnitude of a 24-bit sign-and-magnitude value; also "not set" for calibration fields.
inline constexpr std::int32_t Max24 = 8388607;

// Readings the unit has not got.
inline constexpr std::int32_t BurnOut = Max24;
inline constexpr std::int32_t NoMinimum = 4194303;
inline constexpr std::int32_t NoMaximum = -4194303;
inline constexpr std::int32_t NoAmbient = 32767;

// 24-bit sign and magnitude, big-endian, sign in bit 7 of the first byte; magnitudes beyond
// Max24 are clipped to it.
std::array<std::uint8_t, 3> toSignMagnitude24(std::int32_t value);
std::int32_t fromSignMagnitude24(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
// 16-bit sign and magnitude (points of the third table).
std::int32_t fromSignMagnitude16(std::uint8_t b0, std::uint8_t b1);

// 16-bit words, big-endian (the display limits are two's complement).
std::array<std::uint8_t, 2> toWord16(std::uint16_t value);
std::uint16_t fromWord16(std::uint8_t b0, std::uint8_t b1);

// The byte that makes seed + every byte of the block + checksum equal 0 modulo 256.
std::uint8_t checksum(std::uint8_t seed, const QByteArray& block);

// A serial number is four bytes (its text form is the link's SerialFromBytes).
using SerialBytes = std::array<std::uint8_t, 4>;

} // namespace unit_wire
