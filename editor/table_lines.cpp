#include "editor/table_lines.h"

#include "editor/editor_row.h"

namespace talvex::editor {

TableLines TableOf(const QStringList& lines)
{
    TableLines table{lines, {}};
    table.readOn.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        table.readOn.push_back(RowKindOf(line) == RowKind::Channel ? MemoryChannelOf(ChannelRowOf(line)).value_or(0) : 0);
    return table;
}

std::optional<int> SettingsUnknownOn(const TableLines& table, qsizetype row)
{
    const QString& line = table.lines[row];
    if (RowKindOf(line) != RowKind::Channel)
        return std::nullopt;
    const ChannelRow contents = ChannelRowOf(line);
    // A blank channel has no settings, and a record carries its own.
    if (contents.isBlank() || contents.record)
        return std::nullopt;
    const int readOn = table.readOn[static_cast<std::size_t>(row)];
    const auto channel = MemoryChannelOf(contents);
    if (!channel || readOn == 0 || readOn == *channel)
        return std::nullopt;
    return channel;
}

QString SettingsUnknownNote(int channel)
{
    return QStringLiteral("settings unknown: Update Rig keeps channel ") + QString::number(channel)
        + QStringLiteral("'s tones, data mode and split");
}

QString SettingsUnknownSummary(const std::vector<int>& channels)
{
    if (channels.empty())
        return {};
    if (channels.size() == 1)
        return SettingsUnknownNote(channels.front());
    constexpr std::size_t kNamed = 8;
    QStringList named;
    for (std::size_t i = 0; i < channels.size() && i < kNamed; ++i)
        named << QString::number(channels[i]);
    if (channels.size() > kNamed)
        named << QStringLiteral("and ") + QString::number(channels.size() - kNamed) + QStringLiteral(" more");
    return QStringLiteral("settings unknown on channels ") + named.join(QStringLiteral(", "))
        + QStringLiteral(": Update Rig keeps each channel's own tones, data mode and split (Take Settings from the Radio "
                         "brings each row's own)");
}

}  // namespace talvex::editor
