#pragma once

// A simulated IC-7300 as it looks from its CI-V port: its state, and the answers it gives.
// It encodes and decodes on its own, sharing nothing with the program it is tested against.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;

enum class Fault { None, Drop, Truncate, Ng, Silent, Noise };
std::optional<Fault> ParseFault(const std::string& name);

constexpr int kChannels = 101;  // 1-99, P1 (100), P2 (101)
constexpr std::size_t kContentsSize = 41;

// What the radio shows and tunes: frequency, mode, filter (1-3) and data mode.
struct Tuning {
    long hz = 0;
    int mode = 0;
    int filter = 1;
    bool data = false;
};

struct RadioState {
    bool powered = true;
    long frequencyHz = 14'074'000;
    int mode = 1;    // USB
    int filter = 2;
    bool vfoB = false, memoryMode = false, split = false, transmit = false;
    int selectedChannel = 1;
    int squelchOpen = 0;
    int smeter = 120;  // 0-255, sent as four BCD digits
    std::string callSign = "N0CALL";
    std::optional<std::pair<int, int>> clock;  // hh, mm; the host clock when empty
    // Each channel blank or holding the 41 bytes after 1A 00 (channel field first).
    std::array<std::optional<Bytes>, kChannels + 1> memory{};
    // What only other CI-V programs ask for (catalogue.cpp): the unselected VFO, data mode,
    // the 14 xx level settings (0-255), and filter widths set by 1A 03 (mode * 10 + filter).
    long unselectedHz = 7'100'000;
    int unselectedMode = 0;  // LSB
    int unselectedFilter = 1;
    bool dataMode = false, unselectedData = false;
    std::map<int, int> levels;
    std::map<int, int> filterWidths;
    // In memory mode the selected channel's settings are shown; the VFO's wait here
    // (memory_mode.h).
    Tuning vfoKept;
    // The switches (preamp, noise blanker, attenuator, ...) by command * 256 + sub-command
    // (0x1622, 0x1100): the value last set, which reading the command alone answers.
    std::map<int, std::uint8_t> switches;
};

struct Options {
    bool answerOk = true;
    bool broadcastOnCommands = true;
    Fault fault = Fault::None;
    // Channel faults, 0 for none: the radio goes silent at the first frame that names this
    // channel or a later one; refuses (NG) writes to this channel; keeps writes to this
    // channel with the first letter of the name changed.
    int silentFromChannel = 0;
    int refuseWriteChannel = 0;
    int silentAfterWriteChannel = 0;  // stores a write of this channel, then falls silent
    int storeWrongChannel = 0;
    // Each bit of what the radio sends is flipped with this probability.
    double bitFlipRate = 0.0;
};

// What the radio puts on the line for one complete frame it received, after the echo.
struct Reply {
    Bytes answer;             // to the controller
    std::vector<Bytes> broadcasts;
    bool memoryChanged = false;
};

Reply Respond(RadioState& radio, const Options& options, const Bytes& frame);

// Frequency broadcast and mode broadcast (to address 00), as the dial produces them.
Bytes FrequencyBroadcast(const RadioState& radio);
Bytes ModeBroadcast(const RadioState& radio);

// Two-digit BCD helpers of the simulator's own.
std::optional<int> FromBcd(std::uint8_t byte);
std::uint8_t ToBcd(int value);

// The memory file: one line per channel, "ch 7: 00 07 ..." (41 hex bytes) or "ch 7: blank".
bool LoadMemory(RadioState& radio, const std::string& path);
bool SaveMemory(const RadioState& radio, const std::string& path);

}  // namespace sim
