#pragma once

// The table's row commands as pure functions over the file's lines: a channel's place in the
// file (its slot) keeps its number, and what a command moves is the channel's contents, which
// take the number of the slot they land in, their whole-record zone included, and the channel
// they were read on along (see table_lines.h). Lines that are no channel, lines of the scan
// edges P1 and P2 (100, 101) or of no channel number, and channel lines past END, are never
// moved or filled.

#include "editor/table_lines.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::editor {

// The rows of the lines of channels 1-99 before END, in file order: the slots the commands fill.
std::vector<qsizetype> ChannelSlots(const QStringList& lines);

struct RowChange {
    TableLines table;
    qsizetype row = -1;  // the row to show current afterwards
    QString report;      // what the operator hears when it is done ("Moved channel 17 down to 18")
    QString redone;      // what a redo says after "Redid Move Down: " ("channel 17 down to 18")
    QString undone;      // what an undo says after "Undid Move Down: " ("channel 17 back to 17")
};

// A blank channel at `row`; the contents of the slots from there move down one, into the first
// blank slot below, or into a new line after the last channel when none is blank; nothing
// when that would be past channel 99.
RowChange InsertChannel(const TableLines& table, qsizetype row);
// The channel lines of `rows` made blank: Update Rig will clear them.
RowChange ClearChannels(const TableLines& table, const std::vector<qsizetype>& rows);
// The contents of the channel at `row` exchanged with the next channel above (-1) or below (+1).
RowChange MoveChannel(const TableLines& table, qsizetype row, int direction);

enum class SortKey { Frequency, Label };
// The channels' contents sorted, into the slotRows in channel order; blank channels last.
RowChange SortChannels(const TableLines& table, SortKey key);

// Channel lines into the table. A line naming a channel 1-99 goes to that channel (a line for it
// is added in channel order when the file has none); the others (numbered 0) go into the
// slotRows from `row` on, and past the last slot new lines follow, up to channel 99. The report
// names the channels pasted, the contents each one overwrote, and what was left out.
RowChange PasteChannels(const TableLines& table, qsizetype row, const QStringList& pasted, QStringList report = {});

}  // namespace talvex::editor
