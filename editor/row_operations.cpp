#include "editor/row_operations.h"

#include "editor/editor_row.h"
#include "editor/frequency_entry.h"
#include "link/radio_model.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace talvex::editor {

namespace {

// The slot at or after `row`; the end of `slotRows` when none.
std::size_t SlotFrom(const std::vector<qsizetype>& slotRows, qsizetype row)
{
    return static_cast<std::size_t>(std::lower_bound(slotRows.begin(), slotRows.end(), row) - slotRows.begin());
}

int NumberOfSlot(const QStringList& lines, qsizetype at)
{
    return ChannelNumberOf(ChannelRowOf(lines[at])).value_or(0);
}

// `row`'s contents written into the slot at `at`, taking that slot's number.
void PutInto(QStringList& lines, qsizetype at, const ChannelRow& row)
{
    const QString line = LineOfRow(Renumbered(row, NumberOfSlot(lines, at)));
    // Contents that land where they were stay byte for byte.
    if (line != LineOfRow(ChannelRowOf(lines[at])))
        lines[at] = line;
}

ChannelRow BlankRow(int channel)
{
    ChannelRow row;
    row.channel = QString::number(channel);
    return row;
}

// A new channel line after the last slot, numbered after it.
qsizetype AppendSlot(QStringList& lines, std::vector<qsizetype>& slotRows)
{
    const qsizetype after = slotRows.empty() ? 0 : slotRows.back() + 1;
    const int number = slotRows.empty() ? kRadio.firstChannel : NumberOfSlot(lines, slotRows.back()) + 1;
    lines.insert(after, LineOfRow(BlankRow(number)));
    slotRows.push_back(after);
    return after;
}

}  // namespace

std::vector<qsizetype> ChannelSlots(const QStringList& lines)
{
    std::vector<qsizetype> slotRows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const RowKind kind = RowKindOf(lines[i]);
        if (kind == RowKind::End)
            break;
        if (kind == RowKind::Channel)
            slotRows.push_back(i);
    }
    return slotRows;
}

RowChange InsertChannel(const QStringList& lines, qsizetype row)
{
    RowChange change{lines, row, {}};
    auto slotRows = ChannelSlots(lines);
    const std::size_t first = SlotFrom(slotRows, row);
    std::size_t free = first;
    while (free < slotRows.size() && !ChannelRowOf(lines[slotRows[free]]).isBlank())
        ++free;
    if (free == slotRows.size()) {
        const int number = NumberOfSlot(change.lines, AppendSlot(change.lines, slotRows));
        if (number > kRadio.lastChannel)
            change.report = QStringLiteral("no blank channel below: the last channel moves to ") + QString::number(number)
                + QStringLiteral(" and Update Rig will skip it");
    }
    for (std::size_t i = free; i > first; --i)
        PutInto(change.lines, slotRows[i], ChannelRowOf(change.lines[slotRows[i - 1]]));
    if (first < slotRows.size()) {
        change.lines[slotRows[first]] = LineOfRow(BlankRow(NumberOfSlot(change.lines, slotRows[first])));
        change.row = slotRows[first];
    }
    return change;
}

RowChange ClearChannels(const QStringList& lines, const std::vector<qsizetype>& rows)
{
    RowChange change{lines, rows.empty() ? -1 : rows.front(), {}};
    int cleared = 0;
    for (const qsizetype row : rows) {
        if (row < 0 || row >= lines.size() || RowKindOf(lines[row]) != RowKind::Channel)
            continue;
        const ChannelRow was = ChannelRowOf(lines[row]);
        if (was.isBlank())
            continue;
        ChannelRow blank;
        blank.channel = was.channel;
        change.lines[row] = LineOfRow(blank);
        ++cleared;
    }
    change.report = QString::number(cleared) + (cleared == 1 ? QStringLiteral(" channel") : QStringLiteral(" channels"))
        + QStringLiteral(" cleared: Update Rig will clear them in the radio");
    return change;
}

RowChange MoveChannel(const QStringList& lines, qsizetype row, int direction)
{
    RowChange change{lines, row, {}};
    const auto slotRows = ChannelSlots(lines);
    const auto here = std::find(slotRows.begin(), slotRows.end(), row);
    if (here == slotRows.end())
        return change;
    const auto index = here - slotRows.begin();
    const auto other = index + direction;
    if (other < 0 || other >= static_cast<qsizetype>(slotRows.size()))
        return change;
    const qsizetype there = slotRows[static_cast<std::size_t>(other)];
    const ChannelRow mine = ChannelRowOf(lines[row]);
    const ChannelRow theirs = ChannelRowOf(lines[there]);
    PutInto(change.lines, there, mine);
    PutInto(change.lines, row, theirs);
    change.row = there;
    return change;
}

RowChange SortChannels(const QStringList& lines, SortKey key)
{
    RowChange change{lines, -1, {}};
    const auto slotRows = ChannelSlots(lines);
    std::vector<ChannelRow> rows;
    for (const qsizetype at : slotRows)
        rows.push_back(ChannelRowOf(lines[at]));
    // Blank channels last; a frequency the zone cannot show after every readable one.
    const auto sortKey = [key](const ChannelRow& row) {
        const std::int64_t hz = HzOfZone(row.frequency).value_or(std::numeric_limits<std::int64_t>::max());
        return std::tuple(row.isBlank(), key == SortKey::Label ? row.label.trimmed().toUpper() : QString(), hz);
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&sortKey](const ChannelRow& a, const ChannelRow& b) { return sortKey(a) < sortKey(b); });
    for (std::size_t i = 0; i < slotRows.size(); ++i)
        PutInto(change.lines, slotRows[i], rows[i]);
    change.row = slotRows.empty() ? -1 : slotRows.front();
    return change;
}

RowChange PasteChannels(const QStringList& lines, qsizetype row, const QStringList& pasted, QStringList report)
{
    RowChange change{lines, row, {}};
    auto slotRows = ChannelSlots(lines);
    std::size_t slot = SlotFrom(slotRows, row);
    int put = 0;
    qsizetype leftOut = 0;
    for (const QString& line : pasted) {
        if (RowKindOf(line) != RowKind::Channel)
            continue;
        if (slot == slotRows.size()) {
            if (!slotRows.empty() && NumberOfSlot(change.lines, slotRows.back()) >= kRadio.lastChannel) {
                ++leftOut;
                continue;
            }
            AppendSlot(change.lines, slotRows);
        }
        if (put == 0)
            change.row = slotRows[slot];
        PutInto(change.lines, slotRows[slot++], ChannelRowOf(line));
        ++put;
    }
    QString text = QString::number(put) + (put == 1 ? QStringLiteral(" row pasted") : QStringLiteral(" rows pasted"));
    if (leftOut > 0)
        report << QString::number(leftOut) + QStringLiteral(" rows left out: there is no channel after 99");
    if (!report.isEmpty())
        text += QStringLiteral("; ") + report.join(QStringLiteral("; "));
    change.report = text;
    return change;
}

}  // namespace talvex::editor
