#pragma once

// A programmed channel line of a data file read as Update Rig writes it. Pure: a line in, its
// fields or why they cannot be written out.

#include "memory/channel_merge.h"

#include <QString>

#include <optional>

namespace talvex {

// The part of a channel line a refusal points at, so that a face can mark that very field.
enum class LinePart { Channel, Frequency, Mode, Filter, Label, Record, Outside };

// A programmed line's fields, or why the radio cannot take them and in which part.
struct ParsedLine {
    std::optional<ProgrammedLine> line;
    QString fault;
    LinePart part = LinePart::Frequency;
};

// The fields of `line` for `channel` (1-101), or the first one the radio cannot take, in the
// operator's words: a frequency of another shape or outside the radio's range, an empty or
// unknown mode or filter, a label with characters the radio cannot show. A seventh zone holding
// another channel's record (a line copied and renumbered by hand) is not taken as this channel's.
ParsedLine ParseProgrammedLine(const QString& line, int channel);

}  // namespace talvex
