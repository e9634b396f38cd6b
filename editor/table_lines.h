#pragma once

// The editor's lines, and for each the channel its contents were read on. A channel line
// without a whole-record zone shows only the six zones; Update Rig keeps the rest (data mode,
// tones, split, select group) as the radio holds it for the channel the line names. Contents
// moved to another channel without their record would so take that channel's settings: the
// channel they were read on travels with them, so that the editor can say so, and fetch the
// record they belong with (Take Settings from the Radio).

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace talvex::editor {

struct TableLines {
    QStringList lines;
    // One a line: the channel the contents of a channel line were read on (or pasted for); 0
    // when that is unknown (rows pasted without a channel) and for lines that are no channel.
    std::vector<int> readOn;

    friend bool operator==(const TableLines&, const TableLines&) = default;
};

// Lines as read from a file: each channel line on its own channel.
TableLines TableOf(const QStringList& lines);

// The channel a row now stands on when its contents came from another one without their
// record: Update Rig would give them that channel's settings. Nothing for any other row.
std::optional<int> SettingsUnknownOn(const TableLines& table, qsizetype row);

// "settings unknown: Update Rig keeps channel 16's tones, data mode and split"
QString SettingsUnknownNote(int channel);
// The same for several channels at once, for the status line; "" for none.
QString SettingsUnknownSummary(const std::vector<int>& channels);

}  // namespace talvex::editor
