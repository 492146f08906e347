#pragma once

#include "link/serial_port.h"

class Clock;
class ProtocolTrace;

// Passes everything through to the port it wraps and notes in the trace every byte written, read
// or discarded, and every open and close, at the clock's time.
class TracingPort : public SerialPort {
public:
    TracingPort(SerialPort& inner, ProtocolTrace& trace, Clock& clock);

    bool open(const QString& device, const QString& settings, int& errorNumber) override;
    bool close(int& errorNumber) override;
    PortFailure openFailure() const override { return inner_.openFailure(); }
    bool isOpen() const override { return inner_.isOpen(); }
    int bytesWaiting() const override { return inner_.bytesWaiting(); }
    void discardInput() override;
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;

private:
    SerialPort& inner_;
    ProtocolTrace& trace_;
    Clock& clock_;
};
