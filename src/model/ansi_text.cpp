#include "model/ansi_text.h"

#include <QList>

#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; 0 where the code page defines none.
constexpr std::array<char16_t, 32> HighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char16_t characterOf(unsigned char byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char16_t c = HighControls[byte - 0x80];
    return c != 0 ? c : byte;
}

} // namespace

QString FromAnsi(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.append(QChar(characterOf(static_cast<unsigned char>(byte))));
    return text;
}

char AnsiByte(char32_t c)
{
    if (c < 0x80 || (c > 0x9F && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == c || (HighControls[i] == 0 && c == 0x80 + i))
            return char(0x80 + i);
    return '?';
}

QByteArray ToAnsi(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4())
        bytes.append(AnsiByte(c));
    return bytes;
}
