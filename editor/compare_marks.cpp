#include "editor/compare_marks.h"

namespace talvex::editor {

namespace {

QString KeptText(const LinePlan& plan)
{
    return plan.kept.isEmpty() ? QString() : QStringLiteral("; kept settings: ") + plan.kept.join(QStringLiteral(", "));
}

}  // namespace

QString PlanVerdict(const LinePlan& plan)
{
    switch (plan.action) {
    case PlanAction::Write: {
        QStringList fields;
        for (const PlanField field : plan.changed)
            fields << PlanFieldName(field);
        const bool blank = plan.held && !*plan.held;
        return (blank ? QStringLiteral("differs: the radio holds nothing there; will write ") : QStringLiteral("differs: "))
            + fields.join(QStringLiteral(", ")) + KeptText(plan);
    }
    case PlanAction::Clear: return QStringLiteral("will be cleared");
    case PlanAction::Unchanged: return QStringLiteral("same") + KeptText(plan);
    case PlanAction::AlreadyBlank: return QStringLiteral("same: blank in the radio too");
    case PlanAction::Skip: return QStringLiteral("skipped: ") + plan.reason;
    case PlanAction::NotAChannel: return plan.reason;
    }
    return {};
}

std::map<int, QString> CompareMarks(const QStringList& lines, const std::vector<PlannedLine>& plans)
{
    std::map<int, QString> marks;
    for (std::size_t i = 0; i < plans.size() && i < static_cast<std::size_t>(lines.size()); ++i) {
        const auto row = static_cast<int>(i);
        if (lines[row] != plans[i].line) {
            if (plans[i].plan.action != PlanAction::NotAChannel)
                marks[row] = QStringLiteral("edited since the compare: compare again");
            continue;
        }
        if (const QString verdict = PlanVerdict(plans[i].plan); !verdict.isEmpty())
            marks[row] = verdict;
    }
    return marks;
}

}  // namespace talvex::editor
