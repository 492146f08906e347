#pragma once

#include "link/serial_port.h"
#include "platform/clock.h"

#include <deque>
#include <vector>

// A serial port whose far end is a script: each frame written is answered by the next scripted
// reply (bytes after a delay), or by silence when the script says so or has run out.
class ScriptedPort : public SerialPort {
public:
    struct Reply {
        QByteArray bytes;     // empty: no answer
        double delay = 0.01;  // seconds after the frame was written
    };

    explicit ScriptedPort(Clock& clock) : clock_(clock) {}

    bool open(const QString& device, const QString&, int& errorNumber) override
    {
        openedDevice = device;
        if (openError) {
            errorNumber = openError;
            return false;
        }
        open_ = true;
        return true;
    }
    bool close(int& errorNumber) override
    {
        if (closeError) {
            errorNumber = closeError;
            return false;
        }
        open_ = false;
        return true;
    }
    PortFailure openFailure() const override { return failure; }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return int(input_.size()); }
    void discardInput() override { input_.clear(); ++discards; }
    QByteArray readAll() override
    {
        QByteArray all;
        all.swap(input_);
        return all;
    }
    void write(const QByteArray& bytes) override
    {
        written.push_back(bytes);
        if (replies.empty())
            return;
        Reply reply = replies.front();
        replies.pop_front();
        if (!reply.bytes.isEmpty())
            arrive(reply.bytes, reply.delay);
    }

    // Bytes that arrive on their own after a delay.
    void arrive(const QByteArray& bytes, double delay)
    {
        clock_.callAfter(delay, [this, bytes] {
            if (open_) {
                input_ += bytes;
                signalActivity();
            }
        });
    }
    // The device vanishes: the port closes by itself.
    void vanish() { open_ = false; signalActivity(); }

    void reply(const QByteArray& bytes, double delay = 0.01) { replies.push_back({bytes, delay}); }
    void silence(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            replies.push_back({});
    }

    std::deque<Reply> replies;
    std::vector<QByteArray> written;
    QString openedDevice;
    int openError = 0;
    PortFailure failure = PortFailure::Other;  // the cause an open failure reports
    int closeError = 0;
    int discards = 0;

private:
    Clock& clock_;
    QByteArray input_;
    bool open_ = false;
};
