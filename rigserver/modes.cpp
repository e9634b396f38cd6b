#include "modes.h"

#include <cstdlib>

namespace talvex::rigserver {

const std::array<ModeInfo, 8>& Modes()
{
    // The IC-7300's factory filter widths; FM's three are fixed, the others can be changed on
    // the radio, which these defaults then no longer describe.
    static constexpr std::array<ModeInfo, 8> kModes{{
        {Mode::Lsb, "LSB", 0x8, 0x00, {3000, 2400, 1800}},
        {Mode::Usb, "USB", 0x4, 0x01, {3000, 2400, 1800}},
        {Mode::Am, "AM", 0x1, 0x02, {9000, 6000, 3000}},
        {Mode::Cw, "CW", 0x2, 0x03, {1200, 500, 250}},
        {Mode::Rtty, "RTTY", 0x10, 0x04, {2400, 500, 250}},
        {Mode::Fm, "FM", 0x20, 0x05, {15000, 10000, 7000}},
        {Mode::CwR, "CWR", 0x80, 0x07, {1200, 500, 250}},
        {Mode::RttyR, "RTTYR", 0x100, 0x08, {2400, 500, 250}},
    }};
    return kModes;
}

const ModeInfo& Info(Mode mode) { return Modes()[static_cast<std::size_t>(mode)]; }

std::optional<Mode> ModeNamed(std::string_view name)
{
    for (const ModeInfo& info : Modes()) {
        if (info.name == name)
            return info.mode;
    }
    return std::nullopt;
}

std::optional<Mode> ModeOfCivCode(int code)
{
    for (const ModeInfo& info : Modes()) {
        if (info.civCode == code)
            return info.mode;
    }
    return std::nullopt;
}

int PassbandHz(Mode mode, int filter)
{
    const bool known = filter >= 1 && filter <= 3;
    return Info(mode).widthsHz[static_cast<std::size_t>((known ? filter : kNormalFilter) - 1)];
}

int FilterFor(Mode mode, int passbandHz, int currentFilter)
{
    if (passbandHz == kKeepPassband)
        return currentFilter;
    if (passbandHz == kNormalPassband)
        return kNormalFilter;
    // FIL1 is the widest: going from it to FIL3, a later filter wins only when strictly nearer.
    int best = 1;
    for (int filter = 2; filter <= 3; ++filter) {
        if (std::abs(PassbandHz(mode, filter) - passbandHz) < std::abs(PassbandHz(mode, best) - passbandHz))
            best = filter;
    }
    return best;
}

}  // namespace talvex::rigserver
