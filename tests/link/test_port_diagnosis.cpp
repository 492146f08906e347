#include "link/link_control.h"
#include "link/qt_serial_port.h"
#include "link/serial_link.h"
#include "link/system_ports.h"
#include "model/operator_messages.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

#include <QDir>
#include <QFile>

namespace {

struct Failure {
    PortFailure cause;
    int errorNumber;
    std::vector<SerialDevice> devices;
    std::vector<DeviceHolder> holders;
    QString advice;  // empty: the error message comes alone
};

} // namespace

TEST(PortDiagnosis, EachCauseComesAfterTheUnchangedErrorMessage)
{
    const SerialDevice ftdi{"/dev/ttyUSB1", "FT232R USB UART", "FTDI", "A50285BI"};
    const SerialDevice bare{"/dev/ttyS0", {}, {}, {}};
    const std::vector<Failure> failures{
        {PortFailure::PermissionDenied, 8005, {}, {},
         "You are not allowed to use /dev/ttyUSB0: add your user to the 'dialout' group "
         "(sudo usermod -aG dialout $USER) and log in again."},
        {PortFailure::NoSuchDevice, 8002, {ftdi, bare}, {},
         "There is no device /dev/ttyUSB0.\nSerial devices present now:\n"
         "  /dev/ttyUSB1  FT232R USB UART (FTDI, serial A50285BI)\n  /dev/ttyS0"},
        {PortFailure::NoSuchDevice, 8002, {}, {},
         "There is no device /dev/ttyUSB0.\nNo serial device is present now: check that the unit's cable or USB "
         "adapter is plugged in."},
        {PortFailure::Busy, 8005, {}, {{812, "minicom"}, {907, "screen"}},
         "/dev/ttyUSB0 is in use by minicom (process 812), screen (process 907). Close it and try again."},
        {PortFailure::Busy, 8005, {}, {},
         "/dev/ttyUSB0 is in use by another program (one this user may not look into, or another user's). Close it "
         "and try again."},
        {PortFailure::Other, 8010, {ftdi}, {{1, "init"}}, {}},
    };
    for (const Failure& f : failures) {
        LinkSurroundings around;
        ScriptedPort port(around.clock);
        port.openError = f.errorNumber;
        port.failure = f.cause;
        Link link = around.linkOn(port);
        QStringList asked;
        link.inspection = {[&] { return f.devices; },
                           [&](const QString& device) { asked << device; return f.holders; }};
        EXPECT_FALSE(OpenLink(link));

        ScriptedOperator alone;
        PortOpenError(alone, std::int16_t(f.errorNumber));
        std::vector<ScriptedOperator::Box> expected{alone.only()};
        if (!f.advice.isEmpty())
            expected.push_back({"Port Problem", f.advice});
        EXPECT_EQ(around.op.boxes, expected) << around.op.transcript().toStdString();
        EXPECT_EQ(asked, f.cause == PortFailure::Busy ? QStringList{"/dev/ttyUSB0"} : QStringList{});
    }
}

TEST(PortDiagnosis, QtErrorsSortedByWhatTheUserCanDo)
{
    const std::tuple<QSerialPort::SerialPortError, bool, PortFailure> table[] = {
        {QSerialPort::DeviceNotFoundError, false, PortFailure::NoSuchDevice},
        {QSerialPort::PermissionError, false, PortFailure::PermissionDenied},
        {QSerialPort::PermissionError, true, PortFailure::Busy},
        {QSerialPort::OpenError, true, PortFailure::Other},
        {QSerialPort::ResourceError, false, PortFailure::Other},
    };
    for (const auto& [error, accessible, cause] : table)
        EXPECT_EQ(OpenFailureOf(error, accessible), cause) << int(error) << accessible;
}

TEST(PortDiagnosis, HoldersAreTheProcessesWithTheDeviceOpen)
{
    QTemporaryDir root;
    const QDir proc(root.path());
    const QString device = proc.filePath("ttyUSB0");
    QFile(device).open(QIODevice::WriteOnly);
    const auto process = [&](const char* pid, const char* name, const QString& target) {
        proc.mkpath(QStringLiteral("%1/fd").arg(pid));
        QFile comm(proc.filePath(QStringLiteral("%1/comm").arg(pid)));
        comm.open(QIODevice::WriteOnly);
        comm.write(QByteArray(name) + '\n');
        QFile::link(target, proc.filePath(QStringLiteral("%1/fd/4").arg(pid)));
    };
    process("977", "screen", device);
    process("31", "minicom", device);
    process("500", "bash", proc.filePath("31/comm"));
    process("self", "self", device);  // not a process number
    const std::vector<DeviceHolder> holders = ProcessesHolding(device, proc.path());
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(std::tie(holders[0].pid, holders[0].name), std::tuple(31, "minicom"));
    EXPECT_EQ(std::tie(holders[1].pid, holders[1].name), std::tuple(977, "screen"));
    EXPECT_TRUE(ProcessesHolding(proc.filePath("gone"), proc.path()).empty());
}
