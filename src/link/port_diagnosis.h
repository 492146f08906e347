#pragma once

#include "link/serial_port.h"

#include <QString>

#include <functional>
#include <vector>

// A serial device the system lists, with what its USB descriptor tells (empty where it tells
// nothing).
struct SerialDevice {
    QString path;          // "/dev/ttyUSB0"
    QString description;   // "FT232R USB UART"
    QString manufacturer;  // "FTDI"
    QString serialNumber;  // the adapter's own USB serial number
};

// A process that has a device open.
struct DeviceHolder {
    qint64 pid = 0;
    QString name;  // its command name
};

// What the advice on a port that did not open looks at: the program asks the system
// (system_ports.h), tests hand in their own.
struct PortInspection {
    std::function<std::vector<SerialDevice>()> devices;
    std::function<std::vector<DeviceHolder>(const QString& device)> holders;
};

// The title of the advice, shown after the error message itself.
inline constexpr char PortProblemTitle[] = "Port Problem";

// What a Linux user can do about `device` not opening for `failure`: the group to join, the
// serial devices that exist now, or the program that holds the device. Empty when the failure
// says nothing a user can act on.
QString PortAdvice(const QString& device, PortFailure failure, const PortInspection& inspection);

// "/dev/ttyUSB0  FT232R USB UART (FTDI, serial A50285BI)": one device as the lists show it.
QString DeviceLine(const SerialDevice& device);
