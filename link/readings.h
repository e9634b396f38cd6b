#pragma once

// What the radio's answers and broadcasts say, as values: hertz, mode and filter codes, channel
// numbers, the record as it came. The link reads them; each window turns them into its own texts.

#include "memory_record.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace talvex {

// One memory channel as an answer (or the echo of a memory write) carries it.
struct ChannelReading {
    MemoryRecord record;         // the 41 bytes as they came
    std::optional<int> channel;  // 1-99 or a scan edge; nothing for bytes that name no channel
    std::int64_t hz = 0;
    int mode() const { return record.mode(); }  // the code, whether or not the radio has that mode
    int filter() const { return record.filter(); }
    int select() const { return record.select(); }  // 0 none, else the select group (or a stray byte)
    QString label() const { return record.label(); }
};

struct RigId {
    int id = 0;
};
struct ClockTime {
    int hours = 0;
    int minutes = 0;
};
// The radio's call-sign setting, up to eight characters as they came, blanks kept.
struct CallSign {
    QString call;
};
struct TransmitState {
    int value = 0;  // 0 receiving, 1 transmitting, or whatever byte came
};
struct SquelchState {
    int value = 0;  // 0 closed, 1 open, or whatever byte came
};
// The S-meter's two bytes as they came, not read as BCD.
struct SMeterReading {
    int high = 0;
    int low = 0;
};
// The operating frequency, asked for (`afterSet` false) or read back after a frequency set.
struct FrequencyReading {
    std::int64_t hz = 0;
    bool afterSet = false;
};
// The mode (and the filter, where the answer has one), asked for or from the echo of a set.
struct ModeReading {
    int mode = 0;
    std::optional<int> filter;
    bool afterSet = false;
};
struct BandEdges {
    std::int64_t lowerHz = 0;
    std::int64_t upperHz = 0;
};
// The radio answered FF: it holds no frequency or mode to tell (a blank channel selected), or
// the operator's own 1A 00 ch FF came back.
struct NothingHeld {};
// A channel's contents: shown by a channel select or memory read, or written (the echo of a
// memory write, which the Memory window does not show).
struct ChannelShown {
    ChannelReading channel;
    bool written = false;
};
// The radio holds nothing in the channel read; the answer does not name it, so the channel the
// program asked for last comes with it.
struct BlankChannel {
    std::optional<int> channelAsked;
};

using RadioReading = std::variant<RigId, ClockTime, CallSign, TransmitState, SquelchState, SMeterReading,
                                  FrequencyReading, ModeReading, BandEdges, NothingHeld, ChannelShown, BlankChannel>;

// The radio's state as its one-value reads answer them (03, 04, 1C 00, 0F, 25 01, 26 01,
// 15 02, 14 0A), each answer on its own: what the rig server asks for its clients.
struct SplitState {
    bool on = false;
};
// The VFO not in use: its frequency (25 01) and its mode and filter (26 01).
struct OtherVfoFrequency {
    std::int64_t hz = 0;
};
struct OtherVfoMode {
    int mode = 0;
    int filter = 0;
};
// The S-meter (15 02) and the RF power setting (14 0A), 0-255, read as BCD.
struct SMeterLevel {
    int value = 0;
};
struct RfPowerLevel {
    int value = 0;
};
using StateReading = std::variant<FrequencyReading, ModeReading, TransmitState, SplitState, OtherVfoFrequency,
                                  OtherVfoMode, SMeterLevel, RfPowerLevel>;

// One frame the radio sent to all: its frequency or its mode and filter, or neither (a frame of
// another command or length, which still says the radio changed something).
struct BroadcastReading {
    std::optional<std::int64_t> hz;
    std::optional<int> mode;
    std::optional<int> filter;
};

// Five frequency bytes, least significant first, in hertz; nothing unless every byte is BCD.
std::optional<std::int64_t> HzOfBcd(const QByteArray& fiveBytes);

// The reading of 41 contents bytes; nothing unless there are 41 and the frequency is BCD.
std::optional<ChannelReading> ChannelReadingOf(const QByteArray& contents);

}  // namespace talvex
