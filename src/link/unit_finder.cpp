#include "link/unit_finder.h"

#include "link/commands.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "model/safe_file.h"
#include "platform/clock.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A unit echoes a read within milliseconds; a second per silent device keeps the search short.
constexpr double ProbeTimeout = 1.0;

bool echoes(SerialPort& port, Clock& clock, const QString& device)
{
    int error = 0;
    if (!port.open(device, QString::fromLatin1(PortSettings), error))
        return false;
    port.discardInput();
    clock.waitFor(FramePause);
    port.write(QByteArray(1, char(Command::InputCode)));
    // The echo and the input code.
    clock.waitFor(ProbeTimeout, [&] { return port.bytesWaiting() >= 2 || !port.isOpen(); });
    const QByteArray reply = port.isOpen() ? port.readAll() : QByteArray();
    if (port.isOpen())
        port.close(error);
    return !reply.isEmpty() && std::uint8_t(reply[0]) == Command::InputCode;
}

} // namespace

std::optional<QString> FindAnsweringDevice(SerialPort& port, Clock& clock, const QStringList& devices)
{
    for (const QString& device : devices)
        if (echoes(port, clock, device))
            return device;
    return std::nullopt;
}

QString RememberedDevice(const QString& file)
{
    QByteArray bytes;
    return ReadWholeFile(file, 4096, bytes) ? QString::fromUtf8(bytes).trimmed() : QString();
}

bool RememberDevice(const QString& file, const QString& device)
{
    return QDir().mkpath(QFileInfo(file).absolutePath()) && WriteFileAtomically(file, device.toUtf8() + '\n');
}
