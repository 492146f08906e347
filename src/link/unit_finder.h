#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Clock;
class SerialPort;

// Looks for the unit on each device in turn, as the connect begins: the port opened at the unit's
// settings, the connect's first read command sent once, its echo awaited for a second. A device
// that does not open or does not echo is closed again and left alone. The first device that
// echoes, or nothing. The port must not be in use by the link.
std::optional<QString> FindAnsweringDevice(SerialPort& port, Clock& clock, const QStringList& devices);

// The device a unit last answered on, kept in a small file of its own (the user's data folder in
// the program): empty when there is none.
QString RememberedDevice(const QString& file);
bool RememberDevice(const QString& file, const QString& device);
