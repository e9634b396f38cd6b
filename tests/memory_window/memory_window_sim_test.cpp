// The Memory window's operations against talvex-sim over a pseudo-terminal, at each baud rate,
// one after another on the same radio: what Create File writes is what the radio holds, Blank
// Rig leaves every channel of its range blank and no other, and what Update Rig writes is what
// the radio then holds. All 99 channels at 115200 baud, the radio's fastest rate (Create File
// with noise between the frames); the usual rates, whose timing differs only in the answer
// window, hold channels 1 to 10, blank 1 to 5 and write 1 to 10 back.
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
    int channels;  // the radio holds, and Update Rig writes, channels 1 to this
    int blanked;   // Blank Rig's range: channels 1 to this
};

void PrintTo(const Rate& c, std::ostream* os) { *os << c.name; }

class MemoryWindowAgainstSim : public ::testing::TestWithParam<Rate> {
protected:
    // Clicks `button` (its question answered Yes) and runs the operation on timer `number`.
    int operate(const char* button, Step number)
    {
        run->dialogs.messages.clear();
        run->dialogs.answerMessage(MessageAnswer::Yes);
        QTest::mouseClick(window->findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
        const int ticks = run->runMemoryOperation(number);
        EXPECT_FALSE(run->program->state.anyMemoryOperationRunning());
        EXPECT_EQ(run->dialogs.messages.size(), 1u)  // the question, and no report after it
            << button << ": "
            << (run->dialogs.messages.empty() ? std::string() : run->dialogs.messages.back().text.toStdString());
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

TEST_P(MemoryWindowAgainstSim, CreateFileBlankRigAndUpdateRigAgreeWithWhatTheRadioHolds)
{
    const Rate& rate = GetParam();
    Memory held;
    for (int channel = 1; channel <= rate.channels; ++channel)
        held[channel] = demo.at(channel);
    ASSERT_TRUE(WriteMemory(memoryPath, held));
    const QStringList noise = rate.channels == 99 ? QStringList{"--fault", "noise"} : QStringList{};
    run = std::make_unique<SimProgram>(QStringList{"--memory", memoryPath} + noise, rate.settings);
    ASSERT_TRUE(run->ready());
    ASSERT_TRUE(run->startUp());
    window = std::make_unique<MemoryMain>(run->program->controls());
    window->show();

    EXPECT_EQ(operate("Command1", Step::CreateFile), 100);  // Create File always reads all 99 channels
    const QStringList lines = QString::fromLatin1(run->readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3 + 99 + 4 + 1);  // and the last line ends too
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(ReadMemory(memoryPath)));
    EXPECT_EQ(lines[105], QStringLiteral(" END").leftJustified(70, u' '));
    EXPECT_EQ(lines[106], u"");
    EXPECT_EQ(run->program->memoryTexts.fields().Text1, u"END");

    run->sim->control(QStringLiteral("fault none"));
    run->dialogs.answerInput(QStringLiteral("1"));
    run->dialogs.answerInput(QString::number(rate.blanked));
    operate("Command5", Step::BlankRig);
    EXPECT_EQ(run->program->memoryTexts.fields().Text1, u"END");
    expectRadioHolds([&](int channel, const QByteArray&) { return channel <= rate.blanked ? QByteArray() : held[channel]; });

    QStringList file{QString(70, u' ') + QStringLiteral("TALVEX.TXT")};
    file << ExpectedChannelLines(demo).mid(0, rate.channels) << QStringLiteral(" END");
    run->writeFile(QStringLiteral("TALVEX.TXT"), file.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    operate("Command3", Step::UpdateRig);
    expectRadioHolds([&](int channel, QByteArray demoHeld) {
        if (channel > rate.channels)
            return QByteArray();
        if (!demoHeld.isEmpty())
            demoHeld[2] = demoHeld[2] ? 1 : 0;  // a blanked channel marked in the file joins group 1
        return demoHeld;
    });
}

INSTANTIATE_TEST_SUITE_P(Rates, MemoryWindowAgainstSim,
    ::testing::Values(Rate{"At115200", QStringLiteral("115200,N,8,1"), 99, 99},
                      Rate{"At19200", QStringLiteral("19200,N,8,1"), 10, 5},
                      Rate{"At4800", QStringLiteral("4800,N,8,1"), 10, 5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
