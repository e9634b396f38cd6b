// The Memory window's operations against talvex-sim over a pseudo-terminal, at each baud rate:
// what Create File writes is what the radio holds, what Update Rig writes is what the radio
// then holds, and Blank Rig leaves every channel of its range blank. All 99 channels at
// 19200 baud (Create File with noise between the frames); the slower rates, whose timing
// differs only in the answer window, act on channels 1 to 10.
#include "memory/window/memory_main.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

struct Rate {
    const char* name;
    QString settings;
    int channels;  // the radio holds, and Update Rig and Blank Rig act on, channels 1 to this
};

void PrintTo(const Rate& c, std::ostream* os) { *os << c.name; }

class MemoryWindowAgainstSim : public ::testing::TestWithParam<Rate> {
protected:
    // A simulator holding the demo's channels 1 to `channels` (none: every channel blank).
    void start(int channels, const QStringList& simArguments = {})
    {
        Memory held;
        for (int channel = 1; channel <= channels; ++channel)
            held[channel] = demo.at(channel);
        ASSERT_TRUE(WriteMemory(memoryPath, held));
        run = std::make_unique<SimProgram>(QStringList{"--memory", memoryPath} + simArguments, GetParam().settings);
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
        window = std::make_unique<MemoryMain>(run->program->controls());
        window->show();
    }
    // Clicks `button` (its question answered Yes) and runs the operation on timer `number`.
    int operate(const char* button, int number)
    {
        run->dialogs.answerMessage(MessageAnswer::Yes);
        QTest::mouseClick(window->findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
        const int ticks = run->runMemoryOperation(number);
        EXPECT_FALSE(run->program->state.anyMemoryOperationRunning());
        EXPECT_EQ(run->dialogs.messages.size(), 1u);  // the question, and no report after it
        return ticks;
    }
    // The simulator's memory: `expected(channel, what the demo holds there)` for 1 to 99.
    void expectRadioHolds(const std::function<QByteArray(int, QByteArray)>& expected)
    {
        const Memory held = ReadMemory(memoryPath);
        for (int channel = 1; channel <= 99; ++channel) {
            ASSERT_TRUE(held.count(channel)) << channel;
            EXPECT_EQ(held.at(channel).toHex(' '), expected(channel, demo.at(channel)).toHex(' ')) << channel;
        }
    }

    const Memory demo = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
    std::unique_ptr<MemoryMain> window;
};

// Create File always reads all 99 channels.
TEST_P(MemoryWindowAgainstSim, CreateFileWritesWhatTheRadioHolds)
{
    start(GetParam().channels, GetParam().channels == 99 ? QStringList{"--fault", "noise"} : QStringList{});
    EXPECT_EQ(operate("Command1", 1), 100);
    const QStringList lines = QString::fromLatin1(run->readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3 + 99 + 4 + 1);  // and the last line ends too
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(ReadMemory(memoryPath)));
    EXPECT_EQ(lines[105], QStringLiteral(" END").leftJustified(70, u' '));
    EXPECT_EQ(lines[106], u"");
    EXPECT_EQ(run->program->state.memory.Text1, u"END");
}

TEST_P(MemoryWindowAgainstSim, UpdateRigWritesEveryChannelOfTheFileIntoABlankRadio)
{
    const int channels = GetParam().channels;
    start(0);
    QStringList file{QString(70, u' ') + QStringLiteral("TALVEX.TXT")};
    file << ExpectedChannelLines(demo).mid(0, channels) << QStringLiteral(" END");
    run->writeFile(QStringLiteral("TALVEX.TXT"), file.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    operate("Command3", 3);
    expectRadioHolds([&](int channel, QByteArray demoHeld) {
        if (channel > channels)
            return QByteArray();
        if (!demoHeld.isEmpty())
            demoHeld[2] = 0;  // the select mark is the radio's own: a write leaves it off
        return demoHeld;
    });
}

TEST_P(MemoryWindowAgainstSim, BlankRigLeavesEveryChannelOfItsRangeBlank)
{
    const int channels = GetParam().channels;
    start(99);
    run->dialogs.answerInput(QStringLiteral("1"));
    run->dialogs.answerInput(QString::number(channels));
    operate("Command5", 5);
    EXPECT_EQ(run->program->state.memory.Text1, u"END");
    expectRadioHolds([&](int channel, const QByteArray& demoHeld) { return channel <= channels ? QByteArray() : demoHeld; });
}

INSTANTIATE_TEST_SUITE_P(Rates, MemoryWindowAgainstSim,
    ::testing::Values(Rate{"At19200", QStringLiteral("19200,N,8,1"), 99}, Rate{"At9600", QStringLiteral("9600,N,8,1"), 10},
                      Rate{"At4800", QStringLiteral("4800,N,8,1"), 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
