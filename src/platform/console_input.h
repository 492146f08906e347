#pragma once

#include <QByteArray>
#include <QSocketNotifier>

#include <functional>

// Lines typed on standard input, taken in the event loop as they arrive (no thread, no busy
// wait): the command-line tool waits for Enter through the clock, the simulator takes commands.
// Listening starts with the object; a background process whose terminal read would stop it should
// ignore SIGTTIN, which makes that read fail and end the input instead.
class ConsoleInput {
public:
    // `line`: each line without its end (a trailing carriage return dropped); `ended`: once, at
    // the end of the input or a read error.
    ConsoleInput(std::function<void(const QByteArray& line)> line, std::function<void()> ended);

private:
    void readAvailable();

    QSocketNotifier notifier_;
    QByteArray pending_;  // the start of a line whose end has not arrived
    std::function<void(const QByteArray&)> line_;
    std::function<void()> ended_;
};
