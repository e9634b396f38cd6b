// Every procedure of the Radio window on the scripted line: the exact frames each one writes for
// the answers typed, and that with the port closed none of them writes anything.
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace talvex::testing {
namespace {

using Procedure = void (RadioOperations::*)();
using R = RadioOperations;
using Answers = std::vector<std::optional<QString>>;

struct FrameCase {
    const char* name;
    Procedure procedure;
    Answers answers;      // typed into the prompts in turn
    QString modeShown;    // what the mode field shows beforehand
    QStringList frames;   // what must be on the line afterwards, between prefix and FD
};

void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

QString S(const char* text) { return QString::fromLatin1(text); }

// Cases where something is sent; each is a fact about the radio's command set.
const std::vector<FrameCase>& SendingCases()
{
    static const std::vector<FrameCase> cases{
        // mode list
        {"AM", &R::Option3_Click, {}, {}, {"06 02"}},
        {"FM", &R::Option4_Click, {}, {}, {"06 05"}},
        {"USB", &R::Option5_Click, {}, {}, {"06 01"}},
        {"LSB", &R::Option6_Click, {}, {}, {"06 00"}},
        {"CW", &R::Option7_Click, {}, {}, {"06 03"}},
        {"CWr", &R::Option8_Click, {}, {}, {"06 07"}},
        {"RTTY", &R::Option9_Click, {}, {}, {"06 04"}},
        {"RTTYr", &R::Option10_Click, {}, {}, {"06 08"}},
        // filter list keeps the mode shown
        {"Filter2WithUsb", &R::Option35_Click, {}, S("USB"), {"06 01 02"}},
        {"Filter1WithAm", &R::Option34_Click, {}, S("AM"), {"06 02 01"}},
        {"Filter3WithRttyr", &R::Option36_Click, {}, S("RTTYr"), {"06 08 03"}},
        {"Filter1WithLsb", &R::Option34_Click, {}, S("LSB"), {"06 00 01"}},
        // VFO/memory and functions
        {"VfoHasNoSubCommand", &R::Option17_Click, {}, {}, {"07"}},
        {"Mem", &R::Option18_Click, {}, {}, {"08"}},
        {"VfoA", &R::Option11_Click, {}, {}, {"07 00"}},
        {"VfoB", &R::Option12_Click, {}, {}, {"07 01"}},
        {"SplitOff", &R::Option15_Click, {}, {}, {"0F 00"}},
        {"SplitOn", &R::Option16_Click, {}, {}, {"0F 01"}},
        {"RitOff", &R::Option19_Click, {}, {}, {"21 01 00"}},
        {"RitOn", &R::Option20_Click, {}, {}, {"21 01 01"}},
        {"DeltaTxOff", &R::Option13_Click, {}, {}, {"21 02 00"}},
        {"DeltaTxOn", &R::Option14_Click, {}, {}, {"21 02 01"}},
        {"MonitorOff", &R::Option23_Click, {}, {}, {"16 45 00"}},
        {"MonitorOn", &R::Option24_Click, {}, {}, {"16 45 01"}},
        {"TunerOff", &R::Option31_Click, {}, {}, {"1C 01 00"}},
        {"TunerOn", &R::Option32_Click, {}, {}, {"1C 01 01"}},
        {"Tune", &R::Option33_Click, {}, {}, {"1C 01 02"}},
        {"PreAmpOff", &R::Option50_Click, {}, {}, {"16 02 00"}},
        {"PreAmp1", &R::Option51_Click, {}, {}, {"16 02 01"}},
        {"PreAmp2", &R::Option52_Click, {}, {}, {"16 02 02"}},
        {"AttenuatorOff", &R::Option56_Click, {}, {}, {"11 00"}},
        {"AttenuatorOnIs20", &R::Option57_Click, {}, {}, {"11 20"}},
        {"VoxOff", &R::Option29_Click, {}, {}, {"16 46 00"}},
        {"VoxOn", &R::Option30_Click, {}, {}, {"16 46 01"}},
        {"BkInOff", &R::Option53_Click, {}, {}, {"16 47 00"}},
        {"BkInSemi", &R::Option54_Click, {}, {}, {"16 47 01"}},
        {"BkInFull", &R::Option55_Click, {}, {}, {"16 47 02"}},
        {"ManNotchOff", &R::Option25_Click, {}, {}, {"16 48 00"}},
        {"ManNotchOn", &R::Option26_Click, {}, {}, {"16 48 01"}},
        {"AutoNotchOff", &R::Option27_Click, {}, {}, {"16 41 00"}},
        {"AutoNotchOn", &R::Option28_Click, {}, {}, {"16 41 01"}},
        {"NrOff", &R::Option1_Click, {}, {}, {"16 40 00"}},
        {"NrOn", &R::Option2_Click, {}, {}, {"16 40 01"}},
        {"NbOff", &R::Option21_Click, {}, {}, {"16 22 00"}},
        {"NbOn", &R::Option22_Click, {}, {}, {"16 22 01"}},
        // queries and fixed operations
        {"QueryFrequency", &R::Option48_Click, {}, {}, {"03"}},
        {"QueryMode", &R::Option49_Click, {}, {}, {"04"}},
        {"QueryEdges", &R::Option39_Click, {}, {}, {"02"}},
        {"MemoryToVfo", &R::Option47_Click, {}, {}, {"0A"}},
        {"VfoAEqualsB", &R::Option58_Click, {}, {}, {"07 A0"}},
        {"Rx", &R::Option38_Click, {}, {}, {"1C 00 00"}},
        {"Tx", &R::Option37_Click, {}, {}, {"1C 00 01"}},
        // frequency set: digit rule, then the read-back
        {"Frequency7100", &R::Option42_Click, {S("7100")}, {}, {"05 00 00 10 07 00", "03"}},
        {"Frequency14250", &R::Option42_Click, {S("14250")}, {}, {"05 00 00 25 14 00", "03"}},
        {"Frequency142505", &R::Option42_Click, {S("142505")}, {}, {"05 00 05 25 14 00", "03"}},
        {"Frequency500", &R::Option42_Click, {S("500")}, {}, {"05 00 00 50 00 00", "03"}},
        // mode set: names in any case, then the read-back
        {"ModeUsbLower", &R::Option41_Click, {S("usb"), S("3")}, {}, {"06 01 03", "04"}},
        {"ModeUsbUpper", &R::Option41_Click, {S("USB"), S("3")}, {}, {"06 01 03", "04"}},
        {"ModeUsbPrompt", &R::Option41_Click, {S("Usb"), S("1")}, {}, {"06 01 01", "04"}},
        {"ModeCWrDisplay", &R::Option41_Click, {S("CWr"), S("2")}, {}, {"06 07 02", "04"}},
        {"ModeCwrPrompt", &R::Option41_Click, {S("Cwr"), S("2")}, {}, {"06 07 02", "04"}},
        {"ModeRttyr", &R::Option41_Click, {S("rttyr"), S("2")}, {}, {"06 08 02", "04"}},
        // command buttons
        {"RigId", &R::Command30_Click, {}, {}, {"19 00"}},
        {"SMeter", &R::Command48_Click, {}, {}, {"15 02"}},
        {"Time", &R::Command34_Click, {}, {}, {"1A 05 00 95"}},
        {"SetVol25", &R::Command2_Click, {S("25")}, {}, {"14 01 25"}},
        {"SetVol7", &R::Command2_Click, {S("7")}, {}, {"14 01 07"}},
        {"SetVol0", &R::Command2_Click, {S("0")}, {}, {"14 01 00"}},
        {"SetVol99", &R::Command2_Click, {S("99")}, {}, {"14 01 99"}},
        {"Speech", &R::Command31_Click, {}, {}, {"13 00"}},
        {"Squelch", &R::Command47_Click, {}, {}, {"15 01"}},
        {"MyCall", &R::Command3_Click, {}, {}, {"1A 05 00 91"}},
        {"RtStatus", &R::Command4_Click, {}, {}, {"1C 00"}},
        {"PowerOff", &R::Command6_Click, {}, {}, {"18 00"}},
        // manual command
        {"ManualTwoTokens", &R::Command49_Click, {S("19 00")}, {}, {"19 00"}},
        {"ManualMixedCase", &R::Command49_Click, {S("1a 5 0 91")}, {}, {"1A 05 00 91"}},
        {"ManualPreambleByte", &R::Command49_Click, {S("FE")}, {}, {"FE"}},
        {"ManualSingleDigit", &R::Command49_Click, {S("5")}, {}, {"05"}},
        {"ManualSixTokensSendFive", &R::Command49_Click, {S("1 2 3 4 5 6")}, {}, {"01 02 03 04 05"}},
        {"ManualDoubleBlank", &R::Command49_Click, {S("15  02")}, {}, {"15 02"}},
        {"ManualZeroZero", &R::Command49_Click, {S("00")}, {}, {"00"}},
        {"ManualTrailingBlank", &R::Command49_Click, {S("15 02 ")}, {}, {"15 02"}},
        // memory channels
        {"Select7", &R::Option40_Click, {S("7")}, {}, {"08 00 07", "1A 00 00 07"}},
        {"Select100", &R::Option40_Click, {S("100")}, {}, {"08 01 00", "1A 00 01 00"}},
        {"Select101", &R::Option40_Click, {S("101")}, {}, {"08 01 01", "1A 00 01 01"}},
        {"Query99", &R::Option45_Click, {S("99")}, {}, {"1A 00 00 99"}},
        {"Query5", &R::Option45_Click, {S("5")}, {}, {"1A 00 00 05"}},
        {"Select1", &R::Option40_Click, {S("1")}, {}, {"08 00 01", "1A 00 00 01"}},
        {"Select99", &R::Option40_Click, {S("99")}, {}, {"08 00 99", "1A 00 00 99"}},
        {"Query1", &R::Option45_Click, {S("1")}, {}, {"1A 00 00 01"}},
        {"Query101", &R::Option45_Click, {S("101")}, {}, {"1A 00 01 01"}},
        {"Up1", &R::Option46_Click, {S("1")}, {}, {"08 00 01", "1A 00 00 01"}},
        {"Down99", &R::Option59_Click, {S("99")}, {}, {"08 00 99", "1A 00 00 99"}},
        {"WriteChannel1", &R::Option44_Click, {S("1"), S("7100"), S("cw"), S("2"), S("A")}, {},
            {"1A 00 00 01 00 00 00 10 07 00 03 02 00 00 10 00 00 10 00 00 00 10 07 00 03 02 00 00 10 00 "
             "00 10 00 41 20 20 20 20 20 20 20 20 20",
                "08", "08 00 01", "1A 00 00 01"}},
        {"ClearIsZeroB", &R::Option43_Click, {}, {}, {"0B"}},  // answered Yes
        {"Up99", &R::Option46_Click, {S("99")}, {}, {"08 00 99", "1A 00 00 99"}},
        {"Down1", &R::Option59_Click, {S("1")}, {}, {"08 00 01", "1A 00 00 01"}},
        {"WriteHome", &R::Option44_Click, {S("5"), S("7100"), S("lsb"), S("1"), S("HOME")}, {},
            {"1A 00 00 05 00 00 00 10 07 00 00 01 00 00 10 00 00 10 00 00 00 10 07 00 00 01 00 00 10 00 "
             "00 10 00 48 4F 4D 45 20 20 20 20 20 20",
                "08", "08 00 05", "1A 00 00 05"}},
        {"WriteDefaultsAmFilter2Blanks", &R::Option44_Click, {S("12"), S("14250"), S(""), S(""), S("")}, {},
            {"1A 00 00 12 00 00 00 25 14 00 02 02 00 00 10 00 00 10 00 00 00 25 14 00 02 02 00 00 10 00 "
             "00 10 00 20 20 20 20 20 20 20 20 20 20",
                "08", "08 00 12", "1A 00 00 12"}},
        {"WriteLabelCutAtTen", &R::Option44_Click, {S("99"), S("500"), S("FM"), S("3"), S("ABCDEFGHIJKL")}, {},
            {"1A 00 00 99 00 00 00 50 00 00 05 03 00 00 10 00 00 10 00 00 00 50 00 00 05 03 00 00 10 00 "
             "00 10 00 41 42 43 44 45 46 47 48 49 4A",
                "08", "08 00 99", "1A 00 00 99"}},
    };
    return cases;
}

struct Written {
    QStringList frames;
    std::vector<QByteArray> writes;
};

Written RunCase(TestProgram& t, const FrameCase& c)
{
    t.program->state.radio.Text4 = c.modeShown;
    for (const auto& answer : c.answers)
        t.dialogs.answerInput(answer);
    t.dialogs.answerMessage(MessageAnswer::Yes);
    (t.program->radio.*c.procedure)();
    Written run;
    run.writes = t.port.takeWrites();
    QByteArray all;
    for (const auto& w : run.writes)
        all += w;
    run.frames = FramesOf(all);
    return run;
}

class SendingTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(SendingTest, WritesExactlyTheseFrames)
{
    OpenProgram t;
    const Written run = RunCase(t, GetParam());
    EXPECT_EQ(run.frames, GetParam().frames);
    // Each frame is its own write, so nothing is left half-sent behind another.
    EXPECT_EQ(run.writes.size(), static_cast<size_t>(GetParam().frames.size()));
}

TEST_P(SendingTest, WithThePortClosedWritesNothingAndArmsNoAnswerTimer)
{
    TestProgram t;
    RunCase(t, GetParam());
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_FALSE(t.timer2().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(RadioProcedures, SendingTest, ::testing::ValuesIn(SendingCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PowerOnTest, WakesTheRadioWithTwentyFivePrefixesInOneWriteOf103Bytes)
{
    OpenProgram t;
    t.program->radio.Command5_Click();
    const auto writes = t.port.takeWrites();
    ASSERT_EQ(writes.size(), 1u);
    const QByteArray expected = Hex("FE FE 94 E0").repeated(25) + Hex("18 01 FD");
    EXPECT_EQ(writes[0].size(), 103);
    EXPECT_EQ(writes[0], expected);
}

TEST(PowerOnTest, WithThePortClosedWritesNothing)
{
    TestProgram t;
    t.program->radio.Command5_Click();
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_FALSE(t.timer2().isEnabled());
}

}  // namespace
}  // namespace talvex::testing
