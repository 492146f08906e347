#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Texts as the unit and the configuration files hold them: one byte per character in the Windows
// ANSI code page (Windows-1252). It is Latin-1 but for 0x80..0x9F, which hold the euro sign,
// typographic quotes, dashes and a few letters.

// Each byte as its character; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stay the control characters of the same number, so they come back unchanged.
QString FromAnsi(QByteArrayView bytes);
// The byte of a character, or '?' for a character the code page does not have.
char AnsiByte(char32_t c);
// Each character of `text` as its byte.
QByteArray ToAnsi(const QString& text);
