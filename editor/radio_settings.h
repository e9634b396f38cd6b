#pragma once

// Take Settings from the Radio: rows without a whole-record zone given the record the radio
// holds for them, so that what the zones cannot show (data mode, tones, split, select group)
// travels with the row from then on. A row takes a record only when its zones show exactly
// what that record holds: the row is then that channel, and nothing it shows changes.

#include "editor/table_lines.h"
#include "memory/update_plan.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace talvex::editor {

// What the radio was read to hold in a channel (RadioHeld() for a channel not read).
using HeldRecords = std::function<RadioHeld(int channel)>;

// The channels to read: for each row that lacks a record, the channel it was read on (its own
// when it has not moved).
std::vector<int> ChannelsForSettings(const TableLines& table);
// Those channels as lines for Compare with Radio's read, which reads the channels its lines
// name: one blank line a channel.
QStringList LinesToRead(const std::vector<int>& channels);

struct SettingsTaken {
    TableLines table;
    std::vector<int> taken;  // the channels whose rows took their record
    // The rows left as they were, each "channel 16 (frequency, mode)".
    QStringList disagreed;
};

// Each row without a record (channel lines before END, not blank) whose frequency to 100 Hz,
// mode, filter, label and select mark are what the radio holds for the channel it was read on
// takes that record, numbered for the channel it stands on.
SettingsTaken TakeSettings(const TableLines& table, const HeldRecords& held);

}  // namespace talvex::editor
