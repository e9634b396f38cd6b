#pragma once

// The fields of a 41-byte memory record as numbers, for the conversions to and from other
// programs' lists. Changes go onto the record the channel had, field by field: a field the
// other list did not change keeps its bytes exactly as they were.

#include "link/memory_record.h"

#include <QByteArray>

#include <cstdint>

namespace talvex::channels {

// One settings set (receive or transmit).
struct SettingsFields {
    std::int64_t hz = 0;  // all ten BCD digits, to 1 Hz
    int mode = 0;
    int filter = 0;
    int dataMode = 0;      // 0 off, 1-3 D1-D3
    int toneType = 0;      // 0 off, 1 Tone, 2 TSQL
    int repeaterTone = 0;  // tenths of a hertz: 885 is 88.5 Hz
    int squelchTone = 0;
    friend bool operator==(const SettingsFields&, const SettingsFields&) = default;
};

struct RecordFields {
    int select = 0;  // 0 none, 1-3 the select group
    SettingsFields receive;
    SettingsFields transmit;
    QString name;  // ten characters
    friend bool operator==(const RecordFields&, const RecordFields&) = default;
};

RecordFields FieldsOf(const MemoryRecord& record);

// `record` with each field in which `after` differs from `before` (what FieldsOf gave) written.
MemoryRecord WithChanges(const MemoryRecord& record, const RecordFields& before, const RecordFields& after);

// Five frequency bytes, least significant digits first, and back.
std::int64_t HzOfFrequencyBytes(const QByteArray& fiveBytes);
QByteArray FrequencyBytesOf(std::int64_t hz);

// Three tone bytes, most significant digits first (00 08 85 is 88.5 Hz), and back.
int ToneTenthsOf(const QByteArray& threeBytes);
QByteArray ToneBytesOf(int tenths);

// The two channel bytes of a channel 1-99 (channel 12 is 00 12), and back.
QByteArray ChannelBytesOf(int channel);
int ChannelOf(const MemoryRecord& record);

}  // namespace talvex::channels
