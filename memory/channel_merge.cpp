#include "memory/channel_merge.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

namespace talvex {

namespace {

int Digits(const QByteArray& bytes, int index) { return BcdToDecimal(static_cast<std::uint8_t>(bytes[index])); }

// A group the radio already has stays; a channel newly marked joins group 1.
int SelectGroup(bool selected, int held)
{
    if (!selected)
        return 0;
    return held >= 1 && held <= kRadio.selectGroups ? held : 1;
}

}  // namespace

QString FrequencyTextOf(const QByteArray& fiveBytes)
{
    return FormatFrequency(Digits(fiveBytes, 3), Digits(fiveBytes, 2), Digits(fiveBytes, 1));
}

bool ZonesShowRecord(const VisibleFields& fields, const MemoryRecord& record)
{
    const VisibleFields shown = record.visible();
    return shown.frequency == fields.frequency && shown.mode == fields.mode && shown.filter == fields.filter
        && shown.selected == fields.selected && shown.label == fields.label;
}

MergedChannel MergeChannel(const ProgrammedLine& line, const std::optional<MemoryRecord>& held)
{
    if (line.record && ZonesShowRecord(line.fields, *line.record))
        return {*line.record, {}};
    const std::optional<MemoryRecord> base = line.record ? line.record : held;
    if (!base)
        return {BlankChannelRecord(line.channelField, line.fields), {}};

    MergedChannel merged{*base, {}};
    MemoryRecord& record = merged.record;
    record.setChannelField(line.channelField);
    // A frequency the file shows unchanged keeps the radio's 10 Hz and 1 Hz digits.
    if (line.fields.frequency != base->frequencyTo100Hz())
        record.setFrequency(line.fields.frequency);
    record.setMode(line.fields.mode);
    record.setFilter(line.fields.filter);
    record.setLabel(line.fields.label);
    record.setSelect(SelectGroup(line.fields.selected, base->select()));
    if (base->dataMode() != 0 && !ModeCarriesData(line.fields.mode)) {
        record.clearDataMode();
        merged.notes << QStringLiteral("data mode cleared: ") + ModeName(line.fields.mode)
                + QStringLiteral(" cannot carry it");
    }
    if (!base->isSplit()) {
        record.copyFirstSetToSecond();
    } else if (record.frequency() != base->frequency()) {
        merged.notes << QStringLiteral("split kept, transmit ") + FrequencyTextOf(record.secondFrequency());
    }
    return merged;
}

}  // namespace talvex
