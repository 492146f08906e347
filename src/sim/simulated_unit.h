#pragma once

#include "platform/clock.h"
#include "sim/fault_plan.h"
#include "sim/reading_model.h"
#include "sim/unit_framing.h"
#include "sim/unit_memory.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <optional>

struct UnitTiming {
    double replyLatency = 0.002;    // from the last request byte to the start of the reply
    double byteSeconds = 0.001146;  // one byte at 9600 baud, 8E1 (11 bits)
    bool paced = true;              // false: requests land at once, replies whole after the latency
    double frameGap = 0.5;          // a frame in progress is dropped after this much silence
    double uploadPause = 0.1;       // between the 0xAA echo and the first upload block
};

// How a unit starts out. The defaults are a Pt-100 (385) three-wire transmitter, 0..100 °C,
// 4-20 mA, tag TT-101, serial 0512307, with a display (version byte 40, range -200..1000).
struct UnitSettings {
    unit_wire::SerialBytes serial{5, 12, 3, 7};
    UnitConfiguration configuration;
    DisplayUnit display;
    FactoryWords factory;
    SimulatedInput input;
    double drift = 0;  // the unit's own error, see ReadingModel::setDrift
    std::optional<double> ambientCelsius = 23.5;
    UnitTiming timing;
};

// The unit the demonstrations serve (delvo2-sim, the command-line tool's simulated port): the
// default unit, whose applied inputs settle with a time constant of a second, with a little noise
// (less than half a hundredth, so a settled reading still holds still).
UnitSettings DemoUnitSettings();

// The transmitter's side of the wire. Bytes the tool sends go in through receive(); reply bytes
// come out through the output handler at the times they would arrive at the tool, paced on the
// clock. Read commands and their replies (byte 0 is the echo):
//   s  serial number (4 bytes)           t  input code           q  option byte or factory status
//   4  output low, µA (word)             5  output high, µA      9  damping
//   8  present reading                   u  calibration low ref  w  calibration high ref
//   x  range high                        v  range low            z  stored minimum
//   y  stored maximum                    r  ambient reading      p  tag (19 bytes)
//   C  display version (1 byte), or the factory step word (2 bytes), see below
//   B  display low, display high (two's-complement words)
//   m, o, n, c  factory words (2 bytes each)
// 24-bit values are sign and magnitude, words big-endian. '8', 'y' and 'z' each take a
// measurement, so the stored minimum and maximum are current when read. A unit without a display
// does not answer the display reads 'C' and 'B'; it acknowledges 'A' (display range) all the same.
//
// 'q' and 'C' serve both the connect sequence and the factory window, so the unit tells them
// apart by the commands before them (repeats of one command count once): a 'q' right after
// 't' and 's' (the opening of a connect) answers the option byte; any other 'q' answers the
// factory status. A 'C' right after a 'q' that answered the factory status answers the
// 3-byte factory form; any other 'C' the display version.
//
// Writes: a select byte 1, 2 or 3 is echoed, then its block (length byte, address, page, data,
// checksum seeded with the select byte) is answered 0xA5 and stored, or 0xBB (resend) when the
// checksum is wrong; UnitMemory says where blocks land. 'A' + five bytes sets the display range
// (answer 0xA5). 'Z' is echoed and counted.
//
// Factory memory upload: 0xAA is echoed, then after a pause the unit sends block 0 of 11: its
// number, 64 bytes of factory memory, and a checksum of the 64 bytes seeded with the byte the
// tool sent last (0xAA, then the tool's answer). The tool answers 0xA5 (next block) or 0xBB
// (the same block again); the upload ends with the answer to block 10.
class SimulatedUnit {
public:
    explicit SimulatedUnit(Clock& clock, UnitSettings settings = {});
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    void receive(const QByteArray& bytes);
    void setOutput(std::function<void(const QByteArray&)> output) { output_ = std::move(output); }
    // Called when the unit is unplugged (so that the port can fail).
    void setHangUpHandler(std::function<void()> handler) { hangUp_ = std::move(handler); }

    // The cable is pulled: pending replies are lost and nothing is answered until plugIn().
    void unplug();
    void plugIn() { pluggedIn_ = true; }
    bool pluggedIn() const { return pluggedIn_; }
    // Another unit, with this serial number, is now on the cable.
    void swapUnit(const unit_wire::SerialBytes& serial) { memory_.setSerial(serial); }
    void setBurnOut(bool burnOut) { readings_.setBurnOut(burnOut); }
    // A reference applied at the terminals from now on (ReadingModel::applyInput).
    void applyInput(double value) { readings_.applyInput(value, clock_.now()); }
    // What the factory reads ('q', 'C', 'm', 'o', 'n', 'c') answer from now on.
    void setFactoryWords(const FactoryWords& words) { memory_.setFactoryWords(words); }

    FaultPlan& faults() { return faults_; }
    ReadingModel& readings() { return readings_; }
    const UnitMemory& memory() const { return memory_; }
    int finishCount() const { return finishCount_; }
    int uploadsCompleted() const { return uploadsCompleted_; }

private:
    void schedule(double at, std::function<void()> action);
    void takeByte(std::uint8_t byte);
    void handleCommand(std::uint8_t command);
    void handleBlock(std::uint8_t select, const QByteArray& bytes);
    void handleDisplayRange(const QByteArray& bytes);
    void handleUploadAnswer(std::uint8_t answer);
    std::optional<QByteArray> replyTo(std::uint8_t command);
    void sendUploadBlock(std::uint8_t seed, double pause);
    // Sends a reply, changed as the fault says, `pause` seconds later than usual.
    void send(QByteArray reply, const std::optional<Fault>& fault, double pause = 0);
    // Plays the faults that stop an exchange before any reply (silence, hang-up); true if one did.
    bool stoppedBy(const std::optional<Fault>& fault);

    Clock& clock_;
    UnitTiming timing_;
    UnitMemory memory_;
    ReadingModel readings_;
    UnitFraming framing_;
    FaultPlan faults_;
    std::function<void(const QByteArray&)> output_;
    std::function<void()> hangUp_;
    bool pluggedIn_ = true;

    // Commands heard, repeats counted once: the current one and the two distinct ones before it.
    std::uint8_t currentCommand_ = 0;
    std::array<std::uint8_t, 2> earlierCommands_{};
    bool factoryStatusAnswered_ = false;

    std::optional<int> uploadBlock_;  // the upload block the tool is answering
    double inputFreeAt_ = 0;          // when the last request byte has arrived
    double outputFreeAt_ = 0;         // when the last reply byte will have arrived
    int finishCount_ = 0;
    int uploadsCompleted_ = 0;
    // Scheduled deliveries hold a weak reference, so that they do nothing once the unit is gone,
    // and the generation, so that an unplug drops the replies still on their way.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
    int generation_ = 0;
};
