// The editor's marks of what Update Rig will skip come from Update Rig's own planner: every line
// it skips is marked, with its reason, on the cell the reason is about; the editor adds only what
// the planner cannot know.
#include "editor/row_checks.h"

#include "datafile/data_line.h"
#include "datafile/record_zone.h"
#include "editor_lines.h"
#include "memory/update_plan.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

using testing::Channel;

// Channel 9 split, its transmit side at 75.500.0: the radio refuses the record.
QString SplitOutOfRange()
{
    QByteArray bytes = testing::RichRecord(9);
    bytes.replace(17, 5, QByteArray::fromHex("0000507500"));
    return WithRecordZone(Channel(9, "14.074.0", "USB", 2, true, "FT8 CALL"), *MemoryRecord::from(bytes));
}

TEST(RowChecks, EveryLineThePlannerSkipsIsMarkedWithItsReasonOnItsCell)
{
    QString stray = Channel(8, "14.074.0", "USB", 2, false, "STRAY");
    stray[69] = u'M';  // column 70, just before the label
    const struct {
        const char* name;
        QString line;
        Column column;
    } cases[] = {
        {"filter 4", Channel(1, "14.074.0", "USB", 4, false, "FIL 4"), Column::Filter},
        {"75.5 MHz", Channel(2, "75.500.0", "FM", 1, false, "HIGH"), Column::Frequency},
        {"an empty mode zone", FormatDataLine({3, QStringLiteral("14.074.0"), QString(), QStringLiteral("Fil 2"),
                                               QStringLiteral("   "), QStringLiteral("NO MODE   ")}),
         Column::Mode},
        {"stray characters", stray, Column::Checks},
        {"a label the radio cannot show", Channel(5, "14.074.0", "USB", 2, false, "CAF\xC9"), Column::Label},
        {"channel 0", Channel(0, "14.074.0", "USB", 2, false, "ZERO"), Column::Channel},
        {"a channel named again", Channel(7, "14.074.0", "USB", 2, false, "FIRST"), Column::Channel},
        {"a transmit side outside the range", SplitOutOfRange(), Column::TxFrequency},
        {"a scan edge without its record", Channel(100, "14.074.0", "USB", 2, false, "P1"), Column::Channel},
    };
    QStringList lines;
    for (const auto& c : cases)
        lines << c.line;
    lines << Channel(7, "14.075.0", "USB", 2, false, "LAST") << Channel(10, "07.074.0", "LSB", 2, false, "FINE")
          << QStringLiteral(" END") << Channel(11, "07.074.0", "LSB", 2, false, "LATE");
    const std::vector<RowCheck> checks = CheckLines(TableOf(lines));
    const std::vector<PlannedLine> plans = PlanLines(lines, [](int) { return RadioHeld(); });
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        const LinePlan& plan = plans[i].plan;
        ASSERT_FALSE(plan.reason.isEmpty());
        EXPECT_EQ(checks[i].textFor(cases[i].column), plan.reason);
        EXPECT_TRUE(checks[i].refused);
    }
    // Every line the planner skips is marked, and no other line up to END.
    for (std::size_t i = 0; i < plans.size(); ++i)
        EXPECT_EQ(checks[i].refused, plans[i].plan.action == PlanAction::Skip || !plans[i].plan.reason.isEmpty()) << i;
    EXPECT_TRUE(checks[std::size(cases)].ok());  // the last line of channel 7 is the one written
    EXPECT_EQ(checks.back().text(), u"the line stands after END: Update Rig never reads it");
    EXPECT_TRUE(checks.back().refused);
}

TEST(RowChecks, ARecordOfAnotherChannelIsNamedButWritesTheZones)
{
    const QString copied = WithRecordZone(Channel(4, "14.074.0", "USB", 2, true, "FT8 CALL"),
                                          *MemoryRecord::from(testing::RichRecord(2)));
    const auto checks = CheckLines(TableOf({copied}));
    EXPECT_EQ(checks[0].textFor(Column::Channel),
              u"the whole record is channel 2's: Update Rig ignores it and keeps what the radio holds beyond the zones");
    EXPECT_FALSE(checks[0].refused);
}

TEST(RowChecks, TheSummaryNamesTheLinesUpdateRigSkips)
{
    const QStringList lines = testing::CreateFileLines(
        {Channel(1, "14.074.0", "USB", 2, false, "OK"), Channel(2, "80.000.0", "USB", 2, false, "HIGH")});
    const auto checks = CheckLines(TableOf(lines));
    ASSERT_EQ(SkippedLines(lines).size(), 1);
    EXPECT_EQ(RefusalSummary(lines, checks), QStringLiteral("Update Rig will skip 1 line: ") + SkippedLines(lines).front());
    // The head, the heading at the end and the blank channels raise nothing.
    int problems = 0;
    for (const RowCheck& check : checks)
        problems += check.ok() ? 0 : 1;
    EXPECT_EQ(problems, 1);
}

}  // namespace
}  // namespace talvex::editor
