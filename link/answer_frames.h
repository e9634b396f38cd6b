#pragma once

// Which of the bytes one answer window brought are the radio's answer. On a CI-V bus every
// device hears every frame: another radio's broadcasts, its answers to another controller, and
// noise can share the window with the echo and the answer. The answer reader reads at fixed
// positions from the echo on, so anything else in front of or among those frames would be read
// as the radio's answer.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace talvex {

// The frames of `received` the answer reader may read, in the order they came: the echoes of the
// program's own frames (a frame equal to one in `sent`, or addressed as the program addresses
// its frames, FE FE `radio` E0, so an echo with a changed byte still holds its place), and the
// radio's frames to the program (FE FE E0 `radio` ... FD). A last frame cut short is kept, as
// it came, when its addresses are one of those two. Broadcasts (to 00), frames from or to any
// other address and bytes that form no frame are left out; the status line and the connection
// doctor still see them, from the window's whole bytes.
QByteArray AnswerFramesOf(const QByteArray& received, const std::vector<QByteArray>& sent, std::uint8_t radio);

// `frames` (as AnswerFramesOf gives them) without the echo of a request sent again in the same
// window: a channel read twice, so that two answers can be compared, is read as one read, its
// echo then its answers, at the positions the answer reader reads.
QByteArray WithoutRepeatedEchoes(QByteArray frames, const std::vector<QByteArray>& sent);

}  // namespace talvex
