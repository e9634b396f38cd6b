#pragma once

// One CHIRP row made into one data-file channel line, with every change the radio forces
// named. The rules in one place: the CSV import and the schedule import both come here.

#include "channels/chirp_columns.h"

#include <QStringList>

#include <optional>

namespace talvex::channels {

struct RowLine {
    std::optional<QString> line;  // nothing: the row is left out, `changes` says why
    QStringList changes;
};

// `row` (every column, empty where the file has none) for channel `channel` 1-99.
//  - A row that says exactly what a line says (as exported: its zones, its record) gives back
//    that very line.
//  - Otherwise its record (the IC7300Record column, or the record a memory write gives a new
//    channel) with the row's fields written into it; the seventh zone is added when the row
//    carried a record or when tones, split, data mode, 1 Hz digits or a select group other
//    than 1 must survive.
RowLine LineOfRow(const ChirpRow& row, int channel);

}  // namespace talvex::channels
