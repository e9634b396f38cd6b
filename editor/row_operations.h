#pragma once

// The table's row commands as pure functions over the file's lines: a channel's place in the
// file (its slot) keeps its number, and what a command moves is the channel's contents, which
// take the number of the slot they land in, their whole-record zone included. Lines that are
// no channel, and channel lines past END, are never moved.

#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::editor {

// The rows of channel lines before END, in file order: the slotRows the commands fill.
std::vector<qsizetype> ChannelSlots(const QStringList& lines);

struct RowChange {
    QStringList lines;
    qsizetype row = -1;  // the row to show current afterwards
    QString report;      // what the operator should hear ("3 rows pasted; row 2 left out: ...")
};

// A blank channel at `row`; the contents of the slotRows from there move down one, into the first
// blank slot below, or past the last channel when there is none (numbered on, and checked).
RowChange InsertChannel(const QStringList& lines, qsizetype row);
// The channel lines of `rows` made blank: Update Rig will clear them.
RowChange ClearChannels(const QStringList& lines, const std::vector<qsizetype>& rows);
// The contents of the channel at `row` exchanged with the next channel above (-1) or below (+1).
RowChange MoveChannel(const QStringList& lines, qsizetype row, int direction);

enum class SortKey { Frequency, Label };
// The channels' contents sorted, into the slotRows in channel order; blank channels last.
RowChange SortChannels(const QStringList& lines, SortKey key);

// Channel lines (any numbers) into the slotRows from `row` on, renumbered to each slot; past the
// last slot new lines follow, up to channel 99. What is left out is reported.
RowChange PasteChannels(const QStringList& lines, qsizetype row, const QStringList& pasted, QStringList report = {});

}  // namespace talvex::editor
