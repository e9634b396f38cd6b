#pragma once

// Memory mode and the transfers between a memory channel and the VFO, as the IC-7300 does them.
// In memory mode the radio shows the selected channel: its frequency, mode and filter stand in
// the place of the VFO's (so 03, 04, 25 and 26 read them, and the dial retunes them without
// writing the channel), while the VFO's own settings wait to come back in VFO mode. A blank
// channel shows the VFO's settings.

#include "radio.h"

namespace sim {

void EnterMemoryMode(RadioState& radio);                 // 08
void SelectChannel(RadioState& radio, int channel);      // 08 nn, 08 00 nn
void LeaveMemoryMode(RadioState& radio);                 // 07, 07 00, 07 01

// 0A: the selected channel's frequency, mode, filter and data mode into the VFO, which the
// radio then shows (in VFO mode). False for a blank channel, which the radio refuses.
bool MemoryToVfo(RadioState& radio);

// 09: what the radio shows into the selected channel, the rest of its record kept (tones,
// scan group, name); a blank channel gets the radio's defaults: no tone, 88.5 Hz, no name.
// With split on, the channel transmits on the unselected VFO.
void VfoToMemory(RadioState& radio);

}  // namespace sim
