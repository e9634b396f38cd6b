#pragma once

#include "state/program_state.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace talvex {

// Everything received in one answer window after a send: the echo of the program's own
// frame(s), then the answer of the radio at `radio`. Recognises the operation by the echoed
// command and reads the answer at fixed positions. Writes texts into the state and never ends
// the program: an answer cut short changes nothing. A blank channel's answer carries nothing to
// show, so the Memory window names the channel the program asked for: `channelAsked`, the
// channel of the memory read it sent last.
void DecodeAnswer(ProgramState& state, const QByteArray& data, std::uint8_t radio,
                  std::optional<int> channelAsked = std::nullopt);

// The received data with the OK and NG answers and the broadcast frames of the radio at
// `radio` taken out, so they cannot shift the fixed positions of the answer that is read.
QByteArray WithoutInterjections(const QByteArray& data, std::uint8_t radio);

// Unsolicited frames the radio sent to all (address 00): cut at each FD and decoded in turn.
void SplitTransceive(ProgramState& state, const QByteArray& data);
void DecodeTransceive(ProgramState& state, const QByteArray& frame);

}  // namespace talvex
