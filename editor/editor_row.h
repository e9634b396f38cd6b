#pragma once

// One line of the data file as the editor's table shows it. Lines that are no channel (the
// title, the heading, comments, blank lines, END) are shown and kept as they stand; a channel
// line is read into its zones, and a line the operator edits is written again from them, the
// way Create File writes it, its whole-record zone kept in step with what the zones show.

#include "link/memory_record.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex::editor {

enum class RowKind { Channel, Heading, Comment, Blank, End };
RowKind RowKindOf(const QString& line);

// The zones of a channel line as text, and its record when the line carries one.
struct ChannelRow {
    QString channel;    // zone 1 without blanks: "7", or whatever the line holds there
    QString frequency;  // zone 2 without blanks: "14.074.0", "" for a blank channel
    QString mode;       // zone 3 without blanks
    QString filter;     // the filter digit, "" when the zone is empty
    bool selected = false;
    QString label;      // ten characters, blanks on the right kept
    std::optional<MemoryRecord> record;

    bool isBlank() const;
};

ChannelRow ChannelRowOf(const QString& line);
// The line Create File writes for these zones (and the record zone when there is a record).
QString LineOfRow(const ChannelRow& row);

// The channel number of a row, when it is a whole number.
std::optional<int> ChannelNumberOf(const ChannelRow& row);

// The memory channel 1-99 a row names, when it names one.
std::optional<int> MemoryChannelOf(const ChannelRow& row);

// A row's contents moved to another channel: the number and the record's channel bytes.
ChannelRow Renumbered(ChannelRow row, int channel);

// The record a programmed row would get from Update Rig when the radio holds nothing there:
// built from the zones; nothing while the zones cannot be written (no frequency, bad mode).
std::optional<MemoryRecord> RecordFromZones(const ChannelRow& row);

}  // namespace talvex::editor
