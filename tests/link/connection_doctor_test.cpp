// Which radio setting the line's bytes point to, and the words the operator reads about it.
#include "link/connection_doctor.h"
#include "link/frames.h"

#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::Hex;

struct WindowCase {
    const char* name;
    const char* received;
    bool sent;
    bool lineError;
    std::optional<LineFinding> expected;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class WindowDiagnosis : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowDiagnosis, NamesTheCauseTheBytesShow)
{
    const WindowCase& c = GetParam();
    EXPECT_EQ(DiagnoseWindow(Hex(c.received), c.sent, c.lineError), c.expected);
}

const LineFinding kEchoOff{LineCause::EchoOff, std::nullopt};
const LineFinding kBaud{LineCause::BaudRate, std::nullopt};

INSTANTIATE_TEST_SUITE_P(Windows, WindowDiagnosis, ::testing::Values(
    WindowCase{"NothingArrived", "", true, false, std::nullopt},
    WindowCase{"EchoAndAnswer", "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD", true, false, std::nullopt},
    WindowCase{"EchoOnlyIsLeftToTheChain", "FE FE 94 E0 03 FD", true, false, std::nullopt},
    WindowCase{"NoiseAroundGoodFrames", "31 FE FE 94 E0 03 FD 47 FE FE E0 94 03 00 40 07 14 00 FD", true, false,
               std::nullopt},
    WindowCase{"OwnBroadcastAfterTheEcho", "FE FE 94 E0 03 FD FE FE 00 94 00 00 40 07 14 00 FD", true, false,
               std::nullopt},
    WindowCase{"AnswerWithoutEcho", "FE FE E0 94 03 00 40 07 14 00 FD", true, false, kEchoOff},
    WindowCase{"ModeAnswerWithoutEcho", "FE FE E0 94 04 01 02 FD", true, false, kEchoOff},
    WindowCase{"OkAfterPowerOnIsNoEchoFault", "FE FE E0 94 FB FD", true, false, std::nullopt},
    WindowCase{"UnaskedAnswerIsNoEchoFault", "FE FE E0 94 03 00 40 07 14 00 FD", false, false, std::nullopt},
    WindowCase{"BytesThatFormNoFrame", "F8 1F E3 7A 00 C1", true, false, kBaud},
    WindowCase{"BroadcastTailWithNothingSent", "14 00 FD", false, false, std::nullopt},
    WindowCase{"FrameWithoutEnd", "FE FE 94 E0 03", true, false, kBaud},
    WindowCase{"PreamblesAndEndOnly", "FE FE FD", true, false, kBaud},
    WindowCase{"GarbleShapedLikeAFrame", "FE FE 9E 7C 00 FD", true, false, kBaud},
    WindowCase{"PortReportsFramingErrors", "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD", true, true, kBaud},
    WindowCase{"AnswerFromB6", "FE FE 94 E0 03 FD FE FE E0 B6 03 00 40 07 14 00 FD", true, false,
               LineFinding{LineCause::Address, 0xB6}},
    WindowCase{"BroadcastFromB6", "FE FE 94 E0 03 FD FE FE 00 B6 00 00 40 07 14 00 FD", true, false,
               LineFinding{LineCause::Address, 0xB6}},
    WindowCase{"AnotherAddressWithoutEcho", "FE FE E0 88 FB FD", true, false,
               LineFinding{LineCause::Address, 0x88}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ChainCase {
    const char* name;
    const char* received;
    std::optional<LineFinding> expected;
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

class ChainDiagnosis : public ::testing::TestWithParam<ChainCase> {};

TEST_P(ChainDiagnosis, JudgesWhatTheWholeStartupChainReceived)
{
    EXPECT_EQ(DiagnoseChain(Hex(GetParam().received)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Chains, ChainDiagnosis, ::testing::Values(
    ChainCase{"NothingAtAll", "", LineFinding{LineCause::Silent, std::nullopt}},
    ChainCase{"OnlyOurOwnEchoes", "FE FE 94 E0 03 FD FE FE 94 E0 04 FD FE FE 94 E0 1A 05 00 91 FD",
              LineFinding{LineCause::Address, std::nullopt}},
    ChainCase{"EchoAndTheStartOfAnAnswer", "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A", std::nullopt},
    ChainCase{"EchoesAndAnswers", "FE FE 94 E0 04 FD FE FE E0 94 04 01 02 FD", std::nullopt},
    ChainCase{"GarbleIsForTheWindows", "F8 1F E3", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectionDoctor, SilenceIsConcludedOnlyWhenTheStartupChainEnds)
{
    ConnectionDoctor doctor;
    for (int step = 1; step <= 4; ++step) {
        doctor.sent();
        EXPECT_EQ(doctor.windowClosed({}, false, step), std::nullopt) << step;
    }
    EXPECT_EQ(doctor.windowClosed({}, false, 0), std::nullopt);
    doctor.sent();
    EXPECT_EQ(doctor.windowClosed({}, false, 5), (LineFinding{LineCause::Silent, std::nullopt}));
}

TEST(ConnectionDoctor, AnAddressSeenDuringTheChainIsNotToldAgainAtItsEnd)
{
    ConnectionDoctor doctor;
    doctor.sent();
    EXPECT_EQ(doctor.windowClosed(Hex("FE FE 94 E0 03 FD FE FE 00 B6 00 00 40 07 14 00 FD"), false, 2),
              (LineFinding{LineCause::Address, 0xB6}));
    doctor.sent();
    EXPECT_EQ(doctor.windowClosed(Hex("FE FE 94 E0 1A 05 00 91 FD"), false, 5), std::nullopt);
}

// On the link: a memory operation keeps running; its message line carries the advice instead
// of a message box that would hold up its timer.
TEST(ConnectionDoctorOnTheLink, DuringAMemoryOperationTheAdviceGoesToTheMemoryWindowOnce)
{
    testing::OpenProgram t;
    ProgramState& state = t.program->state;
    state.ViewingRig = true;
    for (int i = 0; i < 2; ++i) {
        state.memory.Text7.clear();
        t.program->link.SendCommand(CommandFrame({0x03}));
        t.port.receive(Hex("FE FE E0 94 04 01 02 FD"));
        t.timer2().fire();
        EXPECT_EQ(state.memory.Text7.startsWith(u"The radio answers but does not echo TALVEX's commands."), i == 0) << i;
    }
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_EQ(state.radio.Text7, u"STATUS =  FE FE E0 94 4 1 2 FD");

    // Outside an operation it is a plain message box, the once-per-cause still holding.
    state.ViewingRig = false;
    t.program->link.SendCommand(CommandFrame({0x03}));
    t.port.receive(Hex("F8 1F E3"));
    t.timer2().fire();
    t.program->link.SendCommand(CommandFrame({0x03}));
    t.port.receive(Hex("FE FE E0 94 04 01 02 FD"));
    t.timer2().fire();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Connection");
    EXPECT_TRUE(t.dialogs.messages[0].text.startsWith(u"What arrives from the radio does not form CI-V frames"));
    EXPECT_EQ(t.dialogs.messages[0].icon, MessageIcon::None);
}

// The exact texts are shown against the simulator; here, that they follow TALVEX.INI.
TEST(AdviceText, NamesTheConfiguredRateAndPort)
{
    const QString baud = AdviceText(kBaud, QStringLiteral("9600,N,8,1"), QStringLiteral("COM3"));
    EXPECT_TRUE(baud.contains(u"is not TALVEX's 9600.") && baud.endsWith(u"to 9600.")) << baud.toStdString();
    EXPECT_TRUE(AdviceText({LineCause::Silent, std::nullopt}, {}, QStringLiteral("COM3"))
                    .startsWith(u"Nothing at all came back from the radio on COM3. "));
}

}  // namespace
}  // namespace talvex
