#include "platform/port_names.h"

QString PortNames::deviceFor(std::int16_t n) const
{
    if (auto it = overrides.find(n); it != overrides.end())
        return it->second;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    if (n >= 1 && n <= 4)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 1);
    if (n >= 5 && n <= 6)
        return QStringLiteral("/dev/ttyACM%1").arg(n - 5);
    if (n >= 7 && n <= 8)
        return QStringLiteral("/dev/ttyS%1").arg(n - 7);
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

QString PortNames::captionFor(std::int16_t n) const
{
    return QStringLiteral("Com %1  (%2)").arg(n).arg(deviceFor(n));
}
