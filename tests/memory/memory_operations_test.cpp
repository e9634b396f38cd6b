// The Memory window's operations against a scripted radio: the frames each tick sends, what the
// radio holds afterwards, the fields, the data file and the messages.
#include "memory_test_support.h"

#include <QDir>

namespace talvex::testing {
namespace {

using Click = void (MemoryOperations::*)();

TEST(BlankRig, AsksForARangeAndClearsEachChannelOfItOnceATick)
{
    MemoryRig t;
    t.fillRadio();
    t.answer(MessageAnswer::Yes, {"5", "7"});
    t.memory().Command5_Click();
    ASSERT_EQ(t.dialogs.inputs.size(), 2u);
    for (const ShownInput& in : t.dialogs.inputs)
        EXPECT_EQ(in.title, u"Blank Rig Memories");
    EXPECT_EQ(QStringList({t.dialogs.inputs[0].prompt, t.dialogs.inputs[0].defaultText, t.dialogs.inputs[1].prompt,
                           t.dialogs.inputs[1].defaultText}),
              QStringList({"Enter STARTING Channel Number (1-99)", "1", "Enter ENDING Channel Number (1-99)", "99"}));
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 05", "0B"}));
    EXPECT_EQ(t.state().memory.Text7, u"Clearing Memory Channel 5");
    EXPECT_EQ(t.run(5), (Frames{"08", "08 00 06", "0B", "08", "08 00 07", "0B"}));
    EXPECT_EQ(t.state().memory.Text1 + t.state().memory.Text7, u"ENDEND");
    EXPECT_FALSE(t.state().ClearAfterSelect);
    auto expected = SampleMemory();
    for (int n = 1; n <= 99; ++n)
        expected[n] = ContentsOf(SampleChannel(n));
    for (int n : {5, 6, 7, 10, 20, 30, 40, 50, 60, 70, 80, 90})
        expected.erase(n);
    EXPECT_EQ(t.radio.memory, expected);
}

TEST(BlankRig, TypedRangesCountByTheirLeadingNumber)
{
    const std::optional<QString> cancel;
    const struct {
        std::optional<QString> first, last;
        bool starts;
        int lastChannel = 0, from = 0, cleared = 0;
    } rows[] = {
        {cancel, "9", false}, {"3", cancel, false}, {"abc", "2", false}, {"", "", true, 99, 1, 99},
        {"0", "2", true, 2, 1, 2},  // the select refuses channel 0: nothing cleared for it
        {"8", "3", true, 3}, {"5", "7x", true, 7, 5, 3}, {"5", "7.", true, 7, 5, 3}, {"5", "1 0", true, 10, 5, 6},
        {"5", "-1", true, -1}, {"5", "abc", true}, {" 3", "9", true, 9, 3, 7},
    };
    for (const auto& row : rows) {
        MemoryRig t;
        t.answer(MessageAnswer::Yes, {row.first, row.last});
        t.memory().Command5_Click();
        const std::string why = row.first.value_or("cancel").toStdString() + " to " + row.last.value_or("cancel").toStdString();
        EXPECT_EQ(t.state().BlankingRig, row.starts) << why;
        EXPECT_EQ(t.state().LastChannel, row.starts ? row.lastChannel : 0) << why;
        const Frames frames = t.run(5);
        EXPECT_EQ(frames.count("0B"), row.cleared) << why;
        const auto select = std::find_if(frames.begin(), frames.end(), [](const QString& f) { return f.startsWith("08 00"); });
        EXPECT_EQ(select == frames.end() ? 0 : select->right(2).toInt(), row.from) << why;
    }
}

TEST(BlankRig, NoAtItsQuestionSendsNothingAndPauseAsksThenResumesAtTheNextChannelOrStops)
{
    MemoryRig t;
    t.answer(MessageAnswer::No);
    t.memory().Command5_Click();
    EXPECT_TRUE(t.dialogs.inputs.empty());
    EXPECT_EQ(t.run(5), Frames{});

    t.answer(MessageAnswer::Yes, {"10", "20"});
    t.memory().Command5_Click();
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 10", "0B"}));
    t.dialogs.whileShown = [&t] { EXPECT_EQ(t.tick(5), Frames{}); };  // ticks while it asks do nothing
    t.answer(MessageAnswer::No);
    t.memory().Command11_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"STOP Blank Rig?");
    EXPECT_EQ(t.tick(5), (Frames{"08", "08 00 11", "0B"}));
    t.answer();
    t.memory().Command11_Click();
    t.dialogs.whileShown = nullptr;
    EXPECT_EQ(t.run(5), Frames{});
}

TEST(ScanRig, CyclesThroughItsRangeWithOneIdleStepAndStopsAtTheNextTick)
{
    MemoryRig t;
    t.answer(MessageAnswer::Yes, {"1", "3", "9"});
    t.memory().Command6_Click();
    EXPECT_EQ(FramesOf(t.port.takeWritten()), Frames{"08"});
    EXPECT_EQ(t.memoryTimer(6).interval(), 300);
    EXPECT_FALSE(t.state().AutoStatus);
    QList<Frames> ticks;
    for (int i = 0; i < 5; ++i)
        ticks << t.tick(6);
    EXPECT_EQ(ticks, (QList<Frames>{{"08 00 01", "1A 00 00 01"}, {"08 00 02", "1A 00 00 02"}, {"08 00 03", "1A 00 00 03"},
                                    {}, {"08 00 01", "1A 00 00 01"}}));
    t.answer(MessageAnswer::No);
    t.memory().Command12_Click();
    EXPECT_EQ(t.dialogs.messages.back().text, u"STOP Scan Rig?");
    EXPECT_EQ(t.tick(6), (Frames{"08 00 02", "1A 00 00 02"}));  // resumed where it was
    t.answer();
    t.memory().Command12_Click();
    EXPECT_EQ(t.tick(6), Frames{});
    EXPECT_FALSE(t.state().ScanningRig);
    EXPECT_TRUE(t.state().AutoStatus);
    EXPECT_EQ(t.state().memory.Text1, u"END");
    EXPECT_EQ(t.state().ChannelCounter, 1);  // the first channel again
}

TEST(ScanRig, OnlyASingleDigitSetsTheSpeed)
{
    const std::pair<std::optional<QString>, int> rows[] = {{"1", 1900}, {"9", 300}, {"", 1100}, {"x", 1100},
                                                           {"0", 1100}, {"10", 700}, {" 5", 700}};
    for (const auto& [speed, interval] : rows) {
        MemoryRig t;
        t.memoryTimer(6).setInterval(700);  // what an earlier scan left
        t.answer(MessageAnswer::Yes, {"", "", speed});
        t.memory().Command6_Click();
        EXPECT_EQ(t.memoryTimer(6).interval(), interval) << speed->toStdString();
        EXPECT_EQ(t.dialogs.inputs.back().prompt + '|' + t.dialogs.inputs.back().title, u"Scan Speed (1-9)|Scan Speed");
    }
}

TEST(ViewRig, ReadsChannelsOneToNinetyNineThenShowsEnd)
{
    MemoryRig t;
    t.fillRadio();
    t.memory().Command4_Click();
    Frames expected;
    for (int n = 1; n <= 99; ++n)
        expected << QStringLiteral("1A 00 00 %1").arg(n, 2, 10, QChar(u'0'));
    EXPECT_EQ(t.run(4), expected);
    EXPECT_EQ(t.state().memory.Text1, u"END");
    EXPECT_EQ(t.state().memory.Text3, u"");  // channel 99's frequency no longer shown
    EXPECT_EQ(Shown(t), QStringList());     // no question, every channel verified
}

TEST(UpdateRig, SendsTheFramesOfEachKindOfLineAndSkipsALineItCannotWrite)
{
    const QString e;
    const auto line = [](int n, const char* frequency, const char* mode, const char* filter, const QString& label = "X") {
        return FormatDataLine({n, frequency, mode, filter, "   ", label});
    };
    const struct {
        QString line;
        Frames frames;
        QString skipped = {};
    } rows[] = {
        {FormatDataLine({e, e, e, e, e, "TALVEX.TXT"}), {}},
        {FormatDataLine({" Ch#", "Freq..:.", "Mode", "Fil #", "      ", "Label....."}), {"08"}},
        {FormatDataLine({12, "14.074.0", "USB", "Fil 2", "Yes", "FT8 CALL"}), WriteFrames({12, "140740", 1, 2, false, "FT8 CALL"})},
        {line(1, "07.040.0", "RTTYr", "Fil 3", "RTTY LOW"), WriteFrames({1, "070400", 8, 3, false, "RTTY LOW"})},
        {line(2, " 1.840.0", "CWr", "Fil 1"), WriteFrames({2, "018400", 7, 1, false, "X"})},
        {" 7", ClearFrames(7)},
        {"* 9            14.074.0", {}},
        {"", {}},
        {FormatDataLine({3, e, e, e, e, e}), ClearFrames(3)},
        {line(4, "1x.074.0", "USB", "Fil 1"), {}, "frequency \"1x.074.0\""},
        {line(5, "7100", "USB", "Fil 1"), {}, "frequency \"7100    \""},
        {line(6, "14.074.0", "SSB", "Fil 1"), {}, "mode \"SSB\""},
        {line(7, "14.074.0", "USB", "Fil 7"), {}, "filter \"7\""},
        {line(8, "14.074.0", "USB", "Fil 1", "BAD\x01NAME"), {}, "label"},
        {line(9, "14.074.0", "USB", "Fil 1", QString::fromLatin1("CAF\xC9")), {}, "label"},
        {" END", {}},
        {line(12, "14.074.0", "USB", "Fil 2"), {}},  // after the end line: never read
    };
    MemoryRig t;
    QByteArray file;
    for (const auto& row : rows)
        file += row.line.toLatin1() + "\r\n";
    t.useFile(file);
    t.answer();
    t.memory().Command3_Click();
    EXPECT_EQ(Shown(t), QStringList{"Update Rig|TALVEX.TXT ... Are you sure?"});
    QStringList report{"Update Rig|Update Rig: 5 of 11 channels verified"};
    for (const auto& row : rows) {
        EXPECT_EQ(t.tick(3), row.frames) << row.line.toStdString();
        if (row.skipped.isEmpty())
            continue;
        const QString why = row.line.mid(1, 2).trimmed() + ": " + row.skipped + " cannot be written";
        EXPECT_EQ(t.state().memory.Text7, "Skipped channel " + why + " ... " + row.line.trimmed());
        report << "Channel " + why;
    }
    EXPECT_FALSE(t.state().UpdatingRig);
    EXPECT_EQ(Shown(t).last(), report.join(u'\n'));
}

TEST(UpdateRig, VerifiesEachChannelAndNamesThoseTheRadioRefusedOrHoldsDifferently)
{
    for (const bool faulty : {false, true}) {
        MemoryRig t;
        t.useFile(SampleFile());
        t.radio.memory[10] = ContentsOf(SampleChannel(11));  // the file's blank channel 10 clears it
        if (faulty) {
            t.radio.refuseWrites = {17};
            t.radio.storeWrong = {31};
        }
        t.answer();
        t.memory().Command3_Click();
        t.run(3, faulty ? 0 : 1);
        EXPECT_LE(t.ticks, 106);  // one line a tick
        auto expected = SampleMemory();
        const QString summary = "Update Rig: 97 of 99 channels verified";
        EXPECT_EQ(faulty ? t.state().memory.Text7 : t.state().memory.Text1, faulty ? summary : "END");
        if (faulty) {
            EXPECT_EQ(Shown(t).last(), "Update Rig|" + summary + "\nChannel 17: the radio refused the write\n"
                                       "Channel 31: the radio holds XH 31, the file says CH 31");
            EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
            expected.erase(17);
            expected[31][31] = 'X';
        }
        EXPECT_EQ(t.dialogs.messages.size(), faulty ? 2u : 1u);
        EXPECT_EQ(t.radio.memory, expected);
    }
}

TEST(UpdateRig, AnOperatorsClickDuringARunSharesItsAnswerWindowAndChangesNothing)
{
    MemoryRig t;
    t.useFile(SampleFile());
    t.answer();
    t.memory().Command3_Click();
    for (int guard = 0; guard < 200 && t.state().UpdatingRig; ++guard) {
        t.tick(3);
        if (guard % 7 == 3) {  // "Query Current Frequency" while the step's answer is awaited
            t.program->radio.Option48_Click();
            t.port.receive(t.radio.answer(t.port.takeWritten()));
        }
    }
    EXPECT_FALSE(t.state().UpdatingRig);
    EXPECT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.radio.memory, SampleMemory());
}

TEST(UpdateRig, ANamedFileButtonAsksThenMakesItsFileCurrent)
{
    MemoryRig t;
    t.writeFile("Sw + Air.txt", {" 7", " END"});
    t.answer(MessageAnswer::No);
    t.memory().Command22_Click();
    EXPECT_EQ(Shown(t), QStringList{"Sw + Air.txt|Update Radio Memory ... Are you sure?"});
    EXPECT_FALSE(t.state().UpdatingRig);
    t.answer();
    t.memory().Command22_Click();
    EXPECT_EQ(t.state().CurrentFileName, u"SW + AIR.TXT");
    EXPECT_EQ(t.run(3), ClearFrames(7));
}

TEST(MemoryOperations, ARadioFallingSilentIsNamedAndThreeSilentChannelsStopTheRun)
{
    const QString stopped = "The radio did not answer for channel 62 ... ";
    const struct {
        int timer;
        Click click;
        QList<std::optional<QString>> inputs;
        int silentFrom;
        QString shown;
        bool finished = false;
    } rows[] = {
        {4, &MemoryOperations::Command4_Click, {}, 98,
         "View Rig|View Rig: 97 of 99 channels verified\nChannel 98: no answer\nChannel 99: no answer", true},
        {5, &MemoryOperations::Command5_Click, {"5", "7"}, 7, "Blank Rig|Blank Rig: 2 of 3 channels verified\nChannel 7: no answer", true},
        {4, &MemoryOperations::Command4_Click, {}, 62, "View Rig|" + stopped + "View Rig stopped."},
        {5, &MemoryOperations::Command5_Click, {"", ""}, 62, "Blank Rig|" + stopped + "Blank Rig stopped."},
        {3, &MemoryOperations::Command3_Click, {}, 62,
         "Update Rig|" + stopped + "Update Rig stopped: that channel and the ones after it may not hold what the file says."},
        {1, &MemoryOperations::Command1_Click, {}, 40, "Create File|The radio did not answer for channel 40 ... TALVEX.TXT was not changed."},
    };
    for (const auto& row : rows) {
        MemoryRig t;
        t.fillRadio();
        const QByteArray file = row.timer == 3 ? SampleFile() : QByteArray("OLD\r\n");
        t.useFile(file);
        t.radio.silentFrom = row.silentFrom;
        t.answer(MessageAnswer::Yes, row.inputs);
        (t.memory().*row.click)();
        t.run(row.timer);
        EXPECT_EQ(Shown(t).last(), row.shown);
        EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
        EXPECT_EQ(t.state().memory.Text1 == u"END", row.finished) << row.shown.toStdString();
        EXPECT_EQ(t.readFile("TALVEX.TXT"), file);
        if (row.timer == 5) {  // cleared up to the silent channel, which keeps what it held
            EXPECT_EQ(t.radio.memory.count(row.silentFrom - 1) * 10 + t.radio.memory.count(row.silentFrom), 1u);
        }
        if (row.timer == 1) {
            EXPECT_EQ(t.radio.frames, 39 + 3);  // channel 40 asked three times
            EXPECT_TRUE(t.program->dataFile.isReading());
        }
    }
}

TEST(CreateFile, WritesTheRadiosChannelsByteForByteWhateverTheTicksWhileAnAnswerIsAwaited)
{
    for (const int late : {0, 1, 3}) {
        MemoryRig t;
        t.fillRadio();
        t.useFile("OLD\r\n");
        t.answer();
        t.memory().Command1_Click();
        EXPECT_EQ(t.readFile("TALVEX.TXT"), "OLD\r\n");  // nothing replaced before the end
        t.run(1, late);
        EXPECT_EQ(t.readFile("TALVEX.TXT"), SampleFile()) << late;
        EXPECT_EQ(Shown(t), QStringList{"Create File|TALVEX.TXT ... Are you sure?"});
        EXPECT_EQ(t.state().memory.Text1, u"END");
        EXPECT_TRUE(t.program->dataFile.isReading());
    }
}

TEST(CreateFile, AsksAgainForAnAnswerThatCameTooLateAndTakesOnlyTheChannelAsked)
{
    MemoryRig t;
    t.fillRadio();
    t.useFile("OLD\r\n");
    t.answer();
    t.memory().Command1_Click();
    t.memoryTimer(1).fire();  // the first lines, then the read of channel 1
    const QByteArray request = t.port.takeWritten();
    EXPECT_EQ(FramesOf(request), Frames{"1A 00 00 01"});
    t.closeAnswerWindow();  // before the radio's answer is there
    t.port.receive(t.radio.answer(request));
    EXPECT_EQ(t.tick(1), Frames{"1A 00 00 01"});
    EXPECT_EQ(t.tick(1), Frames{"1A 00 00 02"});
    t.run(1);
    EXPECT_EQ(t.readFile("TALVEX.TXT"), SampleFile());
}

TEST(CreateFile, StopExitOrAFullDiskKeepTheOldFileByteForByteAndLeaveNoOtherFile)
{
    for (const int way : {0, 1, 2}) {
        MemoryRig t;
        t.fillRadio();
        t.useFile("OLD\r\n");
        t.answer();
        t.memory().Command1_Click();
        for (int i = 0; i < 10; ++i)
            t.tick(1);
        if (way == 0)
            t.memory().Command8_Click();
        if (way == 1) {
            EXPECT_THROW(t.program->startup.ExitMenu(), ProgramEnded);
        }
        if (way == 2) {
            SimulateDiskFullAfter(500);
            t.run(1);
            SimulateDiskFullAfter(std::nullopt);
            EXPECT_EQ(Shown(t).last(), "Create File|Error Code 61 ... No space left on device ... "
                                           + t.path("TALVEX.TXT") + " ... the old file was kept.");
            EXPECT_TRUE(t.program->dataFile.isReading());
        }
        EXPECT_EQ(t.readFile("TALVEX.TXT"), "OLD\r\n") << way;
        EXPECT_EQ(QDir(t.directory.path()).entryList(QDir::Files), QStringList{"TALVEX.TXT"}) << way;
    }
}

TEST(ViewFile, ShowsEachLineAndStopsAtTheEndLineOrTheEndOfTheFile)
{
    MemoryRig t;
    t.useFile(FormatDataLine({7, "14.074.0", "RTTYr", "Fil 2", "Yes", "FT8 CALL"}).toLatin1() + "\r\n END\r\nafter\r\n");
    t.memory().Command2_Click();
    t.tick(2);
    const MemoryFields& m = t.state().memory;
    EXPECT_EQ(QStringList({m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6}),
              QStringList({"7  ", "*", "14.074.0", "RTTYr", "Fil 2", "FT8 CALL"}));
    EXPECT_EQ(t.run(2), Frames{});
    EXPECT_EQ(t.ticks, 1);
    EXPECT_EQ(m.Text1, u"END");

    t.useFile(" 1\r\n");
    t.memory().Command2_Click();
    t.run(2);
    EXPECT_EQ(t.ticks, 2);
}

TEST(MemoryOperations, OneAtATimeNoneWithoutTheRadioOrADataFileAndStopFromAnything)
{
    MemoryRig t;
    t.memory().Command4_Click();
    ASSERT_TRUE(t.state().ViewingRig);
    for (Click click : {&MemoryOperations::Command5_Click, &MemoryOperations::Command1_Click, &MemoryOperations::Command2_Click})
        (t.memory().*click)();
    EXPECT_EQ(Shown(t), QStringList(3, "Memory Operations|" + MemoryOperations::busyText()));
    EXPECT_FALSE(t.state().BlankingRig || t.state().CreatingFile || t.state().ViewingFile);

    t.program->startup.CloseSerialPort();
    EXPECT_EQ(t.run(4), Frames{});
    EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
    t.memory().Command4_Click();
    EXPECT_FALSE(t.state().ViewingRig);
    EXPECT_EQ(t.dialogs.messages.size(), 5u);

    t.state().CurrentDataFile.clear();
    for (Click click : {&MemoryOperations::Command1_Click, &MemoryOperations::Command2_Click, &MemoryOperations::Command3_Click})
        (t.memory().*click)();
    EXPECT_EQ(Shown(t).mid(5), QStringList({"Create File|", "View File|", "Update Rig|"})
                                   .replaceInStrings("|", "|No data file is chosen ... Change Data File chooses one."));
    EXPECT_TRUE(t.port.takeWritten().isEmpty());

    MemoryRig s;
    s.state().AutoStatus = false;
    s.state().ClearAfterSelect = true;
    s.state().memory.Text3 = "14.074.0";
    s.memory().Command4_Click();
    s.memory().Command8_Click();
    EXPECT_EQ(s.run(4), Frames{});
    EXPECT_TRUE(s.state().AutoStatus);
    EXPECT_FALSE(s.state().ClearAfterSelect);
    EXPECT_EQ(s.state().memory.Text3, u"");
}

}  // namespace
}  // namespace talvex::testing
