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
    // What a memory channel can hold: the receive range in hertz (the radio answers NG to a
    // write outside it) and the length of a channel's name.
    std::int64_t lowestHz;
    std::int64_t highestHz;
    int labelLength;

    constexpr bool holdsFrequency(std::int64_t hz) const { return hz >= lowestHz && hz <= highestHz; }
};

inline constexpr RadioModel kRadio{0x94, 1, 99, 101, {19200, 9600, 4800}, 30'000, 74'800'000, 10};

}  // namespace talvex
