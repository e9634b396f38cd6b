#pragma once

// A cell of the table read from its line, and a typed value put into a line. Pure: a line and
// a value in, the new line (or why it cannot take the value) out.

#include "editor/editor_columns.h"

#include <QString>

#include <optional>

namespace talvex::editor {

// What the cell shows; "" for cells a line of its kind does not have.
QString CellText(const QString& line, Column column);

// Whether a cell of this line takes typed values: channel lines only, and not the Checks.
bool IsEditableCell(const QString& line, Column column);

struct CellEdit {
    std::optional<QString> line;  // the new line; nothing when the value was refused
    QString refusal;              // why it was refused
    QString note;                 // what the operator should know of a value taken ("digits cut")
};

CellEdit EditCell(const QString& line, Column column, const QString& value);

// What Delete puts into a cell: its column's empty or off value ("" for a frequency, which
// clears the channel, a label, select and group; "off" for data mode and tone type; "No" for
// split). Nothing for a column that has none (a channel number, a mode, a filter, a tone), with
// why in `refusal`.
struct ClearedCell {
    std::optional<QString> value;
    QString refusal;
};
ClearedCell ClearedValue(Column column);

// The most characters a label takes: the radio's name length.
int LabelLength();

// The choices of the choice columns, in the order the lists offer them.
QStringList ModeChoices();
QStringList FilterChoices();
QStringList SelectChoices();
QStringList DataModeChoices();
QStringList ToneTypeChoices();
QStringList SplitChoices();
QStringList GroupChoices();
// The radio's 50 tones as the Tone columns show them ("67.0" ... "254.1").
QStringList ToneChoices();

}  // namespace talvex::editor
