#pragma once

// Reads a client's line of Hamlib's network rig protocol the way rigctld does: short letters
// ("F 14074000", which may follow each other without a blank: "fm"), long names
// ("\set_freq 14074000"), each optionally led by an Extended Response Protocol character
// ("+f", ";\get_mode"), arguments separated by blanks.
//
// Safe on any bytes: it never throws, never reads past the line, and what it keeps is bounded
// whatever the line's length (kMaxCommands commands of at most two kMaxWordLength words).

#include "rig_command.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace talvex::rigserver {

inline constexpr std::size_t kMaxCommands = 16;
inline constexpr std::size_t kMaxWordLength = 64;

// The commands on one line, in order. An unknown command ends the line, since where its
// arguments end cannot be known. A command whose arguments do not read is Malformed, and the
// line goes on after its words. Past kMaxCommands commands the rest of the line is one Unknown.
std::vector<RigCommand> ParseLine(std::string_view line);

}  // namespace talvex::rigserver
