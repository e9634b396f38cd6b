// A channel's settings travel with its row, checked where they end up: in talvex-sim's memory.
// The radio holds a memory with data mode, tones, split and select groups; the editor reads it
// as Create File writes it (with or without each line's record), moves, sorts, inserts,
// renumbers, cuts and pastes, and writes it back through Write to Radio.
#include "editor/window/channel_editor_window.h"

#include "datafile/data_file_frame.h"
#include "datafile/record_zone.h"
#include "editor/editor_row.h"
#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"
#define TALVEX_TEST_PRINTS_QSTRING  // test_program.h prints QString already
#include "editor_lines.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace talvex::testing {
namespace {

using editor::ChannelTableModel;

using editor::testing::kFirstChannelRow;
constexpr int Row(int channel) { return kFirstChannelRow + channel - 1; }

const Memory& Rich()
{
    static const Memory rich = ReadMemory(QStringLiteral(TALVEX_SOURCE_DIR "/tests/support/rich-memory.txt"));
    return rich;
}

// The rich memory as Create File writes it, each programmed line with its record or without.
QStringList RichFile(bool withRecords)
{
    QStringList lines = DataFileHead(QStringLiteral("TALVEX.TXT"));
    for (int channel = 1; channel <= 99; ++channel) {
        const QByteArray& bytes = Rich().at(channel);
        const QString line = ExpectedLine(channel, bytes);
        lines << (withRecords && !bytes.isEmpty() ? WithRecordZone(line, *MemoryRecord::from(bytes)) : line);
    }
    return lines + DataFileTail();
}

QByteArray Renumbered(QByteArray bytes, int channel)
{
    bytes[0] = 0;
    bytes[1] = static_cast<char>((channel / 10) << 4 | channel % 10);
    return bytes;
}

// What the radio must hold once the editor's lines are written, worked out from the labels the
// rows show: each channel the whole record of the channel whose label it now shows (every label
// of the rich memory is its own), numbered for it; a blank row's channel blank.
Memory ExpectedFromLabels(const QStringList& lines)
{
    std::map<QString, QByteArray> byLabel;
    for (const auto& [channel, bytes] : Rich()) {
        if (!bytes.isEmpty())
            byLabel[QString::fromLatin1(bytes.mid(31, 10))] = bytes;
    }
    Memory expected = Rich();
    for (const QString& line : lines) {
        if (editor::RowKindOf(line) == editor::RowKind::End)
            break;
        const editor::ChannelRow row = editor::ChannelRowOf(line);
        const auto channel = editor::MemoryChannelOf(row);
        if (editor::RowKindOf(line) != editor::RowKind::Channel || !channel)
            continue;
        expected[*channel] = row.isBlank() ? QByteArray() : Renumbered(byLabel.at(row.label), *channel);
    }
    return expected;
}

class EditorSettingsAgainstSim : public ::testing::Test {
protected:
    void start(bool withRecords)
    {
        ASSERT_TRUE(WriteMemory(memoryPath, Rich()));
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath},
                                           QStringLiteral("115200,N,8,1"));
        ASSERT_TRUE(run->ready());
        QByteArray file;
        for (const QString& line : RichFile(withRecords))
            file += line.toLatin1() + "\r\n";
        run->writeFile(QStringLiteral("TALVEX.TXT"), file);
        ASSERT_TRUE(run->startUp());
        window = std::make_unique<editor::ChannelEditorWindow>(run->program->controls());
    }
    ChannelTableModel& model() { return window->model(); }
    void trigger(const char* action) { window->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    // Runs what `action` started (a read or Update Rig) to its end.
    void runToEnd(const char* action)
    {
        trigger(action);
        run->runMemoryOperation(Step::UpdateRig);
        ASSERT_FALSE(run->program->state.anyMemoryOperationRunning());
    }
    QString status() const { return window->findChild<QLineEdit*>(QStringLiteral("EditorStatus"))->text(); }
    Memory held() const { return ReadMemory(memoryPath); }

    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
    std::unique_ptr<editor::ChannelEditorWindow> window;
};

struct Commands {
    const char* name;
    std::function<void(editor::ChannelEditorWindow&)> run;
};
void PrintTo(const Commands& commands, std::ostream* os) { *os << commands.name; }

void Edit(ChannelTableModel& model, int channel, editor::Column column, const char* value)
{
    ASSERT_TRUE(model.setData(model.index(Row(channel), static_cast<int>(column)), QString::fromLatin1(value), Qt::EditRole));
}

const Commands kCommands[] = {
    {"MoveInsertRenumberCutAndPaste",
     [](editor::ChannelEditorWindow& w) {
         ChannelTableModel& m = w.model();
         m.moveChannel(Row(17), +1);  // onto blank 18
         m.moveChannel(Row(12), -1);  // exchanged with 11, a split channel
         m.insertChannel(Row(5));     // 5-8 down into blank 9
         Edit(m, 26, editor::Column::Channel, "27");  // 26 and blank 27 exchange numbers
         Edit(m, 27, editor::Column::Channel, "26");
         // Channel 40 cut and pasted from channel 1: it goes back to 40.
         auto* table = w.findChild<QTableView*>(QStringLiteral("ChannelTable"));
         table->setCurrentIndex(m.index(Row(40), 1));
         w.findChild<QAction*>(QStringLiteral("EditorCut"))->trigger();
         table->setCurrentIndex(m.index(Row(1), 1));
         w.findChild<QAction*>(QStringLiteral("EditorPaste"))->trigger();
     }},
    {"SortByFrequency", [](editor::ChannelEditorWindow& w) { w.model().sortChannels(editor::SortKey::Frequency); }},
};

class RecordsTravel : public EditorSettingsAgainstSim, public ::testing::WithParamInterface<Commands> {};

// Every record lands, byte for byte, where the operator put its row; nothing else changes.
TEST_P(RecordsTravel, EveryRecordIsWrittenWhereItsRowWasPut)
{
    start(true);
    GetParam().run(*window);
    EXPECT_TRUE(model().rowsWithUnknownSettings().empty());
    const Memory expected = ExpectedFromLabels(model().lines());
    int moved = 0;
    for (const auto& [channel, bytes] : expected)
        moved += bytes != Rich().at(channel) ? 1 : 0;
    ASSERT_GE(moved, 4);  // the commands moved something to check
    run->dialogs.answerMessage(MessageAnswer::Yes);  // save first
    run->dialogs.answerMessage(MessageAnswer::Yes);  // Update Rig's question
    runToEnd("EditorWrite");
    const Memory now = held();
    for (int channel = 1; channel <= 99; ++channel)
        EXPECT_EQ(now.at(channel).toHex(' '), expected.at(channel).toHex(' ')) << "channel " << channel;
}

INSTANTIATE_TEST_SUITE_P(, RecordsTravel, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<Commands>& info) { return std::string(info.param.name); });

// Without records, moved rows are marked at once, Write to Radio asks before writing them, and
// what it writes gives no channel another channel's settings: each keeps its own tones and
// split, and its own data mode unless its new mode cannot carry one.
TEST_F(EditorSettingsAgainstSim, RowsMovedWithoutTheirRecordAreMarkedAndTakeNoOtherChannelsSettings)
{
    start(false);
    model().moveChannel(Row(13), -1);  // 13 (FM, TSQL 203.5) and 12 exchanged
    model().moveChannel(Row(22), +1);  // 22 (split) and 23 exchanged
    std::set<int> marked;
    for (const int row : model().rowsWithUnknownSettings())
        marked.insert(*model().checkOf(row).settingsUnknownOn);
    EXPECT_EQ(marked, (std::set<int>{12, 13, 22, 23}));
    EXPECT_TRUE(status().contains(u"settings unknown")) << status().toStdString();

    run->dialogs.answerMessage(MessageAnswer::No);
    trigger("EditorWrite");
    EXPECT_FALSE(run->program->state.anyMemoryOperationRunning());
    EXPECT_EQ(held(), Rich());
    EXPECT_TRUE(status().startsWith(u"Write to Radio did not run: 4 lines lack")) << status().toStdString();

    for (const auto answer : {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes})
        run->dialogs.answerMessage(answer);  // write them as they are, save, Update Rig
    runToEnd("EditorWrite");
    const Memory now = held();
    for (const int channel : {12, 13, 22, 23}) {
        SCOPED_TRACE(channel);
        const QByteArray& was = Rich().at(channel);
        const QByteArray& is = now.at(channel);
        ASSERT_EQ(is.size(), 41);
        EXPECT_EQ(is.mid(31, 10), Rich().at(channel == 12 || channel == 22 ? channel + 1 : channel - 1).mid(31, 10));
        EXPECT_EQ(is[10] & 0x0F, was[10] & 0x0F);  // tone type
        EXPECT_EQ(is.mid(11, 6), was.mid(11, 6));  // both tones
        const int dataMode = (is[10] >> 4) & 0x0F;
        EXPECT_TRUE(dataMode == ((was[10] >> 4) & 0x0F) || dataMode == 0);
        const bool wasSplit = was.mid(3, 14) != was.mid(17, 14);
        if (wasSplit)
            EXPECT_EQ(is.mid(17, 14), was.mid(17, 14));  // its own transmit side
        else
            EXPECT_EQ(is.mid(17, 14), is.mid(3, 14));
    }
}

// Take Settings from the Radio gives moved rows the records of the channels they were read on,
// and names the row that no longer shows what its channel holds; written, every channel holds
// the record its row took.
TEST_F(EditorSettingsAgainstSim, TakenSettingsMakeMovedRowsWriteTheirOwnRecords)
{
    start(false);
    model().moveChannel(Row(13), -1);
    model().moveChannel(Row(22), +1);
    Edit(model(), 30, editor::Column::Label, "EDITED");
    runToEnd("EditorTakeSettings");
    EXPECT_TRUE(model().rowsWithUnknownSettings().empty());
    EXPECT_EQ(status(), u"Took the radio's settings for 89 rows; 1 row did not agree with the radio and was left as it is: "
                        u"channel 30 (label)");
    for (const int channel : {12, 13, 22, 23})
        EXPECT_TRUE(editor::ChannelRowOf(model().lines()[Row(channel)]).record) << channel;
    Edit(model(), 30, editor::Column::Label, "AM 30 30");  // back as the radio has it
    runToEnd("EditorTakeSettings");
    EXPECT_EQ(status(), u"Took the radio's settings for 1 row");

    run->dialogs.answerMessage(MessageAnswer::Yes);  // save
    run->dialogs.answerMessage(MessageAnswer::Yes);  // Update Rig
    runToEnd("EditorWrite");
    const Memory expected = ExpectedFromLabels(model().lines());
    const Memory now = held();
    for (int channel = 1; channel <= 99; ++channel)
        EXPECT_EQ(now.at(channel).toHex(' '), expected.at(channel).toHex(' ')) << "channel " << channel;
}

}  // namespace
}  // namespace talvex::testing
