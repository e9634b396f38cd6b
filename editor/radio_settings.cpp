#include "editor/radio_settings.h"

#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "memory/programmed_line.h"

#include <algorithm>

namespace talvex::editor {

namespace {

// A row that may take a record: its channel, and the one whose record it stands for.
struct Taker {
    int channel = 0;
    int readOn = 0;
};

std::optional<Taker> TakerAt(const TableLines& table, qsizetype row)
{
    const ChannelRow contents = ChannelRowOf(table.lines[row]);
    const auto channel = MemoryChannelOf(contents);
    if (contents.isBlank() || contents.record || !channel)
        return std::nullopt;
    const int readOn = table.readOn[static_cast<std::size_t>(row)];
    return Taker{*channel, readOn != 0 ? readOn : *channel};
}

// Every row of the table before END that may take a record.
std::vector<std::pair<qsizetype, Taker>> Takers(const TableLines& table)
{
    std::vector<std::pair<qsizetype, Taker>> takers;
    for (qsizetype row = 0; row < table.lines.size(); ++row) {
        const RowKind kind = RowKindOf(table.lines[row]);
        if (kind == RowKind::End)
            break;
        if (kind != RowKind::Channel)
            continue;
        if (const auto taker = TakerAt(table, row))
            takers.push_back({row, *taker});
    }
    return takers;
}

// The zones that show something else than `record`, by name.
QStringList Differing(const VisibleFields& shown, const MemoryRecord& record)
{
    const VisibleFields held = record.visible();
    QStringList fields;
    if (shown.frequency != held.frequency)
        fields << QStringLiteral("frequency");
    if (shown.mode != held.mode)
        fields << QStringLiteral("mode");
    if (shown.filter != held.filter)
        fields << QStringLiteral("filter");
    if (shown.label != held.label)
        fields << QStringLiteral("label");
    if (shown.selected != held.selected)
        fields << QStringLiteral("select");
    return fields;
}

}  // namespace

std::vector<int> ChannelsForSettings(const TableLines& table)
{
    std::vector<int> channels;
    for (const auto& [row, taker] : Takers(table))
        channels.push_back(taker.readOn);
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

QStringList LinesToRead(const std::vector<int>& channels)
{
    QStringList lines;
    for (const int channel : channels) {
        ChannelRow blank;
        blank.channel = QString::number(channel);
        lines << LineOfRow(blank);
    }
    return lines;
}

SettingsTaken TakeSettings(const TableLines& table, const HeldRecords& held)
{
    SettingsTaken result{table, {}, {}};
    for (const auto& [row, taker] : Takers(table)) {
        // "channel 16 (frequency, mode)"; "channel 16 (read on 17: frequency)" for moved contents.
        const auto disagree = [&result, &taker](const QString& why) {
            result.disagreed << QStringLiteral("channel ") + QString::number(taker.channel) + QStringLiteral(" (")
                    + (taker.readOn == taker.channel ? QString()
                                                     : QStringLiteral("read on ") + QString::number(taker.readOn) + QStringLiteral(": "))
                    + why + u')';
        };
        const RadioHeld radio = held(taker.readOn);
        if (!radio || !*radio) {
            disagree(radio ? QStringLiteral("the radio holds nothing there") : QStringLiteral("not read"));
            continue;
        }
        const ParsedLine parsed = ParseProgrammedLine(table.lines[row], taker.channel);
        const QStringList differing = parsed.line ? Differing(parsed.line->fields, **radio)
                                                  : QStringList{parsed.fault + QStringLiteral(" cannot be written")};
        if (!differing.isEmpty()) {
            disagree(differing.join(QStringLiteral(", ")));
            continue;
        }
        ChannelRow contents = ChannelRowOf(table.lines[row]);
        contents.record = **radio;
        result.table.lines[row] = LineOfRow(Renumbered(contents, taker.channel));
        result.table.readOn[static_cast<std::size_t>(row)] = taker.channel;
        result.taken.push_back(taker.channel);
    }
    return result;
}

}  // namespace talvex::editor
