#pragma once

#include <QByteArray>

#include <vector>

namespace talvex {

// True when every frame of `sent` has come back as its echo, in order, and has its complete
// answer from the radio after the echoes began: OK, NG, or a frame of the same command. The
// answer window can then close at once; a radio that answers less is waited for until the
// window's deadline.
bool AnswersComplete(const std::vector<QByteArray>& sent, const QByteArray& received);

}  // namespace talvex
