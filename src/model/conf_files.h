#pragma once

// Configuration files, unit records, calibration records and factory images, all in the list
// format of list_format.h.
//
// Writers replace the whole file atomically: on any failure the old file stays as it was and
// the operator is told "Can't access file: '<path>'." (Illegal Pathname).
//
// Readers are all-or-nothing: a failed read leaves its target (EditConf, the record's
// correction fields, the flash image) exactly as it was, where the earlier program kept what it
// had read so far. The one exception is ReadConfFile's input-code step: a code that is not an
// RTD or thermocouple code (a fixed code, or an unknown one) copies UnitConf's display range
// into EditConf as soon as it is read, as the earlier program did. Files larger than
// MaxListFileSize are refused unread with the read failure's message.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

struct Catalogue;
struct ConfRecord;
struct Session;
class Operator;

inline constexpr qint64 MaxListFileSize = 1 << 20;
inline constexpr std::size_t FactoryImageSize = 704;  // 44 lines of 16 byte values

// Reads a configuration or unit record file into session.EditConf. Fields the file does not
// hold (OutDir, readings, factory fields, display range) are zero afterwards; InputName comes
// from the catalogue; out-of-range codes become 255; anything after field 21 is ignored.
// False after telling the operator:
//  - cannot open or read Serial and Tag: "Can't access file: '<path>'." (Illegal Pathname);
//  - input code not in the catalogue: "Illegal Sensor-Type was found in file." (Illegal File);
//  - any of fields 3 to 21 missing or not convertible: "Some of the file values are illegal."
//    CR LF "Can't translate this file." (Illegal File).
bool ReadConfFile(Session& session, const Catalogue& catalogue, const QString& path, Operator& op);
// The same on the bytes of a file already read; `path` only names the file in the messages.
bool ReadConfFile(Session& session, const Catalogue& catalogue, const QByteArray& bytes, const QString& path,
                  Operator& op);

// Writes the 21 fields of a configuration file as one line (range high end before low end).
bool WriteConfFile(const ConfRecord& record, const QString& path, Operator& op);
// The bytes WriteConfFile writes: the one line of 21 fields, ended by CR LF.
QByteArray ConfFileLine(const ConfRecord& record);

// The six correction fields: CalGain, CalOffset, CalLowRef, CalLowRead, CalHighRef, CalHighRead.
// Any read failure, fewer values included, is "Can't access file: '<path>'.".
bool WriteCalRecord(const ConfRecord& record, const QString& path, Operator& op);
bool ReadCalRecord(ConfRecord& record, const QString& path, Operator& op);
bool ReadCalRecord(ConfRecord& record, const QByteArray& bytes, const QString& path, Operator& op);

// The flash image as 44 lines of 16 byte values; an image shorter than FactoryImageSize is
// written padded with zeros, bytes beyond it are not written.
bool WriteFactoryImage(const std::vector<std::uint8_t>& image, const QString& path, Operator& op);
// Needs FactoryImageSize values from 0 to 255 (any further values are ignored); on success the
// image holds exactly those bytes. Any failure is "Can't access file: '<path>'.".
bool ReadFactoryImage(std::vector<std::uint8_t>& image, const QString& path, Operator& op);
bool ReadFactoryImage(std::vector<std::uint8_t>& image, const QByteArray& bytes, const QString& path, Operator& op);

// The per-unit files in the program folder, named after the connected unit's serial number:
// the last configuration read or written ("S" + serial + ".urd") and the last correction ("E").
QString UnitRecordPath(const QString& appDir, const QString& serial);
QString CalRecordPath(const QString& appDir, const QString& serial);
