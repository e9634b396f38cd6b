// The Memory window's operations against a scripted radio: the frames each tick sends, what the
// radio holds afterwards, the fields, the data file and the messages.
#include "memory_test_support.h"

#include "memory/backup.h"
#include "datafile/data_file.h"

#include "link/connection_doctor.h"
#include "link/frames.h"

#include <QDir>
#include <QRegularExpression>

namespace talvex::testing {
namespace {

using M = MemoryOperations;
const ScriptedClock kClock;  // backups on, as in the program

// Every channel 1-99 programmed.
std::map<int, QByteArray> FullMemory()
{
    std::map<int, QByteArray> memory;
    for (int n = 1; n <= 99; ++n)
        memory[n] = ContentsOf({n, "071000", 0, 1, false, "CH " + QString::number(n)});
    return memory;
}

TEST(BlankRig, ReadsItsRangeAtTheLinesPaceThenClearsEachChannelOnceATickAndPausesOrStopsOnRequest)
{
    MemoryRig t(SampleMemory(false));
    t.start(&MemoryWindowOperations::blankRig, {}, MessageAnswer::No);  // nothing asked, nothing sent
    EXPECT_EQ(t.run(Step::BlankRig), Frames{});
    t.start(&MemoryWindowOperations::blankRig, {"5", "8"});
    EXPECT_EQ(Shown(t, true), QStringList({"Enter STARTING Channel Number (1-99)|Blank Rig Memories|1",
                                           "Enter ENDING Channel Number (1-99)|Blank Rig Memories|99"}));
    EXPECT_EQ(t.tick(Step::BlankRig), ReadFrames({5}));
    EXPECT_EQ(t.memoryFields().Text7, u"Reading channel 1 of 4 before writing");
    EXPECT_EQ(t.pace(), ReadFrames({6, 7, 8}) + BlankFrames(5).mid(0, 3));
    EXPECT_EQ(t.tick(Step::BlankRig), BlankFrames(5).mid(3));  // confirmed: the clear and its read-back

    t.dialogs.whileShown = [&t] { EXPECT_EQ(t.tick(Step::BlankRig), Frames{}); };  // ticks while it asks do nothing
    t.start(&MemoryWindowOperations::blankRig, {}, MessageAnswer::No);
    EXPECT_EQ(LastShown(t), u"Blank Rig|STOP Blank Rig?");
    EXPECT_EQ(t.run(Step::BlankRig), BlankFrames(6) + BlankFrames(7) + BlankFrames(8));
    EXPECT_EQ(t.memoryFields().Text1 + t.memoryFields().Text7, u"ENDEND");
    for (int n : {4, 5, 6, 7, 8, 9})
        EXPECT_EQ(t.radio.memory.count(n), n == 4 || n == 9 ? 1u : 0u) << n;
    t.start(&MemoryWindowOperations::blankRig, {"10", "20"});
    t.tick(Step::BlankRig);
    t.start(&MemoryWindowOperations::blankRig);
    EXPECT_EQ(t.run(Step::BlankRig), Frames{});
}

TEST(BlankRig, AChannelAlreadyBlankIsNotClearedAgainAndTheEndSaysSo)
{
    MemoryRig t(SampleMemory(false));  // channel 10 is blank
    t.start(&MemoryWindowOperations::blankRig, {"9", "11"});
    EXPECT_EQ(t.run(Step::BlankRig), ReadFrames({9, 10, 11}) + BlankFrames(9) + BlankFrames(11));
    EXPECT_EQ(t.memoryFields().Text7, u"Blank Rig: 2 channels cleared and verified, 1 already blank");
    EXPECT_EQ(Shown(t).size(), 1);  // the question only
}

// The clear acts on whatever channel the radio has selected: it goes out only once the select
// of the channel in hand came back as sent and answered OK. A clear counts only with an OK for
// each clear frame, none refused, and a read-back that finds the channel blank.
TEST(BlankRig, AChannelCountsAsClearedOnlyWhenTheRadioConfirmedEveryStep)
{
    const QByteArray select = Hex("FE FE 94 E0 08 00 30 FD"), ok = Hex("FE FE E0 94 FB FD"), ng = Hex("FE FE E0 94 FA FD");
    const QByteArray clear = Hex("FE FE 94 E0 0B FD"), readBack = Hex("FE FE E0 94 1A 00 00 30");
    using Line = std::function<QByteArray(ScriptedRadio&, QByteArray)>;
    const auto onSelect = [&](Line fault) -> Line {
        return [=](ScriptedRadio& r, const QByteArray& w) { return w.contains(select) ? fault(r, w) : r.answer(w); };
    };
    const auto onClear = [&](Line fault) -> Line {
        return [=](ScriptedRadio& r, const QByteArray& w) { return w.contains(clear) ? fault(r, w) : r.answer(w); };
    };
    const auto firstOkLost = [&](ScriptedRadio& r, const QByteArray& w) { QByteArray a = r.answer(w); return a.remove(a.indexOf(ok), ok.size()); };
    const struct { const char* story; Click click; Line line; bool clearIgnored; QString told; bool cleared = false; } rows[] = {
        {"the select garbled into 08 00 31", &MemoryWindowOperations::blankRig, onSelect([&](ScriptedRadio& r, QByteArray w) { return r.answer(w.replace(select, Hex("FE FE 94 E0 08 00 31 FD"))); }),
         false, "the radio did not take the select: nothing was cleared"},
        {"the select's OK lost", &MemoryWindowOperations::blankRig, onSelect([&](ScriptedRadio& r, const QByteArray& w) { return r.answer(w).replace(ok, ""); }),
         false, "the radio did not confirm the select: nothing was cleared"},
        {"one of the memory mode's and the select's OKs lost", &MemoryWindowOperations::blankRig, onSelect(firstOkLost), false,
         "the radio did not confirm the select: nothing was cleared"},
        {"the select refused", &MemoryWindowOperations::blankRig, onSelect([&](ScriptedRadio& r, const QByteArray& w) { return r.answer(w).replace(ok, ng); }),
         false, "the radio refused the select: nothing was cleared"},
        {"the clear's OK lost", &MemoryWindowOperations::blankRig, onClear(firstOkLost), false, "no answer", true},
        {"one of Update Rig's two clear OKs lost", &MemoryWindowOperations::updateRig, onClear(firstOkLost), false, "no answer", true},
        {"the clear refused", &MemoryWindowOperations::blankRig, onClear([&](ScriptedRadio& r, const QByteArray& w) { return r.answer(w).replace(ok, ng); }),
         true, "the radio refused the clear"},
        {"an OK, but the channel kept", &MemoryWindowOperations::updateRig, {}, true, "the radio still holds the channel after the clear"},
        {"the read-back after the clear lost", &MemoryWindowOperations::blankRig,
         onClear([&](ScriptedRadio& r, const QByteArray& w) { QByteArray a = r.answer(w); return a.left(a.indexOf(readBack)); }),
         false, "no answer", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        const bool updating = row.click == &MemoryWindowOperations::updateRig;
        MemoryRig t(FullMemory(), " 30\r\n END\r\n");
        t.line = row.line;
        if (row.clearIgnored)
            t.radio.clearIgnored = {30};
        t.start(row.click, {"30", "30"});
        const Frames frames = t.run(updating ? Step::UpdateRig : Step::BlankRig);
        EXPECT_EQ(frames.count("0B"), row.told.endsWith("nothing was cleared") ? 0 : updating ? 2 : 1);
        EXPECT_EQ(t.radio.memory.count(30), row.cleared ? 0u : 1u);
        EXPECT_EQ(LastShown(t), updating ? "!Update Rig|Update Rig: 0 of 1 channel written and verified, 0 already as the file says\nChannel 30: " + row.told
                                         : "!Blank Rig|Blank Rig: 0 of 1 channels verified\nChannel 30: " + row.told);
    }
}

TEST(BlankRig, TypedRangesCountByTheirLeadingNumber)
{
    const std::optional<QString> cancel;
    const struct { std::optional<QString> first, last; bool starts; int lastChannel = 0, from = 0, cleared = 0; } rows[] = {
        {cancel, "9", false}, {"3", cancel, false}, {"abc", "2", false}, {"", "", true, 99, 1, 99},
        {"0", "2", true, 2, 1, 2},  // the select refuses channel 0: nothing cleared for it
        {"8", "3", true, 3}, {"5", "7x", true, 7, 5, 3}, {"5", "7.", true, 7, 5, 3}, {"5", "1 0", true, 10, 5, 6},
        {"5", "-1", true, -1}, {"5", "abc", true}, {" 3", "9", true, 9, 3, 7},
    };
    for (const auto& row : rows) {
        MemoryRig t(FullMemory());
        t.start(&MemoryWindowOperations::blankRig, {row.first, row.last});
        const std::string why = row.first.value_or("-").toStdString() + " to " + row.last.value_or("-").toStdString();
        EXPECT_EQ(std::pair(t.state().BlankingRig, t.state().LastChannel), std::pair(row.starts, row.lastChannel)) << why;
        const Frames frames = t.run(Step::BlankRig);
        const auto select = std::find_if(frames.begin(), frames.end(), [](const QString& f) { return f.startsWith("08 00"); });
        EXPECT_EQ(select == frames.end() ? 0 : select->right(2).toInt(), row.from) << why;
        EXPECT_EQ(frames.count("0B"), row.cleared) << why;
        EXPECT_EQ(t.radio.memory.size(), 99u - row.cleared) << why;
    }
}

TEST(ScanRig, CyclesThroughItsRangeWithOneIdleStepAndStopsAtTheNextTick)
{
    MemoryRig t;
    t.start(&MemoryWindowOperations::scanRig, {"1", "3", "9"});
    EXPECT_EQ(FramesOf(t.port.takeWritten()), Frames{"08"});
    EXPECT_EQ(std::pair(t.memoryTimer(Step::ScanRig).interval(), t.state().AutoStatus), std::pair(300, false));
    QList<Frames> ticks;
    for (int i = 0; i < 5; ++i)
        ticks << t.tick(Step::ScanRig);
    EXPECT_EQ(ticks, (QList<Frames>{{"08 00 01", "1A 00 00 01"}, {"08 00 02", "1A 00 00 02"}, {"08 00 03", "1A 00 00 03"},
                                    {}, {"08 00 01", "1A 00 00 01"}}));
    t.start(&MemoryWindowOperations::scanRig, {}, MessageAnswer::No);
    EXPECT_EQ(LastShown(t), u"Scan Rig|STOP Scan Rig?");
    EXPECT_EQ(t.tick(Step::ScanRig), (Frames{"08 00 02", "1A 00 00 02"}));  // resumed where it was
    t.start(&MemoryWindowOperations::scanRig);
    EXPECT_EQ(t.tick(Step::ScanRig), Frames{});
    EXPECT_EQ(std::tuple(t.state().ScanningRig, t.state().AutoStatus, t.state().ChannelCounter, t.memoryFields().Text1),
              std::tuple(false, true, 1, QString("END")));  // ready to start at the first channel again

    // A range past the last channel turns at 99.
    t.start(&MemoryWindowOperations::scanRig, {"98", "120", "9"});
    ticks.clear();
    for (int i = 0; i < 4; ++i)
        ticks << t.tick(Step::ScanRig);
    EXPECT_EQ(ticks, (QList<Frames>{{"08", "08 00 98", "1A 00 00 98"}, {"08 00 99", "1A 00 00 99"}, {}, {"08 00 98", "1A 00 00 98"}}));

    // A range from 0: the radio has no channel 0 to select, so its step sends nothing and the
    // traffic stays shown.
    t.start(&MemoryWindowOperations::scanRig);
    t.tick(Step::ScanRig);
    t.start(&MemoryWindowOperations::scanRig, {"0", "1", "9"});
    ticks.clear();
    for (int i = 0; i < 4; ++i)
        ticks << t.tick(Step::ScanRig);
    EXPECT_EQ(ticks, (QList<Frames>{{"08"}, {"08 00 01", "1A 00 00 01"}, {}, {}}));
    EXPECT_TRUE(t.program->radioTexts.fields().Text7.startsWith(u"STATUS = ")) << t.program->radioTexts.fields().Text7.toStdString();
}

TEST(ScanRig, OnlyASingleDigitSetsTheSpeed)
{
    for (const auto& [speed, interval] : {std::pair<QString, int>{"1", 1900}, {"9", 300}, {"", 1100}, {"x", 1100},
                                          {"0", 1100}, {"10", 700}, {" 5", 700}}) {
        MemoryRig t;
        t.memoryTimer(Step::ScanRig).setInterval(700);  // what an earlier scan left
        t.start(&MemoryWindowOperations::scanRig, {"", "", speed});
        EXPECT_EQ(t.memoryTimer(Step::ScanRig).interval(), interval) << speed.toStdString();
        EXPECT_EQ(Shown(t, true).value(2), u"Scan Speed (1-9)|Scan Speed|5");
    }
}

// A channel whose answer is missing, or is not its own, shows only its number and why; the
// fields never keep the channel before it. A radio that misses a channel and answers the next
// goes on; three channels in a row without an answer stop the run.
TEST(ViewRig, AChannelWithoutItsOwnAnswerIsToldAndOnlyThreeInARowStopTheRun)
{
    const QByteArray tenAnswered = Hex("FE FE E0 94 1A 00 00 10");
    const auto missing = [](std::initializer_list<int> channels) {
        QString told;
        for (int n : channels)
            told += "\nChannel " + QString::number(n) + ": no answer";
        return told;
    };
    const struct { const char* story; std::set<int> missed; bool tenAnsweredAsEleven; QString told; } rows[] = {
        {"every channel answered: no question, no message", {}, false, ""},
        {"two missed, one answered, two missed", {10, 11, 13, 14, 50}, false,
         "!View Rig|View Rig: 94 of 99 channels verified" + missing({10, 11, 13, 14, 50})},
        {"the first two missed", {1, 2}, false, "!View Rig|View Rig: 97 of 99 channels verified" + missing({1, 2})},
        {"the last three missed", {97, 98, 99}, false,
         "!View Rig|The radio did not answer for channel 97 ... View Rig stopped.\nView Rig: 96 of 99 channels verified" + missing({97, 98, 99})},
        {"channel 10 answered with channel 11's number", {}, true, "!View Rig|View Rig: 98 of 99 channels verified" + missing({10})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        MemoryRig t(FullMemory());
        t.radio.missed = row.missed;
        if (row.tenAnsweredAsEleven)
            t.line = [&](ScriptedRadio& r, const QByteArray& w) { return r.answer(w).replace(tenAnswered, Hex("FE FE E0 94 1A 00 00 11")); };
        QString shownForTen;
        t.afterTick = [&t, &shownForTen] {
            const MemoryFields& m = t.memoryFields();
            if (t.state().ChannelCounter == 11 && shownForTen.isEmpty())
                shownForTen = QStringList({m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6, m.Text7}).join(u'|');
        };
        t.memoryWindow().viewRig();
        const Frames frames = t.run(Step::ViewRig);
        EXPECT_EQ(LastShown(t), row.told);
        if (row.told.isEmpty()) {
            Frames everyChannel;
            for (int n = 1; n <= 99; ++n)
                everyChannel << "1A 00 00 " + Two(n);
            EXPECT_EQ(frames, everyChannel);
            EXPECT_EQ(t.memoryFields().Text1 + t.memoryFields().Text3, u"END");  // channel 99's frequency no longer shown
        }
        if (row.missed.count(10) || row.tenAnsweredAsEleven) {
            EXPECT_EQ(shownForTen, "10||||||No answer for channel 10");
        }
    }
}

TEST(UpdateRig, ReadsTheChannelsItNamesThenSendsTheFramesOfEachKindOfLineAndSkipsALineItCannotWrite)
{
    const QString e;
    const auto line = [](int n, const char* frequency, const char* mode, const char* filter, const QString& label = "X") {
        return FormatDataLine({n, frequency, mode, filter, "   ", label});
    };
    const struct { QString line; Frames frames; QString skipped = {}; } rows[] = {
        {FormatDataLine({e, e, e, e, e, "TALVEX.TXT"}), {}},
        {FormatDataLine({" Ch#", "Freq..:.", "Mode", "Fil #", "      ", "Label....."}), {}},
        {FormatDataLine({12, "14.074.0", "USB", "Fil 2", "Yes", "FT8 CALL"}), WriteFrames({12, "140740", 1, 2, true, "FT8 CALL"})},
        {line(1, "07.040.0", "RTTYr", "Fil 3", "RTTY LOW"), WriteFrames({1, "070400", 8, 3, false, "RTTY LOW"})},
        {line(2, " 1.840.0", "CWr", "Fil 1"), WriteFrames({2, "018400", 7, 1, false, "X"})},
        {" 7", ClearFrames(7)},
        {"* 9            14.074.0", {}},
        {"", {}},
        {FormatDataLine({3, e, e, e, e, e}), ClearFrames(3)},
        {line(4, "1x.074.0", "USB", "Fil 1"), {}, "frequency \"1x.074.0\" is not MM.KKK.H"},
        {line(5, "7100", "USB", "Fil 1"), {}, "frequency \"7100    \" is not MM.KKK.H"},
        {line(6, "14.074.0", "SSB", "Fil 1"), {}, "mode \"SSB\" is no mode the radio has"},
        {line(10, "14.074.0", "USB", "Fil 7"), {}, "filter \"7\" is not 1, 2 or 3"},
        {line(8, "14.074.0", "USB", "Fil 1", "BAD\x01NAME"), {}, "the label has characters the radio cannot show"},
        {line(9, "14.074.0", "USB", "Fil 1", QString::fromLatin1("CAF\xC9")), {}, "the label has characters the radio cannot show"},
        {" END", {}},
        {line(13, "14.074.0", "USB", "Fil 2"), {}},  // after the end line: never read
    };
    QStringList lines;
    for (const auto& row : rows)
        lines << row.line;
    // Channels 3 and 7 hold something to clear; the others are blank.
    MemoryRig t({{3, ContentsOf(SampleChannel(3))}, {7, ContentsOf(SampleChannel(7))}},
                (lines.join("\r\n") + "\r\n").toLatin1());
    t.dialogs.answerMessage(MessageAnswer::Yes);  // write the other lines
    t.start(&MemoryWindowOperations::updateRig);
    // The lines the radio cannot take are named before anything is read or written.
    QStringList skipped;
    QStringList report{"Update Rig|Update Rig: 5 channels written and verified, 0 already as the file says, 6 lines skipped"};
    Frames expected = ReadFrames({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12});
    for (qsizetype i = 0; i < lines.size(); ++i) {
        expected << rows[i].frames;
        if (rows[i].skipped.isEmpty())
            continue;
        const QString where = "line " + QString::number(i + 1) + " (channel " + lines[i].mid(1, 2).trimmed() + "): ";
        skipped << where + rows[i].skipped;
        report << "Skipped " + where + rows[i].skipped;
    }
    EXPECT_EQ(Shown(t), QStringList({"Update Rig|TALVEX.TXT ... Are you sure?",
                                     "Update Rig|6 lines of TALVEX.TXT cannot go into the radio and will be skipped:\n"
                                         + skipped.join(u'\n') + "\n ... Write the other lines?"}));
    EXPECT_EQ(t.run(Step::UpdateRig), expected);
    EXPECT_FALSE(t.state().UpdatingRig);
    EXPECT_EQ(LastShown(t), report.join(u'\n'));
}

TEST(UpdateRig, NoToTheLinesItWouldSkipReadsAndWritesNothing)
{
    const QByteArray file = SampleFile().replace(" 17           18", " 17           80");  // 80 MHz: out of range
    MemoryRig t(SampleMemory(false), file);
    t.start(&MemoryWindowOperations::updateRig);  // Yes, then No (the default) to going on without channel 17
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_TRUE(t.dialogs.messages[1].text.contains("line 20 (channel 17): frequency 80."));
    EXPECT_FALSE(t.state().UpdatingRig);
    EXPECT_EQ(t.run(Step::UpdateRig), Frames{});
}

// SampleFile as the operator edits it: channels 17 and 31 renamed.
QByteArray EditedSampleFile()
{
    return SampleFile().replace("CH 17     ", "NEW 17    ").replace("CH 31     ", "NEW 31    ");
}

TEST(UpdateRig, WritesOnlyWhatDiffersAndNamesTheChannelsTheRadioRefusedOrHoldsDifferently)
{
    for (const int run : {0, 1, 2}) {  // late ticks; a refused and a wrongly kept write; the operator's clicks
        MemoryRig t(SampleMemory(false), EditedSampleFile());
        t.radio.memory[10] = ContentsOf({10, "071000"});  // the file's blank channel 10 clears it
        t.radio.refuseWrites = run == 1 ? std::set{17} : std::set<int>{};
        t.radio.storeWrong = run == 1 ? std::set{31} : std::set<int>{};
        t.afterTick = [&t, run] {  // "Query Current Frequency" while a step's answer is awaited joins its window
            if (run == 2 && t.ticks % 7 == 3) {
                t.program->radio.queryFrequency();
                t.port.receive(t.radio.answer(t.port.takeWritten()));
            }
        };
        t.start(&MemoryWindowOperations::updateRig);
        const Frames frames = t.run(Step::UpdateRig, run == 0);
        EXPECT_LE(t.ticks, 99 + 5 + 1 + 1 + 2);  // a tick a read and a change, one more for the clear, one to end, two reads of 31
        // Channel 10 cleared; 17 and 31 renamed; 33 and 34 get the labels the file can hold.
        EXPECT_EQ(frames.count("0B"), 2);
        EXPECT_EQ(frames.filter(QRegularExpression("^1A 00 00 .. 00")).size(), 4);
        auto expected = SampleMemory(false);
        for (const int n : {17, 31, 33, 34}) {
            RadioChannel c = SampleChannel(n);
            c.label = WritableLabel(n == 17 || n == 31 ? "NEW " + QString::number(n) : c.label);
            expected[n] = ContentsOf(c);
        }
        if (run == 1) {
            EXPECT_EQ(LastShown(t), "!Update Rig|Update Rig: 3 of 5 channels written and verified, 94 already as the file "
                                    "says\nChannel 17: the radio refused the write\nChannel 31: the radio holds XEW 31, "
                                    "the file says NEW 31");
            expected[17] = ContentsOf(SampleChannel(17));
            expected[31][31] = 'X';
        } else {
            EXPECT_EQ(t.memoryFields().Text7, u"Update Rig: 5 channels written and verified, 94 already as the file says");
        }
        EXPECT_EQ(t.dialogs.messages.size(), run == 1 ? 2u : 1u);
        EXPECT_EQ(t.memoryFields().Text1, u"END");
        EXPECT_EQ(t.radio.memory, expected);
    }
}

// A bit turned over on the way in makes the radio take a write as one for another channel; its
// echo shows it. That channel is named, unless its own verified write later puts it right.
TEST(UpdateRig, AWriteTheRadioTookForAnotherChannelNamesThatChannel)
{
    QByteArray file;
    for (const int n : {1, 2, 3})
        file += (FormatDataLine({n, "07.100.0", "LSB", "Fil 1", "   ", "CH " + QString::number(n)}) + "\r\n").toLatin1();
    file += " END\r\n";
    const struct { int written, takenAs; const char* report; } rows[] = {
        {3, 1, "!Update Rig|Update Rig: 1 of 3 channels written and verified, 0 already as the file says\n"
               "Channel 1: the radio took the write for channel 3 as one for this channel, which may now hold "
               "channel 3's settings\nChannel 3: the radio holds a blank channel"},
        {1, 3, "!Update Rig|Update Rig: 2 of 3 channels written and verified, 0 already as the file says\n"
               "Channel 1: the radio holds a blank channel"},
    };
    for (const auto& row : rows) {
        MemoryRig t({}, file);
        t.radio.writesReadAs = {{row.written, row.takenAs}};
        t.start(&MemoryWindowOperations::updateRig);
        t.run(Step::UpdateRig);
        EXPECT_EQ(LastShown(t), QString::fromLatin1(row.report)) << row.written;
        EXPECT_FALSE(t.radio.memory.count(row.written)) << row.written;
    }
}

// Every byte of a written channel is read back. Where the radio keeps another byte than was
// written (a setting it rounds, a byte the line turned over), the channel is read twice more and
// then reported with what differs, in the operator's words: the first and last byte of each part.
TEST(UpdateRig, AChannelHoldingAnyOtherByteThanWrittenIsNamedWithWhatDiffers)
{
    const QString radio = "the radio holds ", file = ", the file says ";
    const struct { const char* part; int at; char kept; QString told; } rows[] = {
        {"select", 2, '\x01', radio + "select 1" + file + "select 0"},
        {"frequency, first byte", 3, '\x50', radio + "07.100.0 (50 00 10 07 00)" + file + "07.100.0 (00 00 10 07 00)"},
        {"frequency, 100 Hz", 4, '\x05', radio + "07.100.5" + file + "07.100.0"},
        {"frequency, last byte", 7, '\x01', radio + "07.100.0 (00 00 10 07 01)" + file + "07.100.0 (00 00 10 07 00)"},
        {"mode", 8, '\x01', radio + "USB" + file + "LSB"},
        {"filter", 9, '\x03', radio + "Fil 3" + file + "Fil 1"},
        {"data mode and tone, first byte", 10, '\x11', radio + "data/tone 11 00 10 00 00 10 00" + file + "data/tone 00 00 10 00 00 10 00"},
        {"data mode and tone, last byte", 16, '\x07', radio + "data/tone 00 00 10 00 00 10 07" + file + "data/tone 00 00 10 00 00 10 00"},
        {"transmit set, first byte", 17, '\x50', radio + "transmit 07.100.0 LSB (50 00 10 07 00 00 01 00 00 10 00 00 10 00)" + file
                                                    + "transmit 07.100.0 LSB (00 00 10 07 00 00 01 00 00 10 00 00 10 00)"},
        {"transmit set, last byte", 30, '\x07', radio + "transmit 07.100.0 LSB (00 00 10 07 00 00 01 00 00 10 00 00 10 07)" + file
                                                   + "transmit 07.100.0 LSB (00 00 10 07 00 00 01 00 00 10 00 00 10 00)"},
        {"label, first letter", 31, 'X', radio + "XNE" + file + "ONE"},
        {"label, last letter", 40, 'Z', radio + "ONE      Z" + file + "ONE"},
        {"nothing kept, though the write was answered OK", -1, 0, "the radio holds a blank channel"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.part);
        MemoryRig t({}, (FormatDataLine({1, "07.100.0", "LSB", "Fil 1", "   ", "ONE"}) + "\r\n END\r\n").toLatin1());
        if (row.at < 0)
            t.radio.writesLost = {1};
        else
            t.radio.keptOther[1] = {row.at, row.kept};
        t.start(&MemoryWindowOperations::updateRig);
        EXPECT_EQ(t.run(Step::UpdateRig).count("1A 00 00 01"), 2 + 1 + 2);  // two reads before, the read-back, two more
        EXPECT_EQ(LastShown(t), "!Update Rig|Update Rig: 0 of 1 channel written and verified, 0 already as the file says"
                                "\nChannel 1: " + row.told);
    }
}

// A late answer to an earlier exchange that arrives just before this one's echo is not this
// one's: a late NG refuses no write, a late OK confirms no clear.
TEST(UpdateRig, AnswersBeforeTheEchoBelongToAnEarlierExchange)
{
    const QByteArray ok = Hex("FE FE E0 94 FB FD"), ng = Hex("FE FE E0 94 FA FD");
    const QString written = "Update Rig: 1 channel written and verified, 0 already as the file says";
    const struct { const char* story; QByteArray file; const char* sent; QByteArray late; bool ownOkLost; QString told; } rows[] = {
        {"a late NG before the write's echo", (FormatDataLine({1, "07.100.0", "LSB", "Fil 1", "   ", "ONE"}) + "\r\n END\r\n").toLatin1(),
         "FE FE 94 E0 1A 00 00 01 00", ng, false, written},
        {"a late OK before the clear's echo, its own OK lost", " 30\r\n END\r\n", "FE FE 94 E0 0B FD", ok, true,
         "!Update Rig|Update Rig: 0 of 1 channel written and verified, 0 already as the file says\nChannel 30: no answer"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        MemoryRig t(row.ownOkLost ? FullMemory() : std::map<int, QByteArray>{}, row.file);
        t.line = [&row, &ok](ScriptedRadio& r, const QByteArray& w) {
            QByteArray answer = r.answer(w);
            if (!w.contains(Hex(row.sent)))
                return answer;
            if (row.ownOkLost)
                answer.remove(answer.indexOf(ok), ok.size());
            return row.late + answer;
        };
        t.start(&MemoryWindowOperations::updateRig);
        t.run(Step::UpdateRig);
        EXPECT_EQ(row.told.startsWith(u'!') ? LastShown(t) : t.memoryFields().Text7, row.told);
    }
}

TEST(UpdateRig, AReadBackThatComesLateIsAskedForAgainAndNeverTakenAsSilence)
{
    const QByteArray file = (FormatDataLine({1, "07.100.0", "LSB", "Fil 1", "   ", "ONE"}) + "\r\n"
                             + FormatDataLine({2, "07.200.0", "LSB", "Fil 1", "   ", "TWO"}) + "\r\n END\r\n").toLatin1();
    // The write of channel 2 is answered only after its window closed, whole; or only its echo
    // comes, late, and the radio falls silent.
    for (const bool answersAgain : {true, false}) {
        MemoryRig t({}, file);
        t.start(&MemoryWindowOperations::updateRig);
        QByteArray late;
        Frames afterTheWrite;
        for (int tick = 0; tick < 30 && t.state().UpdatingRig; ++tick) {
            t.closeAnswerWindow();
            t.memoryTimer(Step::UpdateRig).fire();
            const QByteArray written = t.port.takeWritten();
            const bool writesTwo = written.contains(Hex("1A 00 00 02 00 00 00 20 07"));
            if (writesTwo || !afterTheWrite.isEmpty())
                afterTheWrite << FramesOf(written);
            if (writesTwo) {
                late = answersAgain ? t.radio.answer(written) : written;
                t.radio.silentFrom = answersAgain ? 1000 : 2;
                continue;
            }
            t.port.receive(std::exchange(late, QByteArray()) + t.radio.answer(written));
        }
        EXPECT_FALSE(t.state().UpdatingRig);
        EXPECT_EQ(afterTheWrite.mid(5), answersAgain ? Frames{"1A 00 00 02"} : Frames(2, "1A 00 00 02")) << answersAgain;
        EXPECT_EQ(LastShown(t), answersAgain ? QString("Update Rig|TALVEX.TXT ... Are you sure?")
                                             : QString("!Update Rig|Update Rig: 1 of 2 channels written and verified, 0 "
                                                       "already as the file says\nChannel 2: did not answer in time"));
    }
}

// A read-back heard (its echo came) but not answered in time counts as silence like a missing
// one: three channels in a row stop the run.
TEST(UpdateRig, ReadBacksThatOnlyEchoStopTheRunAtTheThirdChannel)
{
    QByteArray file;
    for (int n = 1; n <= 4; ++n)
        file += (FormatDataLine({n, "07.100.0", "LSB", "Fil 1", "   ", "CH"}) + "\r\n").toLatin1();
    MemoryRig t({}, file + " END\r\n");
    bool writing = false;
    t.line = [&writing](ScriptedRadio& r, const QByteArray& w) {
        writing = writing || w.contains(Hex("FE FE 94 E0 08 FD"));
        return writing && !w.contains(Hex("1A 00 00 01")) ? w : r.answer(w);
    };
    t.start(&MemoryWindowOperations::updateRig);
    t.run(Step::UpdateRig);
    EXPECT_EQ(LastShown(t), "!Update Rig|The radio did not answer for channel 2 ... Update Rig stopped: that channel and the "
                            "ones after it may not hold what the file says.\nUpdate Rig: 1 of 4 channels written and verified, "
                            "0 already as the file says\nChannel 2: did not answer in time\nChannel 3: did not answer in time\n"
                            "Channel 4: did not answer in time");
    // The file line of the channel being written is not shown as if the radio held it.
    EXPECT_EQ(t.memoryFields().Text1 + t.memoryFields().Text3 + t.memoryFields().Text6, QString());
}

// The file is taken once: an editor saving it while the channels are read changes nothing the
// run writes, and the backup holds every channel the run touches.
TEST(UpdateRig, AFileSavedAgainDuringTheRunChangesNothingItDoes)
{
    MemoryRig t(SampleMemory(false), EditedSampleFile());
    t.start(&MemoryWindowOperations::updateRig);
    t.tick(Step::UpdateRig);  // the reading before the change has begun
    WriteBytes(t.path("TALVEX.TXT"), QByteArray(" 1\r\n 2\r\n 3\r\n END\r\n"));  // would clear 1-3
    t.run(Step::UpdateRig);
    auto expected = SampleMemory(false);
    for (const int n : {17, 31, 33, 34}) {
        RadioChannel c = SampleChannel(n);
        c.label = WritableLabel(n == 17 || n == 31 ? "NEW " + QString::number(n) : c.label);
        expected[n] = ContentsOf(c);
    }
    EXPECT_EQ(t.radio.memory, expected);
    EXPECT_EQ(t.memoryFields().Text7, u"Update Rig: 4 channels written and verified, 95 already as the file says");
}

// The scan edges P1 and P2 are never programmed from a file's zones, but a clear of one is
// saved like any channel and the backup writes it back.
TEST(UpdateRig, AClearedScanEdgeIsSavedAndTheBackupPutsItBack)
{
    std::map<int, QByteArray> held{{100, ContentsOf({100, "070000", 0, 1, false, "P1 LOW"})},
                                   {101, ContentsOf({101, "073000", 0, 1, false, "P2 HIGH"})}};
    MemoryRig t(held, " 100\r\n END\r\n");
    ScriptedClock clock;
    t.program->memory.setClock(&clock);
    t.start(&MemoryWindowOperations::updateRig);
    const QString p1 = "1A 00 01 00";
    EXPECT_EQ(t.run(Step::UpdateRig), (Frames{p1, p1, "08 01 00", p1, "0B", "0B", p1}));
    EXPECT_EQ(t.radio.memory.count(100), 0u);
    QString backup = JoinPath(t.path(kBackupFolder), QStringLiteral("20261207-142501.TXT"));
    EXPECT_FALSE(t.program->dataFile.OpenDataFile(backup, FileMode::Input).failure);
    t.start(&MemoryWindowOperations::updateRig);
    t.run(Step::UpdateRig);
    EXPECT_EQ(t.radio.memory, held);
}

// A start refused while Update Rig runs is not a start: the run's outcome still names the backup
// it saved first.
TEST(UpdateRig, AStartRefusedDuringTheRunLeavesItsBackupInItsOutcome)
{
    struct : MemoryListener {
        void ended(const MemoryOutcome& outcome) override { backup = outcome.backup; }
        std::optional<QString> backup;
    } heard;
    std::map<int, QByteArray> held{{100, ContentsOf({100, "070000", 0, 1, false, "P1 LOW"})}};
    MemoryRig t(held, " 100\r\n END\r\n");
    ScriptedClock clock;
    t.program->memory.setClock(&clock);
    t.memory().addListener(&heard);
    t.start(&MemoryWindowOperations::updateRig);
    while (t.state().UpdatingRig && t.memory().lastBackup().isEmpty())
        t.tick(Step::UpdateRig);
    ASSERT_TRUE(t.state().UpdatingRig);
    EXPECT_FALSE(WasStarted(t.memory().blankRig({})));
    t.run(Step::UpdateRig);
    t.memory().removeListener(&heard);
    EXPECT_EQ(heard.backup, JoinPath(t.path(kBackupFolder), QStringLiteral("20261207-142501.TXT")));
}

// A Stop after channels changed tells what changed: the count, each channel that did not verify,
// and the channel whose write was on its way, counted as sent and named. The fields keep no file
// line or channel the radio may not hold; the message line keeps the count.
TEST(MemoryOperations, StopAfterChannelsChangedShowsTheCountAndTheChannelInFlight)
{
    const struct {
        const char* story;
        Click click;
        Step timer;
        QString stopAfter;  // the frame whose tick the Stop follows
        QString told;
    } rows[] = {
        {"Update Rig, a refused write and one in flight", &MemoryWindowOperations::updateRig, Step::UpdateRig, "08 00 31",
         "!Update Rig|Stopped before the end ... Update Rig: 0 of 2 channels written and verified, 29 already as the file "
         "says\nChannel 17: the radio refused the write\nChannel 31: sent, not verified: the run stopped before its check"},
        {"Blank Rig, all verified so far, none in flight", &MemoryWindowOperations::blankRig, Step::BlankRig, "08 00 33",
         "!Blank Rig|Stopped before the end ... Blank Rig: 2 of 2 channels verified"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        MemoryRig t(SampleMemory(false), EditedSampleFile());
        t.radio.refuseWrites = {17};
        t.start(row.click, {"31", "40"});
        for (int tick = 0; tick < 300 && !t.tick(row.timer).contains(row.stopAfter);)
            ++tick;
        t.memoryWindow().stop();
        EXPECT_FALSE(t.state().anyMemoryOperationRunning());
        EXPECT_EQ(LastShown(t), row.told);
        const MemoryFields& m = t.memoryFields();
        EXPECT_EQ(m.Text7, row.told.section(u'|', 1).section(u'\n', 0, 0).mid(QString("Stopped before the end ... ").size()));
        EXPECT_EQ(m.Text1 + m.Text3 + m.Text4 + m.Text6, QString());
    }
}

TEST(UpdateRig, ANamedFileButtonAsksThenMakesItsFileCurrent)
{
    MemoryRig t(SampleMemory(false));
    t.writeFile("Sw + Air.txt", {" 7", " END"});
    t.start([](MemoryWindowOperations& m) { m.updateRigFrom(QStringLiteral("Sw + Air.txt")); }, {}, MessageAnswer::No);
    EXPECT_EQ(Shown(t), QStringList{"Sw + Air.txt|Update Radio Memory ... Are you sure?"});
    EXPECT_FALSE(t.state().UpdatingRig);
    t.start([](MemoryWindowOperations& m) { m.updateRigFrom(QStringLiteral("Sw + Air.txt")); });
    EXPECT_EQ(t.state().CurrentFileName, u"SW + AIR.TXT");
    EXPECT_EQ(t.run(Step::UpdateRig), ReadFrames({7}) + ClearFrames(7));
}

TEST(MemoryOperations, ARadioFallingSilentIsNamedAndThreeSilentChannelsStopTheRun)
{
    const QString stopped = "The radio did not answer for channel 62 ... ";
    const QString unsaved = " wrote nothing to the radio.";
    const QString silent = "\nChannel 62: no answer\nChannel 63: no answer\nChannel 64: no answer";
    // Blank Rig and Update Rig read their channels before they change any; `whileChanging`: the
    // radio falls silent only once that reading is done.
    const struct { Click click; QList<std::optional<QString>> inputs; Step timer; int silentFrom; QString shown; bool finished = false, whileChanging = false; }
        rows[] = {
        {&MemoryWindowOperations::viewRig, {}, Step::ViewRig, 98, "View Rig|View Rig: 97 of 99 channels verified\nChannel 98: no answer\nChannel 99: no answer", true},
        {&MemoryWindowOperations::blankRig, {"5", "7"}, Step::BlankRig, 7, "Blank Rig|Blank Rig: 2 of 3 channels verified\nChannel 7: no answer", true, true},
        // A stop names what the run had found before it, the silent channels it counted among them.
        {&MemoryWindowOperations::viewRig, {}, Step::ViewRig, 62, "View Rig|" + stopped + "View Rig stopped.\nView Rig: 61 of 64 channels verified" + silent},
        {&MemoryWindowOperations::blankRig, {"", ""}, Step::BlankRig, 62, "Blank Rig|" + stopped + "Blank Rig stopped.\nBlank Rig: 55 of 58 channels "
                                               "cleared and verified, 6 already blank" + silent, false, true},
        {&MemoryWindowOperations::updateRig, {}, Step::UpdateRig, 62,
         "Update Rig|" + stopped + "Update Rig stopped: that channel and the ones after it may not hold what the file says."
             "\nUpdate Rig: 55 of 58 channels written and verified, 6 already as the file says" + silent,
         false, true},
        {&MemoryWindowOperations::blankRig, {"60", "70"}, Step::BlankRig, 62, "Blank Rig|The channels could not be saved before writing: the radio did "
                                                  "not answer for channel 62 ... Blank Rig" + unsaved},
        {&MemoryWindowOperations::updateRig, {}, Step::UpdateRig, 62, "Update Rig|The channels could not be saved before writing: the radio did not "
                                        "answer for channel 62 ... Update Rig" + unsaved},
        {&MemoryWindowOperations::createFile, {}, Step::CreateFile, 40, "Create File|The radio did not answer for channel 40 ... TALVEX.TXT was not changed."},
    };
    for (const auto& row : rows) {
        const QByteArray file = row.timer == Step::UpdateRig ? SampleFile() : QByteArray("OLD\r\n");
        // Update Rig writes every channel of a radio that holds none.
        MemoryRig t(row.timer == Step::UpdateRig ? std::map<int, QByteArray>{} : SampleMemory(false), file);
        const auto before = t.radio.memory;
        if (!row.whileChanging)
            t.radio.silentFrom = row.silentFrom;
        t.afterTick = [&t, &row] {
            if (row.whileChanging && !t.memoryFields().Text7.startsWith("Reading"))
                t.radio.silentFrom = row.silentFrom;
        };
        t.start(row.click, row.inputs);
        t.run(row.timer);
        if (row.shown.endsWith(unsaved)) {
            EXPECT_EQ(t.radio.memory, before) << row.shown.toStdString();
        }
        EXPECT_EQ(LastShown(t), "!" + row.shown);
        EXPECT_EQ(t.memoryFields().Text1 == u"END", row.finished) << row.shown.toStdString();
        EXPECT_EQ(t.readFile("TALVEX.TXT"), file);
        if (row.timer == Step::BlankRig && row.whileChanging) {  // cleared up to the silent channel, which keeps what it held
            EXPECT_EQ(std::pair(t.radio.memory.count(row.silentFrom - 1), t.radio.memory.count(row.silentFrom)), std::pair(0ul, 1ul));
        }
        if (row.timer == Step::CreateFile) {  // two reads a channel; channel 40 asked three times (two reads, one, one)
            EXPECT_EQ(std::pair(t.radio.frames, t.program->dataFile.isReading()), std::pair(39 * 2 + 4, true));
        }
    }
}

// The connection doctor speaks up while an operation runs (here: two queries between two steps,
// the operator's and one more, come back as a radio at 9600 baud echoes them). Its advice then stands in the message line over every later step
// and every decoded answer until the operation ends, and the end report repeats it: in the
// report's own message, in the stop message, or in a message of its own. An operation the
// operator stops takes it along unreported.
TEST(MemoryOperations, ConnectionAdviceStandsUntilTheOperationEndsAndItsEndReportRepeatsIt)
{
    const QString advice = AdviceText({LineCause::BaudRate, std::nullopt}, "19200,N,8,1", "COM1", kRadio.address);
    const struct {
        const char* name;
        Click click;
        Step timer;
        int silentFrom = 1000;
        std::set<int> refused = {};
        Click stopAtTenthTick = nullptr;
        QString shown = {};
    } rows[] = {
        {"all verified", &MemoryWindowOperations::viewRig, Step::ViewRig, 1000, {}, nullptr, "View Rig|" + advice},
        {"a refused write", &MemoryWindowOperations::updateRig, Step::UpdateRig, 1000, {17}, nullptr,
         "!Update Rig|Update Rig: 3 of 4 channels written and verified, 95 already as the file says\nChannel 17: the radio "
         "refused the write\n" + advice},
        {"stopped by a silent radio", &MemoryWindowOperations::viewRig, Step::ViewRig, 62, {}, nullptr,
         "!View Rig|The radio did not answer for channel 62 ... View Rig stopped.\nView Rig: 61 of 64 channels verified\n"
         "Channel 62: no answer\nChannel 63: no answer\nChannel 64: no answer\n" + advice},
        {"no report of its own", &MemoryWindowOperations::createFile, Step::CreateFile, 1000, {}, nullptr, "Create File|" + advice},
        {"Stop", &MemoryWindowOperations::viewRig, Step::ViewRig, 1000, {}, &MemoryWindowOperations::stop, ""},
        {"Pause, then Yes", &MemoryWindowOperations::blankRig, Step::BlankRig, 1000, {}, &MemoryWindowOperations::blankRig, "Blank Rig|STOP Blank Rig?"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryRig t(SampleMemory(false), row.timer == Step::UpdateRig ? EditedSampleFile() : QByteArray("OLD\r\n"));
        std::tie(t.radio.silentFrom, t.radio.refuseWrites) = std::tuple(row.silentFrom, row.refused);
        QStringList standing;  // the message line once each later answer has been decoded
        t.afterTick = [&t, &standing, &row] {
            t.closeAnswerWindow();
            if (t.ticks == 4) {
                t.program->radio.queryFrequency();
                t.port.takeWritten();
                t.port.receive(Hex("FE FE 9E E0 00"));
                t.closeAnswerWindow();
                t.program->link.SendCommand(CommandFrame(kRadio.address, {0x03}));
                t.port.takeWritten();
                t.port.receive(Hex("FE FE 9E E0 00"));
                t.closeAnswerWindow();
            }
            if (t.ticks == 10 && row.stopAtTenthTick)
                t.start(row.stopAtTenthTick);
            if (t.ticks >= 4 && t.state().anyMemoryOperationRunning())
                standing << t.memoryFields().Text7;
        };
        t.start(row.click, {"", ""});  // Blank Rig: channels 1 to 99
        t.run(row.timer);
        EXPECT_GT(standing.size(), 5);
        EXPECT_EQ(standing, QStringList(standing.size(), advice));
        EXPECT_EQ(LastShown(t), row.shown);
        if (row.silentFrom < 100)
            continue;
        // Gone with the operation it was given in: the next one neither shows nor repeats it.
        const auto told = t.dialogs.messages.size();
        t.afterTick = {};
        t.memoryWindow().viewRig();
        t.run(Step::ViewRig);
        EXPECT_EQ(std::pair(t.dialogs.messages.size(), t.memoryFields().Text7), std::pair(told, QString("END")));
    }
}

TEST(CreateFile, WritesTheRadiosChannelsByteForByteWhateverTheTicksOrAnswersThatComeLate)
{
    for (const int late : {0, 1, 3, -1}) {  // -1: the first answer comes after its window closed
        MemoryRig t(SampleMemory(false), "OLD\r\n");
        t.start(&MemoryWindowOperations::createFile);
        EXPECT_EQ(t.readFile("TALVEX.TXT"), "OLD\r\n");  // nothing replaced before the end
        if (late < 0) {
            t.memoryTimer(Step::CreateFile).fire();  // the first lines, then the read of channel 1
            const QByteArray request = t.port.takeWritten();
            t.closeAnswerWindow();
            t.port.receive(t.radio.answer(request));
            EXPECT_EQ(FramesOf(request), Frames(2, "1A 00 00 01"));  // two reads that must agree
            // Asked again, a read at a time: the late answers came between windows and are not
            // taken, so it takes two more reads that agree.
            EXPECT_EQ(t.tick(Step::CreateFile), Frames{"1A 00 00 01"});
            EXPECT_EQ(t.tick(Step::CreateFile), Frames{"1A 00 00 01"});
            EXPECT_EQ(t.tick(Step::CreateFile), Frames(2, "1A 00 00 02"));
        }
        t.run(Step::CreateFile, std::max(late, 0));
        EXPECT_EQ(t.readFile("TALVEX.TXT"), SampleFile()) << late;
        EXPECT_EQ(Shown(t), QStringList{"Create File|TALVEX.TXT ... Are you sure?"});
        EXPECT_EQ(std::pair(t.memoryFields().Text1, t.program->dataFile.isReading()), std::pair(QString("END"), true));
    }
}

// The requests for one channel's read, a letter each, as a faulty line treats them: '.' comes
// clean, 'L' loses the answers (the echo comes), 'B' loses them to a second radio's broadcast, 'F'
// turns over a bit of each answer's label, 'P' a bit of its first preamble byte (the answer is no
// frame), 'A' a bit of its sender's address.
// No bit is turned over twice, so no two changed answers agree and no two come from one other
// address. Requests past the last letter come clean.
std::function<QByteArray(ScriptedRadio&, const QByteArray&)> FaultyLine(std::map<int, std::string> faults)
{
    auto requests = std::make_shared<std::map<int, std::size_t>>();
    auto flips = std::make_shared<int>(0);
    return [=](ScriptedRadio& radio, const QByteArray& written) {
        QByteArray answers = radio.answer(written);
        const Frames frames = FramesOf(written);
        if (frames.isEmpty() || !frames.front().startsWith("1A 00 00 "))
            return answers;
        const int channel = frames.front().mid(9).toInt();
        const std::string plan = faults.count(channel) ? faults.at(channel) : std::string();
        const std::size_t request = (*requests)[channel]++;
        const char fault = request < plan.size() ? plan[request] : '.';
        const QByteArray answer = Hex("FE FE E0 94 1A 00");
        if (fault == 'L' || fault == 'B')
            return answers.left(answers.indexOf(answer)) + (fault == 'B' ? Hex("FE FE 00 B6 00 00 00 00 07 00 FD") : "");
        const auto offset = [&] { return fault == 'P' ? 0 : fault == 'A' ? 3 : 6 + 31 + *flips / 8 % 10; };
        for (auto at = answers.indexOf(answer); fault != '.' && at >= 0; at = answers.indexOf(answer, at + 1), ++*flips)
            answers[at + offset()] = static_cast<char>(answers[at + offset()] ^ (1 << *flips % 8));
        return answers;
    };
}

// What a face hears of a run that stopped: its kind.
struct StopHeard final : MemoryListener {
    void ended(const MemoryOutcome& outcome) override { kind = outcome.stopped; }
    std::optional<StopKind> kind;
};

// A CI-V answer has no checksum: a bit turned over on the line makes an answer that looks whole.
// A channel is taken only from two reads that agree, read again while answers are lost, broken or
// disagree, up to ten reads. Three requests in a row without one whole answer end the run, as the
// radio's silence where nothing but echoes came, else as the line's garble, and so do ten reads
// that never agreed. Create File reads as the backup before Update Rig and Blank Rig reads.
TEST(CreateFile, ReadsAgainWhereAnswersAreLostOrGarbledAndStopsOnlyWhereAChannelNeverComesWhole)
{
    const QString garbles = "): check the cable and its plugs, take the radio off any USB hub, and keep RF out of the cable "
                            "with a ferrite at each end ... ";
    const std::optional<StopKind> ran;
    const struct {
        const char* story;
        std::map<int, std::string> faults;
        int frames;  // the radio heard, reads all but Blank Rig's
        std::optional<StopKind> stop;
        QString told = {};  // "": Create File ran to its end
        bool unreadable = false;
        Click click = &MemoryWindowOperations::createFile;
    } rows[] = {
        {"one answer lost, changed, broken and from elsewhere on four channels",
         {{3, "L"}, {41, "F"}, {77, "P"}, {88, "A"}}, 99 * 2 + 4 * 2, ran},
        {"lost twice, answered, lost twice: never three in a row", {{5, "LL.LL"}}, 99 * 2 + 5, ran},
        {"changed in eight reads, the ninth and tenth agree", {{5, "FFFFFFF"}}, 99 * 2 + 8, ran},
        {"changed in all ten reads", {{5, "FFFFFFFFF"}}, 4 * 2 + 10, StopKind::LineGarbles,
         "!Create File|The line garbles bytes (the radio's answers for channel 5 did not agree in 10 reads" + garbles
             + "TALVEX.TXT was not changed."},
        {"lost three times in a row", {{5, "LLL"}}, 4 * 2 + 4, StopKind::SilentRadio,
         "!Create File|The radio did not answer for channel 5 ... TALVEX.TXT was not changed."},
        {"lost three times in a row, another radio broadcasting", {{5, "BBB"}}, 4 * 2 + 4, StopKind::SilentRadio,
         "!Create File|The radio did not answer for channel 5 ... TALVEX.TXT was not changed."},
        {"broken, then lost twice", {{5, "PLL"}}, 4 * 2 + 4, StopKind::LineGarbles,
         "!Create File|The line garbles bytes (the radio's answers for channel 5 came damaged in 4 reads" + garbles
             + "TALVEX.TXT was not changed."},
        // Answers that agree but cannot be a channel (a frequency digit above 9) are the radio's.
        {"every answer alike, contents no channel holds", {}, 4 * 2 + 4, StopKind::SilentRadio,
         "!Create File|The radio did not answer for channel 5 ... TALVEX.TXT was not changed.", true},
        {"Blank Rig: lost, changed, broken, then two that agree", {{3, "LFP"}}, 9 * 2 + 4 + 9 * 5, ran,
         "Blank Rig|Are you sure?", false, &MemoryWindowOperations::blankRig},
        {"Blank Rig: from elsewhere three times in a row", {{3, "AAA"}}, 2 * 2 + 4, StopKind::LineGarbles,
         "!Blank Rig|The channels could not be saved before writing: the line garbles bytes (the radio's answers for "
         "channel 3 came damaged in 4 reads" + garbles + "Blank Rig wrote nothing to the radio.", false, &MemoryWindowOperations::blankRig},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        MemoryRig t(SampleMemory(false), "OLD\r\n");
        StopHeard heard;
        t.memory().addListener(&heard);
        if (row.unreadable)
            t.radio.memory[5][5] = '\xAA';
        t.line = FaultyLine(row.faults);
        t.start(row.click, {"1", "9"});
        t.run(row.click == &MemoryWindowOperations::createFile ? Step::CreateFile : Step::BlankRig);
        EXPECT_EQ(t.radio.frames, row.frames);
        EXPECT_EQ(heard.kind, row.stop);
        const bool created = row.told.isEmpty();
        EXPECT_EQ(t.readFile("TALVEX.TXT"), created ? SampleFile() : QByteArray("OLD\r\n"));
        EXPECT_EQ(LastShown(t), created ? QString("Create File|TALVEX.TXT ... Are you sure?") : row.told);
    }
}

TEST(CreateFile, StopExitOrAFullDiskKeepTheOldFileByteForByteAndLeaveNoOtherFile)
{
    for (const int way : {0, 1, 2}) {
        MemoryRig t(SampleMemory(false), "OLD\r\n");
        t.start(&MemoryWindowOperations::createFile);
        for (int i = 0; i < 10; ++i)
            t.tick(Step::CreateFile);
        if (way == 0)
            t.memoryWindow().stop();
        if (way == 1) {
            EXPECT_THROW(t.program->startup.ExitMenu(), ProgramEnded);
        }
        if (way == 2) {
            SimulateDiskFullAfter(500);
            t.run(Step::CreateFile);
            SimulateDiskFullAfter(std::nullopt);
            EXPECT_EQ(LastShown(t), "!Create File|Error Code 61 ... No space left on device ... " + t.path("TALVEX.TXT")
                                           + " ... the old file was kept.");
            EXPECT_TRUE(t.program->dataFile.isReading());
        }
        EXPECT_EQ(t.readFile("TALVEX.TXT"), "OLD\r\n") << way;
        EXPECT_EQ(QDir(t.directory.path()).entryList(QDir::Files), QStringList{"TALVEX.TXT"}) << way;
    }
}

// The end line has END from column 2, or from column 1 where it was typed by hand: nothing
// after it is shown, and Update Rig writes nothing after it.
TEST(ViewFile, ShowsEachLineAndStopsAtTheEndLine)
{
    for (const char* endLine : {" END", "END"}) {
        SCOPED_TRACE(endLine);
        const QString line = FormatDataLine({7, "14.074.0", "RTTYr", "Fil 2", "Yes", "FT8 CALL"});
        const QString after = FormatDataLine({8, "14.074.0", "USB", "Fil 2", "   ", "AFTER"});
        MemoryRig t({}, (line + "\r\n" + endLine + "\r\n" + after + "\r\n").toLatin1());
        t.memoryWindow().viewFile();
        t.tick(Step::ViewFile);
        const MemoryFields& m = t.memoryFields();
        EXPECT_EQ(QStringList({m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6, m.Text7}),
                  QStringList({"7  ", "*", "14.074.0", "RTTYr", "Fil 2", "FT8 CALL", line}));
        EXPECT_EQ(t.run(Step::ViewFile), Frames{});
        EXPECT_EQ(m.Text1 + QString::number(t.ticks), u"END1");  // the line after the end line is not read
        t.start(&MemoryWindowOperations::updateRig);
        EXPECT_EQ(t.run(Step::UpdateRig), ReadFrames({7}) + WriteFrames({7, "140740", 8, 2, true, "FT8 CALL"}));
    }
}

// Twenty channels, the end line, then 64 MB of nothing (a hole: it costs no disk). Whatever
// reads the file for View File or Update Rig would take all of it into memory first: the file
// is refused when opened, with the reason, and the radio is not touched.
TEST(DataFile, OneOver16MbIsRefusedByViewFileAndUpdateRig)
{
    const struct {
        const char* why;
        std::function<void(MemoryWindowOperations&)> click;
        bool asked;
        const char* title;
        const char* named;  // how the message names the file; nullptr: by its path
    } rows[] = {{"View File", &MemoryWindowOperations::viewFile, false, "Re-Open File - Unexpected Error", nullptr},
                {"Update Rig", &MemoryWindowOperations::updateRig, true, "Re-Open File - Unexpected Error", nullptr},
                {"the TALVEX.txt button", [](MemoryWindowOperations& m) { m.updateRigFrom(QStringLiteral("TALVEX.txt")); }, true, "Open File - Unexpected Error", "TALVEX.txt"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        QByteArray lines;
        for (int channel = 1; channel <= 20; ++channel)
            lines += FormatDataLine({channel, "14.074.0", "USB", "Fil 2", "   ", "FT8"}).toLatin1() + "\r\n";
        MemoryRig t(SampleMemory(false), lines + " END\r\n");
        const std::map<int, QByteArray> held = t.radio.memory;
        t.program->memory.setClock(&kClock);
        ASSERT_TRUE(QFile::resize(t.path("TALVEX.TXT"), 64 * 1024 * 1024));  // grown since it was opened
        t.start(row.click);
        EXPECT_EQ(Shown(t).size(), row.asked ? 2u : 1u);
        EXPECT_EQ(Shown(t).value(row.asked ? 1 : 0),
                  QString::fromLatin1(row.title) + "|Error Code 75 ... File too large: 67108864 bytes, over the 16 MB a "
                      "data file may hold ... " + (row.named ? row.named : t.path("TALVEX.TXT")) + " ... Input");
        EXPECT_FALSE(t.state().anyMemoryOperationRunning());
        EXPECT_FALSE(t.state().DataFileOpen);
        EXPECT_EQ(t.run(row.asked ? Step::UpdateRig : Step::ViewFile), Frames{});
        EXPECT_EQ(t.radio.memory, held);
        EXPECT_FALSE(QDir(t.path(kBackupFolder)).exists());
    }
}

// A named-file button whose file is missing makes it empty and starts the program again to read
// it; the current data file gone before Update Rig is made empty too, and the run writes nothing.
TEST(UpdateRig, AMissingFileIsMadeEmptyAndSaidSoNothingSent)
{
    MemoryRig t(SampleMemory(false), " END\r\n");
    EXPECT_THROW(t.start([](MemoryWindowOperations& m) { m.updateRigFrom(QStringLiteral("Ham.txt")); }), ProgramEnded);
    EXPECT_EQ(Shown(t), QStringList({"Ham.txt|Update Radio Memory ... Are you sure?",
                                     "OPEN FILE ERROR|Error Code 53 ... File not found ... Ham.txt ... File will be created.",
                                     "Restart (creating missing file)|Restart program!"}));
    EXPECT_EQ(t.readFile("Ham.txt"), QByteArray());
    EXPECT_TRUE(QFile::exists(t.path("Ham.txt")));

    MemoryRig gone(SampleMemory(false), " END\r\n");
    QFile::remove(gone.path("TALVEX.TXT"));
    gone.start(&MemoryWindowOperations::updateRig);
    EXPECT_EQ(gone.run(Step::UpdateRig), Frames{});
    EXPECT_EQ(Shown(gone).value(1), "Re-Open File Error|Error Code 53 ... File not found ... " + gone.path("TALVEX.TXT")
                                        + " ... Input ... File will be created.");
    EXPECT_TRUE(QFile::exists(gone.path("TALVEX.TXT")));
}

TEST(MemoryOperations, OneAtATimeStopFromAnythingNoneWithoutTheRadioOrADataFile)
{
    {
        MemoryRig t(FullMemory(), "OLD\r\n");
        t.start(&MemoryWindowOperations::blankRig, {"", ""});  // Blank Rig of 1-99, still saving the channels
        t.tick(Step::BlankRig);
        for (Click click : {&MemoryWindowOperations::viewRig, &MemoryWindowOperations::scanRig, &MemoryWindowOperations::updateRig})
            (t.memoryWindow().*click)();
        EXPECT_EQ(Shown(t).mid(1), QStringList({"Memory Operations|Blank Rig is running ... View Rig is refused until Stop ends it.",
                                                "Memory Operations|Blank Rig is running ... Scan Rig is refused until Stop ends it.",
                                                "Memory Operations|Blank Rig is running ... Update Rig is refused until Stop ends it."}));
        EXPECT_EQ(std::tuple(t.state().ViewingRig, t.state().ScanningRig, t.state().UpdatingRig), std::tuple(false, false, false));
        t.memoryWindow().stop();
        EXPECT_EQ(t.radio.memory, FullMemory());
    }
    MemoryRig t;
    t.memoryWindow().viewRig();
    for (Click click : {&MemoryWindowOperations::blankRig, &MemoryWindowOperations::createFile, &MemoryWindowOperations::viewFile})
        (t.memoryWindow().*click)();
    EXPECT_EQ(Shown(t), QStringList({"Memory Operations|View Rig is running ... Blank Rig is refused until Stop ends it.",
                                     "Memory Operations|View Rig is running ... Create File is refused until Stop ends it.",
                                     "Memory Operations|View Rig is running ... View File is refused until Stop ends it."}));
    EXPECT_EQ(std::tuple(t.state().ViewingRig, t.state().BlankingRig, t.state().CreatingFile, t.state().ViewingFile),
              std::tuple(true, false, false, false));
    std::tie(t.state().AutoStatus, t.memoryFields().Text3) = std::tuple(false, "14.074.0");
    t.memoryWindow().stop();
    EXPECT_EQ(t.run(Step::ViewRig), Frames{});
    EXPECT_EQ(std::tuple(t.state().AutoStatus, t.memoryFields().Text3), std::tuple(true, ""));
    t.memoryWindow().viewRig();
    t.program->startup.CloseSerialPort();
    EXPECT_EQ(t.run(Step::ViewRig), Frames{});
    EXPECT_EQ(LastShown(t), u"!View Rig|The serial port closed ... View Rig stopped.");
    t.memoryWindow().viewRig();
    EXPECT_EQ(std::pair(t.state().ViewingRig, t.dialogs.messages.size()), std::pair(false, 5ul));
    t.state().CurrentDataFile.clear();
    for (Click click : {&MemoryWindowOperations::createFile, &MemoryWindowOperations::viewFile, &MemoryWindowOperations::updateRig})
        (t.memoryWindow().*click)();
    EXPECT_EQ(Shown(t).mid(5), QStringList({"Create File|", "View File|", "Update Rig|"})
                                   .replaceInStrings("|", "|No data file is chosen ... Change Data File chooses one."));
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

}  // namespace
}  // namespace talvex::testing
