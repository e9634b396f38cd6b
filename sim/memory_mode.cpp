#include "memory_mode.h"

#include <algorithm>

namespace sim {

namespace {

// The record after 1A 00: channel (2), scan group (1), then two settings of 14 bytes, the one
// received on and the one transmitted on: frequency (5), mode, filter, data mode and tone type,
// repeater tone (3), tone squelch (3); then the name (10).
constexpr std::size_t kGroup = 2, kFirstSet = 3, kSecondSet = 17, kSetSize = 14, kName = 31;
constexpr std::size_t kMode = 5, kFilter = 6, kDataTone = 7;

Tuning Shown(const RadioState& r) { return {r.frequencyHz, r.mode, r.filter, r.dataMode}; }

void Show(RadioState& r, const Tuning& t)
{
    r.frequencyHz = t.hz;
    r.mode = t.mode;
    r.filter = t.filter;
    r.dataMode = t.data;
}

std::optional<Tuning> ChannelTuning(const RadioState& r)
{
    const auto& contents = r.memory[static_cast<std::size_t>(r.selectedChannel)];
    if (!contents)
        return std::nullopt;
    const Bytes& c = *contents;
    long hz = 0;
    for (std::size_t i = kFirstSet + 5; i-- > kFirstSet;)
        hz = hz * 100 + FromBcd(c[i]).value_or(0);
    return Tuning{hz, c[kFirstSet + kMode], c[kFirstSet + kFilter], (c[kFirstSet + kDataTone] >> 4) == 1};
}

void WriteSet(Bytes& contents, std::size_t at, const Tuning& t)
{
    long hz = t.hz;
    for (std::size_t i = 0; i < 5; ++i, hz /= 100)
        contents[at + i] = ToBcd(static_cast<int>(hz % 100));
    contents[at + kMode] = static_cast<std::uint8_t>(t.mode);
    contents[at + kFilter] = static_cast<std::uint8_t>(t.filter);
    contents[at + kDataTone] = static_cast<std::uint8_t>((t.data ? 0x10 : 0x00) | (contents[at + kDataTone] & 0x0F));
}

Bytes BlankRecord(int channel)
{
    Bytes contents(kContentsSize, 0x00);
    contents[0] = channel >= 100 ? 0x01 : 0x00;
    contents[1] = ToBcd(channel >= 100 ? channel - 100 : channel);
    for (std::size_t set : {kFirstSet, kSecondSet}) {
        const std::uint8_t tone[] = {0x00, 0x08, 0x85};  // 88.5 Hz, for the repeater tone and the squelch
        std::copy(std::begin(tone), std::end(tone), contents.begin() + static_cast<long>(set + 8));
        std::copy(std::begin(tone), std::end(tone), contents.begin() + static_cast<long>(set + 11));
    }
    std::fill(contents.begin() + kName, contents.end(), ' ');
    contents[kGroup] = 0x00;
    return contents;
}

}  // namespace

void EnterMemoryMode(RadioState& r)
{
    if (r.memoryMode)
        return;
    r.vfoKept = Shown(r);
    r.memoryMode = true;
    SelectChannel(r, r.selectedChannel);
}

void SelectChannel(RadioState& r, int channel)
{
    r.selectedChannel = channel;
    if (r.memoryMode)
        Show(r, ChannelTuning(r).value_or(r.vfoKept));
}

void LeaveMemoryMode(RadioState& r)
{
    if (!r.memoryMode)
        return;
    Show(r, r.vfoKept);
    r.memoryMode = false;
}

bool MemoryToVfo(RadioState& r)
{
    const auto tuning = ChannelTuning(r);
    if (!tuning)
        return false;
    LeaveMemoryMode(r);
    Show(r, *tuning);
    return true;
}

void VfoToMemory(RadioState& r)
{
    auto& contents = r.memory[static_cast<std::size_t>(r.selectedChannel)];
    if (!contents)
        contents = BlankRecord(r.selectedChannel);
    const Tuning shown = Shown(r);
    WriteSet(*contents, kFirstSet, shown);
    // The transmit set: the same settings, or the unselected VFO's when split is on.
    std::copy(contents->begin() + kFirstSet, contents->begin() + kFirstSet + kSetSize,
              contents->begin() + kSecondSet);
    if (r.split)
        WriteSet(*contents, kSecondSet, {r.unselectedHz, r.unselectedMode, r.unselectedFilter, r.unselectedData});
}

}  // namespace sim
