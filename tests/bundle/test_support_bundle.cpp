#include "bundle/support_bundle.h"

#include <QFile>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The entries of a zip archive as libarchive reads them back.
std::vector<BundleFile> readZip(const QString& path)
{
    std::vector<BundleFile> files;
    const std::unique_ptr<archive, decltype(&archive_read_free)> zip(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(zip.get());
    if (archive_read_open_filename(zip.get(), QFile::encodeName(path).constData(), 4096) != ARCHIVE_OK)
        return files;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(zip.get(), &entry) == ARCHIVE_OK) {
        QByteArray bytes(qsizetype(archive_entry_size(entry)), '\0');
        archive_read_data(zip.get(), bytes.data(), size_t(bytes.size()));
        files.push_back({QString::fromUtf8(archive_entry_pathname_utf8(entry)), bytes});
    }
    return files;
}

QStringList namesOf(const std::vector<BundleFile>& files)
{
    QStringList names;
    for (const BundleFile& f : files)
        names << f.name;
    return names;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(SupportBundle, HoldsWhatThereIsAndReadsBackFromTheZip)
{
    QTemporaryDir app;
    write(app.filePath("PortNo.txt"), "3\r\n");
    write(app.filePath("S0512307.urd"), "unit record");
    const std::vector<BundleFile> history{{"S0512307.csv", "t,reading\n"}};
    const QString home = QStringLiteral("/home/alice");
    SupportFacts facts{"delvo2 X, Qt 6", "trace", "/dev/ttyUSB0", "10:00 Illegal Pathname: Can't access file: '/home/alice/a.cal'.",
                       app.path(), app.path(), "0512307", history};

    struct Case {
        QString serial;
        std::vector<BundleFile> history;
        QStringList names;
    };
    const QStringList always{"README.txt", "system.txt", "ports.txt", "trace.txt", "messages.txt", "PortNo.txt"};
    const std::vector<Case> cases{
        {"0512307", history, always + QStringList{"S0512307.urd", "history/S0512307.csv"}},
        {"0512307", {}, always + QStringList{"S0512307.urd"}},
        {"", {}, always},         // no unit connected
        {"7777777", {}, always},  // a unit without a record yet
    };
    for (const Case& c : cases) {
        facts.serial = c.serial;
        facts.history = c.history;
        EXPECT_EQ(namesOf(SupportBundleFiles(facts, home)), c.names);
    }
    facts.serial = "0512307";
    facts.history = history;
    const std::vector<BundleFile> files = SupportBundleFiles(facts, home);
    const QString zip = app.filePath("bundle.zip");
    ASSERT_TRUE(WriteZipArchive(zip, files));
    const std::vector<BundleFile> back = readZip(zip);
    ASSERT_EQ(namesOf(back), cases[0].names);
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(back[i].bytes, files[i].bytes) << back[i].name.toStdString();
    EXPECT_EQ(files[4].bytes, "10:00 Illegal Pathname: Can't access file: '~/a.cal'.");
    EXPECT_EQ(files[5].bytes, "3\r\n");
    EXPECT_TRUE(files[0].bytes.contains("No personal data beyond the unit's tag and serial number"));

    EXPECT_FALSE(WriteZipArchive(app.filePath("missing/bundle.zip"), files));
    EXPECT_TRUE(SystemDescription("V1").startsWith("delvo2 V1, Qt " + QString::fromLatin1(qVersion())));
}
