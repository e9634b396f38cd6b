#include "editor/editor_row.h"

#include "channels/record_fields.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "editor/frequency_entry.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

namespace talvex::editor {

RowKind RowKindOf(const QString& line)
{
    switch (KindOf(line)) {
    case LineKind::End: return RowKind::End;
    case LineKind::Comment: return RowKind::Comment;
    case LineKind::Blank: return RowKind::Blank;
    case LineKind::Channel: break;
    }
    // The heading reads as a channel line to Update Rig, which then finds no channel in it.
    return Columns(line, 1, 14).trimmed() == u"Ch#" ? RowKind::Heading : RowKind::Channel;
}

bool ChannelRow::isBlank() const { return IsEmptyFrequency(frequency); }

ChannelRow ChannelRowOf(const QString& line)
{
    ChannelRow row;
    row.channel = ChannelTextOf(line).trimmed();
    row.frequency = WithoutBlanks(Columns(line, 15, 28));
    row.mode = WithoutBlanks(Columns(line, 29, 42));
    row.filter = Columns(line, 47, 47).trimmed();
    row.selected = Columns(line, 57, 57) == u"Y";
    row.label = Columns(line, 71, 80);
    row.record = RecordZoneOf(line);
    return row;
}

QString LineOfRow(const ChannelRow& row)
{
    const auto number = ChannelNumberOf(row);
    const ZoneField channel = number ? ZoneField(*number) : ZoneField(u' ' + row.channel);
    if (row.isBlank())
        return FormatDataLine({channel, QString(), QString(), QString(), QString(), QString()});
    const QString line = FormatDataLine(
        {channel, row.frequency, row.mode, row.filter.isEmpty() ? QString() : QStringLiteral("Fil ") + row.filter,
         row.selected ? QStringLiteral("Yes") : QStringLiteral("   "), row.label.leftJustified(record::kNameSize, u' ')});
    return row.record ? WithRecordZone(line, *row.record) : line;
}

std::optional<int> ChannelNumberOf(const ChannelRow& row) { return WholeNumberIn(row.channel, 0, 999); }

std::optional<int> MemoryChannelOf(const ChannelRow& row)
{
    return WholeNumberIn(row.channel, kRadio.firstChannel, kRadio.lastChannel);
}

ChannelRow Renumbered(ChannelRow row, int channel)
{
    row.channel = QString::number(channel);
    if (row.record)
        row.record->setChannelField(channels::ChannelBytesOf(channel));
    return row;
}

std::optional<MemoryRecord> RecordFromZones(const ChannelRow& row)
{
    const auto channel = ChannelNumberOf(row);
    const auto hz = HzOfZone(row.frequency);
    const auto mode = ModeCode(row.mode.isEmpty() ? QStringLiteral("AM") : row.mode);
    const auto filter = row.filter.isEmpty() ? std::optional<int>(2) : WholeNumberIn(row.filter, 1, kRadio.filters);
    if (!channel || !hz || !mode || !filter)
        return std::nullopt;
    const VisibleFields fields{channels::FrequencyBytesOf(*hz), *mode, *filter, row.selected,
                               row.label.leftJustified(record::kNameSize, u' ', true)};
    return BlankChannelRecord(channels::ChannelBytesOf(*channel), fields);
}

}  // namespace talvex::editor
