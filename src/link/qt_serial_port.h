#pragma once

#include "link/serial_port.h"

#include <QSerialPort>

#include <optional>

// Port settings as in "9600,E,8,1": baud rate, parity (N, E, O, M, S), data bits, stop bits.
struct PortSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::EvenParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};
std::optional<PortSettings> ParsePortSettings(const QString& text);

// A real serial port (or pseudo-terminal). A device that vanishes makes Qt report read errors
// over and over while the port stays open: the first error that is not a time-out closes the port
// here, so waits see it closed at once.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    bool open(const QString& device, const QString& settings, int& errorNumber) override;
    bool close(int& errorNumber) override;
    PortFailure openFailure() const override { return openFailure_; }
    bool isOpen() const override { return port_.isOpen(); }
    int bytesWaiting() const override;
    void discardInput() override;
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QByteArray input_;  // bytes received and not yet read by the link
    PortFailure openFailure_ = PortFailure::Other;
};

// The error numbers the operator messages know for Qt's port errors.
int PortErrorNumber(QSerialPort::SerialPortError error);
// Why an open failed with `error`. Qt reports a device held by another program (exclusive use,
// a lock file) as a permission error too: only a device this user may not read and write is a
// permission problem.
PortFailure OpenFailureOf(QSerialPort::SerialPortError error, bool deviceAccessible);
