#pragma once

// A programmed channel line of a data file read as Update Rig writes it. Pure: a line in, its
// fields or why they cannot be written out.

#include "memory/channel_merge.h"

#include <QString>

#include <optional>

namespace talvex {

// A programmed line's fields, or the field that cannot be written ("mode \"XYZ\"").
struct ParsedLine {
    std::optional<ProgrammedLine> line;
    QString fault;
};

// The fields of `line` for `channel` (1-101). An empty filter zone is filter 2 and an empty mode
// zone AM, as the memory write has always taken them. A seventh zone holding another channel's
// record (a line copied and renumbered by hand) is not taken as this channel's.
ParsedLine ParseProgrammedLine(const QString& line, int channel);

}  // namespace talvex
