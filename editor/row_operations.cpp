#include "editor/row_operations.h"

#include "editor/editor_row.h"
#include "editor/frequency_entry.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

namespace talvex::editor {

namespace {

// What a slot holds, and the channel it was read on.
struct Contents {
    ChannelRow row;
    int readOn = 0;
};

std::size_t At(qsizetype row) { return static_cast<std::size_t>(row); }

// The slot at or after `row`; the end of `slotRows` when none.
std::size_t SlotFrom(const std::vector<qsizetype>& slotRows, qsizetype row)
{
    return static_cast<std::size_t>(std::lower_bound(slotRows.begin(), slotRows.end(), row) - slotRows.begin());
}

int NumberOfSlot(const QStringList& lines, qsizetype at)
{
    return ChannelNumberOf(ChannelRowOf(lines[at])).value_or(0);
}

Contents ContentsAt(const TableLines& table, qsizetype at) { return {ChannelRowOf(table.lines[at]), table.readOn[At(at)]}; }

// `contents` written into the slot at `at`, taking that slot's number.
void PutInto(TableLines& table, qsizetype at, const Contents& contents)
{
    const int number = NumberOfSlot(table.lines, at);
    const QString line = LineOfRow(Renumbered(contents.row, number));
    // Contents that land where they were stay byte for byte.
    if (line != LineOfRow(ChannelRowOf(table.lines[at])))
        table.lines[at] = line;
    // Blank contents have no settings, and a record carries its own: either stands for the
    // channel it lands on. Other contents keep standing for the channel they were read on.
    table.readOn[At(at)] = contents.row.isBlank() || contents.row.record ? number : contents.readOn;
}

ChannelRow BlankRow(int channel)
{
    ChannelRow row;
    row.channel = QString::number(channel);
    return row;
}

void InsertBlank(TableLines& table, qsizetype at, int channel)
{
    table.lines.insert(at, LineOfRow(BlankRow(channel)));
    table.readOn.insert(table.readOn.begin() + at, channel);
}

// A new channel line after the last slot, numbered after it.
qsizetype AppendSlot(TableLines& table, std::vector<qsizetype>& slotRows)
{
    const qsizetype after = slotRows.empty() ? 0 : slotRows.back() + 1;
    const int number = slotRows.empty() ? kRadio.firstChannel : NumberOfSlot(table.lines, slotRows.back()) + 1;
    InsertBlank(table, after, number);
    slotRows.push_back(after);
    return after;
}

// The slot of `channel`; a blank line for it is added first when the file has none, after the
// last slot numbered below it (before the first slot when none is), so the file stays in
// channel order. `cursor` follows the lines it stood on.
qsizetype SlotOfChannel(TableLines& table, int channel, qsizetype& cursor)
{
    const auto slotRows = ChannelSlots(table.lines);
    qsizetype at = -1;
    for (const qsizetype slot : slotRows) {
        const int number = NumberOfSlot(table.lines, slot);
        if (number == channel)
            return slot;
        if (number < channel)
            at = slot + 1;
    }
    if (at < 0)
        at = slotRows.empty() ? 0 : slotRows.front();
    InsertBlank(table, at, channel);
    if (cursor >= at)
        ++cursor;
    return at;
}

// "channel 22", "channels 22 (overwrote \"OLD NAME\"), 23, 24", "channels 1-40": each channel
// with what is to be said of it, runs of three and more without a word as a range.
QString ChannelsText(const std::map<int, QString>& channels)
{
    QStringList parts;
    for (auto i = channels.begin(); i != channels.end();) {
        auto run = i;
        while (std::next(run) != channels.end() && std::next(run)->first == run->first + 1 && run->second.isEmpty()
               && std::next(run)->second.isEmpty())
            ++run;
        if (run->first - i->first >= 2) {
            parts << QString::number(i->first) + u'-' + QString::number(run->first);
            i = std::next(run);
            continue;
        }
        parts << QString::number(i->first) + (i->second.isEmpty() ? QString() : QStringLiteral(" (") + i->second + u')');
        ++i;
    }
    return (channels.size() == 1 ? QStringLiteral("channel ") : QStringLiteral("channels ")) + parts.join(QStringLiteral(", "));
}

// "channel 5 as it was", "channels 22-24 as they were".
QString AsTheyWere(const std::map<int, QString>& channels)
{
    std::map<int, QString> plain;
    for (const auto& [number, said] : channels)
        plain[number] = QString();
    return ChannelsText(plain) + (channels.size() == 1 ? QStringLiteral(" as it was") : QStringLiteral(" as they were"));
}

// How a channel's contents are named when they are overwritten: by their label, else their frequency.
QString ContentsName(const ChannelRow& row)
{
    const QString label = row.label.trimmed();
    return label.isEmpty() ? row.frequency : u'"' + label + u'"';
}

QString Rows(qsizetype count) { return QString::number(count) + (count == 1 ? QStringLiteral(" row") : QStringLiteral(" rows")); }

}  // namespace

std::vector<qsizetype> ChannelSlots(const QStringList& lines)
{
    std::vector<qsizetype> slotRows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const RowKind kind = RowKindOf(lines[i]);
        if (kind == RowKind::End)
            break;
        // The scan edges P1 and P2 (100, 101) are no slot: contents moved there would take
        // their channel bytes, and Update Rig writes a record naming a scan edge into it.
        if (kind == RowKind::Channel && MemoryChannelOf(ChannelRowOf(lines[i])))
            slotRows.push_back(i);
    }
    return slotRows;
}

RowChange InsertChannel(const TableLines& table, qsizetype row)
{
    RowChange change{table, row, {}, {}, {}};
    auto slotRows = ChannelSlots(table.lines);
    const std::size_t first = SlotFrom(slotRows, row);
    std::size_t free = first;
    while (free < slotRows.size() && !ChannelRowOf(table.lines[slotRows[free]]).isBlank())
        ++free;
    if (free == slotRows.size()) {
        // No blank channel below: a new line after the last one, unless that would be past the last channel.
        if (!slotRows.empty() && NumberOfSlot(table.lines, slotRows.back()) >= kRadio.lastChannel) {
            change.report = QStringLiteral("Nothing inserted: no channel below is blank, and there is no channel after ")
                + QString::number(kRadio.lastChannel) + QStringLiteral(" to move the last one to; clear one first");
            return change;
        }
        AppendSlot(change.table, slotRows);
    }
    for (std::size_t i = free; i > first; --i)
        PutInto(change.table, slotRows[i], ContentsAt(change.table, slotRows[i - 1]));
    const int at = NumberOfSlot(change.table.lines, slotRows[first]);
    change.table.lines[slotRows[first]] = LineOfRow(BlankRow(at));
    change.table.readOn[At(slotRows[first])] = at;
    change.row = slotRows[first];
    const QString moved = free == first ? QString()
        : free == first + 1             ? QStringLiteral(", channel ") + QString::number(at) + QStringLiteral(" moved down one")
                                        : QStringLiteral(", channels ") + QString::number(at) + u'-'
                + QString::number(NumberOfSlot(change.table.lines, slotRows[free - 1])) + QStringLiteral(" moved down one");
    change.redone = QStringLiteral("a blank channel at ") + QString::number(at) + moved;
    change.report = QStringLiteral("Inserted ") + change.redone;
    change.undone = QStringLiteral("channel ") + QString::number(at) + QStringLiteral(" and those below as they were");
    return change;
}

RowChange ClearChannels(const TableLines& table, const std::vector<qsizetype>& rows)
{
    RowChange change{table, rows.empty() ? -1 : rows.front(), {}, {}, {}};
    std::map<int, QString> cleared;
    for (const qsizetype row : rows) {
        if (row < 0 || row >= table.lines.size() || RowKindOf(table.lines[row]) != RowKind::Channel)
            continue;
        const ChannelRow was = ChannelRowOf(table.lines[row]);
        if (was.isBlank())
            continue;
        ChannelRow blank;
        blank.channel = was.channel;
        change.table.lines[row] = LineOfRow(blank);
        change.table.readOn[At(row)] = ChannelNumberOf(was).value_or(0);
        cleared[ChannelNumberOf(was).value_or(0)] = QString();
    }
    if (cleared.empty()) {
        change.report = QStringLiteral("Nothing cleared: the chosen channels are blank already");
        return change;
    }
    change.redone = ChannelsText(cleared)
        + (cleared.size() == 1 ? QStringLiteral(" cleared: Update Rig will clear it in the radio")
                               : QStringLiteral(" cleared: Update Rig will clear them in the radio"));
    change.report = change.redone;
    change.report[0] = change.report[0].toUpper();
    change.undone = AsTheyWere(cleared);
    return change;
}

RowChange MoveChannel(const TableLines& table, qsizetype row, int direction)
{
    RowChange change{table, row, {}, {}, {}};
    const auto slotRows = ChannelSlots(table.lines);
    const auto here = std::find(slotRows.begin(), slotRows.end(), row);
    if (here == slotRows.end()) {
        change.report = QStringLiteral("Only the lines of channels ") + ChannelRangeText() + QStringLiteral(" before END move");
        return change;
    }
    const auto other = (here - slotRows.begin()) + direction;
    const QString channel = QString::number(NumberOfSlot(table.lines, row));
    if (other < 0 || other >= static_cast<qsizetype>(slotRows.size())) {
        change.report = QStringLiteral("Channel ") + channel
            + (direction < 0 ? QStringLiteral(" is the first: nothing above to move it to")
                             : QStringLiteral(" is the last: nothing below to move it to"));
        return change;
    }
    const qsizetype there = slotRows[static_cast<std::size_t>(other)];
    const Contents mine = ContentsAt(table, row);
    const Contents theirs = ContentsAt(table, there);
    PutInto(change.table, there, mine);
    PutInto(change.table, row, theirs);
    change.row = there;
    change.redone = QStringLiteral("channel ") + channel + (direction < 0 ? QStringLiteral(" up to ") : QStringLiteral(" down to "))
        + QString::number(NumberOfSlot(table.lines, there));
    change.report = QStringLiteral("Moved ") + change.redone;
    change.undone = QStringLiteral("channel ") + channel + QStringLiteral(" back to ") + channel;
    return change;
}

RowChange SortChannels(const TableLines& table, SortKey key)
{
    RowChange change{table, -1, {}, {}, {}};
    const auto slotRows = ChannelSlots(table.lines);
    std::vector<Contents> contents;
    for (const qsizetype at : slotRows)
        contents.push_back(ContentsAt(table, at));
    // Blank channels last; a frequency the zone cannot show after every readable one.
    const auto sortKey = [key](const Contents& c) {
        const std::int64_t hz = HzOfZone(c.row.frequency).value_or(std::numeric_limits<std::int64_t>::max());
        return std::tuple(c.row.isBlank(), key == SortKey::Label ? c.row.label.trimmed().toUpper() : QString(), hz);
    };
    std::stable_sort(contents.begin(), contents.end(),
                     [&sortKey](const Contents& a, const Contents& b) { return sortKey(a) < sortKey(b); });
    for (std::size_t i = 0; i < slotRows.size(); ++i)
        PutInto(change.table, slotRows[i], contents[i]);
    change.row = slotRows.empty() ? -1 : slotRows.front();
    const auto sorted = std::count_if(contents.begin(), contents.end(), [](const Contents& c) { return !c.row.isBlank(); });
    change.redone = QString::number(sorted) + (sorted == 1 ? QStringLiteral(" channel") : QStringLiteral(" channels"))
        + (key == SortKey::Label ? QStringLiteral(" by label") : QStringLiteral(" by frequency"));
    change.report = QStringLiteral("Sorted ") + change.redone
        + (change.table.lines == table.lines ? QStringLiteral(": they were in that order already") : QString());
    change.undone = QString::number(sorted) + QStringLiteral(" channels back in their places");
    return change;
}

RowChange PasteChannels(const TableLines& table, qsizetype row, const QStringList& pasted, QStringList report)
{
    RowChange change{table, row, {}, {}, {}};
    // What each channel held before the paste, to name what it overwrites.
    std::map<int, ChannelRow> before;
    for (const qsizetype at : ChannelSlots(table.lines)) {
        const ChannelRow held = ChannelRowOf(table.lines[at]);
        before.try_emplace(NumberOfSlot(table.lines, at), held);
    }
    // Rows that name their channel go there; lines the file lacks for them are added first, so
    // that the rows without one then fill the slots from the cursor on as they stand.
    qsizetype cursor = row;
    std::vector<Contents> rows;
    for (const QString& line : pasted) {
        if (RowKindOf(line) != RowKind::Channel)
            continue;
        const ChannelRow contents = ChannelRowOf(line);
        const auto own = MemoryChannelOf(contents);
        rows.push_back({contents, own.value_or(0)});
        if (own)
            SlotOfChannel(change.table, *own, cursor);
    }
    auto slotRows = ChannelSlots(change.table.lines);
    std::size_t slot = SlotFrom(slotRows, cursor);
    qsizetype leftOut = 0;
    std::map<int, QString> channels;
    for (const Contents& contents : rows) {
        qsizetype at = 0;
        if (contents.readOn != 0) {
            at = SlotOfChannel(change.table, contents.readOn, cursor);
        } else {
            if (slot == slotRows.size()) {
                if (!slotRows.empty() && NumberOfSlot(change.table.lines, slotRows.back()) >= kRadio.lastChannel) {
                    ++leftOut;
                    continue;
                }
                AppendSlot(change.table, slotRows);
            }
            at = slotRows[slot++];
        }
        const int number = NumberOfSlot(change.table.lines, at);
        const QString was = change.table.lines[at];
        PutInto(change.table, at, contents);
        const bool first = !channels.contains(number);
        QString& said = channels[number];
        // The contents the operator had are named once, when the paste changed them.
        if (const auto held = before.find(number);
            first && held != before.end() && !held->second.isBlank() && change.table.lines[at] != was)
            said = QStringLiteral("overwrote ") + ContentsName(held->second);
        if (channels.size() == 1 && first)
            change.row = at;
    }
    const auto put = static_cast<qsizetype>(rows.size()) - leftOut;
    if (leftOut > 0)
        report << Rows(leftOut) + QStringLiteral(" left out: there is no channel after ")
                + QString::number(kRadio.lastChannel);
    change.redone = put == 0 ? QStringLiteral("nothing pasted") : Rows(put) + QStringLiteral(": ") + ChannelsText(channels);
    change.report = put == 0 ? QStringLiteral("Nothing pasted") : QStringLiteral("Pasted ") + change.redone;
    if (!report.isEmpty())
        change.report += QStringLiteral("; ") + report.join(QStringLiteral("; "));
    change.undone = AsTheyWere(channels);
    return change;
}

}  // namespace talvex::editor
