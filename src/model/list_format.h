#pragma once

// The comma-separated list format of configuration files, unit records, calibration records
// and factory images. Files are 8-bit text (Latin-1); a written line ends with CR LF.
//
// Reading: fields are taken in order regardless of line breaks. A field ends at a comma or at
// a line break (CR LF, bare LF or bare CR); blank lines are skipped, and a comma at the end of
// a line does not make an empty field. Spaces and tabs around a field are ignored.
//  - Text: "in double quotes" (the quotes may enclose commas and blanks, which are kept) or
//    unquoted (up to the next comma or line break, blanks around it dropped). A quote that is
//    not closed, or anything but blanks between the closing quote and the next separator, is
//    an error.
//  - Numbers are unquoted decimals: optional sign, digits with an optional period, with or
//    without a leading zero (.5, 0.5, -.5, 5.), optionally an exponent (2.147483E+09, 1e-3).
//    Hex, inf, nan, empty and quoted fields are refused.
//  - Single: the nearest float to the decimal; a value beyond the float range, or a non-zero
//    value that would round to zero, is refused.
//  - Byte: a number whose value is a whole number from 0 to 255 (73, +73, 73.0, 7.3E+01);
//    fractions (73.5) and values outside 0..255 are refused rather than rounded or wrapped.
//
// Writing: texts in double quotes, bytes as integers, singles in the exact form of ExactText
// (NoValue is 2.147483E+09), so that every finite single reads back bit for bit (records
// never hold infinities or NaN; they would be written but refused on reading). The format has no
// escape for a double quote, so a written text has each " replaced by ', each control
// character (line breaks, tabs included) by a blank and each character outside Latin-1 by ?;
// every written file therefore reads back, and a text without such characters reads back
// unchanged.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Takes the fields of a list file one by one; each accessor returns nothing when the next
// field is missing or cannot be converted.
class ListReader {
public:
    explicit ListReader(QByteArray bytes);

    std::optional<QString> nextText();
    std::optional<std::uint8_t> nextByte();
    std::optional<float> nextSingle();

private:
    struct Field {
        QByteArray text;
        bool quoted = false;
    };
    std::optional<Field> nextField();
    std::optional<Field> nextNumber();
    void skipBlanks();

    QByteArray bytes_;
    qsizetype pos_ = 0;
};

// Builds the lines of a list file: fields joined by commas, each line ended by CR LF.
class ListWriter {
public:
    void addText(const QString& text);
    void addByte(std::uint8_t value);
    void addSingle(float value);
    void endLine();

    const QByteArray& bytes() const { return bytes_; }

private:
    void startField();

    QByteArray bytes_;
    bool lineOpen_ = false;
};
