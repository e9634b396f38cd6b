#include "editor/row_checks.h"

#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "memory/update_plan.h"

namespace talvex::editor {

namespace {

// The cell a part of the line is shown in. Characters outside every zone show in no cell: the
// row's Checks cell carries them. The record's only refusal is its transmit side.
Column ColumnOfPart(LinePart part)
{
    switch (part) {
    case LinePart::Channel: return Column::Channel;
    case LinePart::Frequency: return Column::Frequency;
    case LinePart::Mode: return Column::Mode;
    case LinePart::Filter: return Column::Filter;
    case LinePart::Label: return Column::Label;
    case LinePart::Record: return Column::TxFrequency;
    case LinePart::Outside: break;
    }
    return Column::Checks;
}

// What the planner says of a line: why Update Rig writes nothing of it, on the cell concerned.
void CheckPlan(const LinePlan& plan, RowCheck& check)
{
    if (plan.action == PlanAction::Skip) {
        check.problems.push_back({ColumnOfPart(plan.part), plan.reason});
        check.refused = true;
    } else if (plan.action == PlanAction::NotAChannel && !plan.reason.isEmpty()) {
        // A line naming a channel no write reaches (a scan edge without its record).
        check.problems.push_back({Column::Channel, plan.reason});
        check.refused = true;
    }
}

// A record renumbered by hand: Update Rig takes the zones alone and keeps the radio's settings.
void CheckRecordChannel(const ChannelRow& row, RowCheck& check)
{
    const auto channel = MemoryChannelOf(row);
    if (row.record && channel && row.record->channelField() != channels::ChannelBytesOf(*channel))
        check.problems.push_back({Column::Channel, QStringLiteral("the whole record is channel ")
                                                       + QString::number(channels::ChannelOf(*row.record))
                                                       + QStringLiteral("'s: Update Rig ignores it and keeps what the "
                                                                        "radio holds beyond the zones")});
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
    // What the radio holds changes nothing of what is skipped: the lines are planned unread.
    const std::vector<PlannedLine> plans = PlanLines(lines, [](int) { return RadioHeld(); });
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (RowKindOf(lines[i]) != RowKind::Channel)
            continue;
        RowCheck& check = checks[static_cast<std::size_t>(i)];
        if (i >= static_cast<qsizetype>(plans.size())) {
            check.problems.push_back({Column::Channel, QStringLiteral("the line stands after END: Update Rig never reads it")});
            check.refused = true;
            continue;
        }
        CheckPlan(plans[static_cast<std::size_t>(i)].plan, check);
        CheckRecordChannel(ChannelRowOf(lines[i]), check);
        check.settingsUnknownOn = SettingsUnknownOn(table, i);
        if (check.settingsUnknownOn)
            check.problems.push_back({Column::Channel, SettingsUnknownNote(*check.settingsUnknownOn)});
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
    QString summary = QStringLiteral("Update Rig will skip ") + QString::number(refused)
        + (refused == 1 ? QStringLiteral(" line: ") : QStringLiteral(" lines: ")) + named.join(QStringLiteral("; "));
    if (refused > shown)
        summary += QStringLiteral("; and ") + QString::number(refused - shown) + QStringLiteral(" more");
    return summary;
}

}  // namespace talvex::editor
