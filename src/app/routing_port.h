#pragma once

#include "link/serial_port.h"

// Opens the simulated unit for one device name and real serial ports for all others, so the
// program can offer the simulated unit as one of its ports.
class RoutingPort : public SerialPort {
public:
    RoutingPort(SerialPort& real, SerialPort& simulated, QString simulatedDevice);

    bool open(const QString& device, const QString& settings, int& errorNumber) override;
    bool close(int& errorNumber) override { return current_->close(errorNumber); }
    PortFailure openFailure() const override { return openFailure_; }
    bool isOpen() const override { return current_->isOpen(); }
    int bytesWaiting() const override { return current_->bytesWaiting(); }
    void discardInput() override { current_->discardInput(); }
    QByteArray readAll() override { return current_->readAll(); }
    void write(const QByteArray& bytes) override { current_->write(bytes); }

private:
    SerialPort& real_;
    SerialPort& simulated_;
    QString simulatedDevice_;
    SerialPort* current_;
    PortFailure openFailure_ = PortFailure::Other;
};

// The device name under which the simulated unit is offered.
inline constexpr char SimulatedDevice[] = "simulated unit";
