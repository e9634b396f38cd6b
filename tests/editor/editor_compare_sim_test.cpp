// Compare with Radio against talvex-sim: the rows the editor changed, and only those, are
// marked as differing, and the radio is left exactly as it was.
#include "editor/window/channel_editor_window.h"

#include "datafile/data_file_frame.h"
#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"
#define TALVEX_TEST_PRINTS_QSTRING  // test_program.h prints QString already
#include "editor_lines.h"

#include <QAction>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

using editor::testing::kFirstChannelRow;

// A radio holding channels 1-10 of the demo, its data file as Create File writes it, and the
// editor on it with channels 2, 5, 6, 7 and 21 edited (a label, a frequency, one outside the
// radio's range, a clear, a new one).
const QString kSkipped = QStringLiteral("skipped: frequency 75.500.0 is outside 0.030-74.800 MHz: the radio refuses it");

class EditorAgainstSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Memory demo = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
        for (int channel = 1; channel <= 10; ++channel)
            held[channel] = demo.at(channel);
        ASSERT_TRUE(WriteMemory(memoryPath, held));
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath});
        ASSERT_TRUE(run->ready());
        for (const QString& line : DataFileHead(QStringLiteral("TALVEX.TXT")) + ExpectedChannelLines(held) + DataFileTail())
            file += line.toLatin1() + "\r\n";
        run->writeFile(QStringLiteral("TALVEX.TXT"), file);
        ASSERT_TRUE(run->startUp());
        window = std::make_unique<editor::ChannelEditorWindow>(run->program->controls());
        edit(2, editor::Column::Label, "CHANGED");
        edit(5, editor::Column::Frequency, "1.234");
        edit(7, editor::Column::Frequency, "");
        edit(21, editor::Column::Frequency, "14.074");
        edit(21, editor::Column::Mode, "USB");
        edit(21, editor::Column::Filter, "2");
        edit(6, editor::Column::Frequency, "75.5");  // the radio refuses it: Update Rig skips the line
    }
    void edit(int channel, editor::Column column, const char* value)
    {
        editor::ChannelTableModel& model = window->model();
        ASSERT_TRUE(model.setData(model.index(kFirstChannelRow + channel - 1, static_cast<int>(column)),
                                  QString::fromLatin1(value), Qt::EditRole));
    }
    void run3(const char* action)
    {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        run->runMemoryOperation(Step::UpdateRig);
        ASSERT_FALSE(run->program->state.anyMemoryOperationRunning());
    }
    // Each channel row's mark starts as `edited` says for the edited channels, `others` for the rest.
    void expectMarks(const std::map<int, QString>& edited, const QString& others)
    {
        for (int channel = 1; channel <= 99; ++channel) {
            const QString mark = window->model().radioVerdict(kFirstChannelRow + channel - 1);
            const auto expected = edited.find(channel);
            EXPECT_TRUE(mark.startsWith(expected != edited.end() ? expected->second : others))
                << channel << ": " << mark.toStdString();
        }
    }

    Memory held;
    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    QByteArray file;
    std::unique_ptr<SimProgram> run;
    std::unique_ptr<editor::ChannelEditorWindow> window;
};

TEST_F(EditorAgainstSim, CompareMarksExactlyTheEditedRowsAndChangesNothing)
{
    run3("EditorCompare");
    expectMarks({{2, QStringLiteral("differs: label")},
                 {5, QStringLiteral("differs: frequency")},
                 {6, kSkipped},
                 {7, QStringLiteral("will be cleared")},
                 {21, QStringLiteral("differs: the radio holds nothing there; will write frequency, mode, filter")}},
                QStringLiteral("same"));
    EXPECT_EQ(ReadMemory(memoryPath), held);
    EXPECT_TRUE(window->model().isModified());  // nothing saved either
    EXPECT_EQ(run->readFile(QStringLiteral("TALVEX.TXT")), file);
}

TEST_F(EditorAgainstSim, WriteToRadioSavesRunsUpdateRigAndMarksEachRow)
{
    run->dialogs.answerMessage(MessageAnswer::Yes);  // save the changes first
    run->dialogs.answerMessage(MessageAnswer::Yes);  // Update Rig's own question
    run->dialogs.answerMessage(MessageAnswer::Yes);  // and its list of the lines it skips
    run3("EditorWrite");
    // The operator saw the line the radio refuses before anything was written.
    ASSERT_GE(run->dialogs.messages.size(), 3u);
    EXPECT_TRUE(run->dialogs.messages[2].text.contains(u"line 9 (channel 6): frequency 75.500.0 is outside"))
        << run->dialogs.messages[2].text.toStdString();
    expectMarks({{2, QStringLiteral("written and verified")},
                 {5, QStringLiteral("written and verified")},
                 {6, kSkipped},
                 {7, QStringLiteral("cleared and verified")},
                 {21, QStringLiteral("written and verified")}},
                QStringLiteral("unchanged"));
    const Memory now = ReadMemory(memoryPath);
    EXPECT_EQ(now.at(2).mid(31, 10), "CHANGED   ");
    EXPECT_TRUE(now.at(7).isEmpty());
    EXPECT_EQ(now.at(21).mid(3, 5).toHex(), "0040071400");
    for (const int same : {1, 3, 4, 6, 8, 9, 10})
        EXPECT_EQ(now.at(same), held.at(same)) << same;
    EXPECT_FALSE(window->model().isModified());
}

}  // namespace
}  // namespace talvex::testing
