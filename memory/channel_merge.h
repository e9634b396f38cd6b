#pragma once

// What Update Rig writes for a programmed data-file line: the record the radio holds for the
// channel, with only what the line shows put in. Pure: records and fields in, a record and the
// decisions the operator must hear about out.

#include "link/memory_record.h"

#include <QStringList>

#include <optional>

namespace talvex {

// A programmed channel line as Update Rig reads it.
struct ProgrammedLine {
    QByteArray channelField;             // the two channel bytes
    VisibleFields fields;                // frequency to 100 Hz, mode, filter, select yes/no, label
    std::optional<MemoryRecord> record;  // its seventh zone, when it holds a record of this channel
};

struct MergedChannel {
    MemoryRecord record;
    QStringList notes;  // "split kept, transmit 14.230.0", "data mode cleared: CW cannot carry it"
};

// The line's record written as it stands when the visible zones still show exactly it (the
// operator did not edit the line); otherwise the line's fields merged into that record, or into
// `held` (what the radio holds; nothing for a blank channel), or a new record when neither is.
MergedChannel MergeChannel(const ProgrammedLine& line, const std::optional<MemoryRecord>& held);

// The visible zones show what `record` holds.
bool ZonesShowRecord(const VisibleFields& fields, const MemoryRecord& record);

// "14.230.0" for five frequency bytes.
QString FrequencyTextOf(const QByteArray& fiveBytes);

}  // namespace talvex
