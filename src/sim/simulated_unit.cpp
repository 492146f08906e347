#include "sim/simulated_unit.h"

#include <algorithm>

namespace {

constexpr std::uint8_t Acknowledge = 0xA5;
constexpr std::uint8_t ResendRequest = 0xBB;
constexpr std::uint8_t UploadRequest = 0xAA;
constexpr std::uint8_t Finish = 'Z';
constexpr int UploadBlocks = FactoryMemorySize / 64;

QByteArray bytesOf(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray out;
    for (std::uint8_t b : bytes)
        out.append(char(b));
    return out;
}

template <std::size_t N>
QByteArray bytesOf(const std::array<std::uint8_t, N>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(N));
}

QByteArray echoWith(std::uint8_t command, const QByteArray& payload)
{
    return char(command) + payload;
}

QByteArray signed24(std::int32_t value)
{
    return bytesOf(unit_wire::toSignMagnitude24(value));
}

QByteArray word16(std::uint16_t value)
{
    return bytesOf(unit_wire::toWord16(value));
}

} // namespace

UnitSettings DemoUnitSettings()
{
    UnitSettings settings;
    settings.input.settlingSeconds = 1.0;
    settings.input.noise = 0.004;
    return settings;
}

SimulatedUnit::SimulatedUnit(Clock& clock, UnitSettings settings)
    : clock_(clock),
      timing_(settings.timing),
      memory_(settings.serial, std::move(settings.configuration), settings.display, settings.factory),
      readings_(settings.input, settings.ambientCelsius)
{
    readings_.setDrift(settings.drift);
}

void SimulatedUnit::schedule(double at, std::function<void()> action)
{
    clock_.callAfter(std::max(0.0, at - clock_.now()),
                     [alive = std::weak_ptr<int>(lifetime_), generation = generation_, this, action] {
                         if (!alive.expired() && generation == generation_)
                             action();
                     });
}

void SimulatedUnit::receive(const QByteArray& bytes)
{
    if (!pluggedIn_)
        return;
    if (!timing_.paced) {
        for (char byte : bytes)
            takeByte(std::uint8_t(byte));
        return;
    }
    double at = std::max(clock_.now(), inputFreeAt_);
    for (char byte : bytes) {
        at += timing_.byteSeconds;
        schedule(at, [this, byte] { takeByte(std::uint8_t(byte)); });
    }
    inputFreeAt_ = at;
}

void SimulatedUnit::unplug()
{
    pluggedIn_ = false;
    ++generation_;
    framing_.reset();
    uploadBlock_.reset();
    if (hangUp_)
        hangUp_();
}

void SimulatedUnit::takeByte(std::uint8_t byte)
{
    const std::optional<UnitFraming::Frame> frame = framing_.feed(byte, clock_.now(), timing_.frameGap);
    if (!frame)
        return;
    switch (frame->kind) {
    case UnitFraming::Frame::Kind::Command:
        handleCommand(frame->byte);
        break;
    case UnitFraming::Frame::Kind::Block:
        handleBlock(frame->byte, frame->bytes);
        break;
    case UnitFraming::Frame::Kind::DisplayRange:
        handleDisplayRange(frame->bytes);
        break;
    case UnitFraming::Frame::Kind::UploadAnswer:
        handleUploadAnswer(frame->byte);
        break;
    case UnitFraming::Frame::Kind::BadBlockLength:
        memory_.noteIrregularity(QStringLiteral("block length byte 0x%1").arg(frame->byte, 2, 16, QLatin1Char('0')));
        break;
    }
}

bool SimulatedUnit::stoppedBy(const std::optional<Fault>& fault)
{
    if (!fault)
        return false;
    if (fault->kind == Fault::Kind::HangUp) {
        unplug();
        return true;
    }
    return fault->kind == Fault::Kind::Silence;
}

void SimulatedUnit::handleCommand(std::uint8_t command)
{
    const std::optional<Fault> fault = faults_.take(FaultTrigger::onCommand(command));
    if (stoppedBy(fault))
        return;
    if (command != currentCommand_) {
        earlierCommands_ = {currentCommand_, earlierCommands_[0]};
        currentCommand_ = command;
    }
    if (fault && fault->kind == Fault::Kind::ResendRequest) {
        send({}, fault);
        return;
    }
    const std::optional<QByteArray> reply = replyTo(command);
    if (!reply)
        return;
    send(*reply, fault);
    if (command >= 1 && command <= 3) {
        framing_.expectBlock(command);
    } else if (command == Finish) {
        ++finishCount_;
    } else if (command == UploadRequest) {
        uploadBlock_ = 0;
        framing_.expectUploadAnswers();
        sendUploadBlock(UploadRequest, timing_.uploadPause);
    }
}

std::optional<QByteArray> SimulatedUnit::replyTo(std::uint8_t command)
{
    const UnitConfiguration& configuration = memory_.configuration();
    const UnitCalibration& calibration = memory_.calibration();
    const DisplayUnit& display = memory_.display();
    const FactoryWords& factory = memory_.factory();
    const double now = clock_.now();
    switch (command) {
    case 's':
        return echoWith(command, bytesOf(memory_.serial()));
    case 't':
        return echoWith(command, bytesOf({configuration.inputCode}));
    case 'q':
        factoryStatusAnswered_ = !(earlierCommands_[0] == 's' && earlierCommands_[1] == 't');
        return echoWith(command, bytesOf({factoryStatusAnswered_ ? factory.status : configuration.options}));
    case '4':
        return echoWith(command, word16(configuration.outMin));
    case '5':
        return echoWith(command, word16(configuration.outMax));
    case '9':
        return echoWith(command, bytesOf({configuration.damping}));
    case '8':
        return echoWith(command, signed24(readings_.measure(memory_, now)));
    case 'u':
        return echoWith(command, signed24(calibration.lowRef));
    case 'w':
        return echoWith(command, signed24(calibration.highRef));
    case 'x':
        return echoWith(command, signed24(configuration.rangeMax));
    case 'v':
        return echoWith(command, signed24(configuration.rangeMin));
    case 'z':
        readings_.measure(memory_, now);
        return echoWith(command, signed24(readings_.minimum()));
    case 'y':
        readings_.measure(memory_, now);
        return echoWith(command, signed24(readings_.maximum()));
    case 'r':
        return echoWith(command, signed24(readings_.ambient(memory_)));
    case 'p':
        return echoWith(command, configuration.tag.leftJustified(TagLength, ' ', true));
    case 'C':
        if (earlierCommands_[0] == 'q' && factoryStatusAnswered_)
            return echoWith(command, bytesOf(factory.steps));
        if (!display.present)
            return std::nullopt;
        return echoWith(command, bytesOf({display.version}));
    case 'B':
        if (!display.present)
            return std::nullopt;
        return echoWith(command, word16(std::uint16_t(display.low)) + word16(std::uint16_t(display.high)));
    case 'm':
        return echoWith(command, bytesOf(factory.sense));
    case 'o':
        return echoWith(command, bytesOf(factory.twoWire));
    case 'n':
        return echoWith(command, bytesOf(factory.threeWire));
    case 'c':
        return echoWith(command, bytesOf(factory.ambient));
    case 1:
    case 2:
    case 3:
    case Finish:
    case UploadRequest:
        return bytesOf({command});
    default:
        memory_.noteIrregularity(QStringLiteral("unknown command 0x%1").arg(command, 2, 16, QLatin1Char('0')));
        return std::nullopt;
    }
}

void SimulatedUnit::handleBlock(std::uint8_t select, const QByteArray& bytes)
{
    const QByteArray block = bytes.chopped(1);
    const bool chunk = UnitMemory::classify(select, block) == UnitBlockKind::TableChunk;
    const std::optional<Fault> fault = faults_.take(chunk ? FaultTrigger::onTableChunk() : FaultTrigger::onBlock());
    if (stoppedBy(fault))
        return;
    const bool intact = unit_wire::checksum(select, block) == std::uint8_t(bytes.back());
    if (!intact || (fault && fault->kind == Fault::Kind::ResendRequest)) {
        send(bytesOf({ResendRequest}), fault);
        framing_.expectBlockAgain(select);
        return;
    }
    if (memory_.apply(select, block) == UnitBlockKind::Marker && select == 1) {
        const auto address = std::uint8_t(block.at(1));
        if (address == 0xE0)
            readings_.clearMaximum();
        else if (address == 0xEC)
            readings_.clearMinimum();
    }
    send(bytesOf({Acknowledge}), fault);
}

void SimulatedUnit::handleDisplayRange(const QByteArray& bytes)
{
    const std::optional<Fault> fault = faults_.take(FaultTrigger::onCommand('A'));
    if (stoppedBy(fault))
        return;
    if (!(fault && fault->kind == Fault::Kind::ResendRequest)) {
        const auto at = [&bytes](int i) { return std::uint8_t(bytes.at(i)); };
        memory_.setDisplayRange(std::int16_t(unit_wire::fromWord16(at(0), at(1))),
                                std::int16_t(unit_wire::fromWord16(at(2), at(3))));
    }
    send(bytesOf({Acknowledge}), fault);
}

void SimulatedUnit::handleUploadAnswer(std::uint8_t answer)
{
    if (!uploadBlock_)
        return;
    if (answer == Acknowledge && ++*uploadBlock_ == UploadBlocks) {
        uploadBlock_.reset();
        framing_.reset();
        ++uploadsCompleted_;
        return;
    }
    sendUploadBlock(answer, 0);
}

void SimulatedUnit::sendUploadBlock(std::uint8_t seed, double pause)
{
    const std::optional<Fault> fault = faults_.take(FaultTrigger::onUploadBlock());
    if (stoppedBy(fault))
        return;
    const int block = *uploadBlock_;
    const auto& image = memory_.factoryMemory();
    const QByteArray data(reinterpret_cast<const char*>(image.data()) + block * 64, 64);
    send(char(block) + data + char(unit_wire::checksum(seed, data)), fault, pause);
}

void SimulatedUnit::send(QByteArray reply, const std::optional<Fault>& fault, double pause)
{
    double delay = timing_.replyLatency + pause;
    double spacing = timing_.paced ? timing_.byteSeconds : 0;
    if (fault) {
        switch (fault->kind) {
        case Fault::Kind::WrongEcho:
            reply[0] = char(~reply.at(0));
            break;
        case Fault::Kind::ShortReply:
            reply.chop(1);
            break;
        case Fault::Kind::LongReply:
            reply.append('\0');
            break;
        case Fault::Kind::LateReply:
            delay += fault->seconds;
            break;
        case Fault::Kind::ResendRequest:
            reply = bytesOf({ResendRequest});
            break;
        case Fault::Kind::BadAcknowledge:
            reply.back() = char(~reply.back());
            break;
        case Fault::Kind::GarbageBefore:
            reply.prepend(QByteArray(fault->count, char(0xFF)));
            break;
        case Fault::Kind::SlowBytes:
            spacing = fault->seconds;
            break;
        case Fault::Kind::Silence:
        case Fault::Kind::HangUp:
            return;
        }
    }
    if (reply.isEmpty())
        return;
    double at = std::max(clock_.now() + delay, outputFreeAt_);
    auto deliver = [this](const QByteArray& bytes) {
        if (output_)
            output_(bytes);
    };
    if (spacing <= 0) {
        schedule(at, [deliver, reply] { deliver(reply); });
    } else {
        for (char byte : reply) {
            at += spacing;
            schedule(at, [deliver, byte] { deliver(QByteArray(1, byte)); });
        }
    }
    outputFreeAt_ = at;
}
