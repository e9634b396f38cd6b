// The Memory window's operations against talvex-sim over a pseudo-terminal, at each baud rate:
// what Create File writes is what the radio holds, what Update Rig writes is what the radio
// then holds, and Blank Rig leaves every channel of its range blank. All 99 channels at
// 19200 baud; the slower rates, whose timing differs only in the answer window, take a
// shorter range.
#include "memory/window/memory_main.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>


namespace talvex::testing {
namespace {

struct Rate {
    const char* name;
    QString settings;
    int channels;  // Update Rig and Blank Rig act on channels 1 to this
};

void PrintTo(const Rate& c, std::ostream* os) { *os << c.name; }

class MemoryWindowAgainstSim : public ::testing::TestWithParam<Rate> {
protected:
    // A simulator whose memory starts as `memoryFile` (none: every channel blank).
    void start(const QString& memoryFile)
    {
        if (!memoryFile.isEmpty())
            QFile::copy(memoryFile, memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath}, GetParam().settings);
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
        window = std::make_unique<MemoryMain>(run->program->controls());
        window->show();
    }
    void click(const char* name)
    {
        QTest::mouseClick(window->findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QStringList dataFileLines()
    {
        QFile file(run->path(QStringLiteral("TALVEX.TXT")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
    std::unique_ptr<MemoryMain> window;
};

// Create File always reads all 99 channels.
class CreateFileAgainstSim : public MemoryWindowAgainstSim {};

TEST_P(CreateFileAgainstSim, CreateFileWritesWhatTheRadioHolds)
{
    start(DemoMemoryPath(TALVEX_DEMO_DIR));
    run->dialogs.answerMessage(MessageAnswer::Yes);
    click("Command1");
    const int ticks = run->runMemoryOperation(1);
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(run->dialogs.messages.size(), 1u);  // the question, and no error after it

    const QStringList lines = dataFileLines();
    ASSERT_EQ(lines.size(), 3 + 99 + 4);
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR))));
    EXPECT_EQ(lines.last(), QStringLiteral(" END").leftJustified(70, u' '));
    EXPECT_EQ(run->program->state.memory.Text1, u"END");
}

TEST_P(MemoryWindowAgainstSim, UpdateRigWritesEveryChannelOfTheFileIntoABlankRadio)
{
    const Memory source = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    const int channels = GetParam().channels;
    start(QString());
    QStringList file{QString(70, u' ') + QStringLiteral("TALVEX.TXT")};
    file << ExpectedChannelLines(source).mid(0, channels) << QStringLiteral(" END");
    QFile data(run->path(QStringLiteral("TALVEX.TXT")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(file.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    data.close();

    run->dialogs.answerMessage(MessageAnswer::Yes);
    click("Command3");
    run->runMemoryOperation(3);
    EXPECT_FALSE(run->program->state.UpdatingRig);
    EXPECT_EQ(run->dialogs.messages.size(), 1u);

    const Memory written = ReadMemory(memoryPath);
    for (int channel = 1; channel <= 99; ++channel) {
        SCOPED_TRACE(channel);
        QByteArray expected = source.count(channel) && channel <= channels ? source.at(channel) : QByteArray();
        if (!expected.isEmpty())
            expected[2] = 0;  // the select mark is the radio's own: a write leaves it off
        ASSERT_TRUE(written.count(channel));
        EXPECT_EQ(written.at(channel).toHex(' '), expected.toHex(' '));
    }
}

TEST_P(MemoryWindowAgainstSim, BlankRigFromOneToNinetyNineLeavesEveryChannelBlank)
{
    start(DemoMemoryPath(TALVEX_DEMO_DIR));
    run->dialogs.answerMessage(MessageAnswer::Yes);
    const int channels = GetParam().channels;
    run->dialogs.answerInput(QStringLiteral("1"));
    run->dialogs.answerInput(QString::number(channels));
    click("Command5");
    run->runMemoryOperation(5);
    EXPECT_FALSE(run->program->state.BlankingRig);
    EXPECT_EQ(run->dialogs.messages.size(), 1u);  // every clear verified: no report
    EXPECT_EQ(run->program->state.memory.Text1, u"END");

    const Memory demo = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    const Memory blanked = ReadMemory(memoryPath);
    for (int channel = 1; channel <= 99; ++channel) {
        SCOPED_TRACE(channel);
        ASSERT_TRUE(blanked.count(channel));
        EXPECT_EQ(blanked.at(channel), channel <= channels ? QByteArray() : demo.at(channel));
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, MemoryWindowAgainstSim,
    ::testing::Values(Rate{"At19200", QStringLiteral("19200,N,8,1"), 99}, Rate{"At9600", QStringLiteral("9600,N,8,1"), 12},
                      Rate{"At4800", QStringLiteral("4800,N,8,1"), 12}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Rates, CreateFileAgainstSim,
    ::testing::Values(Rate{"At19200", QStringLiteral("19200,N,8,1"), 99}, Rate{"At4800", QStringLiteral("4800,N,8,1"), 99}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
