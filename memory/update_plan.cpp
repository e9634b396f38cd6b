#include "memory/update_plan.h"

#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"
#include "memory/programmed_line.h"

#include <algorithm>

namespace talvex {

namespace {

// Data mode and tone type, repeater tone, tone squelch: bytes 7-13 of a settings set.
QByteArray DataAndTones(const MemoryRecord& record) { return record.firstSet().mid(record::kDataTone); }
// The tone type (low nibble) and both tones, without the data mode.
QByteArray Tones(const MemoryRecord& record)
{
    QByteArray tones = DataAndTones(record);
    tones[0] = static_cast<char>(tones[0] & 0x0F);
    return tones;
}
// What a memory write gives a channel that had nothing: no tone, both tones 100.0 Hz.
const QByteArray& UntouchedTones()
{
    static const QByteArray tones = QByteArray::fromHex("00001000001000");
    return tones;
}

QString ScanEdgeName(int channel) { return channel == kRadio.lastChannel + 1 ? QStringLiteral("P1") : QStringLiteral("P2"); }

std::vector<PlanField> FieldsAgainstBlank(const MemoryRecord& written)
{
    std::vector<PlanField> fields{PlanField::Frequency, PlanField::Mode, PlanField::Filter, PlanField::Label};
    if (written.select() != 0)
        fields.push_back(PlanField::Select);
    return fields;
}

std::vector<PlanField> FieldsThatDiffer(const MemoryRecord& held, const MemoryRecord& written)
{
    const VisibleFields was = held.visible();
    const VisibleFields will = written.visible();
    std::vector<PlanField> fields;
    if (was.frequency != will.frequency)
        fields.push_back(PlanField::Frequency);
    if (was.mode != will.mode)
        fields.push_back(PlanField::Mode);
    if (was.filter != will.filter)
        fields.push_back(PlanField::Filter);
    if (was.label != will.label)
        fields.push_back(PlanField::Label);
    if (was.selected != will.selected)
        fields.push_back(PlanField::Select);
    const bool splitChanges = held.isSplit() != written.isSplit()
        || (held.isSplit() && held.secondSet() != written.secondSet());
    const bool finerDigitsChange = was.frequency == will.frequency && held.frequency() != written.frequency();
    const bool groupChanges = held.select() != 0 && written.select() != 0 && held.select() != written.select();
    if (DataAndTones(held) != DataAndTones(written) || splitChanges || finerDigitsChange || groupChanges)
        fields.push_back(PlanField::Settings);
    return fields;
}

QStringList SettingsKept(const MemoryRecord& held, const MemoryRecord& written)
{
    QStringList kept;
    if (held.dataMode() != 0 && written.dataMode() == held.dataMode())
        kept << QStringLiteral("data mode");
    if (Tones(held) != UntouchedTones() && Tones(written) == Tones(held))
        kept << QStringLiteral("tones");
    if (held.isSplit() && written.isSplit() && written.secondSet() == held.secondSet())
        kept << QStringLiteral("split, transmit ") + FrequencyTextOf(written.secondFrequency());
    if (held.select() >= 2 && written.select() == held.select())
        kept << QStringLiteral("select group ") + QString::number(held.select());
    if (held.frequency() != held.frequencyTo100Hz() && written.frequency() == held.frequency())
        kept << QStringLiteral("10 Hz digits");
    return kept;
}

LinePlan PlanClear(LinePlan plan)
{
    plan.action = plan.held && !*plan.held ? PlanAction::AlreadyBlank : PlanAction::Clear;
    return plan;
}

LinePlan PlanWrite(LinePlan plan, const QString& line)
{
    // The zones alone never set a scan edge: P1 and P2 are written back only from a backup's
    // record of that very edge.
    if (plan.channel > kRadio.lastChannel) {
        const auto record = RecordZoneOf(line);
        if (!record || record->channelField() != ChannelField(QString::number(plan.channel))) {
            plan.reason = ScanEdgeName(plan.channel) + QStringLiteral(" is written only from a backup's record of it");
            return plan;
        }
    }
    const ParsedLine parsed = ParseProgrammedLine(line, plan.channel);
    if (!parsed.line) {
        plan.action = PlanAction::Skip;
        plan.reason = parsed.fault + QStringLiteral(" cannot be written");
        return plan;
    }
    const std::optional<MemoryRecord> held = plan.held.value_or(std::nullopt);
    MergedChannel merged = MergeChannel(*parsed.line, held);
    plan.record = merged.record;
    if (held)
        plan.kept = SettingsKept(*held, merged.record);
    if (held && *held == merged.record) {
        plan.action = PlanAction::Unchanged;
        return plan;
    }
    plan.action = PlanAction::Write;
    plan.notes = std::move(merged.notes);
    plan.changed = held ? FieldsThatDiffer(*held, merged.record) : FieldsAgainstBlank(merged.record);
    return plan;
}

}  // namespace

std::optional<int> ChannelNamedBy(const QString& line)
{
    if (KindOf(line) != LineKind::Channel)
        return std::nullopt;
    return WholeNumberIn(ChannelTextOf(line).trimmed(), kRadio.firstChannel, kRadio.lastSelectable);
}

std::vector<int> ChannelsNamedIn(const QStringList& lines)
{
    std::vector<int> channels;
    for (const QString& line : lines) {
        if (KindOf(line) == LineKind::End)
            break;
        // The scan edges are read too: a line that clears one, or a restore that writes one
        // back, must be undoable like any other channel.
        if (const auto channel = ChannelNamedBy(line))
            channels.push_back(*channel);
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

LinePlan PlanLine(const QString& line, const RadioHeld& held)
{
    LinePlan plan;
    const auto channel = ChannelNamedBy(line);
    if (!channel)
        return plan;
    plan.channel = *channel;
    plan.held = held;
    if (IsEmptyFrequency(Columns(line, 15, 22)))
        return PlanClear(std::move(plan));
    return PlanWrite(std::move(plan), line);
}

QString PlanFieldName(PlanField field)
{
    switch (field) {
    case PlanField::Frequency: return QStringLiteral("frequency");
    case PlanField::Mode: return QStringLiteral("mode");
    case PlanField::Filter: return QStringLiteral("filter");
    case PlanField::Label: return QStringLiteral("label");
    case PlanField::Select: return QStringLiteral("select");
    case PlanField::Settings: break;
    }
    return QStringLiteral("settings");
}

QString PlanFieldText(PlanField field, const MemoryRecord& record)
{
    switch (field) {
    case PlanField::Frequency: return FrequencyTextOf(record.frequencyTo100Hz());
    case PlanField::Mode: return ModeName(record.mode());
    case PlanField::Filter: return QStringLiteral("Fil ") + QString::number(record.filter());
    case PlanField::Label: {
        QString label = record.label();
        while (label.endsWith(u' '))
            label.chop(1);
        return label;
    }
    case PlanField::Select: return record.select() != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
    case PlanField::Settings: break;
    }
    return QString::fromLatin1(record.bytes().toHex().toUpper());
}

}  // namespace talvex
