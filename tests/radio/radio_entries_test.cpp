// What the operator is asked, what a refused entry does (nothing sent, message areas blanked),
// and the flags the memory procedures hand over between them.
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace talvex::testing {
namespace {

using Procedure = void (RadioOperations::*)();
using R = RadioOperations;
using Answers = std::vector<std::optional<QString>>;

QString S(const char* text) { return QString::fromUtf8(text); }
const std::optional<QString> Cancel;

class RadioEntries : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    RadioOperations& radio() { return t.program->radio; }
    void answer(const Answers& answers)
    {
        for (const auto& a : answers)
            t.dialogs.answerInput(a);
    }
    // Fills every field so a test can see which ones an operation blanks.
    void fillFields()
    {
        RadioFields& r = state().radio;
        r.Text1 = S("14.074.0");
        r.Text2 = S("7");
        r.Text3 = S("*");
        r.Text4 = S("USB");
        r.Text5 = S("Fil 2");
        r.Text6 = S("status");
        r.Text7 = S(" FE FE E0 94 FB FD");
        state().memory.Text9 = S(" FE FE E0 94 FB FD");
    }
    QStringList sent() { return FramesOf(t.port.takeWritten()); }

    OpenProgram t;
};

// --- refused entries ---

struct RefusedCase {
    const char* name;
    Procedure procedure;
    Answers answers;
    QString modeShown = S("USB");
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

const std::vector<RefusedCase>& RefusedCases()
{
    static const std::vector<RefusedCase> cases{
        {"FilterWithBlankMode", &R::Option34_Click, {}, S(" ")},
        {"FilterWithEmptyMode", &R::Option35_Click, {}, S("")},
        {"FilterWithLowerCaseMode", &R::Option36_Click, {}, S("usb")},
        {"FilterWithOtherText", &R::Option35_Click, {}, S("Fil 1")},
        {"FrequencyZero", &R::Option42_Click, {S("0")}},
        {"FrequencyEmpty", &R::Option42_Click, {S("")}},
        {"FrequencyBlank", &R::Option42_Click, {S(" ")}},
        {"FrequencyCancel", &R::Option42_Click, {Cancel}},
        {"FrequencyTwoDigits", &R::Option42_Click, {S("12")}},
        {"FrequencySevenDigits", &R::Option42_Click, {S("1425050")}},
        {"FrequencyLetter", &R::Option42_Click, {S("7a00")}},
        {"FrequencyNegative", &R::Option42_Click, {S("-100")}},
        {"FrequencyInnerBlank", &R::Option42_Click, {S("71 0")}},
        {"ModeZero", &R::Option41_Click, {S("0")}},
        {"ModeEmpty", &R::Option41_Click, {S("")}},
        {"ModeCancel", &R::Option41_Click, {Cancel}},
        {"ModeUnknown", &R::Option41_Click, {S("SSB")}},
        {"ModeFilterCancel", &R::Option41_Click, {S("usb"), Cancel}},
        {"ModeFilterEmpty", &R::Option41_Click, {S("usb"), S("")}},
        {"ModeFilterFour", &R::Option41_Click, {S("usb"), S("4")}},
        {"ModeFilterZero", &R::Option41_Click, {S("usb"), S("0")}},
        {"ModeFilterLetter", &R::Option41_Click, {S("usb"), S("x")}},
        {"VolumeAbove99", &R::Command2_Click, {S("100")}},
        {"VolumeLetters", &R::Command2_Click, {S("abc")}},
        {"VolumeNegative", &R::Command2_Click, {S("-1")}},
        {"VolumeTrailingLetter", &R::Command2_Click, {S("5x")}},
        {"ManualZero", &R::Command49_Click, {S("0")}},
        {"ManualEmpty", &R::Command49_Click, {S("")}},
        {"ManualCancel", &R::Command49_Click, {Cancel}},
        {"ManualLeadingBlank", &R::Command49_Click, {S(" 19 00")}},
        {"ManualThreeDigitToken", &R::Command49_Click, {S("1A5")}},
        {"ManualNotHex", &R::Command49_Click, {S("zz")}},
        {"ManualSecondTokenNotHex", &R::Command49_Click, {S("19 0g")}},
        {"ManualSign", &R::Command49_Click, {S("+1")}},
        {"SelectZero", &R::Option40_Click, {S("0")}},
        {"SelectEmpty", &R::Option40_Click, {S("")}},
        {"SelectCancel", &R::Option40_Click, {Cancel}},
        {"Select102", &R::Option40_Click, {S("102")}},
        {"Select180", &R::Option40_Click, {S("180")}},
        {"SelectLetters", &R::Option40_Click, {S("abc")}},
        {"SelectFraction", &R::Option40_Click, {S("7.5")}},
        {"SelectNegative", &R::Option40_Click, {S("-1")}},
        {"QueryZero", &R::Option45_Click, {S("0")}},
        {"QueryCancel", &R::Option45_Click, {Cancel}},
        {"Query102", &R::Option45_Click, {S("102")}},
        {"QueryLetters", &R::Option45_Click, {S("x1")}},
        {"UpZero", &R::Option46_Click, {S("0")}},
        {"Up100", &R::Option46_Click, {S("100")}},
        {"UpNegative", &R::Option46_Click, {S("-3")}},
        {"DownFraction", &R::Option59_Click, {S("2.5")}},
        {"DownEmpty", &R::Option59_Click, {S("")}},
        {"DownLetters", &R::Option59_Click, {S("abc")}},
        {"WriteChannel100", &R::Option44_Click, {S("100")}},
        {"WriteChannelZero", &R::Option44_Click, {S("0")}},
        {"WriteChannelEmpty", &R::Option44_Click, {S("")}},
        {"WriteChannelCancel", &R::Option44_Click, {Cancel}},
        {"WriteChannelLetters", &R::Option44_Click, {S("ab")}},
        {"WriteFrequencyCancel", &R::Option44_Click, {S("5"), Cancel}},
        {"WriteFrequencyZero", &R::Option44_Click, {S("5"), S("0")}},
        {"WriteFrequencyTwoDigits", &R::Option44_Click, {S("5"), S("12")}},
        {"WriteModeCancel", &R::Option44_Click, {S("5"), S("7100"), Cancel}},
        {"WriteModeUnknown", &R::Option44_Click, {S("5"), S("7100"), S("SSB")}},
        {"WriteFilterCancel", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), Cancel}},
        {"WriteFilterFour", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("4")}},
        {"WriteFilterBlank", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S(" ")}},
        {"WriteModeBlank", &R::Option44_Click, {S("5"), S("7100"), S(" ")}},
        {"WriteChannel99Frequency0", &R::Option44_Click, {S("99"), S("0")}},
        {"WriteChannel101", &R::Option44_Click, {S("101")}},
        {"WriteLabelCancel", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), Cancel}},
        {"WriteLabelNotAscii", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), S("Zürich")}},
        {"WriteLabelControlByte", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), S("A\x01" "B")}},
        {"WriteLabelEndOfMessage", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), QString(QChar(0xFD))}},
    };
    return cases;
}

class RefusedTest : public RadioEntries, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedTest, SendsNothingAndBlanksBothMessageAreas)
{
    fillFields();
    state().radio.Text4 = GetParam().modeShown;
    answer(GetParam().answers);
    (radio().*GetParam().procedure)();
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_EQ(state().radio.Text7, u" ");
    EXPECT_EQ(state().memory.Text9, u" ");
    EXPECT_TRUE(t.dialogs.scriptUsedUp()) << "asked fewer questions than scripted";
    EXPECT_EQ(t.dialogs.inputs.size(), GetParam().answers.size()) << "went on asking after the refused entry";
    EXPECT_FALSE(t.timer2().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(RadioProcedures, RefusedTest, ::testing::ValuesIn(RefusedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RadioEntries, SetVolWithNoAnswerOrALeadingBlankSendsNothingAndShowsNothing)
{
    for (const auto& a : Answers{Cancel, S(""), S(" 25")}) {
        fillFields();
        answer({a});
        radio().Command2_Click();
        EXPECT_TRUE(t.port.takeWritten().isEmpty());
        EXPECT_EQ(state().radio.Text7, u" FE FE E0 94 FB FD");
        EXPECT_EQ(state().memory.Text9, u" FE FE E0 94 FB FD");
    }
}

// --- prompts ---

struct PromptCase {
    const char* name;
    Procedure procedure;
    Answers answers;
    std::vector<ShownInput> shown;
};

void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

const std::vector<PromptCase>& PromptCases()
{
    static const std::vector<PromptCase> cases{
        {"FrequencySet", &R::Option42_Click, {S("7100")},
            {{S("Enter  'FREQUENCY'  (MMkkk or MmKkCc)"), S("Set Memory Frequency"), S("")}}},
        {"ModeSet", &R::Option41_Click, {S("usb"), S("2")},
            {{S("Enter  'MODE'  (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"), S("Set Memory Mode"), S("AM")},
                {S("Enter  'FILTER'  (1,2,3)"), S("Memory Filter"), S("2")}}},
        {"SetVol", &R::Command2_Click, {S("25")}, {{S("Enter  'AUDIO LEVEL'  (0-99)"), S("Set Audio Level"), S("25")}}},
        {"ManualCommand", &R::Command49_Click, {S("19 00")},
            {{S("Enter Command String  (1 to 5 cmds, sep w/spaces )"), S("Manual Command Mode"), S("")}}},
        {"Select", &R::Option40_Click, {S("7")},
            {{S("Enter 'CHANNEL NUMBER' (1-99)"), S("Select Memory Channel Number"), S("")}}},
        {"Query", &R::Option45_Click, {S("7")},
            {{S("Enter 'CHANNEL NUMBER' (1-99)"), S("Read Memory Channel Number"), S("")}}},
        {"Up", &R::Option46_Click, {S("7")},
            {{S("Enter 'CHANNEL NUMBER' (1-99)"), S("Select Beginning Memory Channel Number"), S("")}}},
        {"Down", &R::Option59_Click, {S("7")},
            {{S("Enter 'CHANNEL NUMBER' (1-99)"), S("Select Beginning Memory Channel Number"), S("")}}},
        {"Write", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), S("HOME")},
            {{S("Enter 'CHANNEL NUMBER' (1-99)"), S("Set Memory Channel Number"), S("")},
                {S("Enter 'FREQUENCY' (MMkkk or MmKkCc or Kkk)"), S("Set Memory Frequency"), S("")},
                {S("Enter  'MODE' (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"), S("Set Memory Mode"), S("AM")},
                {S("Enter 'FILTER' (1,2,3)"), S("Set Memory Filter"), S("2")},
                {S("Enter  'LABEL'  info (0-10 chars)"), S("Set Memory Label"), S("")}}},
    };
    return cases;
}

class PromptTest : public RadioEntries, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptTest, AsksWithExactlyTheseTexts)
{
    answer(GetParam().answers);
    (radio().*GetParam().procedure)();
    const auto& shown = t.dialogs.inputs;
    ASSERT_EQ(shown.size(), GetParam().shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].prompt, GetParam().shown[i].prompt) << i;
        EXPECT_EQ(shown[i].title, GetParam().shown[i].title) << i;
        EXPECT_EQ(shown[i].defaultText, GetParam().shown[i].defaultText) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(RadioProcedures, PromptTest, ::testing::ValuesIn(PromptCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RadioEntries, ClearAsksAreYouSureAndNoChangesNothing)
{
    fillFields();
    t.dialogs.answerMessage(MessageAnswer::No);
    radio().Option43_Click();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].text, u"Are you sure?");
    EXPECT_EQ(t.dialogs.messages[0].title, u"Memory Channel Clear");
    EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_EQ(state().radio.Text1, u"14.074.0");
    EXPECT_EQ(state().radio.Text7, u" FE FE E0 94 FB FD");
}

TEST_F(RadioEntries, ClearAnsweredYesBlanksTheSixFieldsButNotTheMessageArea)
{
    fillFields();
    t.dialogs.answerMessage(MessageAnswer::Yes);
    radio().Option43_Click();
    const RadioFields& r = state().radio;
    for (const QString* field : {&r.Text1, &r.Text2, &r.Text3, &r.Text4, &r.Text5, &r.Text6})
        EXPECT_EQ(*field, u" ");
    EXPECT_EQ(r.Text7, u" FE FE E0 94 FB FD");
}

// --- manual command default ---

TEST_F(RadioEntries, ManualCommandOffersTheLastAcceptedCommandNotARejectedOne)
{
    answer({S("19 00"), S("zz"), S("0"), S("15 02")});
    for (int i = 0; i < 4; ++i)
        radio().Command49_Click();
    ASSERT_EQ(t.dialogs.inputs.size(), 4u);
    EXPECT_EQ(t.dialogs.inputs[0].defaultText, u"");
    EXPECT_EQ(t.dialogs.inputs[1].defaultText, u"19 00");
    EXPECT_EQ(t.dialogs.inputs[2].defaultText, u"19 00");
    EXPECT_EQ(t.dialogs.inputs[3].defaultText, u"19 00");
    EXPECT_EQ(state().LastManualCommand, u"15 02");
    EXPECT_EQ(sent(), (QStringList{S("19 00"), S("15 02")}));
}

// --- display switches ---

TEST_F(RadioEntries, AutoStatusToggleFlipsTheFlagAndItsCaptionAndBlanksWithoutSending)
{
    ASSERT_TRUE(state().AutoStatus);
    const struct {
        bool autoStatus;
        const char* caption;
    } steps[] = {{false, "Enable Auto Status"}, {true, "Disable Auto Status"}, {false, "Enable Auto Status"}};
    for (const auto& step : steps) {
        fillFields();
        radio().Command44_Click();
        EXPECT_EQ(state().AutoStatus, step.autoStatus);
        EXPECT_EQ(state().radio.Command44Caption, S(step.caption));
        EXPECT_EQ(state().radio.Text1, u" ");
        EXPECT_EQ(state().radio.Text7, u" ");
        EXPECT_EQ(state().memory.Text9, u" ");
    }
    // Something else switching the flag leaves the caption where its own clicks put it.
    state().AutoStatus = true;
    radio().Command44_Click();
    EXPECT_FALSE(state().AutoStatus);
    EXPECT_EQ(state().radio.Command44Caption, u"Disable Auto Status");
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

TEST_F(RadioEntries, ClearStatusBlanksAllSevenFieldsAndTheMemoryMessageArea)
{
    fillFields();
    radio().Command36_Click();
    const RadioFields& r = state().radio;
    for (const QString* field : {&r.Text1, &r.Text2, &r.Text3, &r.Text4, &r.Text5, &r.Text6, &r.Text7})
        EXPECT_EQ(*field, u" ");
    EXPECT_EQ(state().memory.Text9, u" ");
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

TEST_F(RadioEntries, HexAndBcdSwitchTheTrafficDumpOnly)
{
    radio().Option61_Click();
    EXPECT_FALSE(state().HexDisplay);
    radio().Option60_Click();
    EXPECT_TRUE(state().HexDisplay);
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

// --- memory hand-over flags ---

TEST_F(RadioEntries, PresetSelectWithClearAfterSelectClearsWithoutAskingAndDropsBothFlags)
{
    state().ChannelText = S("12");
    state().EntriesPreset = true;
    state().ClearAfterSelect = true;
    radio().Option40_Click();
    EXPECT_EQ(sent(), (QStringList{S("08 00 12"), S("0B")}));
    EXPECT_TRUE(t.dialogs.inputs.empty());
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_FALSE(state().EntriesPreset);
    EXPECT_FALSE(state().ClearAfterSelect);
}

TEST_F(RadioEntries, ARefusedSelectDisarmsTheClearSoALaterSelectReads)
{
    state().ClearAfterSelect = true;
    answer({S("0"), S("7")});
    radio().Option40_Click();
    EXPECT_FALSE(state().ClearAfterSelect);
    radio().Option40_Click();
    EXPECT_EQ(sent(), (QStringList{S("08 00 07"), S("1A 00 00 07")}));
}

TEST_F(RadioEntries, QueryAndSelectEndWithEntriesPresetCleared)
{
    answer({S("7"), S("8"), S("0")});
    radio().Option45_Click();
    EXPECT_FALSE(state().EntriesPreset);
    radio().Option40_Click();
    EXPECT_FALSE(state().EntriesPreset);
    state().EntriesPreset = true;
    state().ChannelText = S("0");
    radio().Option45_Click();  // preset, but not a channel
    EXPECT_FALSE(state().EntriesPreset);
    EXPECT_EQ(sent(), (QStringList{S("1A 00 00 07"), S("08 00 08"), S("1A 00 00 08")}));
}

TEST_F(RadioEntries, MemoryUpAndDownStepFromTheLastChannelAndWrap)
{
    answer({S("99")});
    radio().Option46_Click();  // asks, selects 99
    radio().Option46_Click();  // 1
    radio().Option59_Click();  // 99
    radio().Option59_Click();  // 98
    EXPECT_EQ(t.dialogs.inputs.size(), 1u);
    EXPECT_EQ(sent(), (QStringList{S("08 00 99"), S("1A 00 00 99"), S("08 00 01"), S("1A 00 00 01"), S("08 00 99"),
                          S("1A 00 00 99"), S("08 00 98"), S("1A 00 00 98")}));
    // A select anywhere moves the starting point; from the scan edge 101 down lands on 99.
    answer({S("40"), S("101")});
    radio().Option40_Click();
    sent();
    radio().Option59_Click();
    EXPECT_EQ(sent(), (QStringList{S("08 00 39"), S("1A 00 00 39")}));
    radio().Option40_Click();
    sent();
    radio().Option59_Click();
    EXPECT_EQ(sent(), (QStringList{S("08 00 99"), S("1A 00 00 99")}));
    EXPECT_FALSE(state().EntriesPreset);
}

// Channel 5 at 7.100.0 written with the mode, filter and label given, as the four frames a write sends.
QStringList WriteOfChannel5(const char* mode, const char* filter, const char* labelHex)
{
    const QString settings = S("00 00 10 07 00 ") + S(mode) + u' ' + S(filter) + S(" 00 00 10 00 00 10 00");
    return {S("1A 00 00 05 00 ") + settings + u' ' + settings + u' ' + S(labelHex), S("08"), S("08 00 05"),
            S("1A 00 00 05")};
}

TEST_F(RadioEntries, APresetWriteIsEncodedExactlyAsATypedOne)
{
    const struct {
        const char* mode;
        const char* filter;
        QString label;
        QStringList frames;
    } rows[] = {
        {"lsb", "1", S("HOME"), WriteOfChannel5("00", "01", "48 4F 4D 45 20 20 20 20 20 20")},
        // Empty answers take the defaults AM and filter 2, and ten blanks for the label.
        {"", "", S(""), WriteOfChannel5("02", "02", "20 20 20 20 20 20 20 20 20 20")},
        // Only the ten characters sent must be printable.
        {"rttyr", "3", S("ABCDEFGHIJ\x01Z\u00fc"), WriteOfChannel5("08", "03", "41 42 43 44 45 46 47 48 49 4A")},
    };
    for (const auto& row : rows) {
        answer({S("5"), S("7100"), S(row.mode), S(row.filter), row.label});
        radio().Option44_Click();
        EXPECT_EQ(sent(), row.frames) << row.mode;

        state().ChannelText = S("5");
        state().FrequencyText = S("7100");
        state().ModeValue = S(row.mode);
        state().FilterValue = S(row.filter);
        state().LabelText = row.label;
        state().EntriesPreset = true;
        t.dialogs.inputs.clear();
        radio().Option44_Click();
        EXPECT_EQ(sent(), row.frames) << "preset " << row.mode;
        EXPECT_TRUE(t.dialogs.inputs.empty());
        EXPECT_FALSE(state().EntriesPreset);
    }
}

TEST_F(RadioEntries, APresetWriteOfAnEntryThatCannotBeEncodedIsRefused)
{
    state().ChannelText = S("5");
    state().FrequencyText = S("7100");
    state().ModeValue = S("SSB");
    state().FilterValue = S("1");
    state().LabelText = S("HOME");
    state().EntriesPreset = true;
    radio().Option44_Click();
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_FALSE(state().EntriesPreset);
    EXPECT_TRUE(t.dialogs.inputs.empty());
}

TEST_F(RadioEntries, WritingChannel100KeepsEntriesPresetAsItWas)
{
    state().ChannelText = S("100");
    state().EntriesPreset = true;
    radio().Option44_Click();
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_TRUE(state().EntriesPreset);
    EXPECT_EQ(state().radio.Text7, u" ");
}

TEST_F(RadioEntries, ClosedPortStillUpdatesTheSharedVariables)
{
    TestProgram closed;
    closed.dialogs.answerInput(S("42"));
    closed.program->radio.Option40_Click();
    EXPECT_TRUE(closed.port.takeWritten().isEmpty());
    EXPECT_TRUE(closed.program->state.ChannelStepping);
    EXPECT_EQ(closed.program->state.ChannelText, u"42");
    EXPECT_FALSE(closed.program->state.EntriesPreset);
}

}  // namespace
}  // namespace talvex::testing
