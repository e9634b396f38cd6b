#pragma once

// The rest of the IC-7300's command catalogue, as other CI-V programs use it: the selected
// and unselected VFO (25, 26), data mode and filter width (1A 06, 1A 03), VFO exchange and equalise (07 B0, 07 A0),
// one-byte memory selection, split read, level settings (14) and the transmit meters (15).
// It is asked before the core because choosing VFO A or B brings that VFO's settings forward.
// TALVEX itself never sends these; they make the simulator a test radio for any controller.

#include "radio.h"

#include <optional>

namespace sim {

// The reply to a command (the bytes between the addresses and FD), or nothing when the
// command is not one of these and the radio's core answers it.
std::optional<Reply> Catalogue(RadioState& radio, const Options& options, const Bytes& command);

}  // namespace sim
