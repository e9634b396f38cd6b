#pragma once

#include "readings.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace talvex {

// Everything received in one answer window after a send: the echo of the program's own
// frame(s), then the answer of the radio at `radio`. Recognises the operation by the echoed
// command and reads the answer at fixed positions. An answer cut short, or one whose frequency
// is not BCD, reads as nothing. `channelAsked`: the channel of the memory read sent last, which
// names a blank channel's answer.
std::optional<RadioReading> ReadAnswer(const QByteArray& data, std::uint8_t radio,
                                       std::optional<int> channelAsked = std::nullopt);

// The received data with the OK and NG answers and the broadcast frames of the radio at
// `radio` taken out, so they cannot shift the fixed positions of the answer that is read.
QByteArray WithoutInterjections(const QByteArray& data, std::uint8_t radio);

// Unsolicited frames the radio at `radio` sent to all (address 00), cut at each FD, in turn. A
// frequency or mode frame whose last byte is not FD says nothing and is left out, and so is a
// frame another device sent: its frequency is not the radio's.
std::vector<BroadcastReading> ReadBroadcasts(const QByteArray& data, std::uint8_t radio);

}  // namespace talvex
