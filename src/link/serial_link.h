#pragma once

#include <QByteArray>

#include <cstdint>

struct Session;
struct Catalogue;
struct PortNames;
class SerialPort;
class Clock;
class Operator;
class FileDialogs;
class LinkWindows;

// Everything an exchange with the unit touches, handed to the link's operations.
struct Link {
    Session& session;
    SerialPort& port;
    Clock& clock;
    Operator& op;
    FileDialogs& dialogs;
    LinkWindows& windows;
    const PortNames& portNames;
    const Catalogue& catalogue;
};

// The settings every unit talks at.
inline constexpr char PortSettings[] = "9600,E,8,1";
inline constexpr double FramePause = 0.05;   // before every frame
inline constexpr double ReplyTimeout = 5.0;  // for every reply

// Opens the port of PortNumber; false (after PortOpenError) when it cannot, or when already open.
bool OpenPort(Link& link);
// For the calibration windows: open (or already open) and UpdateStep 7.
bool EnsurePortOpen(Link& link);
// Pauses 50 ms (events keep running), then writes the frame while the link is open.
void SendFrame(Link& link, const QByteArray& frame);
// Waits up to 5 s for `expected` bytes and reads every waiting byte into reply; returns the count
// (low 8 bits). The fourth attempt, or a closed link, makes a shortfall final: time-out message
// (unless suppressed; for a vanished port the one lost-port message instead), attempt set to 4,
// reply a single 0 byte, Disconnect, result 0.
int ReceiveFrame(Link& link, QByteArray& reply, std::uint8_t expected, std::int16_t& attempt);
// False once the port has vanished under the open link and its one message was shown: the
// messages of the failures that follow from it are left out.
bool LinkMessagesWanted(const Link& link);
// Closes the link; offers to save an edited configuration with unsaved changes.
void Disconnect(Link& link);
