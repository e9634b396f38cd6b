#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace talvex {

// True when every frame of `sent` has come back as its echo, in order, and has its complete
// answer from the radio at `radio` after the echoes began: OK, NG, or a frame of the same
// command. The answer window can then close at once; a radio that answers less is waited for
// until the window's deadline.
bool AnswersComplete(const std::vector<QByteArray>& sent, const QByteArray& received, std::uint8_t radio);

// The bytes the radio's answer to `frame` may take on the line: a channel's contents for a
// memory read (48 bytes), at most a frequency's answer (11) for anything else. The window's
// deadline leaves room for them, so at 4800 baud two reads of a channel, whose answers alone
// take 200 ms, are not cut off by a radio a few milliseconds slow.
int LongestAnswerBytes(const QByteArray& frame);

}  // namespace talvex
