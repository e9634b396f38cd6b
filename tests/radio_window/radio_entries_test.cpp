// The Radio window's questions on the scripted line: what each asks, the frames it sends for the
// answers typed, and what a refused entry does.
#include "radio/window/radio_entries.h"

#include "tests/radio/fixed_command_bytes.h"
#include "tests/radio/shown_fields.h"
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

using Answers = std::vector<const char*>;  // typed into the prompts in turn
constexpr const char* kCancel = nullptr;
using E = RadioEntries;
using Entry = void (E::*)();

QString S(const char* text) { return QString::fromUtf8(text); }

void Type(TestProgram& t, const Answers& answers)
{
    for (const char* answer : answers)
        t.dialogs.answerInput(answer != nullptr ? std::optional(S(answer)) : std::nullopt);
}

constexpr Entry kFrequency = &E::setFrequency, kMode = &E::setMode, kVolume = &E::setVolume, kManual = &E::sendManual,
                kSelect = &E::selectChannel, kQuery = &E::readChannel, kUp = &E::channelUp, kDown = &E::channelDown,
                kWrite = &E::writeChannel;

struct Case {
    std::function<void(E&)> entry;
    Answers answers;
    QStringList frames = {};  // none: the entry is refused
    QStringList asked = {};   // when given: prompt, title and default of each question in turn
    const char* modeShown = "USB";  // what the mode field shows beforehand
    bool blanks = true;  // a refused entry blanks both message areas
};

std::function<void(E&)> Filter(int filter)
{
    return [filter](E& entries) { entries.setFilter(filter); };
}

// Each case on a fresh program. On the open line: exactly `frames`, each in a write of its own so
// nothing is left half-sent behind another; a refused entry sends nothing, asks no further and
// blanks both message areas. On a closed line nothing is written and no answer timer armed, but
// the channel stepping begins as on the open one.
TEST(RadioEntries, WriteExactlyTheseFramesOrRefuseTheEntry)
{
    const QString channel = S("Enter 'CHANNEL NUMBER' (1-99)"), beginning = S("Select Beginning Memory Channel Number");
    std::vector<Case> cases{
        // the filter list keeps the mode shown, compared exactly
        {Filter(2), {}, {"06 01 02"}}, {Filter(1), {}, {"06 02 01"}, {}, "AM"}, {Filter(3), {}, {"06 08 03"}, {}, "RTTYr"},
        {Filter(1), {}, {"06 00 01"}, {}, "LSB"}, {Filter(1), {}, {}, {}, " "}, {Filter(2), {}, {}, {}, ""},
        {Filter(3), {}, {}, {}, "usb"}, {Filter(2), {}, {}, {}, "Fil 1"},
        // frequency set: 3 to 6 digits, then the read-back; mode set: names in any case, then the read-back
        {kFrequency, {"7100"}, {"05 00 00 10 07 00", "03"},
            {S("Enter  'FREQUENCY'  (MMkkk or MmKkCc)"), S("Set Memory Frequency"), ""}},
        {kFrequency, {"14250"}, {"05 00 00 25 14 00", "03"}}, {kFrequency, {"142505"}, {"05 00 05 25 14 00", "03"}},
        {kFrequency, {"500"}, {"05 00 00 50 00 00", "03"}},
        {kMode, {"usb", "3"}, {"06 01 03", "04"}, {S("Enter  'MODE'  (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
            S("Set Memory Mode"), S("AM"), S("Enter  'FILTER'  (1,2,3)"), S("Memory Filter"), S("2")}},
        {kMode, {"USB", "3"}, {"06 01 03", "04"}}, {kMode, {"Usb", "1"}, {"06 01 01", "04"}},
        {kMode, {"CWr", "2"}, {"06 07 02", "04"}}, {kMode, {"Cwr", "2"}, {"06 07 02", "04"}},
        {kMode, {"rttyr", "2"}, {"06 08 02", "04"}},
        // Set Vol: 0-99 as one BCD byte; no answer or a leading blank leaves even the message areas
        {kVolume, {"25"}, {"14 01 25"}, {S("Enter  'AUDIO LEVEL'  (0-99)"), S("Set Audio Level"), S("25")}},
        {kVolume, {"7"}, {"14 01 07"}}, {kVolume, {"0"}, {"14 01 00"}}, {kVolume, {"99"}, {"14 01 99"}},
        {kVolume, {kCancel}, {}, {}, "", false}, {kVolume, {""}, {}, {}, "", false}, {kVolume, {" 25"}, {}, {}, "", false},
        // manual command: up to five tokens of one or two hex digits
        {kManual, {"19 00"}, {"19 00"}, {S("Enter Command String  (1 to 5 cmds, sep w/spaces )"), S("Manual Command Mode"), ""}},
        {kManual, {"1a 5 0 91"}, {"1A 05 00 91"}}, {kManual, {"FE"}, {"FE"}}, {kManual, {"5"}, {"05"}},
        {kManual, {"1 2 3 4 5 6"}, {"01 02 03 04 05"}}, {kManual, {"15  02"}, {"15 02"}}, {kManual, {"00"}, {"00"}},
        {kManual, {"15 02 "}, {"15 02"}},
        // memory channels: 1-99 and the scan edges 100 and 101 (select, query), 1-99 (up, down)
        {kSelect, {"7"}, {"08 00 07", "1A 00 00 07"}, {channel, S("Select Memory Channel Number"), ""}},
        {kSelect, {"1"}, {"08 00 01", "1A 00 00 01"}}, {kSelect, {"99"}, {"08 00 99", "1A 00 00 99"}},
        {kSelect, {"100"}, {"08 01 00", "1A 00 01 00"}}, {kSelect, {"101"}, {"08 01 01", "1A 00 01 01"}},
        {kQuery, {"5"}, {"1A 00 00 05"}, {channel, S("Read Memory Channel Number"), ""}},
        {kQuery, {"1"}, {"1A 00 00 01"}}, {kQuery, {"99"}, {"1A 00 00 99"}}, {kQuery, {"101"}, {"1A 00 01 01"}},
        {kUp, {"1"}, {"08 00 01", "1A 00 00 01"}, {channel, beginning, ""}}, {kUp, {"99"}, {"08 00 99", "1A 00 00 99"}},
        {kDown, {"99"}, {"08 00 99", "1A 00 00 99"}, {channel, beginning, ""}}, {kDown, {"1"}, {"08 00 01", "1A 00 00 01"}},
        {&E::clearChannel, {}, {"0B"}},  // answered Yes
        {kWrite, {"5", "7100", "lsb", "1", "HOME"}, Write("00 01", "48 4F 4D 45 20 20 20 20 20 20"),
            {channel, S("Set Memory Channel Number"), "", S("Enter 'FREQUENCY' (MMkkk or MmKkCc or Kkk)"),
                S("Set Memory Frequency"), "", S("Enter  'MODE' (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
                S("Set Memory Mode"), S("AM"), S("Enter 'FILTER' (1,2,3)"), S("Set Memory Filter"), S("2"),
                S("Enter  'LABEL'  info (0-10 chars)"), S("Set Memory Label"), ""}},
        {kWrite, {"1", "7100", "cw", "2", "A"}, Write("03 02", "41 20 20 20 20 20 20 20 20 20", "00 01")},
        // empty answers take AM, filter 2 and a blank label; a label is cut at ten characters, and
        // only the ten sent must be printable
        {kWrite, {"12", "14250", "", "", ""}, Write("02 02", "20 20 20 20 20 20 20 20 20 20", "00 12", "00 00 25 14 00")},
        {kWrite, {"99", "500", "FM", "3", "ABCDEFGHIJKL"},
            Write("05 03", "41 42 43 44 45 46 47 48 49 4A", "00 99", "00 00 50 00 00")},
        {kWrite, {"5", "7100", "rttyr", "3", "ABCDEFGHIJ\x01Z\u00fc"}, Write("08 03", "41 42 43 44 45 46 47 48 49 4A")},
    };
    const std::pair<Entry, std::vector<Answers>> refused[] = {
        {kFrequency, {{"0"}, {""}, {" "}, {kCancel}, {"12"}, {"1425050"}, {"7a00"}, {"-100"}, {"71 0"}}},
        {kMode, {{"0"}, {""}, {kCancel}, {"SSB"}, {"usb", kCancel}, {"usb", ""}, {"usb", "4"}, {"usb", "0"}, {"usb", "x"}}},
        {kVolume, {{"100"}, {"abc"}, {"-1"}, {"5x"}}},
        {kManual, {{"0"}, {""}, {kCancel}, {" 19 00"}, {"1A5"}, {"zz"}, {"19 0g"}, {"+1"}}},
        {kSelect, {{"0"}, {""}, {kCancel}, {"102"}, {"180"}, {"abc"}, {"7.5"}, {"-1"}}},
        {kQuery, {{"0"}, {kCancel}, {"102"}, {"x1"}}}, {kUp, {{"0"}, {"100"}, {"-3"}}}, {kDown, {{"2.5"}, {""}, {"abc"}}},
        {kWrite, {{"100"}, {"101"}, {"0"}, {""}, {kCancel}, {"ab"}, {"99", "0"}, {"5", kCancel}, {"5", "0"}, {"5", "12"},
            {"5", "7100", kCancel}, {"5", "7100", "SSB"}, {"5", "7100", " "}, {"5", "7100", "lsb", kCancel},
            {"5", "7100", "lsb", "4"}, {"5", "7100", "lsb", " "}, {"5", "7100", "lsb", "1", kCancel},
            {"5", "7100", "lsb", "1", "Zürich"}, {"5", "7100", "lsb", "1", "A\x01" "B"},
            {"5", "7100", "lsb", "1", "\u00FD"}}},  // the last label is the end-of-message byte
    };
    for (const auto& [entry, entries] : refused) {
        for (const Answers& answers : entries)
            cases.push_back({entry, answers});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases.data() << " " << c.frames.join(u'|').toStdString());
        const auto run = [&c](TestProgram& t) {
            ProgramState& s = t.program->state;
            Fill(*t.program);
            t.program->radioTexts.fields().Text4 = S(c.modeShown);
            Type(t, c.answers);
            t.dialogs.answerMessage(MessageAnswer::Yes);  // Memory Channel Clear asks first
            RadioEntries entries(s, t.program->radio, t.dialogs, t.program->radioTexts, t.program->memoryTexts.fields());
            c.entry(entries);
            QStringList writes;
            for (const QByteArray& write : t.port.takeWrites())
                writes << QString::fromLatin1(write.toHex(' ').toUpper());
            return writes;
        };
        OpenProgram open;
        QStringList framed, asked;
        for (const QString& frame : c.frames)
            framed << S("FE FE 94 E0 ") + frame + S(" FD");
        EXPECT_EQ(run(open), framed);
        for (const ShownInput& input : open.dialogs.inputs)
            asked << input.prompt << input.title << input.defaultText;
        EXPECT_EQ(asked.size(), 3 * qsizetype(c.answers.size())) << "asked more or fewer questions";
        if (!c.asked.isEmpty()) {
            EXPECT_EQ(asked, c.asked);
        }
        const bool blanked = c.frames.isEmpty() && c.blanks;
        EXPECT_EQ(Fields(*open.program).mid(6), (blanked ? QStringList{" ", " "} : QStringList{kTraffic, kTraffic}));
        TestProgram closed;
        EXPECT_TRUE(run(closed).isEmpty());
        EXPECT_FALSE(closed.timer2().isEnabled());
        EXPECT_EQ(open.program->radio.channelSelected(), closed.program->radio.channelSelected());
    }
}

class RadioQuestions : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    QStringList sent() { return FramesOf(t.port.takeWritten()); }
    // Runs the entries in turn, each with its answers typed, and checks the frames each sends
    // and the default its question offers.
    struct Step { Entry entry; Answers typed; QStringList frames; const char* offered = nullptr; };
    void run(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            Type(t, step.typed);
            t.dialogs.inputs.clear();
            (entries.*step.entry)();
            EXPECT_EQ(sent(), step.frames) << step.frames.join(u'|').toStdString();
            EXPECT_EQ(t.dialogs.inputs.size(), step.typed.size());
            if (step.offered != nullptr) {
                EXPECT_EQ(t.dialogs.inputs.at(0).defaultText, S(step.offered));
            }
        }
    }
    OpenProgram t;
    RadioEntries entries{t.program->state, t.program->radio, t.dialogs, t.program->radioTexts,
                         t.program->memoryTexts.fields()};
};

TEST_F(RadioQuestions, ClearAsksAreYouSureNoChangesNothingYesBlanksTheSixFieldsButNotTheMessageAreas)
{
    Fill(*t.program);
    const QStringList filled = Fields(*t.program);
    t.dialogs.answerMessage(MessageAnswer::No);
    entries.clearChannel();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    const ShownMessage& asked = t.dialogs.messages[0];
    EXPECT_EQ((QStringList{asked.title, asked.text}), (QStringList{"Memory Channel Clear", "Are you sure?"}));
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(Fields(*t.program), filled);
    t.dialogs.answerMessage(MessageAnswer::Yes);
    entries.clearChannel();
    EXPECT_EQ(Fields(*t.program), (QStringList(6, S(" ")) + QStringList{kTraffic, kTraffic}));
}

// Auto Status Toggle and Clear Status: a switch and blanks, never a frame (the captions in turn,
// HEX and BCD: the window test).
TEST_F(RadioQuestions, TheDisplaySwitchesSetTheirFlagsAndBlankWithoutSending)
{
    Fill(*t.program);
    entries.toggleAutoStatus();
    EXPECT_FALSE(state().AutoStatus);
    EXPECT_EQ(Fields(*t.program), QStringList(8, S(" ")));  // as Clear Status does
    // Something else switching the flag leaves the caption where its own clicks put it.
    state().AutoStatus = true;
    entries.toggleAutoStatus();
    EXPECT_FALSE(state().AutoStatus);
    EXPECT_EQ(t.program->radioTexts.fields().AutoStatusCaption, u"Disable Auto Status");
    Fill(*t.program);
    entries.clearStatus();
    EXPECT_EQ(Fields(*t.program), QStringList(8, S(" ")));
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

TEST_F(RadioQuestions, ManualCommandOffersTheLastAcceptedCommandNotARejectedOne)
{
    run({{kManual, {"19 00"}, {"19 00"}, ""}, {kManual, {"zz"}, {}, "19 00"}, {kManual, {"0"}, {}, "19 00"},
        {kManual, {"15 02"}, {"15 02"}, "19 00"}, {kManual, {"5"}, {"05"}, "15 02"}});
}

// A refused channel leaves the point Memory UP and DN step on from where it was.
TEST_F(RadioQuestions, MemoryUpAndDownStepFromTheLastChannelAndWrap)
{
    run({{kUp, {"99"}, {"08 00 99", "1A 00 00 99"}}, {kUp, {}, {"08 00 01", "1A 00 00 01"}},
        {kDown, {}, {"08 00 99", "1A 00 00 99"}}, {kDown, {}, {"08 00 98", "1A 00 00 98"}},
        // A select anywhere moves the starting point; from the scan edge 101 down lands on 99.
        {kSelect, {"40"}, {"08 00 40", "1A 00 00 40"}}, {kSelect, {"102"}, {}}, {kDown, {}, {"08 00 39", "1A 00 00 39"}},
        {kSelect, {"101"}, {"08 01 01", "1A 00 01 01"}}, {kDown, {}, {"08 00 99", "1A 00 00 99"}}});
}

}  // namespace
}  // namespace talvex::testing
