#pragma once

#include "radio/radio_operations.h"

#include <cstdint>
#include <vector>

namespace talvex {

// A control whose click always puts the same command on the line: a list item or a button.
// Its procedure sends `command` and nothing else, and the window takes the caption and the
// procedure from here, so a row is the one place that says what the control is and does.
struct FixedCommand {
    const char* control;  // the list the item stands in, or the button's own name
    const char* caption;
    Procedure procedure;
    std::vector<std::uint8_t> command;  // what stands between the addresses and FD
};

// Every fixed command, list items in the order they stand in their list.
const std::vector<FixedCommand>& FixedCommands();

}  // namespace talvex
