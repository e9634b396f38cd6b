#pragma once

#include <QString>

namespace talvex::editor {

// The table's columns: the six zones of a channel line, then what only the whole-record zone
// holds, then the checks of the row and what the radio was found to hold.
enum class Column {
    Channel,
    Frequency,
    Mode,
    Filter,
    Select,
    Label,
    DataMode,
    ToneType,
    RepeaterTone,
    SquelchTone,
    Split,
    TxFrequency,
    TxMode,
    SelectGroup,
    Checks,
    Radio,  // what Compare with Radio or Write to Radio found for the line
};
inline constexpr int kColumnCount = static_cast<int>(Column::Radio) + 1;

// The heading of a column, and the sentence a screen reader gives for it.
QString ColumnTitle(Column column);
QString ColumnDescription(Column column);

// The columns only the whole-record zone holds.
inline bool IsRecordColumn(Column column) { return column >= Column::DataMode && column <= Column::SelectGroup; }

}  // namespace talvex::editor
