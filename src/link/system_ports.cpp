#include "link/system_ports.h"

#include "model/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

std::vector<SerialDevice> SystemSerialDevices()
{
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back({info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber()});
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices;
}

std::vector<DeviceHolder> ProcessesHolding(const QString& device, const QString& procRoot)
{
    std::vector<DeviceHolder> holders;
    const QString wanted = QFileInfo(device).canonicalFilePath();
    if (wanted.isEmpty())
        return holders;
    const QDir proc(procRoot);
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isProcess = false;
        const qint64 pid = entry.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        const QFileInfoList links = fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(links.begin(), links.end(),
                                       [&](const QFileInfo& link) { return link.canonicalFilePath() == wanted; });
        if (!holds)
            continue;
        QByteArray name;
        ReadWholeFile(proc.filePath(entry + QStringLiteral("/comm")), 256, name);
        holders.push_back({pid, QString::fromLocal8Bit(name.trimmed())});
    }
    std::sort(holders.begin(), holders.end(), [](const DeviceHolder& a, const DeviceHolder& b) { return a.pid < b.pid; });
    return holders;
}

PortInspection SystemPortInspection()
{
    return {SystemSerialDevices, [](const QString& device) { return ProcessesHolding(device); }};
}
