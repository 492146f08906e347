#pragma once

#include "support/scripted_port.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class VirtualClock;
struct Catalogue;
struct ConfRecord;

// The exchanges the link fuzz target plays: a connect, a poll, a full update of a fixed
// configuration (a three-wire Pt-100 whose tables must be in appDir) and the poll after it, all
// under the virtual clock, against whatever answers on `port`. Returns whether the update ran
// every step without a failure.
bool RunLinkScenario(SerialPort& port, VirtualClock& clock, const QString& appDir);

// That configuration: three-wire Pt-100 (385), 4-20 mA, 0..100 °C, no correction.
inline constexpr std::uint8_t ScenarioInputCode = 73;
ConfRecord ScenarioConfiguration(const Catalogue& catalogue);

// The replies of a fuzz input, one per frame the tool writes: a header byte, then the reply's
// bytes. The header's low 7 bits are the length (0: no answer); its high bit delays the answer
// past the reply time-out.
std::deque<ScriptedPort::Reply> RepliesFromInput(const std::uint8_t* data, std::size_t size);
// The inverse for answers recorded on time (each cut to 127 bytes).
QByteArray InputFromReplies(const std::vector<QByteArray>& replies);
