// The table's row commands on the model: renumbering that carries the record along, contents
// without a record marked when they land on another channel, pastes to their own channels and
// from outside, undo and redo across them, and what each says it did.
#include "editor/channel_table_model.h"

#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "editor/row_text.h"
#include "editor_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace talvex::editor {
namespace {

using testing::Channel;

using testing::kFirstChannelRow;

QString RichLine(int channel)
{
    return WithRecordZone(Channel(channel, "14.074.0", "USB", 2, true, "FT8 CALL"), *MemoryRecord::from(testing::RichRecord(channel)));
}

class RowCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.load(testing::CreateFileLines({Channel(1, "21.074.0", "USB", 2, false, "CHARLIE"), RichLine(2),
                                             Channel(3, "07.074.0", "LSB", 1, false, "ALPHA")}));
    }
    ChannelRow rowOfChannel(int channel) const { return ChannelRowOf(model.lines()[kFirstChannelRow + channel - 1]); }
    QString cell(int channel, Column column) const
    {
        return model.data(model.index(kFirstChannelRow + channel - 1, static_cast<int>(column)), Qt::DisplayRole).toString();
    }
    // What the status line was last told.
    QString told() const { return said.isEmpty() ? QString() : said.back(); }

    ChannelTableModel model;
    QStringList said;
    QMetaObject::Connection listening =
        QObject::connect(&model, &ChannelTableModel::message, [this](const QString& text) { said << text; });
};

TEST_F(RowCommands, AMovedRowTakesItsSlotsNumberIntoItsRecord)
{
    model.moveChannel(kFirstChannelRow + 1, +1);  // channel 2's contents down to channel 3
    const ChannelRow moved = rowOfChannel(3);
    EXPECT_EQ(moved.label, u"FT8 CALL  ");
    ASSERT_TRUE(moved.record);
    EXPECT_EQ(moved.record->channelField().toHex(), "0003");
    QByteArray expected = testing::RichRecord(3);
    EXPECT_EQ(moved.record->bytes().toHex(), expected.toHex());
    EXPECT_EQ(rowOfChannel(2).label, u"ALPHA     ");
    EXPECT_FALSE(rowOfChannel(2).record);
    // The moved row shows its record's settings at once, and nothing is amiss with it.
    EXPECT_EQ(cell(3, Column::ToneType), u"TSQL");
    EXPECT_EQ(cell(3, Column::TxFrequency), u"14.230.0");
    EXPECT_EQ(cell(3, Column::SelectGroup), u"2");
    EXPECT_TRUE(model.checkOf(kFirstChannelRow + 2).ok());
}

TEST_F(RowCommands, SortsFillTheChannelsInOrderAndBlanksStayLast)
{
    model.sortChannels(SortKey::Frequency);
    EXPECT_EQ(rowOfChannel(1).label, u"ALPHA     ");
    EXPECT_EQ(rowOfChannel(2).label, u"FT8 CALL  ");
    EXPECT_EQ(rowOfChannel(2).record->channelField().toHex(), "0002");
    EXPECT_EQ(rowOfChannel(3).label, u"CHARLIE   ");
    EXPECT_TRUE(rowOfChannel(4).isBlank());
    model.sortChannels(SortKey::Label);
    EXPECT_EQ(rowOfChannel(1).label, u"ALPHA     ");
    EXPECT_EQ(rowOfChannel(2).label, u"CHARLIE   ");
    EXPECT_EQ(rowOfChannel(3).label, u"FT8 CALL  ");
    EXPECT_EQ(rowOfChannel(3).record->channelField().toHex(), "0003");
}

TEST_F(RowCommands, UndoAndRedoGoBackAndForthAcrossSortAndPaste)
{
    const QStringList loaded = model.lines();
    model.sortChannels(SortKey::Label);
    const QStringList sorted = model.lines();
    model.pasteText(kFirstChannelRow + 3, QStringLiteral("4\t3.573\tUSB\t2\t\tFT8 80M\n5\t28074\tUSB\t2\tYes\tFT8 10M\n"));
    const QStringList pasted = model.lines();
    EXPECT_EQ(rowOfChannel(4).frequency, u"03.573.0");
    EXPECT_EQ(rowOfChannel(5).label, u"FT8 10M   ");
    EXPECT_TRUE(rowOfChannel(5).selected);
    model.setData(model.index(kFirstChannelRow, static_cast<int>(Column::Label)), QStringLiteral("A1"), Qt::EditRole);
    const QStringList edited = model.lines();
    ASSERT_EQ(model.undoStack().count(), 3);
    model.undoStack().undo();
    EXPECT_EQ(model.lines(), pasted);
    model.undoStack().undo();
    EXPECT_EQ(model.lines(), sorted);
    model.undoStack().undo();
    EXPECT_EQ(model.lines(), loaded);
    EXPECT_FALSE(model.isModified());
    model.undoStack().redo();
    model.undoStack().redo();
    model.undoStack().redo();
    EXPECT_EQ(model.lines(), edited);
    EXPECT_TRUE(model.isModified());
}

// The status line is what a screen reader says: each command, its undo and its redo say what
// they did.
TEST_F(RowCommands, EachCommandItsUndoAndItsRedoSayWhatTheyDid)
{
    const struct {
        std::function<void(ChannelTableModel&)> command;
        const char* done;
        const char* undone;
        const char* redone;
    } cases[] = {
        {[](ChannelTableModel& m) { m.moveChannel(kFirstChannelRow + 1, +1); },
         "Moved channel 2 down to 3; settings unknown: Update Rig keeps channel 2's tones, data mode and split",
         "Undid Move Down: channel 2 back to 2",
         "Redid Move Down: channel 2 down to 3; settings unknown: Update Rig keeps channel 2's tones, data mode and split"},
        {[](ChannelTableModel& m) { m.sortChannels(SortKey::Frequency); },
         "Sorted 3 channels by frequency; settings unknown on channels 1, 3: Update Rig keeps each channel's own tones, data "
         "mode and split (Take Settings from the Radio brings each row's own)",
         "Undid Sort by Frequency: 3 channels back in their places",
         "Redid Sort by Frequency: 3 channels by frequency; settings unknown on channels 1, 3: Update Rig keeps each channel's "
         "own tones, data mode and split (Take Settings from the Radio brings each row's own)"},
        {[](ChannelTableModel& m) { m.pasteText(0, QStringLiteral("22\t7.074\tUSB\t2\t\tNEW\n")); }, "Pasted 1 row: channel 22",
         "Undid Paste: channel 22 as it was", "Redid Paste: 1 row: channel 22"},
        {[](ChannelTableModel& m) { m.clearChannels({kFirstChannelRow}); },
         "Channel 1 cleared: Update Rig will clear it in the radio", "Undid Clear Channel: channel 1 as it was",
         "Redid Clear Channel: channel 1 cleared: Update Rig will clear it in the radio"},
        {[](ChannelTableModel& m) { m.insertChannel(kFirstChannelRow + 1); },
         "Inserted a blank channel at 2, channels 2-3 moved down one; " "settings unknown: Update Rig keeps channel 4's tones, data mode and split",
         "Undid Insert Channel: channel 2 and those below as they were",
         "Redid Insert Channel: a blank channel at 2, channels 2-3 moved down one; settings unknown: Update Rig keeps channel "
         "4's tones, data mode and split"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.done);
        SetUp();
        c.command(model);
        EXPECT_EQ(told(), QString::fromLatin1(c.done));
        model.undoStack().undo();
        EXPECT_EQ(told(), QString::fromLatin1(c.undone));
        model.undoStack().redo();
        EXPECT_EQ(told(), QString::fromLatin1(c.redone));
    }
}

TEST_F(RowCommands, InsertPushesTheChannelsDownIntoTheFirstBlankAndClearBlanks)
{
    model.insertChannel(kFirstChannelRow);
    EXPECT_TRUE(rowOfChannel(1).isBlank());
    EXPECT_EQ(rowOfChannel(2).label, u"CHARLIE   ");
    EXPECT_EQ(rowOfChannel(3).record->channelField().toHex(), "0003");
    EXPECT_EQ(rowOfChannel(4).label, u"ALPHA     ");
    EXPECT_TRUE(rowOfChannel(5).isBlank());
    EXPECT_EQ(model.lines().size(), testing::CreateFileLines({}).size());
    model.clearChannels({kFirstChannelRow + 1, kFirstChannelRow + 2});
    EXPECT_EQ(model.lines()[kFirstChannelRow + 1], testing::Blank(2));
    EXPECT_EQ(model.lines()[kFirstChannelRow + 2], testing::Blank(3));
}

// Moved, sorted, inserted before or renumbered, contents without a record stand on a channel
// whose settings Update Rig would keep: each such row says so, and only those.
TEST_F(RowCommands, ContentsWithoutARecordOnAnotherChannelAreMarkedUntilTheyGetOne)
{
    const struct {
        const char* name;
        std::function<void(ChannelTableModel&)> command;
        std::map<int, int> marked;  // channel -> the channel it was read on
    } cases[] = {
        {"move", [](ChannelTableModel& m) { m.moveChannel(kFirstChannelRow + 2, -1); }, {{2, 3}}},
        {"sort", [](ChannelTableModel& m) { m.sortChannels(SortKey::Label); }, {{1, 3}, {2, 1}}},
        {"insert", [](ChannelTableModel& m) { m.insertChannel(kFirstChannelRow); }, {{2, 1}, {4, 3}}},
        {"renumber",
         [](ChannelTableModel& m) {
             m.setData(m.index(kFirstChannelRow + 2, static_cast<int>(Column::Channel)), QStringLiteral("40"), Qt::EditRole);
         },
         {{40, 3}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        said.clear();
        c.command(model);
        std::map<int, int> marked;
        for (const int row : model.rowsWithUnknownSettings()) {
            const int channel = *model.checkOf(row).settingsUnknownOn;
            marked[channel] = model.table().readOn[static_cast<std::size_t>(row)];
            EXPECT_TRUE(model.data(model.index(row, static_cast<int>(Column::Checks)), Qt::DisplayRole)
                            .toString()
                            .contains(SettingsUnknownNote(channel)));
        }
        EXPECT_EQ(marked, c.marked);
        ASSERT_FALSE(said.isEmpty());
        EXPECT_TRUE(said.join(u'\n').contains(c.marked.size() == 1 ? SettingsUnknownNote(c.marked.begin()->first)
                                                                   : QStringLiteral("settings unknown on channels")))
            << said.join(u'\n').toStdString();
    }
    // A record given to the row ends the mark; moved back where it was read, the row needs none.
    SetUp();
    model.moveChannel(kFirstChannelRow + 2, -1);
    model.moveChannel(kFirstChannelRow + 1, +1);
    EXPECT_TRUE(model.rowsWithUnknownSettings().empty());
    model.moveChannel(kFirstChannelRow + 2, -1);
    ASSERT_TRUE(model.setData(model.index(kFirstChannelRow + 1, static_cast<int>(Column::ToneType)), QStringLiteral("off"),
                              Qt::EditRole));
    EXPECT_TRUE(model.rowsWithUnknownSettings().empty());
}

// Rows naming their channel go back to it, whatever the cursor: the overwritten channels are
// named, and one undo gives them back.
TEST_F(RowCommands, PastedRowsGoToTheirOwnChannelsAndNameWhatTheyOverwrote)
{
    const struct {
        const char* name;
        QStringList lines;  // pasted, as the clipboard carries them
        const char* report;
        std::map<int, const char*> labels;  // channel -> label afterwards
    } cases[] = {
        {"spreadsheet rows with a Ch column",
         RowsOfTsv(QStringLiteral("3\t7.074\tUSB\t2\t\tNEW 3\n4\t14074\tUSB\t2\t\tNEW 4\n5\t28.074\tUSB\t2\t\tNEW 5\n")).lines,
         "Pasted 3 rows: channels 3 (overwrote \"ALPHA\"), 4, 5", {{3, "NEW 3"}, {4, "NEW 4"}, {5, "NEW 5"}, {9, ""}}},
        {"the editor's own lines", {Channel(7, "21.074.0", "USB", 2, false, "SEVEN"), RichLine(1)},
         "Pasted 2 rows: channels 1 (overwrote \"CHARLIE\"), 7", {{1, "FT8 CALL"}, {7, "SEVEN"}, {9, ""}}},
        {"rows without a channel go from the cursor on",
         RowsOfTsv(QStringLiteral("\t7.074\tUSB\t2\t\tAT 9\n\t7.075\tUSB\t2\t\tAT 10\n")).lines, "Pasted 2 rows: channels 9, 10",
         {{3, "ALPHA"}, {9, "AT 9"}, {10, "AT 10"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QStringList before = model.lines();
        model.pasteLines(kFirstChannelRow + 8, c.lines);
        EXPECT_EQ(told(), QString::fromLatin1(c.report));
        for (const auto& [channel, label] : c.labels)
            EXPECT_EQ(rowOfChannel(channel).label.trimmed(), QString::fromLatin1(label)) << channel;
        EXPECT_EQ(model.lines().size(), before.size());
        model.undoStack().undo();
        EXPECT_EQ(model.lines(), before);
        EXPECT_TRUE(told().startsWith(u"Undid Paste: channel")) << told().toStdString();
    }
    // A record pasted to its own channel arrives byte for byte.
    model.pasteLines(kFirstChannelRow + 8, LinesOfPayload(LinesPayload({RichLine(30)})));
    EXPECT_EQ(rowOfChannel(30).record->bytes(), testing::RichRecord(30));
}

// The channel a paste names is added in channel order when the file has no line for it.
TEST_F(RowCommands, APastedChannelTheFileLacksGetsItsLineInChannelOrder)
{
    model.load(testing::CreateFileLines({}).mid(0, kFirstChannelRow + 10) + QStringList{QStringLiteral(" END")});
    model.pasteLines(kFirstChannelRow, {Channel(42, "14.074.0", "USB", 2, false, "FAR")});
    EXPECT_EQ(told(), u"Pasted 1 row: channel 42");
    EXPECT_EQ(ChannelRowOf(model.lines()[kFirstChannelRow + 10]).label.trimmed(), u"FAR");
    EXPECT_EQ(model.lines()[kFirstChannelRow + 11], u" END");
}

struct Hostile {
    const char* name;
    QString text;
    int rowsPasted;
    const char* reportStart;
};

// The scan edges P1 and P2 (lines 100, 101 of a backup) are never filled: contents moved there
// would take their channel bytes, and Update Rig writes a record naming a scan edge into it.
TEST_F(RowCommands, TheScanEdgesAreNeverFilledAndNoChannelIsPushedPast99)
{
    QStringList full;
    for (int channel = 1; channel <= 99; ++channel)
        full << Channel(channel, "07.000.0", "LSB", 1, false, QByteArray::number(1000 - channel).constData());
    QByteArray edge = testing::RichRecord(0);
    edge[0] = '\x01';  // 01 00: P1
    const QString p1 = WithRecordZone(Channel(100, "14.074.0", "USB", 2, true, "FT8 CALL"), *MemoryRecord::from(edge));
    QStringList lines = testing::CreateFileLines(full);
    lines.insert(kFirstChannelRow + 99, p1);
    model.load(lines);
    model.sortChannels(SortKey::Label);
    EXPECT_EQ(rowOfChannel(1).label.trimmed(), u"901");  // sorted, around the scan edge
    model.pasteLines(kFirstChannelRow + 99, {Channel(0, "03.500.0", "LSB", 1, false, "AT CURSOR")});
    EXPECT_EQ(model.lines()[kFirstChannelRow + 99], p1);
    EXPECT_EQ(told(), u"Nothing pasted; 1 row left out: there is no channel after 99");
    const QStringList before = model.lines();
    model.insertChannel(kFirstChannelRow);
    EXPECT_EQ(model.lines(), before);
    EXPECT_EQ(told(), u"Nothing inserted: no channel below is blank, and there is no channel after 99 to move the last one "
                      u"to; clear one first");
}

TEST_F(RowCommands, HostilePastesAreReadRowByRowAndReported)
{
    const Hostile cases[] = {
        {"too many columns", QStringLiteral("1\t14.074\tUSB\t2\t\tWIDE\toff\toff\t100.0\t100.0\tNo\t\t\t\textra\tmore\tstill\n"), 1,
         "Pasted 1 row: channel 1 (overwrote \"CHARLIE\"); row 1: 3 columns past the table's 14 ignored"},
        {"binary", QString::fromLatin1(QByteArray("\x01\x02\t\xff\xfe\0\t\x7f\n", 9)), 0, "Nothing pasted; row 1: "},
        {"control characters in a label", QStringLiteral("1\t14.074\tUSB\t2\t\tBELL\x07\n"), 0,
         "Nothing pasted; row 1: Label has control characters: left out"},
        {"no frequency", QStringLiteral("1\tnonsense\tUSB\n"), 0, "Nothing pasted; row 1: \"nonsense\" is no frequency"},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        model.pasteText(kFirstChannelRow + 20, c.text);
        EXPECT_TRUE(told().startsWith(QString::fromLatin1(c.reportStart))) << told().toStdString();
        EXPECT_EQ(model.undoStack().count(), c.rowsPasted > 0 ? 1 : 0);
        for (const QString& line : model.lines()) {
            for (const QChar ch : line)
                ASSERT_TRUE(ch.unicode() >= 0x20 && ch.unicode() <= 0xFF) << c.name;
        }
    }
}

TEST_F(RowCommands, TenThousandRowsFillTheChannelsTo99AndTheRestIsLeftOut)
{
    QString text;
    for (int i = 0; i < 10'000; ++i)
        text += QStringLiteral("\t%2\tUSB\t2\t\tROW%1\n").arg(i).arg(1.8 + i * 0.001, 0, 'f', 3);
    model.pasteText(kFirstChannelRow + 95, text);
    EXPECT_EQ(told(), u"Pasted 4 rows: channels 96-99; 9901 rows after the first 99 channels not read; 95 rows left out: there "
                      u"is no channel after 99");
    EXPECT_EQ(rowOfChannel(99).label, u"ROW3      ");
    EXPECT_EQ(model.lines().size(), testing::CreateFileLines({}).size());
    // Too much text to be a list of channels is refused whole.
    model.pasteText(kFirstChannelRow, QString(kLargestPaste + 1, u'1'));
    EXPECT_EQ(told(), u"Nothing pasted; the text is larger than 1 MB: no list of channels, nothing pasted");
}

TEST_F(RowCommands, FindGoesToTheNextLabelOrFrequencyAndWraps)
{
    EXPECT_EQ(model.find(QStringLiteral("alpha"), 0), kFirstChannelRow + 2);
    EXPECT_EQ(model.find(QStringLiteral("14.074"), kFirstChannelRow + 2), kFirstChannelRow + 1);
    EXPECT_EQ(model.find(QStringLiteral("7074"), 0), kFirstChannelRow + 2);
    EXPECT_EQ(model.find(QStringLiteral("nothing"), 0), std::nullopt);
}

TEST_F(RowCommands, ARefusedValueIsToldAndChangesNothing)
{
    EXPECT_FALSE(model.setData(model.index(kFirstChannelRow, static_cast<int>(Column::Filter)), QStringLiteral("9"), Qt::EditRole));
    EXPECT_EQ(told(), u"Line 4, Filter: filter \"9\" is not 1, 2 or 3");
    EXPECT_EQ(model.undoStack().count(), 0);
    EXPECT_TRUE(model.setData(model.index(kFirstChannelRow, static_cast<int>(Column::Frequency)), QStringLiteral("80"), Qt::EditRole));
    EXPECT_EQ(told(), u"Line 4: frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it");
    EXPECT_EQ(model.data(model.index(kFirstChannelRow, static_cast<int>(Column::Checks)), Qt::DisplayRole).toString(),
              u"frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it");
}

}  // namespace
}  // namespace talvex::editor
