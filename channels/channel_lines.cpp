#include "channels/channel_lines.h"

#include "channels/record_fields.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"
#include "datafile/data_file_frame.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"

namespace talvex::channels {

namespace {

QString FrequencyZone(std::int64_t hz)
{
    const auto digit = [hz](std::int64_t unit) { return static_cast<int>(hz / unit % 10); };
    return FormatFrequency(digit(10'000'000) * 10 + digit(1'000'000), digit(100'000) * 10 + digit(10'000),
                           digit(1000) * 10 + digit(100));
}

}  // namespace

std::optional<LineFields> LineFieldsOf(const QString& line)
{
    if (KindOf(line) != LineKind::Channel)
        return std::nullopt;
    const auto channel = WholeNumberIn(ChannelTextOf(line).trimmed(), kRadio.firstChannel, kRadio.lastChannel);
    const auto digits = FrequencyDigitsOf(Columns(line, 15, 22));
    QString modeText = Columns(line, 29, 42);
    modeText.remove(u' ');
    const auto mode = ModeCode(modeText.isEmpty() ? QStringLiteral("AM") : modeText);
    const QString filterText = Columns(line, 47, 47).trimmed();
    const auto filter = WholeNumberIn(filterText, 1, kRadio.filters);
    const QString label = Columns(line, 71, 70 + kRadio.labelLength).leftJustified(kRadio.labelLength, u' ');
    if (!channel || !digits || !mode || (!filterText.isEmpty() && !filter) || !IsPrintableLabel(label))
        return std::nullopt;
    LineFields fields{*channel, digits->toLongLong() * 100, *mode, filter, Columns(line, 57, 57) == u"Y", label,
                      RecordZoneOf(line)};
    if (fields.record && fields.record->channelField() != ChannelBytesOf(*channel))
        fields.record.reset();  // a line copied and renumbered by hand: not this channel's record
    return fields;
}

LineFields LineFieldsOfRecord(int channel, const MemoryRecord& record)
{
    const std::int64_t hz = HzOfFrequencyBytes(record.frequency());
    return {channel, hz - hz % 100, record.mode(), record.filter(), record.select() != 0, record.label(), record};
}

bool ZonesShowRecord(const LineFields& fields)
{
    return fields.record && LineFieldsOfRecord(fields.channel, *fields.record) == fields;
}

QString LineOf(const LineFields& fields)
{
    const QString line = FormatDataLine(
        {fields.channel, FrequencyZone(fields.hz), ModeName(fields.mode),
         fields.filter ? QStringLiteral("Fil ") + QString::number(*fields.filter) : QString(),
         fields.selected ? QStringLiteral("Yes") : QStringLiteral("   "), fields.label});
    return fields.record ? WithRecordZone(line, *fields.record) : line;
}

QString BlankChannelLine(int channel)
{
    return FormatDataLine({channel, QString(), QString(), QString(), QString(), QString()});
}

QStringList DataFileLines(const QString& title, const std::map<int, QString>& channelLines, bool full)
{
    QStringList lines = DataFileHead(title);
    for (int channel = kRadio.firstChannel; channel <= kRadio.lastChannel; ++channel) {
        const auto found = channelLines.find(channel);
        if (found != channelLines.end())
            lines << found->second;
        else if (full)
            lines << BlankChannelLine(channel);
    }
    return lines + DataFileTail();
}

}  // namespace talvex::channels
