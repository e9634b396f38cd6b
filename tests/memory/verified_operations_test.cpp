// The memory operations against a scripted radio that answers: each step waits for its answer
// window, every channel is checked against what the radio answered, and the end says what
// could not be checked. Timer orderings stand for late ticks and late answers.
#include "memory_test_support.h"

#include "memory/data_line.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

using Frames = QStringList;

RadioChannel ChannelAt(int n) { return SampleChannel(n); }

class VerifiedOperations : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    MemoryOperations& memory() { return t.program->memory; }
    void yes() { t.dialogs.answerMessage(MessageAnswer::Yes); }
    void fillRadio()
    {
        for (int n = 1; n <= 99; ++n) {
            const RadioChannel c = ChannelAt(n);
            if (!c.digits.isEmpty())
                t.radio.memory[n] = ContentsOf(c);
        }
    }
    void useDataFile(const QStringList& lines)
    {
        t.writeFile(QStringLiteral("TALVEX.TXT"), lines);
        QString name = QStringLiteral("TALVEX.TXT");
        t.program->dataFile.OpenDataFile(name, FileMode::Input);
    }
    // A file of the 99 channels ChannelAt gives, as Create File writes them.
    void useChannelFile()
    {
        QStringList lines;
        for (int n = 1; n <= 99; ++n) {
            const RadioChannel c = ChannelAt(n);
            if (c.digits.isEmpty()) {
                lines << FormatDataLine({n, QString(), QString(), QString(), QString(), QString()});
                continue;
            }
            const QString mhz = c.digits.left(2), khz = c.digits.mid(2, 3), h = c.digits.mid(5);
            const char* names[] = {"LSB", "USB", "AM", "CW", "RTTY", "FM", "", "CWr", "RTTYr"};
            lines << FormatDataLine({n, mhz + u'.' + khz + u'.' + h, QString::fromLatin1(names[c.mode]),
                                     QStringLiteral("Fil %1").arg(c.filter), QStringLiteral("   "), c.label});
        }
        lines << QStringLiteral(" END");
        useDataFile(lines);
    }
    // Ticks `timer` until its operation ends; `lateTicks` extra ticks land while each answer
    // window is still open.
    int runUntilIdle(int timer, int lateTicks = 0)
    {
        int ticks = 0;
        for (; ticks < 1000 && state().anyMemoryOperationRunning(); ++ticks) {
            t.tick(timer);
            for (int late = 0; late < lateTicks && t.timer2().isEnabled(); ++late) {
                t.memoryTimer(timer).fire();
                EXPECT_TRUE(t.port.takeWritten().isEmpty()) << "a tick stepped while the answer was awaited";
            }
        }
        t.closeAnswerWindow();
        return ticks;
    }
    std::map<int, QByteArray> expectedMemory()
    {
        std::map<int, QByteArray> expected;
        for (int n = 1; n <= 99; ++n) {
            RadioChannel c = ChannelAt(n);
            if (!c.digits.isEmpty())
                expected[n] = ContentsOf(c);
        }
        return expected;
    }

    OpenProgram t;
};

TEST_F(VerifiedOperations, CreateFileWritesEveryChannelWhateverTheTicksThatComeWhileAnAnswerIsAwaited)
{
    fillRadio();
    useDataFile({QStringLiteral("OLD")});
    for (int late : {0, 1, 3}) {
        yes();
        memory().Command1_Click();
        runUntilIdle(1, late);
        EXPECT_EQ(state().memory.Text1, u"END") << late;
        const QStringList lines = QString::fromLatin1(t.readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 107) << late;
        for (int n = 1; n <= 99; ++n)
            EXPECT_EQ(lines[n + 2].left(4).trimmed(), QString::number(n)) << late;
        EXPECT_EQ(lines[4].mid(70).trimmed(), u"CH 2");
    }
}

TEST_F(VerifiedOperations, CreateFileAsksAgainForAnAnswerThatCameTooLateAndWritesOnlyTheChannelAsked)
{
    fillRadio();
    useDataFile({QStringLiteral("OLD")});
    yes();
    memory().Command1_Click();
    t.memoryTimer(1).fire();  // header, read of channel 1
    EXPECT_EQ(FramesOf(t.port.takeWritten()), Frames{"1A 00 00 01"});
    // The answer window closes before the radio's answer is there; the answer comes after.
    t.closeAnswerWindow();
    t.port.receive(MemoryReadExchange(ChannelAt(1)));
    EXPECT_EQ(t.tick(1), Frames{"1A 00 00 01"});  // asked again; the late answer is not taken
    EXPECT_EQ(t.tick(1), Frames{"1A 00 00 02"});
    runUntilIdle(1);
    const QStringList lines = QString::fromLatin1(t.readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 107);
    EXPECT_EQ(lines[3].mid(70).trimmed(), u"CH 1");
}

TEST_F(VerifiedOperations, CreateFileStopsAfterThreeUnansweredReadsAndKeepsTheOldFile)
{
    fillRadio();
    t.radio.silentFrom = 40;
    useDataFile({QStringLiteral("OLD")});
    const QByteArray old = t.readFile(QStringLiteral("TALVEX.TXT"));
    yes();
    memory().Command1_Click();
    runUntilIdle(1);
    EXPECT_EQ(t.radio.frames, 39 + 3);  // channel 40 asked three times
    ASSERT_FALSE(t.dialogs.messages.empty());
    EXPECT_EQ(t.dialogs.messages.back().text, u"The radio did not answer for channel 40 ... TALVEX.TXT was not changed.");
    EXPECT_NE(state().memory.Text1, u"END");
    EXPECT_EQ(t.readFile(QStringLiteral("TALVEX.TXT")), old);
}

TEST_F(VerifiedOperations, AnOperatorsClickDuringARunSharesTheWindowAndChangesNothing)
{
    useChannelFile();
    yes();
    memory().Command3_Click();
    for (int guard = 0; guard < 200 && state().UpdatingRig; ++guard) {
        t.tick(3);
        if (guard % 7 == 3) {
            // "Query Current Frequency" while the step's answer is awaited: its frame and
            // answer join the same window.
            t.program->radio.Option48_Click();
            t.port.receive(t.radio.answer(t.port.takeWritten()));
        }
    }
    t.closeAnswerWindow();
    EXPECT_FALSE(state().UpdatingRig);
    EXPECT_TRUE(t.dialogs.messages.size() == 1u) << t.dialogs.messages.back().text.toStdString();
    EXPECT_EQ(t.radio.memory, expectedMemory());
}

TEST_F(VerifiedOperations, UpdateRigNamesEachChannelTheRadioRefusedOrHoldsDifferently)
{
    useChannelFile();
    t.radio.refuseWrites = {17};
    t.radio.storeWrong = {31};
    yes();
    memory().Command3_Click();
    const int ticks = runUntilIdle(3);
    EXPECT_LE(ticks, 101);  // one line a tick
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
    EXPECT_EQ(t.dialogs.messages.back().text, u"Update Rig: 97 of 99 channels verified\n"
                                              u"Channel 17: the radio refused the write\n"
                                              u"Channel 31: the radio holds XH 31, the file says CH 31");
    EXPECT_EQ(state().memory.Text7, u"Update Rig: 97 of 99 channels verified");
    auto expected = expectedMemory();
    expected.erase(17);
    expected[31][31] = 'X';
    EXPECT_EQ(t.radio.memory, expected);
}

TEST_F(VerifiedOperations, EveryChannelVerifiedEndsAsAlwaysWithoutAMessage)
{
    useChannelFile();
    t.radio.memory[10] = ContentsOf(ChannelAt(11));  // cleared by the file's blank line
    yes();
    memory().Command3_Click();
    runUntilIdle(3, 1);
    EXPECT_EQ(t.dialogs.messages.size(), 1u);  // the question only
    EXPECT_EQ(state().memory.Text1, u"END");
    EXPECT_EQ(t.radio.memory, expectedMemory());
}

TEST_F(VerifiedOperations, ARadioSilentForThreeChannelsStopsTheRunNamingTheFirst)
{
    struct Case {
        int timer;
        void (MemoryOperations::*start)();
        QString message;
    };
    const Case cases[] = {
        {3, &MemoryOperations::Command3_Click,
         QStringLiteral("The radio did not answer for channel 62 ... Update Rig stopped: that channel and the ones "
                        "after it may not hold what the file says.")},
        {4, &MemoryOperations::Command4_Click, QStringLiteral("The radio did not answer for channel 62 ... View Rig stopped.")},
        {5, &MemoryOperations::Command5_Click, QStringLiteral("The radio did not answer for channel 62 ... Blank Rig stopped.")},
    };
    for (const Case& c : cases) {
        OpenProgram run;
        run.radio.silentFrom = 62;
        QStringList lines;
        for (int n = 1; n <= 99; ++n)
            lines << FormatDataLine({n, QStringLiteral("14.074.0"), QStringLiteral("USB"), QStringLiteral("Fil 1")});
        run.writeFile(QStringLiteral("TALVEX.TXT"), lines);
        QString name = QStringLiteral("TALVEX.TXT");
        run.program->dataFile.OpenDataFile(name, FileMode::Input);
        run.dialogs.answerMessage(MessageAnswer::Yes);
        run.dialogs.answerInput(QString());  // Blank Rig: channels 1 to 99
        run.dialogs.answerInput(QString());
        (run.program->memory.*c.start)();
        for (int guard = 0; guard < 200 && run.program->state.anyMemoryOperationRunning(); ++guard)
            run.tick(c.timer);
        ASSERT_FALSE(run.dialogs.messages.empty()) << c.timer;
        EXPECT_EQ(run.dialogs.messages.back().text, c.message);
        EXPECT_NE(run.program->state.memory.Text1, u"END") << c.timer;
    }
}

TEST_F(VerifiedOperations, BlankRigAndViewRigNameTheChannelsThatGotNoAnswer)
{
    fillRadio();
    t.radio.silentFrom = 98;  // two silent channels at the end: not enough to stop
    yes();
    memory().Command4_Click();
    runUntilIdle(4);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages.back().text,
              u"View Rig: 97 of 99 channels verified\nChannel 98: no answer\nChannel 99: no answer");

    t.radio.silent = false;
    t.radio.silentFrom = 7;
    yes();
    t.dialogs.answerInput(QStringLiteral("5"));
    t.dialogs.answerInput(QStringLiteral("7"));
    memory().Command5_Click();
    runUntilIdle(5);
    EXPECT_EQ(t.dialogs.messages.back().text, u"Blank Rig: 2 of 3 channels verified\nChannel 7: no answer");
    EXPECT_EQ(t.radio.memory.count(5) + t.radio.memory.count(6), 0u);
}

TEST_F(VerifiedOperations, TypedRangesCountByTheirLeadingNumber)
{
    struct Case {
        QString first, last;
        bool starts;
        int lastChannel;
    };
    const Case cases[] = {
        {"5", "7x", true, 7}, {"5", "7.", true, 7},   {"5", "1 0", true, 10}, {"5", "-1", true, -1},
        {"5", "abc", true, 0}, {"abc", "9", false, 0}, {" 3", "9", true, 9},  {"", "", true, 99},
    };
    for (const Case& c : cases) {
        OpenProgram run;
        run.dialogs.answerMessage(MessageAnswer::Yes);
        run.dialogs.answerInput(c.first);
        run.dialogs.answerInput(c.last);
        run.program->memory.Command5_Click();
        EXPECT_EQ(run.program->state.BlankingRig, c.starts) << c.first.toStdString() << " " << c.last.toStdString();
        if (!c.starts) {
            EXPECT_EQ(run.tick(5), Frames{});
            continue;
        }
        EXPECT_EQ(run.program->state.LastChannel, c.lastChannel) << c.last.toStdString();
        int cleared = 0;
        for (int guard = 0; guard < 120 && run.program->state.BlankingRig; ++guard)
            cleared += run.tick(5).contains(QStringLiteral("0B"));
        const int first = c.first.trimmed().isEmpty() ? 1 : c.first.trimmed().toInt();
        EXPECT_EQ(cleared, std::max(0, std::min(c.lastChannel, 99) - first + 1)) << c.last.toStdString();
    }
}

TEST_F(VerifiedOperations, NoCurrentDataFileRefusesTheFileOperationsAtTheirClick)
{
    state().CurrentDataFile.clear();
    for (auto click : {&MemoryOperations::Command1_Click, &MemoryOperations::Command2_Click,
                       &MemoryOperations::Command3_Click}) {
        (memory().*click)();
        ASSERT_FALSE(t.dialogs.messages.empty());
        EXPECT_EQ(t.dialogs.messages.back().text, u"No data file is chosen ... Change Data File chooses one.");
        EXPECT_FALSE(state().anyMemoryOperationRunning());
    }
    EXPECT_EQ(t.dialogs.messages.size(), 3u);
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

}  // namespace
}  // namespace talvex::testing
