#pragma once

#include <array>
#include <cstdint>

namespace talvex {

// What the program knows of the one radio it drives, the IC-7300. Every frame address, channel
// range check and offered line rate reads this table, so the radio's limits live in one place.
struct RadioModel {
    std::uint8_t address;  // its CI-V address
    int firstChannel;      // the memory channels a data file holds and the operations step
    int lastChannel;
    // Memory Channel Select also reaches the program-scan edges P1 and P2 above the channels.
    int lastSelectable;
    // The CI-V port's rates, in the order the System Setup window offers them.
    std::array<int, 3> baudRates;
};

inline constexpr RadioModel kRadio{0x94, 1, 99, 101, {19200, 9600, 4800}};

}  // namespace talvex
