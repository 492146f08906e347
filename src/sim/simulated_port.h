#pragma once

#include "link/serial_port.h"

#include <QByteArray>
#include <QString>

class SimulatedUnit;

// A serial port with a simulated unit at the other end of the cable. Any device name opens,
// unless the unit is unplugged (8002, no such port). Reply bytes arrive in the input buffer at
// the times the unit sends them, each arrival signalling activity; while the port is closed they
// are lost. Opened with settings other than "9600,E,8,1", the unit hears nothing the port
// writes. Unplugging the unit closes the port and signals activity.
// One port is attached to a unit at a time, and the unit outlives it.
class SimulatedPort : public SerialPort {
public:
    explicit SimulatedPort(SimulatedUnit& unit);
    ~SimulatedPort() override;
    SimulatedPort(const SimulatedPort&) = delete;
    SimulatedPort& operator=(const SimulatedPort&) = delete;

    bool open(const QString& device, const QString& settings, int& errorNumber) override;
    bool close(int& errorNumber) override;
    bool isOpen() const override { return open_; }

    int bytesWaiting() const override { return int(input_.size()); }
    void discardInput() override { input_.clear(); }
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;

    QString device() const { return device_; }

private:
    SimulatedUnit& unit_;
    bool open_ = false;
    bool settingsMatch_ = false;
    QString device_;
    QByteArray input_;
};
