// The filter list: its items carry the mode too, because the radio sets mode and filter in one
// command. The other lists send fixed frames (fixed_commands.cpp).
#include "radio/radio_operations.h"

#include "link/frames.h"

namespace talvex {

void RadioOperations::send(std::initializer_list<std::uint8_t> command) { link_.SendCommand(CommandFrame(command)); }

void RadioOperations::setFilter(int filter, int mode)
{
    send({0x06, static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(filter)});
}

}  // namespace talvex
