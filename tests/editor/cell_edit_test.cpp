// Typed values into a line: the zones as Create File writes them, and the whole-record zone
// kept in step so that Update Rig writes the record as it stands.
#include "editor/cell_edit.h"

#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "editor_lines.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

using testing::Channel;

QString Rich(int channel)
{
    return WithRecordZone(Channel(channel, "14.074.0", "USB", 2, true, "FT8 CALL"), *MemoryRecord::from(testing::RichRecord(channel)));
}

struct Edit {
    Column column;
    const char* value;
    QString expected;  // the line afterwards
};

TEST(CellEdit, AVisibleValueRewritesItsZoneOnly)
{
    const QString line = Channel(7, "14.074.0", "USB", 2, true, "FT8 CALL");
    const Edit edits[] = {
        {Column::Frequency, "7.074", Channel(7, "07.074.0", "USB", 2, true, "FT8 CALL")},
        {Column::Frequency, "29,64", Channel(7, "29.640.0", "USB", 2, true, "FT8 CALL")},
        {Column::Frequency, "14074", line},
        {Column::Mode, "cw", Channel(7, "14.074.0", "CW", 2, true, "FT8 CALL")},
        {Column::Mode, "RTTYr", Channel(7, "14.074.0", "RTTYr", 2, true, "FT8 CALL")},
        {Column::Filter, "3", Channel(7, "14.074.0", "USB", 3, true, "FT8 CALL")},
        {Column::Select, "", Channel(7, "14.074.0", "USB", 2, false, "FT8 CALL")},
        {Column::Label, "JS8", Channel(7, "14.074.0", "USB", 2, true, "JS8")},
        {Column::Label, "0123456789", Channel(7, "14.074.0", "USB", 2, true, "0123456789")},
        {Column::Channel, "12", Channel(12, "14.074.0", "USB", 2, true, "FT8 CALL")},
        {Column::Frequency, "", testing::Blank(7)},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE((ColumnTitle(edit.column) + u'=' + QString::fromLatin1(edit.value)).toStdString());
        const CellEdit result = EditCell(line, edit.column, QString::fromLatin1(edit.value));
        ASSERT_TRUE(result.line) << result.refusal.toStdString();
        EXPECT_EQ(*result.line, edit.expected);
    }
}

struct Refusal {
    Column column;
    const char* value;
    const char* why;
};

TEST(CellEdit, AValueTheLineCannotTakeIsRefusedWithItsReason)
{
    const QString line = Channel(7, "14.074.0", "CW", 2, false, "CW");
    const Refusal refusals[] = {
        {Column::Frequency, "14.074,5", "\"14.074,5\" has both a decimal comma and a point: type one of them (14.074.5 or 14074,5)"},
        {Column::Mode, "USB-D", "mode \"USB-D\" is not one of LSB, USB, AM, CW, RTTY, FM, CWr, RTTYr"},
        {Column::Filter, "4", "filter \"4\" is not 1, 2 or 3"},
        {Column::Label, "ELEVEN CHAR", "a label has at most 10 characters"},
        {Column::Channel, "x1", "channel \"x1\" is no number"},
        {Column::Channel, "100", "channel 100 is not 1-99"},
        {Column::DataMode, "D1", "CW cannot carry a data mode"},
        {Column::DataMode, "D4", "data mode \"D4\" is not off, D1, D2 or D3"},
        {Column::RepeaterTone, "88.6", "\"88.6\" is not one of the radio's 50 tones"},
        {Column::SelectGroup, "4", "select group \"4\" is not 1, 2 or 3"},
        {Column::Checks, "x", "only the cells of a channel line can be edited"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.value);
        const CellEdit result = EditCell(line, refusal.column, QString::fromLatin1(refusal.value));
        EXPECT_FALSE(result.line);
        EXPECT_EQ(result.refusal, QString::fromLatin1(refusal.why));
    }
    EXPECT_FALSE(EditCell(testing::Blank(9), Column::ToneType, QStringLiteral("Tone")).line);
    EXPECT_FALSE(EditCell(QStringLiteral(" END"), Column::Label, QStringLiteral("X")).line);
}

TEST(CellEdit, DigitsPast100HzAreCutAndSaid)
{
    const CellEdit result = EditCell(Channel(7, "14.074.0", "USB", 2, true, "FT8"), Column::Frequency, QStringLiteral("14.07405"));
    ASSERT_TRUE(result.line);
    EXPECT_EQ(ChannelRowOf(*result.line).frequency, u"14.074.0");
    EXPECT_TRUE(result.note.startsWith(u"digits past 100 Hz are cut"));
}

// A line without a record gets one built as Update Rig builds it for a blank channel, with
// the edited setting in it; the zones still show the record.
TEST(CellEdit, ARecordSettingGivesALineWithoutRecordItsRecord)
{
    const QString line = Channel(12, "45.500.0", "FM", 1, false, "RPT");
    const CellEdit result = EditCell(line, Column::ToneType, QStringLiteral("Tone"));
    ASSERT_TRUE(result.line);
    const ChannelRow row = ChannelRowOf(*result.line);
    ASSERT_TRUE(row.record);
    QByteArray expected = QByteArray::fromHex("0012" "00" "0000504500" "05" "01" "01" "001000" "001000");
    expected += expected.mid(3, 14);
    expected += "RPT       ";
    EXPECT_EQ(row.record->bytes().toHex(), expected.toHex());
    EXPECT_EQ(result.line->left(84), line.leftJustified(84, u' '));
}

TEST(CellEdit, RecordSettingsChangeOnlyTheirBytes)
{
    const QString line = Rich(7);
    const QByteArray rich = testing::RichRecord(7);
    const auto with = [&rich](int at, const char* hex) {
        QByteArray bytes = rich;
        const QByteArray part = QByteArray::fromHex(hex);
        bytes.replace(at, part.size(), part);
        return bytes.toHex();
    };
    const struct {
        Column column;
        const char* value;
        QByteArray expected;
    } edits[] = {
        {Column::DataMode, "off", with(10, "02")},
        {Column::ToneType, "Tone", with(10, "11")},
        {Column::RepeaterTone, "67.0", with(11, "000670")},
        {Column::SquelchTone, "254.1", with(14, "002541")},
        {Column::TxFrequency, "14.250", with(17, "0000251400")},
        {Column::TxMode, "LSB", with(22, "00")},
        {Column::Split, "No", with(17, "0040071400")},
        {Column::SelectGroup, "3", with(2, "03")},
        {Column::Frequency, "14.075", with(3, "0050071400")},
        {Column::Label, "WSPR", with(31, "57535052202020202020")},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(ColumnTitle(edit.column).toStdString());
        const CellEdit result = EditCell(line, edit.column, QString::fromLatin1(edit.value));
        ASSERT_TRUE(result.line) << result.refusal.toStdString();
        const ChannelRow row = ChannelRowOf(*result.line);
        ASSERT_TRUE(row.record);
        EXPECT_EQ(row.record->bytes().toHex(), edit.expected);
    }
    // Group 0 takes the select mark off the zone as well.
    const CellEdit none = EditCell(line, Column::SelectGroup, QString());
    ASSERT_TRUE(none.line);
    EXPECT_FALSE(ChannelRowOf(*none.line).selected);
}

TEST(CellEdit, AModeThatCannotCarryDataClearsItAndSaysSo)
{
    const CellEdit result = EditCell(Rich(7), Column::Mode, QStringLiteral("CW"));
    ASSERT_TRUE(result.line);
    EXPECT_EQ(channels::FieldsOf(*ChannelRowOf(*result.line).record).receive.dataMode, 0);
    EXPECT_EQ(result.note, u"data mode cleared: CW cannot carry it");
}

TEST(CellEdit, AValueThatChangesNothingLeavesTheLineByteForByte)
{
    const QString odd = Channel(7, "14.074.0", "USB", 2, true, "FT8") + QStringLiteral("   trailing words");
    const CellEdit result = EditCell(odd, Column::Mode, QStringLiteral("USB"));
    ASSERT_TRUE(result.line);
    EXPECT_EQ(*result.line, odd);
}

// What a screen reader says of a column names the radio's limits.
TEST(CellEdit, TheColumnsDescribeTheRadiosLimits)
{
    const std::pair<Column, const char*> descriptions[] = {
        {Column::Channel, "memory channel 1 to 99"},
        {Column::Mode, "LSB, USB, AM, CW, RTTY, FM, CWr or RTTYr"},
        {Column::Filter, "filter 1 to 3"},
        {Column::Label, "name of up to 10 characters"},
        {Column::DataMode, "data mode: off, D1, D2 or D3"},
        {Column::SquelchTone, "tone squelch in hertz, one of the radio's 50 tones"},
        {Column::SelectGroup, "select group 1 to 3, empty for none"},
    };
    for (const auto& [column, description] : descriptions)
        EXPECT_EQ(ColumnDescription(column), QString::fromLatin1(description));
}

TEST(CellEdit, TheToneListIsTheRadiosFifty)
{
    const QStringList tones = ToneChoices();
    ASSERT_EQ(tones.size(), 50);
    EXPECT_EQ(tones.first(), u"67.0");
    EXPECT_EQ(tones.last(), u"254.1");
}

}  // namespace
}  // namespace talvex::editor
