#pragma once

// The block Hamlib's "NET rigctl" client reads when it opens (\dump_state): what the radio
// behind the server can do, here the IC-7300 as TALVEX drives it. Hamlib 4.5 reads it line by
// line in a fixed order, so a line left out shifts every later field; the block is built in
// that order from the radio's description and the mode table.

#include <string>
#include <vector>

namespace talvex::rigserver {

// The amateur bands the dump_state offers for transmitting, in hertz: those of every version
// of the IC-7300 (60 m and 4 m differ between them), since TALVEX does not ask the radio which
// version it is; the radio itself refuses to transmit outside its own.
struct Band {
    long long lowHz;
    long long highHz;
};
const std::vector<Band>& TransmitBands();

// Hamlib's model number of the IC-7300, which the block names as the radio behind the server.
inline constexpr int kHamlibModel = 3073;

std::string DumpState();

}  // namespace talvex::rigserver
