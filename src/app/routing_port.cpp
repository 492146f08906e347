#include "app/routing_port.h"

RoutingPort::RoutingPort(SerialPort& real, SerialPort& simulated, QString simulatedDevice)
    : real_(real), simulated_(simulated), simulatedDevice_(std::move(simulatedDevice)), current_(&real)
{
    for (SerialPort* port : {&real_, &simulated_})
        port->setActivityHandler([this] { signalActivity(); });
}

bool RoutingPort::open(const QString& device, const QString& settings, int& errorNumber)
{
    SerialPort* wanted = device == simulatedDevice_ ? &simulated_ : &real_;
    openFailure_ = PortFailure::Other;
    if (current_ != wanted && current_->isOpen()) {
        errorNumber = PortError::DeviceAlreadyOpen;
        return false;
    }
    current_ = wanted;
    const bool opened = current_->open(device, settings, errorNumber);
    if (!opened)
        openFailure_ = current_->openFailure();
    return opened;
}
