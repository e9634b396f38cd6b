#pragma once

#include "program_state.h"

#include <QByteArray>

namespace talvex {

// Everything received in one answer window after a send: the echo of the program's own
// frame(s), then the radio's answer. Writes texts into the state; never ends the program.
void DecodeAnswer(ProgramState& state, const QByteArray& data);

// Unsolicited frames the radio sent to all (address 00): cut at each FD and decoded in turn.
void SplitTransceive(ProgramState& state, const QByteArray& data);

}  // namespace talvex
