#include "radio.h"

#include "catalogue.h"
#include "memory_mode.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <tuple>

namespace sim {

namespace {

constexpr std::uint8_t kRadio = 0x94;
constexpr std::uint8_t kController = 0xE0;

// Sized once and filled in place: growing a four-byte vector by the body made GCC 12 at -O3
// see a copy past its end that cannot happen (-Warray-bounds).
Bytes Frame(std::uint8_t to, const Bytes& body)
{
    Bytes frame(body.size() + 5);
    frame[0] = frame[1] = 0xFE;
    frame[2] = to;
    frame[3] = kRadio;
    std::copy(body.begin(), body.end(), frame.begin() + 4);
    frame.back() = 0xFD;
    return frame;
}

Bytes Answer(const Bytes& body) { return Frame(kController, body); }
Bytes Ok() { return Answer({0xFB}); }
Bytes Ng() { return Answer({0xFA}); }

Bytes FrequencyField(long hz)
{
    Bytes field;
    for (int i = 0; i < 5; ++i) {
        field.push_back(ToBcd(static_cast<int>(hz % 100)));
        hz /= 100;
    }
    return field;
}

std::optional<long> ParseFrequency(const Bytes& data, std::size_t at)
{
    if (data.size() < at + 5)
        return std::nullopt;
    long hz = 0;
    for (int i = 4; i >= 0; --i) {
        const auto pair = FromBcd(data[at + static_cast<std::size_t>(i)]);
        if (!pair)
            return std::nullopt;
        hz = hz * 100 + *pair;
    }
    return hz;
}

bool ValidMode(int mode) { return (mode >= 0 && mode <= 5) || mode == 7 || mode == 8; }

// Channel field 00 01..00 99, 01 00 (P1), 01 01 (P2) to 1..101.
std::optional<int> ParseChannel(std::uint8_t high, std::uint8_t low)
{
    const auto h = FromBcd(high), l = FromBcd(low);
    if (!h || !l)
        return std::nullopt;
    if (*h == 0 && *l >= 1)
        return *l;
    if (*h == 1 && *l <= 1)
        return 100 + *l;
    return std::nullopt;
}

Bytes ChannelField(int channel)
{
    if (channel >= 100)
        return {0x01, static_cast<std::uint8_t>(channel - 100)};
    return {0x00, ToBcd(channel)};
}

std::pair<long, long> BandEdges(long hz)
{
    static const std::pair<long, long> kBands[] = {
        {1'800'000, 2'000'000},   {3'500'000, 4'000'000},   {5'330'500, 5'406'500},
        {7'000'000, 7'300'000},   {10'100'000, 10'150'000}, {14'000'000, 14'350'000},
        {18'068'000, 18'168'000}, {21'000'000, 21'450'000}, {24'890'000, 24'990'000},
        {28'000'000, 29'700'000}, {50'000'000, 54'000'000}};
    for (const auto& band : kBands) {
        if (hz >= band.first && hz <= band.second)
            return band;
    }
    return {30'000, 74'800'000};
}

// The commands that only switch something: the command (and sub-command) bytes, the values
// each takes, and whether the command alone reads the value back (split has its own read,
// 0F in catalogue.cpp; 13 00 announces and holds nothing).
struct Switch {
    Bytes head;
    Bytes values;
    bool readable;
};

bool StartsWith(const Bytes& bytes, const Bytes& head)
{
    if (bytes.size() < head.size())
        return false;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (bytes[i] != head[i])
            return false;
    }
    return true;
}

const Switch* FindSwitch(const Bytes& c)
{
    static const Switch kSwitches[] = {
        {{0x0F}, {0x00, 0x01}, false},       {{0x11}, {0x00, 0x20}, true},        {{0x13}, {0x00}, false},
        {{0x16, 0x02}, {0, 1, 2}, true},     {{0x16, 0x22}, {0, 1}, true},        {{0x16, 0x40}, {0, 1}, true},
        {{0x16, 0x41}, {0, 1}, true},        {{0x16, 0x45}, {0, 1}, true},        {{0x16, 0x46}, {0, 1}, true},
        {{0x16, 0x47}, {0, 1, 2}, true},     {{0x16, 0x48}, {0, 1}, true},        {{0x1C, 0x01}, {0, 1, 2}, true},
        {{0x21, 0x01}, {0, 1}, true},        {{0x21, 0x02}, {0, 1}, true},
    };
    for (const Switch& s : kSwitches) {
        if (!StartsWith(c, s.head))
            continue;
        const bool read = s.readable && c.size() == s.head.size();
        const bool set = c.size() == s.head.size() + 1
            && std::find(s.values.begin(), s.values.end(), c.back()) != s.values.end();
        if (read || set)
            return &s;
    }
    return nullptr;
}

Reply Handle(RadioState& r, const Options& o, const Bytes& c)
{
    Reply reply;
    const std::uint8_t cmd = c.empty() ? 0 : c[0];
    const std::size_t n = c.size();
    auto ok = [&] { reply.answer = o.answerOk ? Ok() : Bytes{}; };

    if (n == 1 && cmd == 0x02) {
        const auto [low, high] = BandEdges(r.frequencyHz);
        Bytes body{0x02};
        for (auto b : FrequencyField(low)) body.push_back(b);
        body.push_back(0x2D);
        for (auto b : FrequencyField(high)) body.push_back(b);
        reply.answer = Answer(body);
    } else if (n == 1 && cmd == 0x03) {
        Bytes body{0x03};
        for (auto b : FrequencyField(r.frequencyHz)) body.push_back(b);
        reply.answer = Answer(body);
    } else if (n == 1 && cmd == 0x04) {
        reply.answer = Answer({0x04, static_cast<std::uint8_t>(r.mode), static_cast<std::uint8_t>(r.filter)});
    } else if (n == 6 && cmd == 0x05) {
        const auto hz = ParseFrequency(c, 1);
        if (!hz || *hz < 30'000 || *hz > 74'800'000) {
            reply.answer = Ng();
            return reply;
        }
        r.frequencyHz = *hz;
        ok();
        if (o.broadcastOnCommands)
            reply.broadcasts.push_back(FrequencyBroadcast(r));
    } else if ((n == 2 || n == 3) && cmd == 0x06) {
        if (!ValidMode(c[1]) || (n == 3 && (c[2] < 1 || c[2] > 3))) {
            reply.answer = Ng();
            return reply;
        }
        r.mode = c[1];
        if (n == 3)
            r.filter = c[2];
        ok();
        if (o.broadcastOnCommands)
            reply.broadcasts.push_back(ModeBroadcast(r));
    } else if (cmd == 0x07 && n == 1) {  // 07 00, 07 01 and 07 A0: catalogue.cpp
        LeaveMemoryMode(r);
        ok();
    } else if (cmd == 0x08 && n == 1) {
        EnterMemoryMode(r);
        ok();
    } else if (cmd == 0x08 && n == 3) {
        const auto channel = ParseChannel(c[1], c[2]);
        if (!channel) {
            reply.answer = Ng();
            return reply;
        }
        if (o.silentFromChannel > 0 && *channel >= o.silentFromChannel) {
            r.powered = false;
            return reply;
        }
        SelectChannel(r, *channel);
        ok();
    } else if (n == 1 && cmd == 0x09) {
        VfoToMemory(r);
        reply.memoryChanged = true;
        ok();
    } else if (n == 1 && cmd == 0x0A) {
        if (!MemoryToVfo(r)) {
            reply.answer = Ng();
            return reply;
        }
        ok();
    } else if (n == 1 && cmd == 0x0B) {
        r.memory[static_cast<std::size_t>(r.selectedChannel)].reset();
        reply.memoryChanged = true;
        ok();
    } else if (cmd == 0x14 && n == 3 && c[1] == 0x01 && FromBcd(c[2])) {
        ok();
    } else if (cmd == 0x15 && n == 2 && c[1] == 0x01) {
        reply.answer = Answer({0x15, 0x01, static_cast<std::uint8_t>(r.squelchOpen)});
    } else if (cmd == 0x15 && n == 2 && c[1] == 0x02) {
        reply.answer = Answer({0x15, 0x02, ToBcd(r.smeter / 100), ToBcd(r.smeter % 100)});
    } else if (cmd == 0x18 && n == 2 && (c[1] == 0x00 || c[1] == 0x01)) {
        ok();
        if (c[1] == 0x00)
            r.powered = false;
    } else if (cmd == 0x19 && n == 2 && c[1] == 0x00) {
        reply.answer = Answer({0x19, 0x00, kRadio});
    } else if (cmd == 0x1A && n == 4 && c[1] == 0x00) {
        const auto channel = ParseChannel(c[2], c[3]);
        if (!channel) {
            reply.answer = Ng();
            return reply;
        }
        if (o.silentFromChannel > 0 && *channel >= o.silentFromChannel) {
            r.powered = false;
            return reply;
        }
        const auto& contents = r.memory[static_cast<std::size_t>(*channel)];
        Bytes body{0x1A, 0x00};
        if (contents) {
            body.insert(body.end(), contents->begin(), contents->end());
        } else {
            for (auto b : ChannelField(*channel)) body.push_back(b);
            body.push_back(0xFF);
        }
        reply.answer = Answer(body);
    } else if (cmd == 0x1A && n == 2 + kContentsSize && c[1] == 0x00) {
        const auto channel = ParseChannel(c[2], c[3]);
        if (!channel) {
            reply.answer = Ng();
            return reply;
        }
        if (o.silentFromChannel > 0 && *channel >= o.silentFromChannel) {
            r.powered = false;
            return reply;
        }
        if (*channel == o.refuseWriteChannel) {
            reply.answer = Ng();
            return reply;
        }
        Bytes contents(c.begin() + 2, c.end());
        if (*channel == o.storeWrongChannel)
            contents[31] = contents[31] == 'X' ? 'Y' : 'X';
        r.memory[static_cast<std::size_t>(*channel)] = contents;
        reply.memoryChanged = true;
        if (*channel == o.silentAfterWriteChannel) {
            r.powered = false;  // switched off with the write stored, before its OK
            return reply;
        }
        ok();
    } else if (cmd == 0x1A && n == 4 && c[1] == 0x05 && c[2] == 0x00 && c[3] == 0x91) {
        Bytes body{0x1A, 0x05, 0x00, 0x91};
        std::string call = r.callSign;
        call.resize(8, ' ');
        body.insert(body.end(), call.begin(), call.end());
        reply.answer = Answer(body);
    } else if (cmd == 0x1A && n == 4 && c[1] == 0x05 && c[2] == 0x00 && c[3] == 0x95) {
        int hh = 0, mm = 0;
        if (r.clock) {
            std::tie(hh, mm) = *r.clock;
        } else {
            const std::time_t now = std::time(nullptr);
            std::tm local{};
            localtime_r(&now, &local);
            hh = local.tm_hour;
            mm = local.tm_min;
        }
        reply.answer = Answer({0x1A, 0x05, 0x00, 0x95, ToBcd(hh), ToBcd(mm)});
    } else if (cmd == 0x1C && n == 2 && c[1] == 0x00) {
        reply.answer = Answer({0x1C, 0x00, static_cast<std::uint8_t>(r.transmit ? 1 : 0)});
    } else if (cmd == 0x1C && n == 3 && c[1] == 0x00 && c[2] <= 1) {
        r.transmit = c[2] == 1;
        ok();
    } else if (const Switch* s = FindSwitch(c)) {
        const int key = s->head[0] << 8 | (s->head.size() > 1 ? s->head[1] : 0);
        if (c.size() == s->head.size()) {
            Bytes body = c;
            body.push_back(r.switches[key]);
            reply.answer = Answer(body);
            return reply;
        }
        r.switches[key] = c.back();
        if (cmd == 0x0F)
            r.split = c[1] == 1;
        ok();
    } else {
        reply.answer = Ng();
    }
    return reply;
}

}  // namespace

std::optional<Fault> ParseFault(const std::string& name)
{
    if (name == "none") return Fault::None;
    if (name == "drop") return Fault::Drop;
    if (name == "truncate") return Fault::Truncate;
    if (name == "ng") return Fault::Ng;
    if (name == "silent") return Fault::Silent;
    if (name == "noise") return Fault::Noise;
    return std::nullopt;
}

std::optional<int> FromBcd(std::uint8_t byte)
{
    if ((byte >> 4) > 9 || (byte & 0x0F) > 9)
        return std::nullopt;
    return (byte >> 4) * 10 + (byte & 0x0F);
}

std::uint8_t ToBcd(int value) { return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10)); }

Bytes FrequencyBroadcast(const RadioState& radio)
{
    Bytes body{0x00};
    for (auto b : FrequencyField(radio.frequencyHz)) body.push_back(b);
    return Frame(0x00, body);
}

Bytes ModeBroadcast(const RadioState& radio)
{
    return Frame(0x00, {0x01, static_cast<std::uint8_t>(radio.mode), static_cast<std::uint8_t>(radio.filter)});
}

Reply Respond(RadioState& radio, const Options& options, const Bytes& frame)
{
    // A frame to the radio: FE FE 94 E0 [FE FE 94 E0 ...] command ... FD.
    std::size_t at = 0;
    int prefixes = 0;
    while (at + 4 <= frame.size() && frame[at] == 0xFE && frame[at + 1] == 0xFE && frame[at + 2] == kRadio
           && frame[at + 3] == kController) {
        at += 4;
        ++prefixes;
    }
    if (prefixes == 0 || frame.back() != 0xFD)
        return {};
    const Bytes command(frame.begin() + static_cast<long>(at), frame.end() - 1);
    if (!radio.powered) {
        // Only Power ON with its long wake-up preamble reaches a sleeping radio.
        if (prefixes >= 25 && command == Bytes{0x18, 0x01}) {
            radio.powered = true;
            return {options.answerOk ? Ok() : Bytes{}, {}, false};
        }
        return {};
    }
    if (options.fault == Fault::Ng)
        return {Ng(), {}, false};
    if (auto reply = Catalogue(radio, options, command))
        return *reply;
    return Handle(radio, options, command);
}

bool LoadMemory(RadioState& radio, const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        int channel = 0;
        char rest[512] = {};
        if (std::sscanf(line.c_str(), "ch %d: %511[^\n]", &channel, rest) != 2 || channel < 1 || channel > kChannels)
            continue;
        const std::string text(rest);
        if (text.rfind("blank", 0) == 0) {
            radio.memory[static_cast<std::size_t>(channel)].reset();
            continue;
        }
        std::istringstream hex(text);
        Bytes contents;
        unsigned value = 0;
        while (hex >> std::hex >> value)
            contents.push_back(static_cast<std::uint8_t>(value));
        if (contents.size() == kContentsSize)
            radio.memory[static_cast<std::size_t>(channel)] = contents;
    }
    return true;
}

bool SaveMemory(const RadioState& radio, const std::string& path)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out)
            return false;
        for (int channel = 1; channel <= kChannels; ++channel) {
            out << "ch " << channel << ":";
            const auto& contents = radio.memory[static_cast<std::size_t>(channel)];
            if (!contents) {
                out << " blank\n";
                continue;
            }
            char hex[4];
            for (auto byte : *contents) {
                std::snprintf(hex, sizeof hex, " %02X", byte);
                out << hex;
            }
            out << "\n";
        }
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace sim
