#include "link/port_file.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How a write is made to fail.
enum class Obstacle {
    FileSizeLimit,   // RLIMIT_FSIZE below the file's size: the write stops short (EFBIG)
    ReadOnlyFolder,  // the folder may not be written (as an ordinary user, even when run as root)
    NameIsAFolder,   // the file's name is taken by a folder
};

// Every file the program writes: where it goes in a folder, and the call that writes it there.
struct Writer {
    const char* name;
    QString (*path)(const QString& folder);
    std::function<bool(const QString& path, ScriptedOperator& op)> write;  // true: written
};

ConfRecord configuration()
{
    ConfRecord r = ZeroConfRecord();
    LookupInputCode(BuildCatalogue(), r, 73);
    r.Serial = QStringLiteral("1234567");
    r.Tag = QStringLiteral("TT-101");
    r.OutMin = 4, r.OutMax = 20, r.Damping = 1, r.RangeMax = 100;
    r.CalLowRef = r.CalLowRead = r.CalHighRef = r.CalHighRead = r.CalGain = r.CalOffset = NoCal;
    return r;
}

const Writer writers[] = {
    {"configuration", [](const QString& f) { return f + "/boiler.cal"; },
     [](const QString& path, ScriptedOperator& op) { return WriteConfFile(configuration(), path, op); }},
    {"unit record", [](const QString& f) { return UnitRecordPath(f, "1234567"); },
     [](const QString& path, ScriptedOperator& op) { return WriteConfFile(configuration(), path, op); }},
    {"calibration record", [](const QString& f) { return CalRecordPath(f, "1234567"); },
     [](const QString& path, ScriptedOperator& op) { return WriteCalRecord(configuration(), path, op); }},
    {"flash image", [](const QString& f) { return f + "/0512307.cal"; },
     [](const QString& path, ScriptedOperator& op) {
         return WriteFactoryImage(std::vector<std::uint8_t>(FactoryImageSize, 0x5A), path, op);
     }},
    {"port file", [](const QString& f) { return PortFilePath(f); },
     [](const QString& path, ScriptedOperator& op) {
         Session session;
         session.AppDir = QFileInfo(path).path();
         WritePortFile(session, 3, op);  // it tells only of a failure
         return op.boxes.empty();
     }},
};

// Runs a write in a child process under the obstacle; the child's exit code says whether the
// write reported failure and showed exactly the "Can't access file" message.
int writeInChild(const Writer& writer, const QString& folder, Obstacle obstacle)
{
    const pid_t child = fork();
    if (child == 0) {
        if (obstacle == Obstacle::FileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);  // a short write instead of a killed process
            const rlimit limit{2, 2};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (obstacle == Obstacle::ReadOnlyFolder && geteuid() == 0 && setuid(65534) != 0)
            _exit(90);
        ScriptedOperator op;
        const bool written = writer.write(writer.path(folder), op);
        const bool told = op.boxes.size() == 1 && op.boxes.front().title == "Illegal Pathname"
            && op.boxes.front().text == "Can't access file: '" + writer.path(folder) + "'.";
        _exit(!written && told ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

// A write that cannot be completed leaves the old file exactly as it was, no temporary file
// behind, and tells the user which file it could not write.
TEST(FileFailures, EveryWriterKeepsTheOldFileAndSaysSo)
{
    const QByteArray old(100, 'o');  // larger than the size limit, so it could be truncated
    for (const Obstacle obstacle : {Obstacle::FileSizeLimit, Obstacle::ReadOnlyFolder, Obstacle::NameIsAFolder}) {
        for (const Writer& writer : writers) {
            SCOPED_TRACE(std::string(writer.name) + ", obstacle " + std::to_string(int(obstacle)));
            QTemporaryDir dir;
            const QString target = writer.path(dir.path());
            if (obstacle == Obstacle::NameIsAFolder) {
                ASSERT_TRUE(QDir().mkdir(target));
            } else {
                QFile file(target);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
            }
            if (obstacle == Obstacle::ReadOnlyFolder)
                ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                                  | QFileDevice::ReadOther | QFileDevice::ExeOther));
            EXPECT_EQ(writeInChild(writer, dir.path(), obstacle), 0);
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
            if (obstacle != Obstacle::NameIsAFolder) {
                QFile file(target);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_EQ(file.readAll(), old);
            }
        }
    }
}

// A serial number read from a file may hold anything; the files named after it stay in the
// program folder.
TEST(FileFailures, SerialNumbersCannotLeaveTheProgramFolder)
{
    for (const QString serial : {"../../etc/passwd", "..", "a/b\\c", "12:34", "0512307"}) {
        for (const QString& path : {UnitRecordPath("/app", serial), CalRecordPath("/app", serial)}) {
            EXPECT_TRUE(path.startsWith("/app/")) << path.toStdString();
            EXPECT_FALSE(path.mid(5).contains('/') || path.mid(5).contains('\\') || path.contains(".."))
                << path.toStdString();
        }
    }
    EXPECT_EQ(UnitRecordPath("/app", "0512307"), "/app/S0512307.urd");
}
