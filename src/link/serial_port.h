#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Error numbers of a serial port failure, as the operator messages name them.
namespace PortError {
inline constexpr int NoSuchPort = 8002;
inline constexpr int AlreadyOpenOrOccupied = 8005;
inline constexpr int HardwareNotAvailable = 8010;
inline constexpr int DeviceNotOpen = 8012;
inline constexpr int DeviceAlreadyOpen = 8013;
inline constexpr int CannotSetState = 8015;
inline constexpr int DeviceBusy = 8019;
inline constexpr int ErrorReading = 8020;
} // namespace PortError

// Why a device did not open, as far as the system tells; the operator is advised on it.
enum class PortFailure { Other, PermissionDenied, NoSuchDevice, Busy };

// The one serial port through which the tool talks to a unit. Implementations: a real port
// (QSerialPort, also pseudo-terminals) and a port wired to the simulated transmitter.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens a device ("/dev/ttyUSB0", "COM3") with settings such as "9600,E,8,1";
    // on failure returns false and sets errorNumber (PortError numbers, or another number).
    virtual bool open(const QString& device, const QString& settings, int& errorNumber) = 0;
    virtual bool close(int& errorNumber) = 0;
    // Why the last open() failed; a port that cannot tell says Other.
    virtual PortFailure openFailure() const { return PortFailure::Other; }
    virtual bool isOpen() const = 0;

    virtual int bytesWaiting() const = 0;  // received bytes not read yet
    virtual void discardInput() = 0;
    virtual QByteArray readAll() = 0;      // reads and removes every waiting byte
    virtual void write(const QByteArray& bytes) = 0;

    // Called when bytes arrive or the port fails, so that a waiting exchange looks again.
    void setActivityHandler(std::function<void()> handler) { activity_ = std::move(handler); }

protected:
    void signalActivity()
    {
        if (activity_)
            activity_();
    }

private:
    std::function<void()> activity_;
};
