#pragma once

// The radio the program drives, described once: its CI-V address and rates, its memory, and what
// a channel can hold. The program is built with one description, kRadio; every check, list,
// frame address and text that names one of the radio's limits reads it from here, so another
// radio would be another description and its tests, not edits through the code.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace talvex {

// A mode as the mode commands and a memory record carry it.
struct RadioMode {
    std::uint8_t code;
    std::u16string_view name;  // as the windows and the data file show it
    bool carriesData;          // a data mode may go with it (USB-D); CW and RTTY take none
};

struct RadioModel {
    std::u16string_view name;  // as the windows show it

    // The CI-V address it answers at until its menu is changed, and the ones that menu offers.
    std::uint8_t address;
    std::uint8_t lowestAddress;
    std::uint8_t highestAddress;
    // The rates its CI-V port can run at, and those the System Setup window offers, in order.
    std::span<const int> civRates;
    std::span<const int> setupRates;

    // The memory channels a data file holds and the operations step. Memory Channel Select also
    // reaches the program-scan edges above them, up to lastSelectable, named in order.
    int firstChannel;
    int lastChannel;
    int lastSelectable;
    std::span<const std::u16string_view> scanEdgeNames;

    // What a channel can hold: the frequency range in hertz (the radio answers NG to a write
    // outside it); its modes; filters, data modes and select groups numbered from 1 (0 is
    // none, for the last two); the CTCSS tones in tenths of a hertz, rising; the length of its
    // name and the characters a name may hold.
    std::int64_t lowestHz;
    std::int64_t highestHz;
    std::span<const RadioMode> modes;
    int filters;
    int dataModes;
    int selectGroups;
    std::span<const int> tones;
    int labelLength;
    char16_t lowestLabelCharacter;
    char16_t highestLabelCharacter;

    constexpr bool holdsFrequency(std::int64_t hz) const { return hz >= lowestHz && hz <= highestHz; }
    constexpr bool holdsFilter(int filter) const { return filter >= 1 && filter <= filters; }
    constexpr bool holdsTone(int tenths) const { return std::ranges::find(tones, tenths) != tones.end(); }
    constexpr bool holdsLabelCharacter(char16_t c) const { return c >= lowestLabelCharacter && c <= highestLabelCharacter; }
    constexpr bool offersRate(int baud) const { return std::ranges::find(civRates, baud) != civRates.end(); }
    constexpr bool takesAddress(int byte) const { return byte >= lowestAddress && byte <= highestAddress; }
    constexpr bool isScanEdge(int channel) const { return channel > lastChannel && channel <= lastSelectable; }
    // The name of scan edge `channel` (isScanEdge).
    constexpr std::u16string_view scanEdgeName(int channel) const
    {
        return scanEdgeNames[static_cast<std::size_t>(channel - lastChannel - 1)];
    }
    // Nothing for a code or a name (as written here, letter for letter) the radio has no mode of.
    constexpr const RadioMode* mode(int code) const
    {
        const auto found = std::ranges::find(modes, code, &RadioMode::code);
        return found == modes.end() ? nullptr : &*found;
    }
    constexpr const RadioMode* modeNamed(std::u16string_view modeName) const
    {
        const auto found = std::ranges::find(modes, modeName, &RadioMode::name);
        return found == modes.end() ? nullptr : &*found;
    }
};

namespace ic7300 {

inline constexpr int kCivRates[] = {4800, 9600, 19200, 38400, 57600, 115200};
inline constexpr int kSetupRates[] = {19200, 9600, 4800};
inline constexpr std::u16string_view kScanEdges[] = {u"P1", u"P2"};
inline constexpr RadioMode kModes[] = {
    {0x00, u"LSB", true}, {0x01, u"USB", true},  {0x02, u"AM", true},   {0x03, u"CW", false},
    {0x04, u"RTTY", false}, {0x05, u"FM", true}, {0x07, u"CWr", false}, {0x08, u"RTTYr", false},
};
inline constexpr int kTones[] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
    1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

inline constexpr RadioModel kDescription{
    .name = u"IC-7300",
    .address = 0x94,
    .lowestAddress = 0x01,
    .highestAddress = 0xDF,
    .civRates = kCivRates,
    .setupRates = kSetupRates,
    .firstChannel = 1,
    .lastChannel = 99,
    .lastSelectable = 101,
    .scanEdgeNames = kScanEdges,
    .lowestHz = 30'000,
    .highestHz = 74'800'000,
    .modes = kModes,
    .filters = 3,
    .dataModes = 3,
    .selectGroups = 3,
    .tones = kTones,
    .labelLength = 10,
    .lowestLabelCharacter = u' ',
    .highestLabelCharacter = u'~',
};

}  // namespace ic7300

// The radio this program is built for.
inline constexpr const RadioModel& kRadio = ic7300::kDescription;

// A description that contradicts itself would fail the program in places far from here.
static_assert(std::ssize(kRadio.scanEdgeNames) == kRadio.lastSelectable - kRadio.lastChannel);
static_assert(std::ranges::is_sorted(kRadio.tones));
static_assert(kRadio.takesAddress(kRadio.address));
static_assert(std::ranges::all_of(kRadio.setupRates, [](int rate) { return kRadio.offersRate(rate); }));

}  // namespace talvex
