// TALVEX's own start-up against the simulator on a real pseudo-terminal: the chain of four
// queries completes and the decoded answers stand in both windows' fields.
#include "tests/support/sim_program.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

struct Layout {
    const char* name;
    QStringList simArguments;
    QString settings;
};

class StartupAgainstSim : public ::testing::TestWithParam<Layout> {};

TEST_P(StartupAgainstSim, TheQueryChainCompletesAndShowsWhatTheRadioReported)
{
    SimProgram run(GetParam().simArguments + QStringList{QStringLiteral("--callsign"), QStringLiteral("K1ABC")},
                   GetParam().settings);
    ASSERT_TRUE(run.ready());
    ASSERT_TRUE(run.startUp());
    const ProgramState& state = run.program->state;
    EXPECT_TRUE(run.dialogs.messages.empty());
    EXPECT_EQ(state.PortReady, 1);
    EXPECT_EQ(state.radio.Text1, u"14.074.0");
    EXPECT_EQ(state.radio.Text4, u"USB");
    EXPECT_EQ(state.memory.Text6, u"HELLO K1ABC   ");
    EXPECT_TRUE(state.radio.Text7.startsWith(u"STATUS = "));
}

INSTANTIATE_TEST_SUITE_P(Layouts, StartupAgainstSim,
    ::testing::Values(Layout{"WithOk19200", {}, QStringLiteral("19200,N,8,1")},
                      Layout{"WithoutOk9600", {QStringLiteral("--no-ok")}, QStringLiteral("9600,N,8,1")},
                      Layout{"WithOk4800", {}, QStringLiteral("4800,N,8,1")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupAgainstSilentSim, ARadioThatNeverAnswersEndsTheProgramWithTheRadioNotReadyMessage)
{
    SimProgram run({QStringLiteral("--fault"), QStringLiteral("silent")});
    ASSERT_TRUE(run.ready());
    EXPECT_FALSE(run.startUp());
    ASSERT_EQ(run.dialogs.messages.size(), 2u);  // first what to check, then the end
    EXPECT_EQ(run.dialogs.messages[0].title, u"Connection");
    EXPECT_EQ(run.dialogs.messages[1].title, u"UNEXPECTED RADIO CONDITION");
}

}  // namespace
}  // namespace talvex::testing
