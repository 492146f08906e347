#include "sim/simulated_port.h"

#include "sim/simulated_unit.h"

SimulatedPort::SimulatedPort(SimulatedUnit& unit) : unit_(unit)
{
    unit_.setOutput([this](const QByteArray& bytes) {
        if (!open_)
            return;
        input_.append(bytes);
        signalActivity();
    });
    unit_.setHangUpHandler([this] {
        if (!open_)
            return;
        open_ = false;
        input_.clear();
        signalActivity();
    });
}

SimulatedPort::~SimulatedPort()
{
    unit_.setOutput({});
    unit_.setHangUpHandler({});
}

bool SimulatedPort::open(const QString& device, const QString& settings, int& errorNumber)
{
    if (open_) {
        errorNumber = PortError::DeviceAlreadyOpen;
        return false;
    }
    if (!unit_.pluggedIn()) {
        errorNumber = PortError::NoSuchPort;
        return false;
    }
    open_ = true;
    settingsMatch_ = settings == QLatin1String("9600,E,8,1");
    device_ = device;
    input_.clear();
    return true;
}

bool SimulatedPort::close(int& errorNumber)
{
    if (!open_) {
        errorNumber = PortError::DeviceNotOpen;
        return false;
    }
    open_ = false;
    input_.clear();
    return true;
}

QByteArray SimulatedPort::readAll()
{
    QByteArray bytes;
    bytes.swap(input_);
    return bytes;
}

void SimulatedPort::write(const QByteArray& bytes)
{
    // At another speed or framing every byte is a framing error at the unit: it hears nothing.
    if (open_ && settingsMatch_)
        unit_.receive(bytes);
}
