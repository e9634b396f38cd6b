#include "editor/row_checks.h"

#include "channels/record_fields.h"
#include "datafile/file_line.h"
#include "editor/editor_row.h"
#include "editor/frequency_entry.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <map>

namespace talvex::editor {

namespace {

const QString kSkips = QStringLiteral(": Update Rig skips this line");
const QString kRefuses = QStringLiteral(": the radio refuses it and Update Rig reports the channel failed");

QString Quoted(const QString& text) { return u'"' + text + u'"'; }

// The characters of a label the radio cannot show, each once.
QString UnshownCharacters(const QString& label)
{
    QString bad;
    for (const QChar c : label) {
        if (!IsPrintableLabel(QString(c)) && !bad.contains(c))
            bad += c;
    }
    return bad;
}

QString Described(const QString& characters)
{
    QStringList named;
    for (const QChar c : characters)
        named << QStringLiteral("U+") + QStringLiteral("%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    return named.join(u' ');
}

void CheckChannelRow(const ChannelRow& row, RowCheck& check)
{
    const auto add = [&check](Column column, QString text, bool refused) {
        check.problems.push_back({column, std::move(text)});
        check.refused = check.refused || refused;
    };
    const auto channel = WholeNumberIn(row.channel, kRadio.firstChannel, kRadio.lastChannel);
    if (!channel)
        add(Column::Channel, QStringLiteral("channel ") + Quoted(row.channel) + QStringLiteral(" is outside 1-99") + kSkips, true);
    if (row.isBlank())
        return;  // a channel to clear: nothing more to check
    const auto hz = HzOfZone(row.frequency);
    if (!hz)
        add(Column::Frequency, QStringLiteral("frequency ") + Quoted(row.frequency) + QStringLiteral(" is not MM.KKK.H") + kSkips, true);
    else if (!InRadioRange(*hz))
        add(Column::Frequency, QStringLiteral("frequency ") + row.frequency + QStringLiteral(" is outside 0.030-74.800 MHz") + kRefuses, true);
    if (!row.mode.isEmpty() && !ModeCode(row.mode))
        add(Column::Mode, QStringLiteral("mode ") + Quoted(row.mode) + QStringLiteral(" is no mode the radio has") + kSkips, true);
    if (!row.filter.isEmpty() && !WholeNumberIn(row.filter, 1, 3))
        add(Column::Filter, QStringLiteral("filter ") + Quoted(row.filter) + QStringLiteral(" is not 1-3") + kSkips, true);
    if (const QString bad = UnshownCharacters(row.label); !bad.isEmpty())
        add(Column::Label, QStringLiteral("the label has characters the radio cannot show (") + Described(bad) + u')' + kSkips, true);
    if (!row.record)
        return;
    if (channel && row.record->channelField() != channels::ChannelBytesOf(*channel))
        add(Column::Channel, QStringLiteral("the whole record is channel ") + QString::number(channels::ChannelOf(*row.record))
                + QStringLiteral("'s: Update Rig ignores it and keeps what the radio holds beyond the zones"), false);
    if (row.record->isSplit()) {
        const auto tx = channels::HzOfFrequencyBytes(row.record->secondFrequency());
        if (!InRadioRange(tx))
            add(Column::TxFrequency, QStringLiteral("transmit ") + RangeMessage(tx), true);
    }
}

}  // namespace

QString RowCheck::text() const
{
    QStringList texts;
    for (const CellProblem& problem : problems)
        texts << problem.text;
    return texts.join(QStringLiteral("; "));
}

QString RowCheck::textFor(Column column) const
{
    QStringList texts;
    for (const CellProblem& problem : problems) {
        if (problem.column == column)
            texts << problem.text;
    }
    return texts.join(QStringLiteral("; "));
}

std::vector<RowCheck> CheckLines(const TableLines& table)
{
    const QStringList& lines = table.lines;
    std::vector<RowCheck> checks(static_cast<std::size_t>(lines.size()));
    std::map<int, std::vector<qsizetype>> linesOfChannel;
    bool afterEnd = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const RowKind kind = RowKindOf(lines[i]);
        if (kind == RowKind::End)
            afterEnd = true;
        if (kind != RowKind::Channel)
            continue;
        RowCheck& check = checks[static_cast<std::size_t>(i)];
        if (afterEnd) {
            check.problems.push_back({Column::Channel, QStringLiteral("the line stands after END: Update Rig never reads it")});
            check.refused = true;
            continue;
        }
        const ChannelRow row = ChannelRowOf(lines[i]);
        CheckChannelRow(row, check);
        check.settingsUnknownOn = SettingsUnknownOn(table, i);
        if (check.settingsUnknownOn)
            check.problems.push_back({Column::Channel, SettingsUnknownNote(*check.settingsUnknownOn)});
        if (const auto channel = WholeNumberIn(row.channel, kRadio.firstChannel, kRadio.lastChannel))
            linesOfChannel[*channel].push_back(i);
    }
    for (const auto& [channel, at] : linesOfChannel) {
        if (at.size() < 2)
            continue;
        for (const qsizetype i : at) {
            QStringList others;
            for (const qsizetype j : at) {
                if (j != i)
                    others << QString::number(j + 1);
            }
            checks[static_cast<std::size_t>(i)].problems.push_back(
                {Column::Channel, QStringLiteral("channel ") + QString::number(channel) + QStringLiteral(" is also on line ")
                                      + others.join(QStringLiteral(", "))
                                      + QStringLiteral(": Update Rig writes each in turn and the last one stays")});
        }
    }
    return checks;
}

QString RefusalSummary(const QStringList& lines, const std::vector<RowCheck>& checks, int shown)
{
    QStringList named;
    int refused = 0;
    for (std::size_t i = 0; i < checks.size(); ++i) {
        if (!checks[i].refused)
            continue;
        if (++refused <= shown)
            named << QStringLiteral("line ") + QString::number(i + 1) + QStringLiteral(" (channel ")
                         + ChannelRowOf(lines[static_cast<qsizetype>(i)]).channel + QStringLiteral("): ") + checks[i].text();
    }
    if (refused == 0)
        return {};
    QString summary = QStringLiteral("Update Rig will skip or refuse ") + QString::number(refused)
        + (refused == 1 ? QStringLiteral(" line: ") : QStringLiteral(" lines: ")) + named.join(QStringLiteral("; "));
    if (refused > shown)
        summary += QStringLiteral("; and ") + QString::number(refused - shown) + QStringLiteral(" more");
    return summary;
}

}  // namespace talvex::editor
