#pragma once

#include <QString>

#include <cstdint>
#include <map>

// Which device a port number (Com 1 .. Com 8) opens. On Windows port n is COMn. On Linux:
//   Com 1..4 -> /dev/ttyUSB0..3 (USB serial adapters, the usual bench cable)
//   Com 5..6 -> /dev/ttyACM0..1 (USB modem-class adapters)
//   Com 7..8 -> /dev/ttyS0..1   (built-in serial ports)
//   any other number n -> /dev/ttyS(n-1)
// A port may be bound to another device (a pseudo-terminal, say) by an override.
struct PortNames {
    std::map<std::int16_t, QString> overrides;

    QString deviceFor(std::int16_t portNumber) const;
    // "Com 3  (/dev/ttyUSB2)" — the caption of a port choice with its device.
    QString captionFor(std::int16_t portNumber) const;
};
