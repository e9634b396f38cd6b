#pragma once

// The operating modes a rig-control client can ask the IC-7300 for, by Hamlib's names, with the
// radio's CI-V mode codes and the passbands of its three IF filters.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace talvex::rigserver {

enum class Mode { Lsb, Usb, Am, Cw, Rtty, Fm, CwR, RttyR };

// A passband of 0 asks for the mode's normal filter, -1 leaves the filter as it is.
inline constexpr int kNormalPassband = 0;
inline constexpr int kKeepPassband = -1;
// FIL2 is the mode's normal filter: the first one the dump_state lists for it.
inline constexpr int kNormalFilter = 2;

struct ModeInfo {
    Mode mode;
    std::string_view name;       // as Hamlib writes it: "USB", "CWR"
    std::uint64_t hamlibBit;     // the mode's bit in Hamlib's mode masks
    int civCode;                 // the mode byte of CI-V 01, 04 and 06
    std::array<int, 3> widthsHz; // the IC-7300's default widths of FIL1, FIL2 and FIL3
};

// The eight modes in the order the radio's mode codes run.
const std::array<ModeInfo, 8>& Modes();
const ModeInfo& Info(Mode mode);

std::optional<Mode> ModeNamed(std::string_view name);  // Hamlib's name, exactly
std::optional<Mode> ModeOfCivCode(int code);

// The width of filter 1-3 in the mode; filters outside 1-3 read as the normal one.
int PassbandHz(Mode mode, int filter);

// The filter (1-3) a requested passband selects: kKeepPassband keeps `currentFilter`,
// kNormalPassband gives kNormalFilter, any other width the filter nearest to it, the wider one
// when it falls half-way, since a client asking for a width wants at least that much signal.
int FilterFor(Mode mode, int passbandHz, int currentFilter);

}  // namespace talvex::rigserver
