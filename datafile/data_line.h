#pragma once

#include <QString>

#include <initializer_list>
#include <variant>

namespace talvex {

// A data-file line has six print zones of 14 columns, starting at columns 1, 15, 29, 43, 57, 71.
inline constexpr int kZoneWidth = 14;
inline constexpr int kZoneCount = 6;

// A zone's field: text as it stands, or a number written with a blank for its sign before it
// and a blank after it (7 -> " 7 ").
using ZoneField = std::variant<QString, int>;

// One line: each field at the start of its zone, padded with blanks to the next zone; the last
// field is not padded. A field that runs into the next zone pushes the rest to the zone after it.
QString FormatDataLine(std::initializer_list<ZoneField> fields);

// Columns `first` to `last` (counted from 1); what lies beyond the line's end reads as nothing.
QString Columns(const QString& line, int first, int last);

}  // namespace talvex
