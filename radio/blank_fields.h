#pragma once

#include "state/program_state.h"

namespace talvex {

// The Radio window's six display fields, each a single blank: what a clear leaves.
void BlankDisplayFields(ProgramState& state);
// Both windows' message areas, each a single blank: what Clear Status and a refused entry leave.
void BlankMessageAreas(ProgramState& state);

}  // namespace talvex
