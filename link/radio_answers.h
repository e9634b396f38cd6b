#pragma once

// Reading what the radio answered in one exchange, frame by frame rather than at fixed
// positions, so that an operation can check the answer to its own request whatever else
// (an operator's click, a broadcast, line noise) shares the answer window.

#include "readings.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace talvex {

// The frames the radio at `radio` addressed to the controller (FE FE E0 `radio` ... FD), in
// the order they came. Echoes, broadcasts, other devices' frames and bytes that form no such
// frame are left out.
std::vector<QByteArray> RadioAnswers(const QByteArray& received, std::uint8_t radio);

bool IsOk(const QByteArray& answer);
bool IsNg(const QByteArray& answer);

// The radio's answer to a memory read of `channelField` (the two channel bytes): a complete
// contents frame of that very channel, or its blank answer. Nothing when no answer of that
// channel came whole.
std::optional<QByteArray> MemoryReadAnswer(const std::vector<QByteArray>& answers, const QByteArray& channelField);

// The 41 contents bytes of a memory read answer that is not blank.
QByteArray ContentsOfAnswer(const QByteArray& answer);
bool IsBlankChannelAnswer(const QByteArray& answer);

// Contents whose frequency is BCD, whose mode is one of the radio's and whose filter is one it
// has: what a channel written by this program, or set on the radio, holds. Anything else is a
// damaged answer.
bool ContentsReadable(const QByteArray& contents);

// What a memory read answer that is not blank holds; nothing for a blank or damaged one.
std::optional<ChannelReading> ChannelOfAnswer(const QByteArray& answer);

// The state one answer's payload (the bytes between FE FE E0 radio and FD) tells: nothing
// for an answer of another command or length, or whose digits are not BCD.
std::optional<StateReading> ReadStateAnswer(const QByteArray& payload);

}  // namespace talvex
