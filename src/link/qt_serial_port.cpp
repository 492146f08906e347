#include "link/qt_serial_port.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// Pseudo-terminals take no parity setting on some kernels (and ignore it on all): a port that is
// one opens without it.
bool isPseudoTerminal(const QString& device)
{
    return QFileInfo(device).canonicalFilePath().startsWith(QStringLiteral("/dev/pts/"));
}

} // namespace

std::optional<PortSettings> ParsePortSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    PortSettings s;
    bool ok = false;
    s.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == u"N") s.parity = QSerialPort::NoParity;
    else if (parity == u"E") s.parity = QSerialPort::EvenParity;
    else if (parity == u"O") s.parity = QSerialPort::OddParity;
    else if (parity == u"M") s.parity = QSerialPort::MarkParity;
    else if (parity == u"S") s.parity = QSerialPort::SpaceParity;
    else return std::nullopt;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return std::nullopt;
    s.dataBits = QSerialPort::DataBits(bits);
    const QString stop = parts[3].trimmed();
    if (stop == u"1") s.stopBits = QSerialPort::OneStop;
    else if (stop == u"1.5") s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == u"2") s.stopBits = QSerialPort::TwoStop;
    else return std::nullopt;
    return s;
}

int PortErrorNumber(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return PortError::NoSuchPort;
    case QSerialPort::PermissionError: return PortError::AlreadyOpenOrOccupied;
    case QSerialPort::OpenError: return PortError::DeviceAlreadyOpen;
    case QSerialPort::NotOpenError: return PortError::DeviceNotOpen;
    case QSerialPort::ReadError: return PortError::ErrorReading;
    case QSerialPort::ResourceError: return PortError::HardwareNotAvailable;
    case QSerialPort::UnsupportedOperationError: return PortError::CannotSetState;
    default: return PortError::HardwareNotAvailable;
    }
}

PortFailure OpenFailureOf(QSerialPort::SerialPortError error, bool deviceAccessible)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return PortFailure::NoSuchDevice;
    case QSerialPort::PermissionError: return deviceAccessible ? PortFailure::Busy : PortFailure::PermissionDenied;
    default: return PortFailure::Other;
    }
}

QtSerialPort::QtSerialPort()
{
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
        input_ += port_.readAll();
        signalActivity();
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) { onError(e); });
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen())
        return;
    // The device is gone (or broken): close once; the stream of further errors stops with it.
    port_.close();
    signalActivity();
}

bool QtSerialPort::open(const QString& device, const QString& settings, int& errorNumber)
{
    openFailure_ = PortFailure::Other;
    const auto parsed = ParsePortSettings(settings);
    if (!parsed) {
        errorNumber = PortError::CannotSetState;
        return false;
    }
    if (port_.isOpen()) {
        errorNumber = PortError::DeviceAlreadyOpen;
        return false;
    }
    input_.clear();
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) {
        errorNumber = PortErrorNumber(port_.error());
#ifdef Q_OS_WIN
        // Windows answers "access denied" for a port another program holds; there is no group to join.
        const bool accessible = true;
#else
        const QFileInfo file(device);
        const bool accessible = file.isReadable() && file.isWritable();
#endif
        openFailure_ = OpenFailureOf(port_.error(), accessible);
        return false;
    }
    // Never ask a pseudo-terminal for parity: the refusal is an error signal, which closes the port.
    const bool parityOk = isPseudoTerminal(device) || port_.setParity(parsed->parity);
    if (!parityOk || !port_.setBaudRate(parsed->baudRate) || !port_.setDataBits(parsed->dataBits)
        || !port_.setStopBits(parsed->stopBits) || !port_.setFlowControl(QSerialPort::NoFlowControl)) {
        port_.close();
        errorNumber = PortError::CannotSetState;
        return false;
    }
    port_.clear();
    return true;
}

bool QtSerialPort::close(int& errorNumber)
{
    if (!port_.isOpen()) {
        errorNumber = PortError::DeviceNotOpen;
        return false;
    }
    port_.close();
    input_.clear();
    return true;
}

int QtSerialPort::bytesWaiting() const
{
    return int(input_.size());
}

void QtSerialPort::discardInput()
{
    if (port_.isOpen())
        input_ += port_.readAll();
    input_.clear();
}

QByteArray QtSerialPort::readAll()
{
    if (port_.isOpen())
        input_ += port_.readAll();
    QByteArray bytes;
    bytes.swap(input_);
    return bytes;
}

void QtSerialPort::write(const QByteArray& bytes)
{
    if (port_.isOpen())
        port_.write(bytes);
}
