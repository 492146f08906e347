#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Number encodings of the wire protocol; multi-byte values are big-endian.

// 24-bit sign and magnitude: bit 7 of the first byte is the sign.
float DecodeSigned24(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
// Nothing when the magnitude does not fit (the caller reports it and leaves its bytes alone).
std::optional<std::array<std::uint8_t, 3>> EncodeSigned24(float value);
// 16-bit sign and magnitude (the third sensor table); higher bytes of the magnitude are dropped.
std::array<std::uint8_t, 2> EncodeSigned16(float value);
// Milliamperes as whole microamperes, unsigned.
std::array<std::uint8_t, 2> EncodeMilli16(float milliamps);
// Unsigned 16-bit word; a read status of 255 or more gives NoValue.
float DecodeWord16(std::uint8_t b0, std::uint8_t b1, int status = 0);
// Signed 16-bit (two's complement) display limits.
std::int16_t DecodeDisplayWord(std::uint8_t b0, std::uint8_t b1);

// Factory words: 'o' and 'n' carry the sign in bit 7 of the first byte, 'c' in bit 7 of the
// second; 'm' is 1000000 divided by the signed word (NoValue for a zero word).
float DecodeFactoryWordSignHigh(std::uint8_t b0, std::uint8_t b1);
float DecodeFactoryWordSignLow(std::uint8_t b0, std::uint8_t b1);
float DecodeFactoryWordReciprocal(std::uint8_t b0, std::uint8_t b1);

// Serial number: the four bytes in decimal, zero-padded to 2, 2, 1 and 2 digits (0512307).
QString SerialFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);
// The inverse on a seven-digit text; nothing for any other text.
std::optional<std::array<std::uint8_t, 4>> SerialToBytes(const QString& serial);

// Tag: 19 bytes, one per character in the Windows ANSI code page, blank padded (other characters
// become '?').
QByteArray TagToBytes(const QString& tag);

// Checksum of a written or uploaded block: seed + every byte + checksum is 0 modulo 256.
std::uint8_t BlockChecksum(std::uint8_t seed, const QByteArray& block);
