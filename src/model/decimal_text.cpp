#include "model/decimal_text.h"

#include <QString>

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the decimal form (sign, digits, period, exponent) and drops a leading '+', which
// from_chars does not take; nothing when the text is not a plain decimal.
std::optional<std::string_view> decimalBody(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++mantissaDigits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            ++mantissaDigits;
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    return s.front() == '+' ? s.substr(1) : s;
}

template <typename T>
std::optional<T> parseDecimal(std::string_view text)
{
    const auto body = decimalBody(text);
    if (!body)
        return std::nullopt;
    T value{};
    // from_chars reports both overflow and underflow to zero as out of range.
    const auto [end, error] = std::from_chars(body->data(), body->data() + body->size(), value);
    if (error != std::errc() || end != body->data() + body->size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<float> ParseSingle(std::string_view text)
{
    return parseDecimal<float>(text);
}

std::optional<std::uint8_t> ParseByte(std::string_view text)
{
    const auto value = parseDecimal<double>(text);
    if (!value || *value < 0 || *value > 255 || std::trunc(*value) != *value)
        return std::nullopt;
    return std::uint8_t(*value);
}


namespace {

template <typename T>
std::optional<T> parseDecimalText(QStringView text)
{
    if (text.size() > 64)
        return std::nullopt;
    const QByteArray latin = text.toLatin1();
    if (QString::fromLatin1(latin) != text)
        return std::nullopt;
    return parseDecimal<T>(std::string_view(latin.constData(), std::size_t(latin.size())));
}

} // namespace

std::optional<float> ParseSingle(QStringView text)
{
    return parseDecimalText<float>(text);
}

std::optional<double> ParseDouble(QStringView text)
{
    return parseDecimalText<double>(text);
}
