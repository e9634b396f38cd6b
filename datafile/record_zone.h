#pragma once

// The seventh zone of a data-file line: the channel's whole 41-byte record as 82 hexadecimal
// digits from column 85. Backups carry it so that a restore gives back what the six visible
// zones cannot show (data mode, tones, the transmit side of a split channel, the select group,
// the 10 Hz and 1 Hz digits). View File and the zone readers never look past column 82.

#include "link/memory_record.h"

#include <QString>

#include <optional>

namespace talvex {

inline constexpr int kRecordZoneColumn = 85;

// The record of the zone, when the line carries exactly 82 hexadecimal digits there.
std::optional<MemoryRecord> RecordZoneOf(const QString& line);

// `line` (a channel line as Create File writes it) with `record` in the seventh zone.
QString WithRecordZone(const QString& line, const MemoryRecord& record);

}  // namespace talvex
