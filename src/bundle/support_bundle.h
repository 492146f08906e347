#pragma once

#include "link/port_diagnosis.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

struct PortNames;

// One file of the support bundle.
struct BundleFile {
    QString name;
    QByteArray bytes;
};

// What the program knows that helps someone else find out what went wrong with a unit.
struct SupportFacts {
    QString system;        // program, Qt and operating system versions (SystemDescription)
    QString trace;         // the protocol trace as text
    QString ports;         // the serial devices present and what Com 1 .. Com 8 open
    QString messages;      // the last messages shown
    QString appDir;        // PortNo.txt is taken from here
    QString recordFolder;  // the connected unit's record is taken from here
    QString serial;        // the connected unit's serial number; empty when none is connected
    std::vector<BundleFile> history;  // the connected unit's recent history, where it is kept
};

// "delvo2 MIRTAL_1.11, Qt 6.4.2 (built with 6.4.2), Debian GNU/Linux 12 (bookworm), linux
// 6.1.0-18-amd64, x86_64": no host name, no user name.
QString SystemDescription(const QString& programVersion);

// The serial devices present and the device each of Com 1 .. Com 8 opens, the chosen one marked.
QString PortsReport(const std::vector<SerialDevice>& devices, const PortNames& names, std::int16_t chosen);

// The bundle's files: README.txt first, then what the facts hold (a file that does not exist is
// left out). The user's home folder is written "~" wherever it appears.
std::vector<BundleFile> SupportBundleFiles(const SupportFacts& facts, const QString& homeFolder);

// Writes the files as one zip archive, whole or not at all; false when it cannot.
bool WriteZipArchive(const QString& path, const std::vector<BundleFile>& files);
