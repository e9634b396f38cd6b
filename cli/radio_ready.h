#pragma once

#include "output.h"

#include "app/program.h"

#include <optional>

namespace talvex::cli {

// Before a command reads or writes a channel, the radio is asked the questions the windows ask at
// start-up and judged as they judge it (the start-up query chain and the connection doctor): a
// radio set wrong, switched off or not there is named with the advice the windows give, and the
// command goes no further. Nothing when the radio answered and nothing was found; else the exit
// code (3), with the advice told through `output`. A port lost or an interrupt meanwhile end the
// wait too: the first has been told, the second is the caller's to see.
std::optional<int> RefuseUnreadyRadio(Program& program, Output& output);

}  // namespace talvex::cli
