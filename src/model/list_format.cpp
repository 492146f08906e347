#include "model/list_format.h"

#include "model/ansi_text.h"
#include "model/decimal_text.h"
#include "model/formatters.h"

#include <QList>

#include <cmath>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

} // namespace

ListReader::ListReader(QByteArray bytes)
    : bytes_(std::move(bytes))
{
}

void ListReader::skipBlanks()
{
    while (pos_ < bytes_.size() && isBlank(bytes_[pos_]))
        ++pos_;
}

std::optional<ListReader::Field> ListReader::nextField()
{
    while (pos_ < bytes_.size() && (isBlank(bytes_[pos_]) || isLineBreak(bytes_[pos_])))
        ++pos_;
    if (pos_ == bytes_.size())
        return std::nullopt;

    Field field;
    if (bytes_[pos_] == '"') {
        const qsizetype closing = bytes_.indexOf('"', pos_ + 1);
        if (closing < 0)
            return std::nullopt;
        field.text = bytes_.mid(pos_ + 1, closing - pos_ - 1);
        field.quoted = true;
        pos_ = closing + 1;
        skipBlanks();
        if (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineBreak(bytes_[pos_]))
            return std::nullopt;
    } else {
        const qsizetype start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineBreak(bytes_[pos_]))
            ++pos_;
        field.text = bytes_.mid(start, pos_ - start).trimmed();
    }
    if (pos_ < bytes_.size() && bytes_[pos_] == ',')
        ++pos_;
    return field;
}

std::optional<ListReader::Field> ListReader::nextNumber()
{
    auto field = nextField();
    if (!field || field->quoted)
        return std::nullopt;
    return field;
}

std::optional<QString> ListReader::nextText()
{
    const auto field = nextField();
    if (!field)
        return std::nullopt;
    return FromAnsi(field->text);
}

std::optional<std::uint8_t> ListReader::nextByte()
{
    const auto field = nextNumber();
    return field ? ParseByte(std::string_view(field->text.constData(), field->text.size())) : std::nullopt;
}

std::optional<float> ListReader::nextSingle()
{
    const auto field = nextNumber();
    return field ? ParseSingle(std::string_view(field->text.constData(), field->text.size())) : std::nullopt;
}

void ListWriter::startField()
{
    if (lineOpen_)
        bytes_ += ',';
    lineOpen_ = true;
}

void ListWriter::addText(const QString& text)
{
    startField();
    bytes_ += '"';
    // By code point, so that a character beyond the 16-bit range becomes a single '?'.
    for (const char32_t c : text.toUcs4()) {
        if (c == U'"')
            bytes_ += '\'';
        else if (QChar::category(c) == QChar::Other_Control)
            bytes_ += ' ';
        else
            bytes_ += AnsiByte(c);
    }
    bytes_ += '"';
}

void ListWriter::addByte(std::uint8_t value)
{
    startField();
    bytes_ += QByteArray::number(value);
}

void ListWriter::addSingle(float value)
{
    startField();
    bytes_ += ExactText(value).toLatin1();
}

void ListWriter::endLine()
{
    bytes_ += "\r\n";
    lineOpen_ = false;
}
