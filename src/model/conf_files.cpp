#include "model/conf_files.h"

#include "model/catalogue.h"
#include "model/list_format.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "model/session.h"

#include <array>
#include <optional>

namespace {

QString illegalValuesText()
{
    return QStringLiteral("Some of the file values are illegal.") + QString::fromLatin1(CrLf)
        + QStringLiteral("Can't translate this file.");
}

bool writeFile(const QString& path, const QByteArray& bytes, Operator& op)
{
    if (WriteFileAtomically(path, bytes))
        return true;
    IllegalPathMessage(op, CantAccessFileText(path));
    return false;
}

// The bytes of a list file; nothing (after telling the operator) when it cannot be read.
std::optional<QByteArray> readList(const QString& path, Operator& op)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, MaxListFileSize, bytes)) {
        IllegalPathMessage(op, CantAccessFileText(path));
        return std::nullopt;
    }
    return bytes;
}

// Fields 4 to 21, in file order; false at the first one missing or not convertible.
bool readRest(ListReader& reader, ConfRecord& r)
{
    auto byte = [&reader](std::uint8_t& field) {
        const auto value = reader.nextByte();
        if (value)
            field = *value;
        return value.has_value();
    };
    auto single = [&reader](float& field) {
        const auto value = reader.nextSingle();
        if (value)
            field = *value;
        return value.has_value();
    };
    return byte(r.InputClass) && byte(r.Wires) && byte(r.BurnOut) && single(r.OutMin) && single(r.OutMax)
        && byte(r.Freq) && byte(r.Mode) && byte(r.Units) && byte(r.AmbUnits) && single(r.Damping)
        && single(r.RangeMax) && single(r.RangeMin) && single(r.CalLowRef) && single(r.CalLowRead)
        && single(r.CalHighRef) && single(r.CalHighRead) && single(r.CalGain) && single(r.CalOffset);
}

// The correction fields in the order of a calibration record file.
std::array<float ConfRecord::*, 6> calFields()
{
    return {&ConfRecord::CalGain, &ConfRecord::CalOffset, &ConfRecord::CalLowRef,
            &ConfRecord::CalLowRead, &ConfRecord::CalHighRef, &ConfRecord::CalHighRead};
}

constexpr std::size_t ImageLineLength = 16;

} // namespace

bool ReadConfFile(Session& session, const Catalogue& catalogue, const QString& path, Operator& op)
{
    const auto bytes = readList(path, op);
    return bytes && ReadConfFile(session, catalogue, *bytes, path, op);
}

bool ReadConfFile(Session& session, const Catalogue& catalogue, const QByteArray& bytes, const QString& path,
                  Operator& op)
{
    ListReader reader(bytes);
    ConfRecord r = ZeroConfRecord();
    const auto serial = reader.nextText();
    const auto tag = serial ? reader.nextText() : std::nullopt;
    if (!tag) {
        IllegalPathMessage(op, CantAccessFileText(path));
        return false;
    }
    r.Serial = *serial;
    r.Tag = *tag;

    const auto code = reader.nextByte();
    if (!code) {
        IllegalFileMessage(op, illegalValuesText());
        return false;
    }
    // The display range this may take over stays even when the rest of the file is refused.
    if (!LookupInputCodeWithDisplay(session, catalogue, r, *code)) {
        IllegalFileMessage(op, QStringLiteral("Illegal Sensor-Type was found in file."));
        return false;
    }
    // Class and wiring as the file states them replace the ones the lookup derived.
    if (!readRest(reader, r)) {
        IllegalFileMessage(op, illegalValuesText());
        return false;
    }
    ClampConfCodes(r);
    session.EditConf = std::move(r);
    return true;
}

bool WriteConfFile(const ConfRecord& r, const QString& path, Operator& op)
{
    return writeFile(path, ConfFileLine(r), op);
}

QByteArray ConfFileLine(const ConfRecord& r)
{
    ListWriter w;
    w.addText(r.Serial);
    w.addText(r.Tag);
    for (std::uint8_t b : {r.InputCode, r.InputClass, r.Wires, r.BurnOut})
        w.addByte(b);
    w.addSingle(r.OutMin);
    w.addSingle(r.OutMax);
    for (std::uint8_t b : {r.Freq, r.Mode, r.Units, r.AmbUnits})
        w.addByte(b);
    for (float f : {r.Damping, r.RangeMax, r.RangeMin, r.CalLowRef, r.CalLowRead, r.CalHighRef, r.CalHighRead,
                    r.CalGain, r.CalOffset})
        w.addSingle(f);
    w.endLine();
    return w.bytes();
}

bool WriteCalRecord(const ConfRecord& record, const QString& path, Operator& op)
{
    ListWriter w;
    for (auto field : calFields())
        w.addSingle(record.*field);
    w.endLine();
    return writeFile(path, w.bytes(), op);
}

bool ReadCalRecord(ConfRecord& record, const QString& path, Operator& op)
{
    const auto bytes = readList(path, op);
    return bytes && ReadCalRecord(record, *bytes, path, op);
}

bool ReadCalRecord(ConfRecord& record, const QByteArray& bytes, const QString& path, Operator& op)
{
    ListReader reader(bytes);
    ConfRecord updated = record;
    for (auto field : calFields()) {
        const auto value = reader.nextSingle();
        if (!value) {
            IllegalPathMessage(op, CantAccessFileText(path));
            return false;
        }
        updated.*field = *value;
    }
    record = std::move(updated);
    return true;
}

bool WriteFactoryImage(const std::vector<std::uint8_t>& image, const QString& path, Operator& op)
{
    ListWriter w;
    for (std::size_t i = 0; i < FactoryImageSize; ++i) {
        w.addByte(i < image.size() ? image[i] : 0);
        if (i % ImageLineLength == ImageLineLength - 1)
            w.endLine();
    }
    return writeFile(path, w.bytes(), op);
}

bool ReadFactoryImage(std::vector<std::uint8_t>& image, const QString& path, Operator& op)
{
    const auto bytes = readList(path, op);
    return bytes && ReadFactoryImage(image, *bytes, path, op);
}

bool ReadFactoryImage(std::vector<std::uint8_t>& image, const QByteArray& bytes, const QString& path, Operator& op)
{
    ListReader reader(bytes);
    std::vector<std::uint8_t> read;
    read.reserve(FactoryImageSize);
    while (read.size() < FactoryImageSize) {
        const auto value = reader.nextByte();
        if (!value) {
            IllegalPathMessage(op, CantAccessFileText(path));
            return false;
        }
        read.push_back(*value);
    }
    image = std::move(read);
    return true;
}

namespace {

// A serial number as part of a file name: a unit sends digits, but a serial that came from a file
// may hold anything, so every character but a letter or digit becomes '_' and the name cannot
// reach outside the program folder.
QString serialStem(const QString& serial)
{
    QString stem = serial;
    for (QChar& c : stem)
        if (!(c.isDigit() || (c.unicode() < 128 && c.isLetter())))
            c = QLatin1Char('_');
    return stem;
}

} // namespace

QString UnitRecordPath(const QString& appDir, const QString& serial)
{
    return appDir + QStringLiteral("/S") + serialStem(serial) + QStringLiteral(".urd");
}

QString CalRecordPath(const QString& appDir, const QString& serial)
{
    return appDir + QStringLiteral("/E") + serialStem(serial) + QStringLiteral(".urd");
}
