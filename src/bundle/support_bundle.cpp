#include "bundle/support_bundle.h"

#include "link/port_file.h"
#include "model/conf_files.h"
#include "model/safe_file.h"
#include "platform/port_names.h"

#include <QDateTime>
#include <QSysInfo>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {

// Unit records and the port file are small; anything larger is not one.
constexpr qint64 SmallFileLimit = 1 << 20;

const char readme[] = R"(delvo2 support bundle

Made by "Save Support Bundle..." (Help menu) to show someone else what happened between the
program and a unit. It holds:

  system.txt    the program's version, the Qt version and the operating system (no host name)
  ports.txt     the serial devices present (path, maker, product, the USB adapter's serial
                number) and the device each of Com 1 .. Com 8 opens
  trace.txt     the last bytes sent to and received from the unit (up to 100,000), as frames:
                time, bytes sent, the command's name, the reply, time-outs and retries
  messages.txt  the last messages the program showed, with their times
  PortNo.txt    the chosen port number
  S<serial>.urd the connected unit's record (its configuration), when a unit is connected
  history/      the connected unit's recent history, where it is kept

No personal data beyond the unit's tag and serial number: the user's home folder is written
"~" wherever it appears, and there is no user or host name.
)";

la_ssize_t appendTo(archive*, void* buffer, const void* bytes, size_t length)
{
    static_cast<QByteArray*>(buffer)->append(static_cast<const char*>(bytes), qsizetype(length));
    return la_ssize_t(length);
}

bool addEntry(archive* zip, const BundleFile& file, qint64 modified)
{
    const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), file.name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), file.bytes.size());
    archive_entry_set_mtime(entry.get(), modified, 0);
    return archive_write_header(zip, entry.get()) == ARCHIVE_OK
        && archive_write_data(zip, file.bytes.constData(), size_t(file.bytes.size())) == la_ssize_t(file.bytes.size());
}

} // namespace

QString SystemDescription(const QString& programVersion)
{
    return QStringLiteral("delvo2 %1, Qt %2 (built with %3), %4, %5 %6, %7\n")
        .arg(programVersion, QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR), QSysInfo::prettyProductName(),
             QSysInfo::kernelType(), QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
}

QString PortsReport(const std::vector<SerialDevice>& devices, const PortNames& names, std::int16_t chosen)
{
    QString report = QStringLiteral("Serial devices present:\n");
    for (const SerialDevice& device : devices)
        report += QStringLiteral("  ") + DeviceLine(device) + QLatin1Char('\n');
    if (devices.empty())
        report += QStringLiteral("  none\n");
    report += QStringLiteral("Port numbers:\n");
    for (std::int16_t n = 1; n <= 8; ++n)
        report += (n == chosen ? QStringLiteral("* ") : QStringLiteral("  ")) + names.captionFor(n) + QLatin1Char('\n');
    if (chosen < 1 || chosen > 8)
        report += QStringLiteral("* ") + names.captionFor(chosen) + QLatin1Char('\n');
    return report;
}

std::vector<BundleFile> SupportBundleFiles(const SupportFacts& facts, const QString& homeFolder)
{
    std::vector<BundleFile> files{
        {QStringLiteral("README.txt"), readme},
        {QStringLiteral("system.txt"), facts.system.toUtf8()},
        {QStringLiteral("ports.txt"), facts.ports.toUtf8()},
        {QStringLiteral("trace.txt"), facts.trace.toUtf8()},
        {QStringLiteral("messages.txt"), facts.messages.toUtf8()},
    };
    const auto addFile = [&files](const QString& name, const QString& path) {
        QByteArray bytes;
        if (ReadWholeFile(path, SmallFileLimit, bytes))
            files.push_back({name, bytes});
    };
    addFile(QStringLiteral("PortNo.txt"), PortFilePath(facts.appDir));
    if (!facts.serial.isEmpty()) {
        const QString record = UnitRecordPath(facts.recordFolder, facts.serial);
        addFile(record.section(QLatin1Char('/'), -1), record);
    }
    for (const BundleFile& h : facts.history)
        files.push_back({QStringLiteral("history/") + h.name, h.bytes});
    if (!homeFolder.isEmpty())
        for (BundleFile& file : files)
            file.bytes.replace(homeFolder.toUtf8(), "~");
    return files;
}

bool WriteZipArchive(const QString& path, const std::vector<BundleFile>& files)
{
    QByteArray bytes;
    const std::unique_ptr<archive, decltype(&archive_write_free)> zip(archive_write_new(), archive_write_free);
    bool ok = archive_write_set_format_zip(zip.get()) == ARCHIVE_OK
        && archive_write_open(zip.get(), &bytes, nullptr, appendTo, nullptr) == ARCHIVE_OK;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const BundleFile& file : files)
        ok = ok && addEntry(zip.get(), file, now);
    ok = ok && archive_write_close(zip.get()) == ARCHIVE_OK;
    return ok && WriteFileAtomically(path, bytes);
}
