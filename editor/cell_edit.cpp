#include "editor/cell_edit.h"

#include "channels/chirp_export.h"
#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "editor/frequency_entry.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <cmath>
#include <functional>

namespace talvex::editor {

namespace {

using channels::RecordFields;
using channels::SettingsFields;

// "off", then the radio's data modes D1, D2...
const QStringList kDataModes = [] {
    QStringList modes{QStringLiteral("off")};
    for (const QString& number : NumbersUpTo(kRadio.dataModes))
        modes << u'D' + number;
    return modes;
}();
const QStringList kToneTypes{QStringLiteral("off"), QStringLiteral("Tone"), QStringLiteral("TSQL")};

QString FrequencyText(std::int64_t hz) { return FrequencyZoneText(hz); }

// The place of `text` among `choices`, letter case aside; -1 when it is none of them.
int ChoiceIndex(const QStringList& choices, const QString& text)
{
    for (int i = 0; i < choices.size(); ++i) {
        if (choices[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString RecordCellText(const MemoryRecord& record, Column column)
{
    const RecordFields fields = channels::FieldsOf(record);
    const bool split = record.isSplit();
    switch (column) {
    case Column::DataMode: return kDataModes.value(fields.receive.dataMode, QString::number(fields.receive.dataMode));
    case Column::ToneType: return kToneTypes.value(fields.receive.toneType, QString::number(fields.receive.toneType));
    case Column::RepeaterTone: return channels::ToneText(fields.receive.repeaterTone);
    case Column::SquelchTone: return channels::ToneText(fields.receive.squelchTone);
    case Column::Split: return split ? QStringLiteral("Yes") : QStringLiteral("No");
    case Column::TxFrequency: return split ? FrequencyText(fields.transmit.hz) : QString();
    case Column::TxMode: return split ? ModeName(fields.transmit.mode) : QString();
    case Column::SelectGroup: return fields.select == 0 ? QString() : QString::number(fields.select);
    default: return {};
    }
}

struct Edited {
    std::optional<ChannelRow> row;
    QString refusal;
    QString note;
};

Edited Refused(QString why) { return {std::nullopt, std::move(why), {}}; }

// A receive-side change reaches the transmit side too while the channel is not split: both
// sets stay alike, as the radio keeps them.
void SetReceive(RecordFields& fields, bool split, const std::function<void(SettingsFields&)>& change)
{
    change(fields.receive);
    if (!split)
        change(fields.transmit);
}

std::optional<int> ToneOf(const QString& text)
{
    bool ok = false;
    const double hertz = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const int tenths = static_cast<int>(std::lround(hertz * 10));
    return kRadio.holdsTone(tenths) ? std::optional(tenths) : std::nullopt;
}

// The visible zones changed: the record follows, so that it still shows what the zones show
// and Update Rig writes it as it stands.
Edited EditVisible(ChannelRow row, Column column, const QString& value)
{
    QString note;
    std::function<void(RecordFields&, bool)> toRecord;
    switch (column) {
    case Column::Channel: {
        if (!WholeNumberIn(value, 0, 999))
            return Refused(QStringLiteral("channel \"") + value + QStringLiteral("\" is no number"));
        // The scan edges past the last channel: a record renumbered to one would be written into it.
        const auto channel = WholeNumberIn(value, kRadio.firstChannel, kRadio.lastChannel);
        if (!channel)
            return Refused(QStringLiteral("channel ") + value.trimmed() + QStringLiteral(" is not ")
                           + QString::number(kRadio.firstChannel) + u'-' + QString::number(kRadio.lastChannel));
        return {Renumbered(row, *channel), {}, {}};
    }
    case Column::Frequency: {
        if (value.trimmed().isEmpty()) {
            ChannelRow blank;
            blank.channel = row.channel;
            return {blank, {}, QStringLiteral("channel cleared: Update Rig will clear it in the radio")};
        }
        const auto entry = ParseFrequencyEntry(value);
        if (!entry)
            return Refused(FrequencyRefusal(value));
        if (entry->cut)
            note = CutMessage(*entry);
        row.frequency = FrequencyZoneText(entry->hz);
        const std::int64_t hz = entry->hz;
        toRecord = [hz](RecordFields& f, bool split) { SetReceive(f, split, [hz](SettingsFields& s) { s.hz = hz; }); };
        break;
    }
    case Column::Mode: {
        const auto mode = ModeCode(value.trimmed());
        if (!mode)
            return Refused(QStringLiteral("mode \"") + value + QStringLiteral("\" is not one of ") + ModeChoices().join(u", "));
        row.mode = ModeName(*mode);
        const int code = *mode;
        toRecord = [code, &note](RecordFields& f, bool split) {
            SetReceive(f, split, [code, &note](SettingsFields& s) {
                s.mode = code;
                if (s.dataMode != 0 && !ModeCarriesData(code)) {
                    s.dataMode = 0;
                    note = QStringLiteral("data mode cleared: ") + ModeName(code) + QStringLiteral(" cannot carry it");
                }
            });
        };
        break;
    }
    case Column::Filter: {
        const auto filter = WholeNumberIn(QString(value).remove(QStringLiteral("Fil")), 1, kRadio.filters);
        if (!filter)
            return Refused(QStringLiteral("filter \"") + value + QStringLiteral("\" is not ") + ChoicesText(FilterChoices()));
        row.filter = QString::number(*filter);
        const int code = *filter;
        toRecord = [code](RecordFields& f, bool split) { SetReceive(f, split, [code](SettingsFields& s) { s.filter = code; }); };
        break;
    }
    case Column::Select: {
        const QString yes = value.trimmed();
        row.selected = yes.compare(QStringLiteral("Yes"), Qt::CaseInsensitive) == 0 || yes == u"Y" || yes == u"y" || yes == u"*";
        const bool selected = row.selected;
        toRecord = [selected](RecordFields& f, bool) { f.select = selected ? std::max(f.select, 1) : 0; };
        break;
    }
    case Column::Label: {
        if (value.size() > kRadio.labelLength)
            return Refused(QStringLiteral("a label has at most ") + QString::number(kRadio.labelLength)
                           + QStringLiteral(" characters"));
        for (const QChar c : value) {
            if (c.unicode() > 0xFF)
                return Refused(QStringLiteral("\"") + QString(c) + QStringLiteral("\" cannot be written to the data file"));
        }
        row.label = value.leftJustified(kRadio.labelLength, u' ');
        const QString label = row.label;
        toRecord = [label](RecordFields& f, bool) { f.name = label; };
        break;
    }
    default: return Refused(QStringLiteral("this column cannot be edited"));
    }
    if (row.record && toRecord) {
        const RecordFields before = channels::FieldsOf(*row.record);
        RecordFields after = before;
        toRecord(after, row.record->isSplit());
        row.record = channels::WithChanges(*row.record, before, after);
    }
    return {row, {}, note};
}

Edited EditRecord(ChannelRow row, Column column, const QString& value)
{
    QString note;
    if (!row.record) {
        row.record = RecordFromZones(row);
        if (!row.record)
            return Refused(QStringLiteral("the whole record is built from the channel, frequency, mode and filter: "
                                          "give the line those first"));
        note = QStringLiteral("the line now carries its whole record");
    }
    const RecordFields before = channels::FieldsOf(*row.record);
    RecordFields after = before;
    const bool split = row.record->isSplit();
    const QString typed = value.trimmed();
    switch (column) {
    case Column::DataMode: {
        const auto data = ChoiceIndex(kDataModes, typed);
        if (data < 0)
            return Refused(QStringLiteral("data mode \"") + value + QStringLiteral("\" is not ") + ChoicesText(kDataModes));
        if (data != 0 && !ModeCarriesData(after.receive.mode))
            return Refused(ModeName(after.receive.mode) + QStringLiteral(" cannot carry a data mode"));
        SetReceive(after, split, [data](SettingsFields& s) { s.dataMode = data; });
        break;
    }
    case Column::ToneType: {
        const auto type = ChoiceIndex(kToneTypes, typed);
        if (type < 0)
            return Refused(QStringLiteral("tone type \"") + value + QStringLiteral("\" is not off, Tone or TSQL"));
        SetReceive(after, split, [type](SettingsFields& s) { s.toneType = type; });
        break;
    }
    case Column::RepeaterTone:
    case Column::SquelchTone: {
        const auto tone = ToneOf(typed);
        if (!tone)
            return Refused(QStringLiteral("\"") + value + QStringLiteral("\" is not one of the radio's ")
                           + QString::number(kRadio.tones.size()) + QStringLiteral(" tones"));
        const bool repeater = column == Column::RepeaterTone;
        SetReceive(after, split, [repeater, tone](SettingsFields& s) { (repeater ? s.repeaterTone : s.squelchTone) = *tone; });
        break;
    }
    case Column::Split:
        if (typed.compare(QStringLiteral("No"), Qt::CaseInsensitive) == 0)
            after.transmit = after.receive;
        else if (!split)
            return Refused(QStringLiteral("type the transmit frequency or mode: that makes the channel split"));
        break;
    case Column::TxFrequency: {
        if (typed.isEmpty()) {
            after.transmit = after.receive;
            break;
        }
        const auto entry = ParseFrequencyEntry(typed);
        if (!entry)
            return Refused(FrequencyRefusal(value));
        if (entry->cut)
            note = CutMessage(*entry);
        after.transmit.hz = entry->hz;
        break;
    }
    case Column::TxMode: {
        const auto mode = ModeCode(typed);
        if (!mode)
            return Refused(QStringLiteral("mode \"") + value + QStringLiteral("\" is not one of ") + ModeChoices().join(u", "));
        after.transmit.mode = *mode;
        if (!ModeCarriesData(*mode))
            after.transmit.dataMode = 0;
        break;
    }
    case Column::SelectGroup: {
        const auto group = typed.isEmpty() ? std::optional<int>(0) : WholeNumberIn(typed, 0, kRadio.selectGroups);
        if (!group)
            return Refused(QStringLiteral("select group \"") + value + QStringLiteral("\" is not ")
                           + ChoicesText(NumbersUpTo(kRadio.selectGroups)));
        after.select = *group;
        row.selected = *group != 0;
        break;
    }
    default: return Refused(QStringLiteral("this column cannot be edited"));
    }
    row.record = channels::WithChanges(*row.record, before, after);
    return {row, {}, note};
}

}  // namespace

QString CellText(const QString& line, Column column)
{
    const RowKind kind = RowKindOf(line);
    if (kind != RowKind::Channel)
        return column == Column::Channel ? line.trimmed() : QString();
    const ChannelRow row = ChannelRowOf(line);
    switch (column) {
    case Column::Channel: return row.channel;
    case Column::Frequency: return row.frequency;
    case Column::Mode: return row.mode;
    case Column::Filter: return row.filter;
    case Column::Select: return row.selected ? QStringLiteral("Yes") : QString();
    case Column::Label: return row.label;
    case Column::Checks:
    case Column::Radio: return {};
    default: return row.record ? RecordCellText(*row.record, column) : QString();
    }
}

bool IsEditableCell(const QString& line, Column column)
{
    return RowKindOf(line) == RowKind::Channel && column != Column::Checks && column != Column::Radio;
}

CellEdit EditCell(const QString& line, Column column, const QString& value)
{
    if (!IsEditableCell(line, column))
        return {std::nullopt, QStringLiteral("only the cells of a channel line can be edited"), {}};
    const ChannelRow row = ChannelRowOf(line);
    if (IsRecordColumn(column) && row.isBlank())
        return {std::nullopt, QStringLiteral("a blank channel has no settings: give it a frequency first"), {}};
    const Edited edited = IsRecordColumn(column) ? EditRecord(row, column, value) : EditVisible(row, column, value);
    if (!edited.row)
        return {std::nullopt, edited.refusal, {}};
    // A value that changes nothing leaves the line as it was, byte for byte.
    const QString newLine = LineOfRow(*edited.row);
    return {newLine == LineOfRow(row) ? line : newLine, {}, edited.note};
}

ClearedCell ClearedValue(Column column)
{
    switch (column) {
    case Column::Frequency:
    case Column::Select:
    case Column::Label:
    case Column::TxFrequency:
    case Column::SelectGroup: return {QString(), {}};
    case Column::DataMode:
    case Column::ToneType: return {QStringLiteral("off"), {}};
    case Column::Split: return {QStringLiteral("No"), {}};
    case Column::Channel: return {std::nullopt, QStringLiteral("a channel line keeps its number: type another one")};
    case Column::RepeaterTone:
    case Column::SquelchTone:
        return {std::nullopt, QStringLiteral("a tone has no empty value: set Tone to off, or choose a tone (F2)")};
    case Column::Checks:
    case Column::Radio: return {std::nullopt, QStringLiteral("this column cannot be edited")};
    default: return {std::nullopt, ColumnTitle(column) + QStringLiteral(" has no empty value: choose one from its list (F2)")};
    }
}

int LabelLength() { return kRadio.labelLength; }

QStringList ModeChoices() { return ModeNames(); }
QStringList FilterChoices() { return NumbersUpTo(kRadio.filters); }
QStringList SelectChoices() { return {QString(), QStringLiteral("Yes")}; }
QStringList DataModeChoices() { return kDataModes; }
QStringList ToneTypeChoices() { return kToneTypes; }
QStringList SplitChoices() { return {QStringLiteral("No"), QStringLiteral("Yes")}; }
QStringList GroupChoices() { return QStringList{QString()} + NumbersUpTo(kRadio.selectGroups); }

QStringList ToneChoices()
{
    QStringList tones;
    for (const int tenths : kRadio.tones)
        tones << channels::ToneText(tenths);
    return tones;
}

}  // namespace talvex::editor
