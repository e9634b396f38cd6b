#include "catalogue.h"

#include "memory_mode.h"

#include <utility>

namespace sim {

namespace {

Bytes Answer(Bytes body)
{
    body.insert(body.begin(), {0xFE, 0xFE, 0xE0, 0x94});
    body.push_back(0xFD);
    return body;
}

Reply Say(Bytes body) { return {Answer(std::move(body)), {}, false}; }
Reply Ng() { return Say({0xFA}); }
Reply Ok(const Options& o) { return {o.answerOk ? Answer({0xFB}) : Bytes{}, {}, false}; }

void AppendFrequency(Bytes& body, long hz)
{
    for (int i = 0; i < 5; ++i, hz /= 100)
        body.push_back(ToBcd(static_cast<int>(hz % 100)));
}

std::optional<long> ReadFrequency(const Bytes& c, std::size_t at)
{
    if (c.size() != at + 5)
        return std::nullopt;
    long hz = 0;
    for (std::size_t i = at + 5; i-- > at;) {
        const auto pair = FromBcd(c[i]);
        if (!pair)
            return std::nullopt;
        hz = hz * 100 + *pair;
    }
    return hz;
}

// Four BCD digits, 0000-0255, as the level settings and meters are carried.
void AppendLevel(Bytes& body, int value)
{
    body.push_back(ToBcd(value / 100));
    body.push_back(ToBcd(value % 100));
}

std::optional<int> ReadLevel(const Bytes& c, std::size_t at)
{
    if (c.size() != at + 2)
        return std::nullopt;
    const auto high = FromBcd(c[at]), low = FromBcd(c[at + 1]);
    if (!high || !low || *high * 100 + *low > 255)
        return std::nullopt;
    return *high * 100 + *low;
}

bool ValidMode(int mode) { return (mode >= 0 && mode <= 5) || mode == 7 || mode == 8; }

void SwapVfos(RadioState& r)
{
    std::swap(r.frequencyHz, r.unselectedHz);
    std::swap(r.mode, r.unselectedMode);
    std::swap(r.filter, r.unselectedFilter);
    std::swap(r.dataMode, r.unselectedData);
}

// 25 and 26: 00 the selected VFO, 01 the unselected one.
std::optional<Reply> Vfo(RadioState& r, const Options& o, const Bytes& c)
{
    const bool selected = c[1] == 0x00;
    long& hz = selected ? r.frequencyHz : r.unselectedHz;
    int& mode = selected ? r.mode : r.unselectedMode;
    int& filter = selected ? r.filter : r.unselectedFilter;
    bool& data = selected ? r.dataMode : r.unselectedData;
    if (c[0] == 0x25) {
        if (c.size() == 2) {
            Bytes body{0x25, c[1]};
            AppendFrequency(body, hz);
            return Say(body);
        }
        const auto set = ReadFrequency(c, 2);
        if (!set || *set < 30'000 || *set > 74'800'000)
            return Ng();
        hz = *set;
        return Ok(o);
    }
    if (c.size() == 2)
        return Say({0x26, c[1], static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(data ? 1 : 0),
                    static_cast<std::uint8_t>(filter)});
    if (c.size() != 5 || !ValidMode(c[2]) || c[3] > 1 || c[4] < 1 || c[4] > 3)
        return Ng();
    mode = c[2];
    data = c[3] == 1;
    filter = c[4];
    return Ok(o);
}

// 15 xx: the meters. Receiving, the transmit meters rest at zero; the supply reads 13.8 V.
std::optional<int> Meter(const RadioState& r, std::uint8_t sub)
{
    switch (sub) {
    case 0x11: case 0x12: case 0x13: case 0x14: case 0x16: return r.transmit ? 60 : 0;
    case 0x15: return 220;
    default: return std::nullopt;
    }
}

// 1A 03: the IF filter's width as the radio's index, 00-49 BCD. SSB, CW and RTTY count 50 Hz
// steps up to 500 Hz (00-09), then 100 Hz steps from 600 Hz (10-40); AM 200 Hz steps from 200 Hz.
// The widths are the IC-7300's defaults for FIL1-FIL3 (RTTY's FIL1 is 2400 Hz where CW's is
// 1200); FM has no variable width.
std::optional<int> FilterWidthIndex(int mode, int filter)
{
    static constexpr int kSsb[] = {3000, 2400, 1800}, kCw[] = {1200, 500, 250}, kRtty[] = {2400, 500, 250},
                         kAm[] = {9000, 6000, 3000};
    const int i = filter - 1;
    if (i < 0 || i > 2 || mode == 5)
        return std::nullopt;
    if (mode == 2)
        return kAm[i] / 200 - 1;
    const bool rtty = mode == 4 || mode == 8;
    const int width = (mode == 0 || mode == 1) ? kSsb[i] : rtty ? kRtty[i] : kCw[i];
    return width <= 500 ? width / 50 - 1 : 10 + (width - 600) / 100;
}

}  // namespace

std::optional<Reply> Catalogue(RadioState& r, const Options& o, const Bytes& c)
{
    const std::size_t n = c.size();
    if (n == 0)
        return std::nullopt;
    const std::uint8_t cmd = c[0];

    if ((cmd == 0x25 || cmd == 0x26) && n >= 2 && c[1] <= 0x01)
        return Vfo(r, o, c);
    if (cmd == 0x07 && n == 2 && (c[1] == 0x00 || c[1] == 0x01)) {
        // Back from memory mode first; choosing the other VFO brings its frequency and mode forward.
        LeaveMemoryMode(r);
        if ((c[1] == 0x01) != r.vfoB)
            SwapVfos(r);
        r.vfoB = c[1] == 0x01;
        return Ok(o);
    }
    if (cmd == 0x07 && n == 2 && c[1] == 0xB0) {
        SwapVfos(r);
        return Ok(o);
    }
    if (cmd == 0x07 && n == 2 && c[1] == 0xA0) {
        r.unselectedHz = r.frequencyHz;
        r.unselectedMode = r.mode;
        r.unselectedFilter = r.filter;
        r.unselectedData = r.dataMode;
        return Ok(o);
    }
    if (cmd == 0x07 && n == 2 && (c[1] == 0xD0 || c[1] == 0xD1))
        return c[1] == 0xD0 ? Ok(o) : Ng();  // one receiver: main only
    if (cmd == 0x08 && n == 2) {  // channel in one BCD byte
        const auto channel = FromBcd(c[1]);
        if (!channel || *channel < 1)
            return Ng();
        SelectChannel(r, *channel);
        return Ok(o);
    }
    if (cmd == 0x0F && n == 1)
        return Say({0x0F, static_cast<std::uint8_t>(r.split ? 1 : 0)});
    if (cmd == 0x1A && n >= 2 && c[1] == 0x06) {
        if (n == 2)
            return Say({0x1A, 0x06, static_cast<std::uint8_t>(r.dataMode ? 1 : 0),
                        static_cast<std::uint8_t>(r.dataMode ? r.filter : 0)});
        if (n > 4 || c[2] > 1 || (n == 4 && c[3] > 3))
            return Ng();
        r.dataMode = c[2] == 1;
        if (n == 4 && c[3] >= 1)
            r.filter = c[3];
        return Ok(o);
    }
    if (cmd == 0x1A && n >= 2 && n <= 3 && c[1] == 0x03) {
        const auto standard = FilterWidthIndex(r.mode, r.filter);
        if (!standard)
            return Ng();
        const int slot = r.mode * 10 + r.filter;
        if (n == 2) {
            const auto set = r.filterWidths.find(slot);
            return Say({0x1A, 0x03, ToBcd(set == r.filterWidths.end() ? *standard : set->second)});
        }
        const auto index = FromBcd(c[2]);
        if (!index || *index > (r.mode == 2 ? 49 : 40))
            return Ng();
        r.filterWidths[slot] = *index;
        return Ok(o);
    }
    if (cmd == 0x14 && n >= 2 && c[1] >= 0x01 && c[1] <= 0x1B && !(n == 3 && c[1] == 0x01)) {
        if (n == 2) {
            Bytes body{0x14, c[1]};
            const auto level = r.levels.find(c[1]);
            AppendLevel(body, level == r.levels.end() ? 128 : level->second);
            return Say(body);
        }
        const auto value = ReadLevel(c, 2);
        if (!value)
            return Ng();
        r.levels[c[1]] = *value;
        return Ok(o);
    }
    if (cmd == 0x15 && n == 2 && c[1] > 0x02) {  // 01 squelch and 02 S-meter: the core
        const auto value = Meter(r, c[1]);
        if (!value)
            return Ng();
        Bytes body{0x15, c[1]};
        AppendLevel(body, *value);
        return Say(body);
    }
    return std::nullopt;
}

}  // namespace sim
