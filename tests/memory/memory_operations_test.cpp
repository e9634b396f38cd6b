// The Memory window's operations on the scripted line: the frames each tick sends, what the
// fields show, and what the data file holds afterwards.
#include "memory_test_support.h"

#include "memory/data_line.h"

#include <QDir>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

using Frames = QStringList;

class MemoryOperationsTest : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    MemoryOperations& memory() { return t.program->memory; }
    void useDataFile(const QStringList& lines)
    {
        t.writeFile(QStringLiteral("TALVEX.TXT"), lines);
        QString name = QStringLiteral("TALVEX.TXT");
        t.program->dataFile.OpenDataFile(name, FileMode::Input);
    }
    void yes() { t.dialogs.answerMessage(MessageAnswer::Yes); }

    OpenProgram t;
};

TEST_F(MemoryOperationsTest, BlankRigClearsEachChannelOfTheRangeOnceThenShowsEnd)
{
    yes();
    t.dialogs.answerInput(QStringLiteral("5"));
    t.dialogs.answerInput(QStringLiteral("7"));
    memory().Command5_Click();
    ASSERT_EQ(t.dialogs.inputs.size(), 2u);
    EXPECT_EQ(t.dialogs.inputs[0].prompt, u"Enter STARTING Channel Number (1-99)");
    EXPECT_EQ(t.dialogs.inputs[0].title, u"Blank Rig Memories");
    EXPECT_EQ(t.dialogs.inputs[0].defaultText, u"1");
    EXPECT_EQ(t.dialogs.inputs[1].prompt, u"Enter ENDING Channel Number (1-99)");
    EXPECT_EQ(t.dialogs.inputs[1].defaultText, u"99");

    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 05", "0B"}));
    EXPECT_EQ(state().memory.Text7, u"Clearing Memory Channel 5");
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 06", "0B"}));
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 07", "0B"}));
    EXPECT_EQ(t.tick(5), Frames{});
    EXPECT_EQ(state().memory.Text1, u"END");
    EXPECT_EQ(state().memory.Text7, u"END");
    EXPECT_FALSE(state().BlankingRig);
    EXPECT_FALSE(state().ClearAfterSelect);
    EXPECT_EQ(t.tick(5), Frames{});
}

TEST_F(MemoryOperationsTest, BlankRigRangeAnswers)
{
    struct Case {
        std::optional<QString> first, last;
        bool starts;
        Frames firstTick;
        const char* why;
    };
    const Case cases[] = {
        {std::nullopt, QStringLiteral("9"), false, {}, "Cancel at the first prompt means no"},
        {QStringLiteral("3"), std::nullopt, false, {}, "Cancel at the last prompt means no"},
        {QString(), QString(), true, {"08", "08 00 01", "0B"}, "empty answers take 1 and 99"},
        {QStringLiteral("abc"), QStringLiteral("2"), false, {}, "a first channel without a number is refused"},
        {QStringLiteral("0"), QStringLiteral("2"), true, {"08"}, "channel 0 is refused by the select"},
        {QStringLiteral("8"), QStringLiteral("3"), true, {}, "first above last ends at once"},
    };
    for (const Case& c : cases) {
        OpenProgram run;
        run.dialogs.answerMessage(MessageAnswer::Yes);
        run.dialogs.answerInput(c.first);
        if (c.first)
            run.dialogs.answerInput(c.last);
        run.program->memory.Command5_Click();
        EXPECT_EQ(run.program->state.BlankingRig, c.starts) << c.why;
        EXPECT_EQ(run.tick(5), c.firstTick) << c.why;
    }
}

TEST_F(MemoryOperationsTest, BlankRigAnsweredNoAtItsQuestionSendsNothingAndAsksNoMore)
{
    t.dialogs.answerMessage(MessageAnswer::No);
    memory().Command5_Click();
    EXPECT_TRUE(t.dialogs.inputs.empty());
    EXPECT_FALSE(state().BlankingRig);
    EXPECT_EQ(t.tick(5), Frames{});
}

TEST_F(MemoryOperationsTest, PausingBlankRigAsksAndResumesAtTheNextChannelOrStops)
{
    yes();
    t.dialogs.answerInput(QStringLiteral("10"));
    t.dialogs.answerInput(QStringLiteral("20"));
    memory().Command5_Click();
    t.tick(5);
    // Ticks that come while the question is open do nothing.
    t.dialogs.whileShown = [this] { EXPECT_EQ(t.tick(5), Frames{}); };
    t.dialogs.answerMessage(MessageAnswer::No);
    memory().Command11_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"STOP Blank Rig?");
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 11", "0B"}));

    yes();
    memory().Command11_Click();
    t.dialogs.whileShown = nullptr;
    EXPECT_FALSE(state().BlankingRig);
    EXPECT_EQ(t.tick(5), Frames{});
}

TEST_F(MemoryOperationsTest, ScanRigCyclesThroughTheRangeWithOneIdleStep)
{
    yes();
    t.dialogs.answerInput(QStringLiteral("1"));
    t.dialogs.answerInput(QStringLiteral("3"));
    t.dialogs.answerInput(QStringLiteral("9"));
    memory().Command6_Click();
    EXPECT_EQ(FramesOf(t.port.takeWritten()), Frames{"08"});
    EXPECT_EQ(t.memoryTimer(6).interval(), 300);
    EXPECT_FALSE(state().AutoStatus);
    const Frames expected[] = {{"08 00 01", "1A 00 00 01"}, {"08 00 02", "1A 00 00 02"},
                               {"08 00 03", "1A 00 00 03"}, {}, {"08 00 01", "1A 00 00 01"}};
    for (const Frames& frames : expected)
        EXPECT_EQ(t.tick(6), frames);
}

TEST_F(MemoryOperationsTest, ScanSpeedSetsTheIntervalOnlyForASingleDigit)
{
    struct Case {
        std::optional<QString> speed;
        int interval;
    };
    const Case cases[] = {{QStringLiteral("1"), 1900}, {QStringLiteral("9"), 300}, {QString(), 1100},
                          {QStringLiteral("x"), 1100}, {QStringLiteral("0"), 1100}, {QStringLiteral("10"), 700},
                          {QStringLiteral(" 5"), 700}};
    for (const Case& c : cases) {
        OpenProgram run;
        run.memoryTimer(6).setInterval(700);  // what an earlier scan left
        run.dialogs.answerMessage(MessageAnswer::Yes);
        run.dialogs.answerInput(QString());
        run.dialogs.answerInput(QString());
        run.dialogs.answerInput(c.speed);
        run.program->memory.Command6_Click();
        EXPECT_EQ(run.memoryTimer(6).interval(), c.interval) << c.speed.value_or("(cancel)").toStdString();
        EXPECT_EQ(run.dialogs.inputs.back().prompt, u"Scan Speed (1-9)");
        EXPECT_EQ(run.dialogs.inputs.back().title, u"Scan Speed");
    }
}

TEST_F(MemoryOperationsTest, StoppingAScanEndsAtTheNextTickAndSwitchesAutoStatusBackOn)
{
    yes();
    t.dialogs.answerInput(QStringLiteral("4"));
    t.dialogs.answerInput(QStringLiteral("9"));
    t.dialogs.answerInput(QStringLiteral("5"));
    memory().Command6_Click();
    t.tick(6);
    t.dialogs.answerMessage(MessageAnswer::No);
    memory().Command12_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"STOP Scan Rig?");
    EXPECT_EQ(t.tick(6), (Frames{"08 00 05", "1A 00 00 05"}));  // resumed where it was
    yes();
    memory().Command12_Click();
    EXPECT_EQ(t.tick(6), Frames{});
    EXPECT_FALSE(state().ScanningRig);
    EXPECT_TRUE(state().AutoStatus);
    EXPECT_EQ(state().memory.Text1, u"END");
    EXPECT_EQ(state().ChannelCounter, 4);
}

TEST_F(MemoryOperationsTest, ViewRigReadsChannelsOneToNinetyNineThenShowsEnd)
{
    memory().Command4_Click();
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_EQ(t.tick(4), Frames{"1A 00 00 01"});
    for (int channel = 2; channel <= 99; ++channel)
        t.tick(4);
    state().memory.Text3 = QStringLiteral("14.074.0");
    EXPECT_EQ(t.tick(4), Frames{});
    EXPECT_EQ(state().memory.Text1, u"END");
    EXPECT_TRUE(state().memory.Text3.isEmpty());
    EXPECT_FALSE(state().ViewingRig);
}

TEST_F(MemoryOperationsTest, UpdateRigSendsTheFramesOfEachKindOfLine)
{
    const QString programmed = FormatDataLine({12, QStringLiteral("14.074.0"), QStringLiteral("USB"),
                                               QStringLiteral("Fil 2"), QStringLiteral("Yes"), QStringLiteral("FT8 CALL")});
    const QString heading = FormatDataLine({QStringLiteral(" Ch#"), QStringLiteral("Freq..:."), QStringLiteral("Mode"),
                                            QStringLiteral("Fil #"), QStringLiteral("      "), QStringLiteral("Label.....")});
    useDataFile({FormatDataLine({QString(), QString(), QString(), QString(), QString(), QStringLiteral("TALVEX.TXT")}),
                 heading, programmed, QStringLiteral(" 7"), QStringLiteral("* 9            14.074.0"), QString(),
                 FormatDataLine({3, QString(), QString(), QString(), QString(), QString()}),
                 QStringLiteral(" END"), programmed});
    yes();
    memory().Command3_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"TALVEX.TXT ... Are you sure?");
    EXPECT_EQ(t.dialogs.messages.back().title, u"Update Rig");

    const QString write = QStringLiteral("1A 00 00 12 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 "
                                         "00 00 10 00 00 10 00 46 54 38 20 43 41 4C 4C 20 20");
    const Frames expected[] = {
        {},                                               // title line
        {"08"},                                           // heading line
        {"08", write, "08", "08 00 12", "1A 00 00 12"},  // programmed channel
        {"08 00 07", "0B", "0B"},                         // " 7": cleared
        {},                                               // comment
        {},                                               // empty line
        {"08 00 03", "0B", "0B"},                         // empty channel written by Create File
        {},                                               // end line
    };
    for (const Frames& frames : expected)
        EXPECT_EQ(t.tick(3), frames);
    EXPECT_FALSE(state().UpdatingRig);
    EXPECT_EQ(t.tick(3), Frames{});  // nothing after the end line
}

TEST_F(MemoryOperationsTest, UpdateRigReadsTheWholeModeZoneAndFrequenciesByTheirPoints)
{
    useDataFile({FormatDataLine({1, QStringLiteral("07.040.0"), QStringLiteral("RTTYr"), QStringLiteral("Fil 3"),
                                 QStringLiteral("   "), QStringLiteral("RTTY LOW")}),
                 FormatDataLine({2, QStringLiteral(" 1.840.0"), QStringLiteral("CWr"), QStringLiteral("Fil 1"),
                                 QStringLiteral("   "), QStringLiteral("TOP")})});
    yes();
    memory().Command3_Click();
    const Frames first = t.tick(3);
    ASSERT_EQ(first.size(), 5);
    EXPECT_TRUE(first[1].startsWith(u"1A 00 00 01 00 00 00 04 07 00 08 03")) << first[1].toStdString();
    const Frames second = t.tick(3);
    ASSERT_EQ(second.size(), 5);
    EXPECT_TRUE(second[1].startsWith(u"1A 00 00 02 00 00 00 84 01 00 07 01")) << second[1].toStdString();
}

TEST_F(MemoryOperationsTest, UpdateRigSkipsALineItCannotEncodeAndSaysWhich)
{
    const QStringList bad = {
        FormatDataLine({4, QStringLiteral("1x.074.0"), QStringLiteral("USB"), QStringLiteral("Fil 1")}),
        FormatDataLine({5, QStringLiteral("7100"), QStringLiteral("USB"), QStringLiteral("Fil 1")}),
        FormatDataLine({6, QStringLiteral("14.074.0"), QStringLiteral("SSB"), QStringLiteral("Fil 1")}),
        FormatDataLine({7, QStringLiteral("14.074.0"), QStringLiteral("USB"), QStringLiteral("Fil 7")}),
        FormatDataLine({8, QStringLiteral("14.074.0"), QStringLiteral("USB"), QStringLiteral("Fil 1"),
                        QStringLiteral("   "), QStringLiteral("BAD\x01NAME")}),
        FormatDataLine({9, QStringLiteral("14.074.0"), QStringLiteral("USB"), QStringLiteral("Fil 1"),
                        QStringLiteral("   "), QString::fromLatin1("CAF\xC9")}),
    };
    useDataFile(bad + QStringList{FormatDataLine({10, QStringLiteral("14.074.0"), QStringLiteral("USB")})});
    yes();
    memory().Command3_Click();
    for (int channel = 4; channel <= 9; ++channel) {
        EXPECT_EQ(t.tick(3), Frames{}) << channel;
        EXPECT_TRUE(state().memory.Text7.startsWith(QStringLiteral("Skipped channel %1:").arg(channel)))
            << state().memory.Text7.toStdString();
    }
    EXPECT_EQ(t.tick(3).size(), 5);  // the operation went on with the next line
}

TEST_F(MemoryOperationsTest, NamedFileButtonsAskThenMakeTheirFileCurrent)
{
    t.writeFile(QStringLiteral("Sw + Air.txt"), {QStringLiteral(" 7"), QStringLiteral(" END")});
    t.dialogs.answerMessage(MessageAnswer::No);
    memory().Command22_Click();
    EXPECT_EQ(t.dialogs.messages.back().title, u"Sw + Air.txt");
    EXPECT_EQ(t.dialogs.messages.back().text, u"Update Radio Memory ... Are you sure?");
    EXPECT_FALSE(state().UpdatingRig);

    yes();
    memory().Command22_Click();
    EXPECT_TRUE(state().UpdatingRig);
    EXPECT_EQ(state().CurrentFileName, u"SW + AIR.TXT");
    EXPECT_EQ(t.tick(3), (Frames{"08 00 07", "0B", "0B"}));
}

// Create File against a scripted radio: each request is answered before the next tick.
class CreateFileTest : public MemoryOperationsTest {
protected:
    static RadioChannel ChannelAt(int n)
    {
        RadioChannel c = SampleChannel(n);
        c.selected = n % 4 == 0 && !c.digits.isEmpty();
        if (n == 33)
            c.label = QStringLiteral("TAB\tNAME");
        if (n == 34)
            c.label = QString::fromLatin1("CAF\xC9 \xFF");
        return c;
    }
    // Runs ticks until the operation ends; the radio holds ChannelAt's channels and falls
    // silent at `silentFrom`.
    void runCreateFile(int silentFrom = 1000)
    {
        for (int n = 1; n <= 99; ++n) {
            const RadioChannel c = ChannelAt(n);
            if (!c.digits.isEmpty())
                t.radio.memory[n] = ContentsOf(c);
        }
        t.radio.silent = false;
        t.radio.silentFrom = silentFrom;
        for (int guard = 0; guard < 400 && state().CreatingFile; ++guard)
            t.tick(1);
    }
    const QByteArray oldFile = QByteArrayLiteral("OLD CONTENTS\r\n 1            14.074.0\r\n");
    void withOldFile()
    {
        useDataFile({QStringLiteral("OLD CONTENTS"), QStringLiteral(" 1            14.074.0")});
    }
};

TEST_F(CreateFileTest, WritesTitleHeadingNinetyNineChannelsAndTheEndLine)
{
    withOldFile();
    yes();
    memory().Command1_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"TALVEX.TXT ... Are you sure?");
    EXPECT_EQ(t.readFile(QStringLiteral("TALVEX.TXT")), oldFile);  // nothing replaced yet
    runCreateFile();
    EXPECT_FALSE(state().CreatingFile);
    EXPECT_EQ(state().memory.Text1, u"END");
    EXPECT_TRUE(t.program->dataFile.isReading());

    const QStringList lines = QString::fromLatin1(t.readFile(QStringLiteral("TALVEX.TXT"))).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 107);  // 106 lines and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QString(70, u' ') + QStringLiteral("TALVEX.TXT"));
    EXPECT_EQ(lines[1].left(4), u" Ch#");
    EXPECT_EQ(lines[4], FormatDataLine({2, QStringLiteral("03.014.2"), QStringLiteral("AM"), QStringLiteral("Fil 3"),
                                        QStringLiteral("   "), QStringLiteral("CH 2      ")}));
    EXPECT_EQ(lines[6].mid(28, 5), u"RTTY ");
    EXPECT_EQ(lines[6].mid(56, 3), u"Yes");
    EXPECT_EQ(lines[12], FormatDataLine({10, QString(), QString(), QString(), QString(), QString()}));
    EXPECT_EQ(lines[35].mid(70), u"TAB NAME  ");  // a control byte of a name is written as a blank
    EXPECT_EQ(lines[36].mid(70), u"CAF       ");  // and so is a byte above 7E, which no write takes
    EXPECT_EQ(lines[105].left(4), u" END");
}

TEST_F(CreateFileTest, StopOrASilentRadioLeaveTheOldFileByteForByte)
{
    withOldFile();
    yes();
    memory().Command1_Click();
    runCreateFile(40);
    EXPECT_FALSE(state().CreatingFile);
    ASSERT_FALSE(t.dialogs.messages.empty());
    EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
    EXPECT_TRUE(t.dialogs.messages.back().text.contains(u"channel 40")) << t.dialogs.messages.back().text.toStdString();
    EXPECT_EQ(t.readFile(QStringLiteral("TALVEX.TXT")), oldFile);
    EXPECT_TRUE(t.program->dataFile.isReading());

    t.radio.silent = false;
    t.radio.silentFrom = 1000;
    yes();
    memory().Command1_Click();
    for (int i = 0; i < 10; ++i)
        t.tick(1);
    EXPECT_TRUE(state().CreatingFile);
    memory().Command8_Click();
    EXPECT_EQ(t.readFile(QStringLiteral("TALVEX.TXT")), oldFile);
    EXPECT_EQ(QDir(t.directory.path()).entryList(QDir::Files), QStringList{QStringLiteral("TALVEX.TXT")});
}

TEST_F(CreateFileTest, ExitDuringCreateFileDiscardsTheNewFile)
{
    withOldFile();
    yes();
    memory().Command1_Click();
    t.tick(1);
    EXPECT_THROW(t.program->startup.ExitMenu(), ProgramEnded);
    EXPECT_EQ(t.readFile(QStringLiteral("TALVEX.TXT")), oldFile);
    EXPECT_EQ(QDir(t.directory.path()).entryList(QDir::Files), QStringList{QStringLiteral("TALVEX.TXT")});
}

TEST_F(CreateFileTest, AFileCreatedHereWritesTheSameChannelsBack)
{
    withOldFile();
    yes();
    memory().Command1_Click();
    runCreateFile();
    t.port.takeWritten();
    yes();
    memory().Command3_Click();
    int compared = 0;
    for (int guard = 0; guard < 120 && state().UpdatingRig; ++guard) {
        const Frames frames = t.tick(3);
        const int n = state().ChannelText.toInt();
        if (frames.isEmpty() || frames == Frames{"08"} || n < 1)
            continue;
        const RadioChannel c = ChannelAt(n);
        if (c.digits.isEmpty()) {
            EXPECT_EQ(frames, (Frames{QStringLiteral("08 00 %1").arg(n, 2, 10, QChar(u'0')), "0B", "0B"})) << n;
            ++compared;
            continue;
        }
        ASSERT_EQ(frames.size(), 5) << n;
        RadioChannel written = c;
        written.selected = false;  // the memory write sends its own select value
        written.label.replace(u'\t', u' ').replace(QChar(0xC9), u' ').replace(QChar(0xFF), u' ');
        const QByteArray contents = ContentsOf(written);
        EXPECT_EQ(frames[1], QString::fromLatin1((QByteArray::fromHex("1A00") + contents).toHex(' ').toUpper())) << n;
        ++compared;
    }
    EXPECT_EQ(compared, 99);  // every channel went out, and was compared
    EXPECT_FALSE(state().UpdatingRig);
    EXPECT_EQ(t.dialogs.messages.size(), 2u);  // the two questions: every channel verified
}

TEST_F(MemoryOperationsTest, OneOperationAtATimeAndNoneWithoutTheRadio)
{
    memory().Command4_Click();
    ASSERT_TRUE(state().ViewingRig);
    memory().Command5_Click();
    memory().Command1_Click();
    memory().Command2_Click();
    EXPECT_EQ(t.dialogs.messages.size(), 3u);
    for (const auto& shown : t.dialogs.messages)
        EXPECT_EQ(shown.text, MemoryOperations::busyText());
    EXPECT_FALSE(state().BlankingRig || state().CreatingFile || state().ViewingFile);

    t.program->startup.CloseSerialPort();
    EXPECT_EQ(t.tick(4), Frames{});
    EXPECT_FALSE(state().ViewingRig);
    EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);

    const size_t shown = t.dialogs.messages.size();
    memory().Command4_Click();
    EXPECT_FALSE(state().ViewingRig);
    EXPECT_EQ(t.dialogs.messages.size(), shown + 1);
}

TEST_F(MemoryOperationsTest, ViewFileShowsEachLineAndStopsAtTheEndLineOrTheEndOfTheFile)
{
    useDataFile({FormatDataLine({7, QStringLiteral("14.074.0"), QStringLiteral("RTTYr"), QStringLiteral("Fil 2"),
                                 QStringLiteral("Yes"), QStringLiteral("FT8 CALL")}),
                 QStringLiteral(" END"), QStringLiteral("after the end")});
    memory().Command2_Click();
    t.tick(2);
    const MemoryFields& m = state().memory;
    EXPECT_EQ(m.Text1, u"7  ");
    EXPECT_EQ(m.Text3, u"14.074.0");
    EXPECT_EQ(m.Text4, u"RTTYr");
    EXPECT_EQ(m.Text5, u"Fil 2");
    EXPECT_EQ(m.Text2, u"*");
    EXPECT_EQ(m.Text6, u"FT8 CALL");
    t.tick(2);
    EXPECT_EQ(m.Text1, u"END");
    EXPECT_FALSE(state().ViewingFile);

    useDataFile({QStringLiteral(" 1")});
    memory().Command2_Click();
    t.tick(2);
    t.tick(2);
    EXPECT_FALSE(state().ViewingFile);
}

TEST_F(MemoryOperationsTest, StopReturnsToIdleFromAnything)
{
    state().AutoStatus = false;
    state().ClearAfterSelect = true;
    state().memory.Text3 = QStringLiteral("14.074.0");
    memory().Command4_Click();
    memory().Command8_Click();
    EXPECT_FALSE(state().anyMemoryOperationRunning());
    EXPECT_TRUE(state().AutoStatus);
    EXPECT_FALSE(state().ClearAfterSelect);
    EXPECT_TRUE(state().memory.Text3.isEmpty());
    EXPECT_EQ(t.tick(4), Frames{});
}

}  // namespace
}  // namespace talvex::testing
