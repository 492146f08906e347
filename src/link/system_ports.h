#pragma once

#include "link/port_diagnosis.h"

// The serial devices and their holders as this system tells them.

// Every serial device the system lists (pseudo-terminals are not listed), sorted by path.
std::vector<SerialDevice> SystemSerialDevices();

// The processes under `procRoot` (the process folder, "/proc") with a descriptor open on
// `device`. Only processes this user may look into are found; elsewhere than Linux, none.
std::vector<DeviceHolder> ProcessesHolding(const QString& device, const QString& procRoot = QStringLiteral("/proc"));

PortInspection SystemPortInspection();
