// The table's row commands on the model: renumbering that carries the record along, pastes
// from outside, and undo and redo across them.
#include "editor/channel_table_model.h"

#include "channels/record_fields.h"
#include "editor/editor_row.h"
#include "editor/row_text.h"
#include "editor_lines.h"

#include <gtest/gtest.h>

namespace talvex::editor {
namespace {

using testing::Channel;

constexpr int kFirstChannelRow = 3;  // after the title, the heading and an empty line

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

    ChannelTableModel model;
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

TEST_F(RowCommands, CopiedRowsKeepTheirRecordAndTakeTheirNewNumbers)
{
    const QStringList copied = LinesOfPayload(LinesPayload(model.linesOf({kFirstChannelRow + 1, 0, kFirstChannelRow + 2})));
    ASSERT_EQ(copied.size(), 2);
    model.pasteLines(kFirstChannelRow + 9, copied);
    EXPECT_EQ(rowOfChannel(10).record->bytes().toHex(), testing::RichRecord(10).toHex());
    EXPECT_EQ(rowOfChannel(11).label, u"ALPHA     ");
}

struct Hostile {
    const char* name;
    QString text;
    int rowsPasted;
    const char* reportStart;
};

TEST_F(RowCommands, HostilePastesAreReadRowByRowAndReported)
{
    const Hostile cases[] = {
        {"too many columns", QStringLiteral("1\t14.074\tUSB\t2\t\tWIDE\toff\toff\t100.0\t100.0\tNo\t\t\t\textra\tmore\tstill\n"), 1,
         "1 row pasted; row 1: 3 columns past the table's 14 ignored"},
        {"binary", QString::fromLatin1(QByteArray("\x01\x02\t\xff\xfe\0\t\x7f\n", 9)), 0, "0 rows pasted; row 1: "},
        {"control characters in a label", QStringLiteral("1\t14.074\tUSB\t2\t\tBELL\x07\n"), 0,
         "0 rows pasted; row 1: Label has control characters: left out"},
        {"no frequency", QStringLiteral("1\tnonsense\tUSB\n"), 0, "0 rows pasted; row 1: \"nonsense\" is no frequency"},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        QString told;
        const auto connection = QObject::connect(&model, &ChannelTableModel::message, [&told](const QString& text) { told = text; });
        model.pasteText(kFirstChannelRow + 20, c.text);
        QObject::disconnect(connection);
        EXPECT_TRUE(told.startsWith(QString::fromLatin1(c.reportStart))) << told.toStdString();
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
        text += QStringLiteral("%1\t%2\tUSB\t2\t\tROW%1\n").arg(i).arg(1.8 + i * 0.001, 0, 'f', 3);
    QString told;
    QObject::connect(&model, &ChannelTableModel::message, [&told](const QString& t) { told = t; });
    model.pasteText(kFirstChannelRow + 95, text);
    EXPECT_EQ(told, u"4 rows pasted; 9901 rows after the first 99 channels not read; 95 rows left out: there is no channel after 99");
    EXPECT_EQ(rowOfChannel(99).label, u"ROW3      ");
    EXPECT_EQ(model.lines().size(), testing::CreateFileLines({}).size());
    // Too much text to be a list of channels is refused whole.
    model.pasteText(kFirstChannelRow, QString(kLargestPaste + 1, u'1'));
    EXPECT_EQ(told, u"0 rows pasted; the text is larger than 1 MB: no list of channels, nothing pasted");
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
    QString told;
    QObject::connect(&model, &ChannelTableModel::message, [&told](const QString& t) { told = t; });
    EXPECT_FALSE(model.setData(model.index(kFirstChannelRow, static_cast<int>(Column::Filter)), QStringLiteral("9"), Qt::EditRole));
    EXPECT_EQ(told, u"Line 4, Filter: filter \"9\" is not 1, 2 or 3");
    EXPECT_EQ(model.undoStack().count(), 0);
    EXPECT_TRUE(model.setData(model.index(kFirstChannelRow, static_cast<int>(Column::Frequency)), QStringLiteral("80"), Qt::EditRole));
    EXPECT_EQ(told, u"Line 4: frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it and Update Rig reports the channel failed");
    EXPECT_EQ(model.data(model.index(kFirstChannelRow, static_cast<int>(Column::Checks)), Qt::DisplayRole).toString(),
              u"frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it and Update Rig reports the channel failed");
}

}  // namespace
}  // namespace talvex::editor
