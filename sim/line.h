#pragma once

// The radio's CI-V settings that decide whether a controller can talk to it at all: its baud
// rate and its address. The simulator applies them where bytes cross the line.

#include "radio.h"

#include <cstdint>
#include <optional>

namespace sim {

// The bytes a UART receiving at `receiverBaud` assembles from `bytes` sent back to back at
// `senderBaud` (start bit, 8 data bits least significant first, stop bit; idle high before and
// after). The receiver starts at each falling edge, samples the middle of each of its own bit
// times and hands up the byte it assembled, framing error or not. Equal rates change nothing.
Bytes Resample(const Bytes& bytes, int senderBaud, int receiverBaud);

// A frame from the controller as the radio at `address` takes it: its address fields put back
// to the simulator's own 94 so the radio logic understands it, or nothing when the frame is
// meant for another address.
std::optional<Bytes> ToRadioAt(std::uint8_t address, const Bytes& frame);

// What the radio sends, with its source address (the 94 the radio logic writes) made `address`.
Bytes FromRadioAt(std::uint8_t address, Bytes frames);

}  // namespace sim
