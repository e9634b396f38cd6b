#pragma once

// The small steps several answer rows share: each reads bytes at given positions of the
// answer (already checked to be there) and writes the display texts.

#include "state/program_state.h"

#include <QByteArray>

#include <optional>

namespace talvex::decode {

void Frequency(ProgramState& state, const QByteArray& data, int position);
void Mode(ProgramState& state, const QByteArray& data, int position);
void Filter(ProgramState& state, const QByteArray& data, int position);
void Select(ProgramState& state, const QByteArray& data, int position);
void Channel(ProgramState& state, const QByteArray& data, int position);
void Name(ProgramState& state, const QByteArray& data, int position);
void CopyToMemoryWindow(ProgramState& state);
// A blank channel: the Radio window's fields blanked, the Memory window's naming the channel
// asked for and saying "Blank".
void BlankChannel(ProgramState& state, std::optional<int> channelAsked);
// Text1-Text6 of the Radio window to a single blank.
void BlankRadioFields(ProgramState& state);

// Rows 7-16: frequency, mode, band edges, sets and memory answers. True when a row that ends
// the dispatch has run.
bool FrequencyAndMemoryRows(ProgramState& state, const QByteArray& data, std::optional<int> channelAsked);

}  // namespace talvex::decode
