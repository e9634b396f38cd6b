// Compare with Radio's words for each plan the Update Rig planner makes of a line.
#include "editor/compare_marks.h"

#include "editor_lines.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

LinePlan Plan(PlanAction action, std::vector<PlanField> changed = {}, QStringList kept = {}, QString reason = {})
{
    LinePlan plan;
    plan.action = action;
    plan.changed = std::move(changed);
    plan.kept = std::move(kept);
    plan.reason = std::move(reason);
    plan.held = std::optional<MemoryRecord>(*MemoryRecord::from(testing::RichRecord(7)));
    return plan;
}

TEST(CompareMarks, EachPlanInTheOperatorsWords)
{
    LinePlan onBlank = Plan(PlanAction::Write, {PlanField::Frequency, PlanField::Mode});
    onBlank.held = std::optional<MemoryRecord>();
    const struct {
        LinePlan plan;
        const char* said;
    } cases[] = {
        {Plan(PlanAction::Write, {PlanField::Frequency, PlanField::Label}, {QStringLiteral("tones")}),
         "differs: frequency, label; kept settings: tones"},
        {onBlank, "differs: the radio holds nothing there; will write frequency, mode"},
        {Plan(PlanAction::Clear), "will be cleared"},
        {Plan(PlanAction::Unchanged), "same"},
        {Plan(PlanAction::Unchanged, {}, {QStringLiteral("data mode"), QStringLiteral("select group 2")}),
         "same; kept settings: data mode, select group 2"},
        {Plan(PlanAction::AlreadyBlank), "same: blank in the radio too"},
        {Plan(PlanAction::Skip, {}, {}, QStringLiteral("mode \"XYZ\" cannot be written")),
         "skipped: mode \"XYZ\" cannot be written"},
        {Plan(PlanAction::NotAChannel), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlanVerdict(c.plan), QString::fromLatin1(c.said));
}

TEST(CompareMarks, ALineEditedSinceTheCompareIsMarkedSoAndNothingElseMoves)
{
    const QStringList planned{QStringLiteral(" END"), testing::Channel(7, "14.074.0", "USB", 2, false, "A"),
                              testing::Channel(8, "14.075.0", "USB", 2, false, "B")};
    const std::vector<PlannedLine> plans{{planned[0], Plan(PlanAction::NotAChannel)},
                                         {planned[1], Plan(PlanAction::Unchanged)},
                                         {planned[2], Plan(PlanAction::Write, {PlanField::Label})}};
    QStringList now = planned;
    now[2] = testing::Channel(8, "14.075.0", "USB", 2, false, "C");
    const std::map<int, QString> marks = CompareMarks(now, plans);
    EXPECT_EQ(marks, (std::map<int, QString>{{1, QStringLiteral("same")},
                                             {2, QStringLiteral("edited since the compare: compare again")}}));
}

}  // namespace
}  // namespace talvex::editor
