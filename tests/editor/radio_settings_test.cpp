// Take Settings from the Radio: which rows take which record, and which are named as differing.
#include "editor/radio_settings.h"

#include "editor/editor_row.h"
#include "editor_lines.h"

#include <gtest/gtest.h>

#include <map>

namespace talvex::editor {
namespace {

using testing::Channel;

using testing::kFirstChannelRow;

QString Shown(int channel, const char* label = "FT8 CALL", bool selected = true)
{
    return Channel(channel, "14.074.0", "USB", 2, selected, label);
}

MemoryRecord Record(const QByteArray& bytes) { return *MemoryRecord::from(bytes); }

TEST(TakeSettings, ARowTakesTheRecordOfTheChannelItWasReadOnWhenItShowsExactlyWhatThatHolds)
{
    QByteArray finer = testing::RichRecord(1);
    finer[3] = '\x35';  // 14.074.035: the zone shows 14.074.0 all the same
    QByteArray notThis = testing::RichRecord(5);
    notThis.replace(31, 10, "NOT THIS  ");
    const std::map<int, RadioHeld> radio{
        {1, Record(finer)},
        {2, Record(testing::RichRecord(2))},
        {3, Record(testing::RichRecord(3))},
        {4, std::optional<MemoryRecord>()},
        {5, Record(notThis)},
        {6, Record(testing::RichRecord(6))},
    };
    TableLines table = TableOf(testing::CreateFileLines({
        Shown(1),
        Shown(2, "OTHER"),
        Channel(3, "14.075.0", "LSB", 2, true, "FT8 CALL"),
        Shown(4),
        Shown(5),  // channel 6's contents, moved up
        Shown(6, "FT8 CALL", false),
        WithRecordZone(Shown(7), Record(testing::RichRecord(7))),
    }));
    table.readOn[kFirstChannelRow + 4] = 6;
    EXPECT_EQ(ChannelsForSettings(table), (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(ChannelsNamedIn(LinesToRead(ChannelsForSettings(table))), (std::vector<int>{1, 2, 3, 4, 6}));

    const SettingsTaken taken = TakeSettings(table, [&radio](int channel) {
        const auto found = radio.find(channel);
        return found == radio.end() ? RadioHeld() : found->second;
    });
    EXPECT_EQ(taken.taken, (std::vector<int>{1, 5}));
    EXPECT_EQ(taken.disagreed, (QStringList{QStringLiteral("channel 2 (label)"), QStringLiteral("channel 3 (frequency, mode)"),
                                            QStringLiteral("channel 4 (the radio holds nothing there)"),
                                            QStringLiteral("channel 6 (select)")}));
    const auto recordOf = [&taken](int channel) { return ChannelRowOf(taken.table.lines[kFirstChannelRow + channel - 1]).record; };
    ASSERT_TRUE(recordOf(1));
    EXPECT_EQ(recordOf(1)->bytes().toHex(), finer.toHex());
    ASSERT_TRUE(recordOf(5));
    EXPECT_EQ(recordOf(5)->bytes().toHex(), testing::RichRecord(5).toHex());  // channel 6's record, numbered 5
    EXPECT_EQ(taken.table.readOn[kFirstChannelRow + 4], 5);
    for (const int untouched : {2, 3, 4, 6, 7, 8})
        EXPECT_EQ(taken.table.lines[kFirstChannelRow + untouched - 1], table.lines[kFirstChannelRow + untouched - 1]) << untouched;
}

TEST(TakeSettings, MovedContentsThatDifferNameTheChannelTheyWereReadOn)
{
    TableLines table = TableOf(testing::CreateFileLines({Shown(1, "MOVED")}));
    table.readOn[kFirstChannelRow] = 9;
    const SettingsTaken taken = TakeSettings(table, [](int) { return RadioHeld(Record(testing::RichRecord(9))); });
    EXPECT_EQ(taken.disagreed, QStringList{QStringLiteral("channel 1 (read on 9: label)")});
    EXPECT_TRUE(taken.taken.empty());
}

}  // namespace
}  // namespace talvex::editor
