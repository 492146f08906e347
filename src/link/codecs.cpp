#include "link/codecs.h"

#include "model/ansi_text.h"

#include "model/conf_record.h"
#include "model/formatters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

float DecodeSigned24(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2)
{
    const float magnitude = float((b0 & 0x7F) * 65536 + b1 * 256 + b2);
    return (b0 & 0x80) ? -magnitude : magnitude;
}

std::optional<std::array<std::uint8_t, 3>> EncodeSigned24(float value)
{
    const double m = std::fabs(double(value));
    const double n = RoundHalfEven(m);
    if (!std::isfinite(m) || n >= 16777216.0)
        return std::nullopt;  // the first byte would overflow
    const auto whole = std::int64_t(n);
    const std::int64_t b0 = whole / 65536;
    const std::int64_t b1 = whole / 256 - 256 * b0;
    const double b2 = RoundHalfEven(m - 256.0 * double(b1) - 65536.0 * double(b0));
    if (b2 < 0 || b2 > 255)
        return std::nullopt;
    std::array<std::uint8_t, 3> bytes{std::uint8_t(b0), std::uint8_t(b1), std::uint8_t(b2)};
    if (value < 0)
        bytes[0] |= 0x80;
    return bytes;
}

std::array<std::uint8_t, 2> EncodeSigned16(float value)
{
    const double m = std::fabs(double(value));
    const auto n = std::int64_t(RoundHalfEven(m));
    const std::int64_t high = n / 256 - 256 * (n / 65536);
    const double low = RoundHalfEven(m - 256.0 * double(high) - 65536.0 * double(n / 65536));
    std::array<std::uint8_t, 2> bytes{std::uint8_t(high), std::uint8_t(std::clamp(low, 0.0, 255.0))};
    if (value < 0)
        bytes[0] |= 0x80;
    return bytes;
}

std::array<std::uint8_t, 2> EncodeMilli16(float milliamps)
{
    const auto n = std::int64_t(RoundHalfEven(double(milliamps * 1000.0f)));
    return {std::uint8_t((n >> 8) & 0xFF), std::uint8_t(n & 0xFF)};
}

float DecodeWord16(std::uint8_t b0, std::uint8_t b1, int status)
{
    if (status >= 255)
        return NoValue;
    return float(b0 * 256 + b1);
}

std::int16_t DecodeDisplayWord(std::uint8_t b0, std::uint8_t b1)
{
    return std::int16_t(std::uint16_t(b0 << 8 | b1));
}

float DecodeFactoryWordSignHigh(std::uint8_t b0, std::uint8_t b1)
{
    return b0 < 128 ? float(b0 * 256 + b1) : -float((b0 & 0x7F) * 256 + b1);
}

float DecodeFactoryWordSignLow(std::uint8_t b0, std::uint8_t b1)
{
    if (b1 < 128)
        return float(std::int16_t(std::uint16_t(b0 * 256 + b1)));
    return -float(std::int16_t(std::uint16_t(b0 * 256 + (b1 & 0x7F))));
}

float DecodeFactoryWordReciprocal(std::uint8_t b0, std::uint8_t b1)
{
    const auto word = std::int16_t(std::uint16_t(b0 * 256 + b1));
    return word == 0 ? NoValue : float(1000000.0 / word);
}

QString SerialFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return QStringLiteral("%1%2%3%4")
        .arg(b0, 2, 10, QLatin1Char('0'))
        .arg(b1, 2, 10, QLatin1Char('0'))
        .arg(b2, 1, 10, QLatin1Char('0'))
        .arg(b3, 2, 10, QLatin1Char('0'));
}

std::optional<std::array<std::uint8_t, 4>> SerialToBytes(const QString& serial)
{
    if (serial.size() != 7)
        return std::nullopt;
    for (QChar c : serial)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    auto number = [&](int from, int length) { return std::uint8_t(serial.mid(from, length).toInt()); };
    return std::array<std::uint8_t, 4>{number(0, 2), number(2, 2), number(4, 1), number(5, 2)};
}

QByteArray TagToBytes(const QString& tag)
{
    QByteArray bytes(19, ' ');
    for (int i = 0; i < 19 && i < tag.size(); ++i)
        bytes[i] = AnsiByte(tag[i].unicode());
    return bytes;
}

std::uint8_t BlockChecksum(std::uint8_t seed, const QByteArray& block)
{
    unsigned sum = seed;
    for (char byte : block)
        sum += std::uint8_t(byte);
    return std::uint8_t((256 - sum % 256) % 256);
}
