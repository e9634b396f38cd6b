#include "dump_state.h"

#include "link/radio_model.h"
#include "modes.h"

#include <cstdint>
#include <cstdio>

namespace talvex::rigserver {

namespace {

// Hamlib's bits for the VFOs (A, B, memory), the first antenna, the levels and PTT over CAT.
constexpr std::uint64_t kVfos = 0x1 | 0x2 | 0x10000000;
constexpr std::uint64_t kAntenna = 0x1;
constexpr std::uint64_t kLevelRfPower = 1ull << 12;
constexpr std::uint64_t kLevelStrength = 1ull << 30;
constexpr int kPttOverCat = 1;

// Output power in milliwatts: 2-100 W, AM 1-25 W of carrier.
constexpr int kLowPowerMw = 2000, kHighPowerMw = 100000;
constexpr int kAmLowPowerMw = 1000, kAmHighPowerMw = 25000;

// RIT and XIT reach 9.999 kHz either way; the IC-7300 has twin PBT, no IF shift.
constexpr int kMaxRitHz = 9999, kMaxXitHz = 9999, kMaxIfShiftHz = 0;

// The TS choices of the IC-7300, the 1 Hz step of its fine tuning first.
constexpr int kTuningSteps[] = {1, 10, 100, 1000, 5000, 6250, 9000, 10000, 12500, 20000, 25000, 50000, 100000};

std::string Hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

// One range line: start and end in hertz with six decimals, modes, low and high power in mW
// (-1 for a receive range), VFOs, antennas.
std::string Range(long long low, long long high, std::uint64_t modes, int lowMw, int highMw)
{
    char text[160];
    std::snprintf(text, sizeof text, "%lld.000000 %lld.000000 %s %d %d %s %s\n", low, high, Hex(modes).c_str(), lowMw,
                  highMw, Hex(kVfos).c_str(), Hex(kAntenna).c_str());
    return text;
}

constexpr const char* kEndOfRanges = "0 0 0 0 0 0 0\n";

std::uint64_t AllModes(bool withAm = true)
{
    std::uint64_t bits = 0;
    for (const ModeInfo& info : Modes()) {
        if (withAm || info.mode != Mode::Am)
            bits |= info.hamlibBit;
    }
    return bits;
}

}  // namespace

const std::vector<Band>& TransmitBands()
{
    static const std::vector<Band> kBands{
        {1'800'000, 2'000'000},   {3'500'000, 4'000'000},   {5'330'500, 5'406'500},   {7'000'000, 7'300'000},
        {10'100'000, 10'150'000}, {14'000'000, 14'350'000}, {18'068'000, 18'168'000}, {21'000'000, 21'450'000},
        {24'890'000, 24'990'000}, {28'000'000, 29'700'000}, {50'000'000, 54'000'000}, {70'000'000, 70'500'000}};
    return kBands;
}

std::string DumpState()
{
    std::string text = "1\n";                                  // the block's layout version
    text += std::to_string(kHamlibModel) + "\n";
    text += "0\n";  // ITU region: not known, the IC-7300 is sold for all three
    text += Range(kRadio.lowestHz, kRadio.highestHz, AllModes(), -1, -1);
    text += kEndOfRanges;
    for (const Band& band : TransmitBands()) {
        text += Range(band.lowHz, band.highHz, AllModes(false), kLowPowerMw, kHighPowerMw);
        text += Range(band.lowHz, band.highHz, Info(Mode::Am).hamlibBit, kAmLowPowerMw, kAmHighPowerMw);
    }
    text += kEndOfRanges;
    for (int step : kTuningSteps)
        text += Hex(AllModes()) + " " + std::to_string(step) + "\n";
    text += "0 0\n";
    // Hamlib takes a mode's first filter as its normal one and the others as narrow and wide:
    // FIL2, then FIL3 and FIL1.
    for (const ModeInfo& info : Modes()) {
        for (int filter : {2, 3, 1})
            text += Hex(info.hamlibBit) + " " + std::to_string(PassbandHz(info.mode, filter)) + "\n";
    }
    text += "0 0\n";
    text += std::to_string(kMaxRitHz) + "\n" + std::to_string(kMaxXitHz) + "\n" + std::to_string(kMaxIfShiftHz) + "\n";
    text += "0\n";      // announcements: none
    text += "1 2\n";    // preamplifiers: P.AMP1 and P.AMP2
    text += "20\n";     // attenuator: 20 dB
    text += "0x0\n";    // functions read
    text += "0x0\n";    // functions set
    text += Hex(kLevelStrength | kLevelRfPower) + "\n";
    text += Hex(kLevelRfPower) + "\n";
    text += "0x0\n";    // parameters read
    text += "0x0\n";    // parameters set
    // The client reads these by name. The server acts on the selected VFO only: a client
    // reaching the other one selects it first (targetable_vfo 0), with V.
    text += "vfo_ops=0x0\n";
    text += "ptt_type=" + Hex(kPttOverCat) + "\n";
    text += "targetable_vfo=0x0\n";
    text += "has_set_vfo=1\nhas_get_vfo=1\nhas_set_freq=1\nhas_get_freq=1\n";
    text += "has_set_conf=0\nhas_get_conf=0\nhas_power2mW=0\nhas_mW2power=0\n";
    text += "rig_model=" + std::to_string(kHamlibModel) + "\n";
    text += "done\n";
    return text;
}

}  // namespace talvex::rigserver
