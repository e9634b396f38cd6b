// Every check the editor makes as the operator types, with its words, and what it tells of
// Update Rig.
#include "editor/row_checks.h"

#include "editor_lines.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

using testing::Channel;

struct Case {
    QString line;
    Column column;
    const char* text;  // nullptr: no problem
    bool refused;
};

TEST(RowChecks, EachProblemIsNamedInWordsOnItsCell)
{
    const Case table[] = {
        {Channel(1, "00.030.0", "AM", 1, false, "LOWEST"), Column::Frequency, nullptr, false},
        {Channel(99, "74.800.0", "FM", 3, false, "HIGHEST"), Column::Frequency, nullptr, false},
        {Channel(2, "00.029.9", "AM", 1, false, "LOW"), Column::Frequency,
         "frequency 00.029.9 is outside 0.030-74.800 MHz: the radio refuses it and Update Rig reports the channel failed", true},
        {Channel(3, "74.800.1", "FM", 1, false, "HIGH"), Column::Frequency,
         "frequency 74.800.1 is outside 0.030-74.800 MHz: the radio refuses it and Update Rig reports the channel failed", true},
        {Channel(4, "14.07", "USB", 1, false, "SHORT"), Column::Frequency,
         "frequency \"14.07\" is not MM.KKK.H: Update Rig skips this line", true},
        {Channel(5, "14.074.0", "USB", 1, false, "CAF\xC9"), Column::Label,
         "the label has characters the radio cannot show (U+00C9): Update Rig skips this line", true},
        {Channel(0, "14.074.0", "USB", 1, false, "ZERO"), Column::Channel,
         "channel \"0\" is outside 1-99: Update Rig skips this line", true},
        {Channel(100, "14.074.0", "USB", 1, false, "P1"), Column::Channel,
         "channel \"100\" is outside 1-99: Update Rig skips this line", true},
        {Channel(6, "14.074.0", "USB2", 1, false, "BADMODE"), Column::Mode,
         "mode \"USB2\" is no mode the radio has: Update Rig skips this line", true},
        {testing::Blank(100), Column::Channel, "channel \"100\" is outside 1-99: Update Rig skips this line", true},
        {testing::Blank(50), Column::Channel, nullptr, false},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.line.toStdString());
        const auto checks = CheckLines(TableOf({c.line}));
        ASSERT_EQ(checks.size(), 1u);
        if (c.text == nullptr) {
            EXPECT_TRUE(checks[0].ok()) << checks[0].text().toStdString();
            continue;
        }
        EXPECT_EQ(checks[0].textFor(c.column), QString::fromLatin1(c.text));
        EXPECT_EQ(checks[0].refused, c.refused);
    }
}

TEST(RowChecks, TwoLinesForOneChannelNameEachOther)
{
    const QStringList lines{Channel(7, "14.074.0", "USB", 2, false, "A"), Channel(8, "7.074.0", "USB", 2, false, "B"),
                            Channel(7, "21.074.0", "USB", 2, false, "C")};
    const auto checks = CheckLines(TableOf(lines));
    EXPECT_EQ(checks[0].textFor(Column::Channel), u"channel 7 is also on line 3: Update Rig writes each in turn and the last one stays");
    EXPECT_EQ(checks[2].textFor(Column::Channel), u"channel 7 is also on line 1: Update Rig writes each in turn and the last one stays");
    EXPECT_TRUE(checks[1].ok());
}

TEST(RowChecks, ALineAfterEndIsNeverRead)
{
    const QStringList lines{QStringLiteral(" END"), Channel(7, "14.074.0", "USB", 2, false, "LATE")};
    const auto checks = CheckLines(TableOf(lines));
    EXPECT_TRUE(checks[0].ok());
    EXPECT_EQ(checks[1].text(), u"the line stands after END: Update Rig never reads it");
}

TEST(RowChecks, TheSummaryNamesTheLinesUpdateRigRefuses)
{
    const QStringList lines = testing::CreateFileLines(
        {Channel(1, "14.074.0", "USB", 2, false, "OK"), Channel(2, "80.000.0", "USB", 2, false, "HIGH")});
    const auto checks = CheckLines(TableOf(lines));
    EXPECT_EQ(RefusalSummary(lines, checks),
              u"Update Rig will skip or refuse 1 line: line 5 (channel 2): frequency 80.000.0 is outside 0.030-74.800 MHz: "
              u"the radio refuses it and Update Rig reports the channel failed");
    // The head, the heading at the end and the blank channels raise nothing.
    int problems = 0;
    for (const RowCheck& check : checks)
        problems += check.ok() ? 0 : 1;
    EXPECT_EQ(problems, 1);
}

}  // namespace
}  // namespace talvex::editor
