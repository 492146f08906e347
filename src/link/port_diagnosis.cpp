#include "link/port_diagnosis.h"

#include <QStringList>

namespace {

QString presentDevices(const std::vector<SerialDevice>& devices)
{
    if (devices.empty())
        return QStringLiteral("No serial device is present now: check that the unit's cable or USB adapter is plugged in.");
    QStringList lines{QStringLiteral("Serial devices present now:")};
    for (const SerialDevice& device : devices)
        lines << QStringLiteral("  ") + DeviceLine(device);
    return lines.join(QLatin1Char('\n'));
}

QString holdersText(const QString& device, const std::vector<DeviceHolder>& holders)
{
    if (holders.empty())
        return device + QStringLiteral(" is in use by another program (one this user may not look into, or another "
                                       "user's). Close it and try again.");
    QStringList names;
    for (const DeviceHolder& holder : holders)
        names << QStringLiteral("%1 (process %2)").arg(holder.name).arg(holder.pid);
    return device + QStringLiteral(" is in use by ") + names.join(QStringLiteral(", "))
        + QStringLiteral(". Close it and try again.");
}

} // namespace

QString PortAdvice(const QString& device, PortFailure failure, const PortInspection& inspection)
{
    switch (failure) {
    case PortFailure::PermissionDenied:
        return QStringLiteral("You are not allowed to use %1: add your user to the 'dialout' group "
                              "(sudo usermod -aG dialout $USER) and log in again.")
            .arg(device);
    case PortFailure::NoSuchDevice:
        return QStringLiteral("There is no device %1.\n").arg(device) + presentDevices(inspection.devices());
    case PortFailure::Busy:
        return holdersText(device, inspection.holders(device));
    case PortFailure::Other:
        break;
    }
    return {};
}

QString DeviceLine(const SerialDevice& device)
{
    QStringList details;
    if (!device.manufacturer.isEmpty())
        details << device.manufacturer;
    if (!device.serialNumber.isEmpty())
        details << QStringLiteral("serial ") + device.serialNumber;
    QString line = device.path;
    if (!device.description.isEmpty())
        line += QStringLiteral("  ") + device.description;
    if (!details.isEmpty())
        line += QStringLiteral(" (") + details.join(QStringLiteral(", ")) + QLatin1Char(')');
    return line;
}
