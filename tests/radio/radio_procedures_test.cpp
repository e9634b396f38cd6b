// Every procedure of the Radio window on the scripted line: the frames it writes for the answers
// typed, what it asks, what a refused entry does, and the flags the memory procedures hand over.
#include "tests/radio/fixed_command_bytes.h"
#include "tests/support/test_program.h"

#include "radio/fixed_commands.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

using Answers = std::vector<const char*>;  // typed into the prompts in turn
constexpr const char* kCancel = nullptr;

QString S(const char* text) { return QString::fromUtf8(text); }

void Type(TestProgram& t, const Answers& answers)
{
    for (const char* answer : answers)
        t.dialogs.answerInput(answer != nullptr ? std::optional(S(answer)) : std::nullopt);
}

// The frames `t` wrote, as FramesOf gives them; each must have gone out as a write of its own,
// so nothing is left half-sent behind another.
QStringList Sent(TestProgram& t)
{
    QStringList frames;
    for (const QByteArray& write : t.port.takeWrites()) {
        EXPECT_EQ(FramesOf(write).size(), 1) << write.toHex(' ').toStdString();
        frames += FramesOf(write);
    }
    return frames;
}

// Fills every field so a test can see which ones an operation blanks.
void Fill(ProgramState& state)
{
    const QString traffic = S(" FE FE E0 94 FB FD");
    state.radio = {S("14.074.0"), S("7"), S("*"), S("USB"), S("Fil 2"), S("status"), traffic, state.radio.Command44Caption};
    state.memory.Text9 = traffic;
}

std::string Describe(const Answers& answers)
{
    std::string text;
    for (const char* answer : answers)
        text += std::string(answer != nullptr ? answer : "<cancel>") + '|';
    return text;
}

// A write of channel `channel` ("00 05") with these settings, as the four frames it sends:
// the write, MEM, the select and the read-back.
QStringList Write(const QString& channel, const QString& frequency, const QString& modeFilter, const QString& label)
{
    const QString settings = frequency + u' ' + modeFilter + S(" 00 00 10 00 00 10 00");
    return {S("1A 00 ") + channel + S(" 00 ") + settings + u' ' + settings + u' ' + label, S("08"),
        S("08 ") + channel, S("1A 00 ") + channel};
}

TEST(FixedCommands, EachProcedureSendsItsBytesInOneWriteAndNothingOnAClosedPort)
{
    EXPECT_EQ(FixedCommands().size(), std::size(kFixedCommandBytes));  // no row left unchecked
    for (const FixedBytes& row : kFixedCommandBytes) {
        SCOPED_TRACE(row.caption);
        OpenProgram open;
        (open.program->radio.*row.procedure)();
        EXPECT_EQ(open.port.takeWrites(), std::vector{Hex("FE FE 94 E0") + Hex(row.command) + Hex("FD")});
        TestProgram closed;
        (closed.program->radio.*row.procedure)();
        EXPECT_TRUE(closed.port.takeWrites().empty());
        EXPECT_FALSE(closed.timer2().isEnabled());
    }
}

TEST(PowerOn, WakesTheRadioWithTwentyFivePrefixesInOneWriteOf103BytesAndNothingWhenClosed)
{
    OpenProgram open;
    open.program->radio.Command5_Click();
    EXPECT_EQ(open.port.takeWrites(), std::vector{Hex("FE FE 94 E0").repeated(25) + Hex("18 01 FD")});
    TestProgram closed;
    closed.program->radio.Command5_Click();
    EXPECT_TRUE(closed.port.takeWrites().empty());
    EXPECT_FALSE(closed.timer2().isEnabled());
}

// Each case on a fresh program: on the open line exactly `frames`, one write each; no frames
// means the entry is refused: nothing sent, no further question, both message areas blanked.
// On a closed line nothing is written and no answer timer is armed.
TEST(RadioProcedures, WriteTheseFramesOrRefuseTheEntry)
{
    const struct {
        Procedure procedure;
        Answers answers;
        QStringList frames = {};
        const char* modeShown = "USB";  // what the mode field shows beforehand
    } cases[] = {
        // the filter list keeps the mode shown, compared exactly
        {&R::Option35_Click, {}, {"06 01 02"}}, {&R::Option34_Click, {}, {"06 02 01"}, "AM"},
        {&R::Option36_Click, {}, {"06 08 03"}, "RTTYr"}, {&R::Option34_Click, {}, {"06 00 01"}, "LSB"},
        {&R::Option34_Click, {}, {}, " "}, {&R::Option35_Click, {}, {}, ""}, {&R::Option36_Click, {}, {}, "usb"},
        {&R::Option35_Click, {}, {}, "Fil 1"},
        // frequency set: 3 to 6 digits, then the read-back
        {&R::Option42_Click, {"7100"}, {"05 00 00 10 07 00", "03"}},
        {&R::Option42_Click, {"14250"}, {"05 00 00 25 14 00", "03"}},
        {&R::Option42_Click, {"142505"}, {"05 00 05 25 14 00", "03"}},
        {&R::Option42_Click, {"500"}, {"05 00 00 50 00 00", "03"}}, {&R::Option42_Click, {"0"}},
        {&R::Option42_Click, {""}}, {&R::Option42_Click, {" "}}, {&R::Option42_Click, {kCancel}},
        {&R::Option42_Click, {"12"}}, {&R::Option42_Click, {"1425050"}}, {&R::Option42_Click, {"7a00"}},
        {&R::Option42_Click, {"-100"}}, {&R::Option42_Click, {"71 0"}},
        // mode set: names in any case, then the read-back
        {&R::Option41_Click, {"usb", "3"}, {"06 01 03", "04"}}, {&R::Option41_Click, {"USB", "3"}, {"06 01 03", "04"}},
        {&R::Option41_Click, {"Usb", "1"}, {"06 01 01", "04"}}, {&R::Option41_Click, {"CWr", "2"}, {"06 07 02", "04"}},
        {&R::Option41_Click, {"Cwr", "2"}, {"06 07 02", "04"}}, {&R::Option41_Click, {"rttyr", "2"}, {"06 08 02", "04"}},
        {&R::Option41_Click, {"0"}}, {&R::Option41_Click, {""}}, {&R::Option41_Click, {kCancel}},
        {&R::Option41_Click, {"SSB"}}, {&R::Option41_Click, {"usb", kCancel}}, {&R::Option41_Click, {"usb", ""}},
        {&R::Option41_Click, {"usb", "4"}}, {&R::Option41_Click, {"usb", "0"}}, {&R::Option41_Click, {"usb", "x"}},
        // Set Vol: 0-99 as one BCD byte
        {&R::Command2_Click, {"25"}, {"14 01 25"}}, {&R::Command2_Click, {"7"}, {"14 01 07"}},
        {&R::Command2_Click, {"0"}, {"14 01 00"}}, {&R::Command2_Click, {"99"}, {"14 01 99"}},
        {&R::Command2_Click, {"100"}}, {&R::Command2_Click, {"abc"}}, {&R::Command2_Click, {"-1"}},
        {&R::Command2_Click, {"5x"}},
        // manual command: up to five tokens of one or two hex digits
        {&R::Command49_Click, {"19 00"}, {"19 00"}}, {&R::Command49_Click, {"1a 5 0 91"}, {"1A 05 00 91"}},
        {&R::Command49_Click, {"FE"}, {"FE"}}, {&R::Command49_Click, {"5"}, {"05"}},
        {&R::Command49_Click, {"1 2 3 4 5 6"}, {"01 02 03 04 05"}}, {&R::Command49_Click, {"15  02"}, {"15 02"}},
        {&R::Command49_Click, {"00"}, {"00"}}, {&R::Command49_Click, {"15 02 "}, {"15 02"}},
        {&R::Command49_Click, {"0"}}, {&R::Command49_Click, {""}}, {&R::Command49_Click, {kCancel}},
        {&R::Command49_Click, {" 19 00"}}, {&R::Command49_Click, {"1A5"}}, {&R::Command49_Click, {"zz"}},
        {&R::Command49_Click, {"19 0g"}}, {&R::Command49_Click, {"+1"}},
        // memory channels: 1-99 and the scan edges 100 and 101 (select, query), 1-99 (up, down)
        {&R::Option40_Click, {"7"}, {"08 00 07", "1A 00 00 07"}}, {&R::Option40_Click, {"1"}, {"08 00 01", "1A 00 00 01"}},
        {&R::Option40_Click, {"99"}, {"08 00 99", "1A 00 00 99"}},
        {&R::Option40_Click, {"100"}, {"08 01 00", "1A 00 01 00"}},
        {&R::Option40_Click, {"101"}, {"08 01 01", "1A 00 01 01"}}, {&R::Option40_Click, {"0"}},
        {&R::Option40_Click, {""}}, {&R::Option40_Click, {kCancel}}, {&R::Option40_Click, {"102"}},
        {&R::Option40_Click, {"180"}}, {&R::Option40_Click, {"abc"}}, {&R::Option40_Click, {"7.5"}},
        {&R::Option40_Click, {"-1"}},
        {&R::Option45_Click, {"1"}, {"1A 00 00 01"}}, {&R::Option45_Click, {"5"}, {"1A 00 00 05"}},
        {&R::Option45_Click, {"99"}, {"1A 00 00 99"}}, {&R::Option45_Click, {"101"}, {"1A 00 01 01"}},
        {&R::Option45_Click, {"0"}}, {&R::Option45_Click, {kCancel}}, {&R::Option45_Click, {"102"}},
        {&R::Option45_Click, {"x1"}},
        {&R::Option46_Click, {"1"}, {"08 00 01", "1A 00 00 01"}}, {&R::Option46_Click, {"99"}, {"08 00 99", "1A 00 00 99"}},
        {&R::Option59_Click, {"1"}, {"08 00 01", "1A 00 00 01"}}, {&R::Option59_Click, {"99"}, {"08 00 99", "1A 00 00 99"}},
        {&R::Option46_Click, {"0"}}, {&R::Option46_Click, {"100"}}, {&R::Option46_Click, {"-3"}},
        {&R::Option59_Click, {"2.5"}}, {&R::Option59_Click, {""}}, {&R::Option59_Click, {"abc"}},
        {&R::Option43_Click, {}, {"0B"}},  // answered Yes
        {&R::Option44_Click, {"1", "7100", "cw", "2", "A"},
            Write("00 01", "00 00 10 07 00", "03 02", "41 20 20 20 20 20 20 20 20 20")},
        {&R::Option44_Click, {"5", "7100", "lsb", "1", "HOME"},
            Write("00 05", "00 00 10 07 00", "00 01", "48 4F 4D 45 20 20 20 20 20 20")},
        // empty answers take AM, filter 2 and a blank label; a label is cut at ten characters
        {&R::Option44_Click, {"12", "14250", "", "", ""},
            Write("00 12", "00 00 25 14 00", "02 02", "20 20 20 20 20 20 20 20 20 20")},
        {&R::Option44_Click, {"99", "500", "FM", "3", "ABCDEFGHIJKL"},
            Write("00 99", "00 00 50 00 00", "05 03", "41 42 43 44 45 46 47 48 49 4A")},
        {&R::Option44_Click, {"100"}}, {&R::Option44_Click, {"101"}}, {&R::Option44_Click, {"0"}},
        {&R::Option44_Click, {""}}, {&R::Option44_Click, {kCancel}}, {&R::Option44_Click, {"ab"}},
        {&R::Option44_Click, {"99", "0"}}, {&R::Option44_Click, {"5", kCancel}}, {&R::Option44_Click, {"5", "0"}},
        {&R::Option44_Click, {"5", "12"}}, {&R::Option44_Click, {"5", "7100", kCancel}},
        {&R::Option44_Click, {"5", "7100", "SSB"}}, {&R::Option44_Click, {"5", "7100", " "}},
        {&R::Option44_Click, {"5", "7100", "lsb", kCancel}}, {&R::Option44_Click, {"5", "7100", "lsb", "4"}},
        {&R::Option44_Click, {"5", "7100", "lsb", " "}}, {&R::Option44_Click, {"5", "7100", "lsb", "1", kCancel}},
        {&R::Option44_Click, {"5", "7100", "lsb", "1", "Zürich"}},
        {&R::Option44_Click, {"5", "7100", "lsb", "1", "A\x01" "B"}},
        {&R::Option44_Click, {"5", "7100", "lsb", "1", "\u00FD"}},  // the end-of-message byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.answers));
        const auto run = [&c](TestProgram& t) {
            Fill(t.program->state);
            t.program->state.radio.Text4 = S(c.modeShown);
            Type(t, c.answers);
            if (c.procedure == &R::Option43_Click)
                t.dialogs.answerMessage(MessageAnswer::Yes);
            (t.program->radio.*c.procedure)();
            return Sent(t);
        };
        OpenProgram open;
        EXPECT_EQ(run(open), c.frames);
        EXPECT_TRUE(open.dialogs.scriptUsedUp());
        EXPECT_EQ(open.dialogs.inputs.size(), c.answers.size()) << "went on asking";
        EXPECT_EQ(open.program->state.radio.Text7 == u" ", c.frames.isEmpty());
        EXPECT_EQ(open.program->state.memory.Text9 == u" ", c.frames.isEmpty());
        TestProgram closed;
        EXPECT_TRUE(run(closed).isEmpty());
        EXPECT_FALSE(closed.timer2().isEnabled());
    }
}

class RadioEntries : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    RadioOperations& radio() { return t.program->radio; }
    QStringList sent() { return Sent(t); }
    OpenProgram t;
};

TEST_F(RadioEntries, EachEntryAsksWithExactlyTheseTexts)
{
    const QString channel = S("Enter 'CHANNEL NUMBER' (1-99)");
    const struct {
        Procedure procedure;
        Answers answers;
        QStringList shown;  // prompt, title and default of each question in turn
    } cases[] = {
        {&R::Option42_Click, {"7100"}, {S("Enter  'FREQUENCY'  (MMkkk or MmKkCc)"), S("Set Memory Frequency"), ""}},
        {&R::Option41_Click, {"usb", "2"},
            {S("Enter  'MODE'  (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"), S("Set Memory Mode"), S("AM"),
                S("Enter  'FILTER'  (1,2,3)"), S("Memory Filter"), S("2")}},
        {&R::Command2_Click, {"25"}, {S("Enter  'AUDIO LEVEL'  (0-99)"), S("Set Audio Level"), S("25")}},
        {&R::Command49_Click, {"19 00"},
            {S("Enter Command String  (1 to 5 cmds, sep w/spaces )"), S("Manual Command Mode"), ""}},
        {&R::Option40_Click, {"7"}, {channel, S("Select Memory Channel Number"), ""}},
        {&R::Option45_Click, {"7"}, {channel, S("Read Memory Channel Number"), ""}},
        {&R::Option46_Click, {"7"}, {channel, S("Select Beginning Memory Channel Number"), ""}},
        {&R::Option59_Click, {"7"}, {channel, S("Select Beginning Memory Channel Number"), ""}},
        {&R::Option44_Click, {"5", "7100", "lsb", "1", "HOME"},
            {channel, S("Set Memory Channel Number"), "", S("Enter 'FREQUENCY' (MMkkk or MmKkCc or Kkk)"),
                S("Set Memory Frequency"), "", S("Enter  'MODE' (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
                S("Set Memory Mode"), S("AM"), S("Enter 'FILTER' (1,2,3)"), S("Set Memory Filter"), S("2"),
                S("Enter  'LABEL'  info (0-10 chars)"), S("Set Memory Label"), ""}},
    };
    for (const auto& c : cases) {
        OpenProgram fresh;
        Type(fresh, c.answers);
        (fresh.program->radio.*c.procedure)();
        QStringList shown;
        for (const ShownInput& input : fresh.dialogs.inputs)
            shown << input.prompt << input.title << input.defaultText;
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(RadioEntries, SetVolWithNoAnswerOrALeadingBlankSendsNothingAndShowsNothing)
{
    for (const char* answer : {kCancel, "", " 25"}) {
        Fill(state());
        Type(t, {answer});
        radio().Command2_Click();
        EXPECT_TRUE(sent().isEmpty());
        EXPECT_EQ(state().radio.Text7, u" FE FE E0 94 FB FD");
        EXPECT_EQ(state().memory.Text9, u" FE FE E0 94 FB FD");
    }
}

TEST_F(RadioEntries, ClearAsksAreYouSureNoChangesNothingYesBlanksTheSixFieldsButNotTheMessageArea)
{
    Fill(state());
    t.dialogs.answerMessage(MessageAnswer::No);
    radio().Option43_Click();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].text, u"Are you sure?");
    EXPECT_EQ(t.dialogs.messages[0].title, u"Memory Channel Clear");
    EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(state().radio.Text1, u"14.074.0");

    t.dialogs.answerMessage(MessageAnswer::Yes);
    radio().Option43_Click();
    const RadioFields& r = state().radio;
    EXPECT_EQ((QStringList{r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7}),
        (QStringList{" ", " ", " ", " ", " ", " ", " FE FE E0 94 FB FD"}));
}

TEST_F(RadioEntries, ManualCommandOffersTheLastAcceptedCommandNotARejectedOne)
{
    Type(t, {"19 00", "zz", "0", "15 02"});
    QStringList offered;
    for (int i = 0; i < 4; ++i) {
        radio().Command49_Click();
        offered << t.dialogs.inputs.back().defaultText;
    }
    EXPECT_EQ(offered, (QStringList{"", "19 00", "19 00", "19 00"}));
    EXPECT_EQ(state().LastManualCommand, u"15 02");
    EXPECT_EQ(sent(), (QStringList{"19 00", "15 02"}));
}

// Auto Status Toggle, Clear Status, HEX and BCD: switches and blanks, never a frame.
TEST_F(RadioEntries, TheDisplaySwitchesSetTheirFlagsAndBlankWithoutSending)
{
    ASSERT_TRUE(state().AutoStatus);
    for (const char* caption : {"Enable Auto Status", "Disable Auto Status", "Enable Auto Status"}) {
        Fill(state());
        radio().Command44_Click();
        EXPECT_EQ(state().AutoStatus, caption[0] == 'D');
        EXPECT_EQ(state().radio.Command44Caption, S(caption));
        EXPECT_EQ((QStringList{state().radio.Text1, state().radio.Text7, state().memory.Text9}), (QStringList{" ", " ", " "}));
    }
    // Something else switching the flag leaves the caption where its own clicks put it.
    state().AutoStatus = true;
    radio().Command44_Click();
    EXPECT_FALSE(state().AutoStatus);
    EXPECT_EQ(state().radio.Command44Caption, u"Disable Auto Status");

    Fill(state());
    radio().Command36_Click();
    const RadioFields& r = state().radio;
    EXPECT_EQ((QStringList{r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7, state().memory.Text9}),
        QStringList(8, S(" ")));
    radio().Option61_Click();
    EXPECT_FALSE(state().HexDisplay);
    radio().Option60_Click();
    EXPECT_TRUE(state().HexDisplay);
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(RadioEntries, APresetSelectWithClearAfterSelectClearsWithoutAskingAndDropsBothFlags)
{
    state().ChannelText = S("12");
    state().EntriesPreset = state().ClearAfterSelect = true;
    radio().Option40_Click();
    EXPECT_EQ(sent(), (QStringList{"08 00 12", "0B"}));
    EXPECT_TRUE(t.dialogs.inputs.empty() && t.dialogs.messages.empty());
    EXPECT_FALSE(state().EntriesPreset || state().ClearAfterSelect);

    // A refused select disarms the clear, so a later select reads.
    state().ClearAfterSelect = true;
    Type(t, {"0", "7"});
    radio().Option40_Click();
    EXPECT_FALSE(state().ClearAfterSelect);
    radio().Option40_Click();
    EXPECT_EQ(sent(), (QStringList{"08 00 07", "1A 00 00 07"}));
}

TEST_F(RadioEntries, QueryAndSelectEndWithEntriesPresetCleared)
{
    Type(t, {"7", "8"});
    radio().Option45_Click();
    EXPECT_FALSE(state().EntriesPreset);
    radio().Option40_Click();
    EXPECT_FALSE(state().EntriesPreset);
    state().EntriesPreset = true;
    state().ChannelText = S("0");
    radio().Option45_Click();  // preset, but not a channel
    EXPECT_FALSE(state().EntriesPreset);
    EXPECT_EQ(sent(), (QStringList{"1A 00 00 07", "08 00 08", "1A 00 00 08"}));
}

TEST_F(RadioEntries, MemoryUpAndDownStepFromTheLastChannelAndWrap)
{
    Type(t, {"99", "40", "101"});
    for (Procedure step : {&R::Option46_Click, &R::Option46_Click, &R::Option59_Click, &R::Option59_Click})
        (radio().*step)();  // asks and selects 99, then 1, 99, 98
    EXPECT_EQ(t.dialogs.inputs.size(), 1u);
    EXPECT_EQ(sent(), (QStringList{"08 00 99", "1A 00 00 99", "08 00 01", "1A 00 00 01", "08 00 99", "1A 00 00 99",
                          "08 00 98", "1A 00 00 98"}));
    // A select anywhere moves the starting point; from the scan edge 101 down lands on 99.
    for (const char* from : {"39", "99"}) {
        radio().Option40_Click();
        sent();
        radio().Option59_Click();
        EXPECT_EQ(sent(), (QStringList{S("08 00 ") + from, S("1A 00 00 ") + from}));
    }
    EXPECT_FALSE(state().EntriesPreset);
}

// The Memory window hands a write over in the shared variables, with EntriesPreset set.
TEST_F(RadioEntries, APresetWriteIsEncodedAsATypedOneOrRefusedWithoutAsking)
{
    const struct {
        const char* mode;
        const char* filter;
        const char* label;
        QStringList frames = {};
    } rows[] = {
        {"lsb", "1", "HOME", Write("00 05", "00 00 10 07 00", "00 01", "48 4F 4D 45 20 20 20 20 20 20")},
        {"", "", "", Write("00 05", "00 00 10 07 00", "02 02", "20 20 20 20 20 20 20 20 20 20")},
        // Only the ten characters sent must be printable.
        {"rttyr", "3", "ABCDEFGHIJ\x01Z\u00fc", Write("00 05", "00 00 10 07 00", "08 03", "41 42 43 44 45 46 47 48 49 4A")},
        {"SSB", "1", "HOME", {}},
    };
    for (const auto& row : rows) {
        if (!row.frames.isEmpty()) {
            Type(t, {"5", "7100", row.mode, row.filter, row.label});
            radio().Option44_Click();
            EXPECT_EQ(sent(), row.frames) << row.mode;
        }
        state().ChannelText = S("5");
        state().FrequencyText = S("7100");
        state().ModeValue = S(row.mode);
        state().FilterValue = S(row.filter);
        state().LabelText = S(row.label);
        state().EntriesPreset = true;
        t.dialogs.inputs.clear();
        radio().Option44_Click();
        EXPECT_EQ(sent(), row.frames) << "preset " << row.mode;
        EXPECT_TRUE(t.dialogs.inputs.empty());
        EXPECT_FALSE(state().EntriesPreset);
    }
    // Channel 100 cannot be written from here; the hand-over stays as it was.
    state().ChannelText = S("100");
    state().EntriesPreset = true;
    radio().Option44_Click();
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_TRUE(state().EntriesPreset);
    EXPECT_EQ(state().radio.Text7, u" ");
}

TEST(RadioEntriesClosed, AClosedPortStillUpdatesTheSharedVariables)
{
    TestProgram closed;
    Type(closed, {"42"});
    closed.program->radio.Option40_Click();
    EXPECT_TRUE(closed.port.takeWritten().isEmpty());
    EXPECT_TRUE(closed.program->state.ChannelStepping);
    EXPECT_EQ(closed.program->state.ChannelText, u"42");
    EXPECT_FALSE(closed.program->state.EntriesPreset);
}

}  // namespace
}  // namespace talvex::testing
