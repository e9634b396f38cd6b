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
#include <map>

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

LinePlan Skipped(LinePlan plan, QString reason, LinePart part)
{
    plan.action = PlanAction::Skip;
    plan.reason = std::move(reason);
    plan.part = part;
    return plan;
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
            plan.reason = ChannelName(plan.channel) + QStringLiteral(" is written only from a backup's record of it");
            return plan;
        }
    }
    const ParsedLine parsed = ParseProgrammedLine(line, plan.channel);
    if (!parsed.line)
        return Skipped(std::move(plan), parsed.fault, parsed.part);
    const std::optional<MemoryRecord> held = plan.held.value_or(std::nullopt);
    MergedChannel merged = MergeChannel(*parsed.line, held);
    // The transmit side comes from the line's record or the radio's; one the radio would refuse
    // (a record edited by hand) is not sent either.
    if (merged.record.isSplit()) {
        const auto transmit = FrequencyDigitsOf(FrequencyTextOf(merged.record.secondFrequency()));
        if (!transmit || !kRadio.holdsFrequency(transmit->toLongLong() * 100))
            return Skipped(std::move(plan),
                           QStringLiteral("transmit frequency ") + FrequencyTextOf(merged.record.secondFrequency())
                               + QStringLiteral(" is outside ") + MemoryRangeText() + QStringLiteral(": the radio refuses it"),
                           LinePart::Record);
    }
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
    if (KindOf(line) != LineKind::Channel)
        return plan;
    const QString channelText = ChannelTextOf(line).trimmed();
    // The heading reads as a channel line, and a line without a channel number acts on nothing.
    if (channelText.isEmpty() || channelText == u"Ch#")
        return plan;
    const auto channel = ChannelNamedBy(line);
    if (!channel)
        return Skipped(std::move(plan), QStringLiteral("channel \"") + channelText + QStringLiteral("\" is not ")
                                            + QString::number(kRadio.firstChannel) + u'-' + QString::number(kRadio.lastChannel),
                       LinePart::Channel);
    plan.channel = *channel;
    plan.held = held;
    if (const auto stray = StrayCharactersOf(line))
        return Skipped(std::move(plan), *stray + QStringLiteral(" stands outside every zone"), LinePart::Outside);
    if (IsEmptyFrequency(Columns(line, 15, 22)))
        return PlanClear(std::move(plan));
    return PlanWrite(std::move(plan), line);
}

std::vector<PlannedLine> PlanLines(const QStringList& lines, const HeldLookup& held)
{
    std::vector<PlannedLine> planned;
    std::map<int, qsizetype> lastLineOf;  // channel -> the index of the last line naming it
    for (const QString& line : lines) {
        const auto channel = ChannelNamedBy(line);
        planned.push_back({line, PlanLine(line, channel ? held(*channel) : RadioHeld())});
        if (channel)
            lastLineOf[*channel] = static_cast<qsizetype>(planned.size()) - 1;
        if (KindOf(line) == LineKind::End)
            break;
    }
    // Writing a channel once a line would leave the last line's contents in it all the same, but
    // send every other line for nothing and count one channel many times.
    for (qsizetype i = 0; i < static_cast<qsizetype>(planned.size()); ++i) {
        LinePlan& plan = planned[static_cast<std::size_t>(i)].plan;
        const auto channel = ChannelNamedBy(planned[static_cast<std::size_t>(i)].line);
        if (!channel || lastLineOf[*channel] == i)
            continue;
        plan = Skipped(std::move(plan),
                       QStringLiteral("channel ") + QString::number(*channel) + QStringLiteral(" is named again on line ")
                           + QString::number(lastLineOf[*channel] + 1) + QStringLiteral(", which is written instead"),
                       LinePart::Channel);
    }
    return planned;
}

QStringList SkippedLines(const QStringList& lines)
{
    QStringList named;
    const auto planned = PlanLines(lines, [](int) { return RadioHeld(); });
    for (std::size_t i = 0; i < planned.size(); ++i) {
        const LinePlan& plan = planned[i].plan;
        if (plan.action != PlanAction::Skip)
            continue;
        QString text = QStringLiteral("line ") + QString::number(i + 1);
        if (plan.channel != 0)
            text += QStringLiteral(" (channel ") + QString::number(plan.channel) + u')';
        named << text + QStringLiteral(": ") + plan.reason;
    }
    return named;
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
