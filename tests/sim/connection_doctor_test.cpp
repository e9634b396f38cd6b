// Start-up against a radio with one CI-V setting wrong: the operator is told once which
// setting to change, before the radio-not-ready message where that follows, and the status
// line still shows exactly what arrived.
#include "tests/support/sim_program.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kNotReady = QStringLiteral(
    "RADIO NOT READY or COMM PORT ERROR! ... Check RADIO and/or Edit TALVEX.INI ... then Restart Program!");

struct WrongSetting {
    const char* name;
    QStringList simArguments;
    const char16_t* advice;
    bool startupFails;  // the call-sign answer is too short: the program ends with the 99 message
    const char16_t* statusAfterStartup = nullptr;
};

void PrintTo(const WrongSetting& w, std::ostream* os) { *os << w.name; }

class ConnectionDoctorAgainstSim : public ::testing::TestWithParam<WrongSetting> {};

TEST_P(ConnectionDoctorAgainstSim, NamesTheSettingOnceThenTheProgramGoesOnAsBefore)
{
    const WrongSetting& w = GetParam();
    SimProgram run(w.simArguments);
    ASSERT_TRUE(run.ready());
    EXPECT_EQ(run.startUp(), !w.startupFails);
    const auto& shown = run.dialogs.messages;
    ASSERT_EQ(shown.size(), w.startupFails ? 2u : 1u);
    EXPECT_EQ(shown[0].title, u"Connection");
    EXPECT_EQ(shown[0].text, QString::fromUtf16(w.advice));
    EXPECT_EQ(shown[0].icon, MessageIcon::None);
    EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
    if (w.startupFails) {
        EXPECT_EQ(shown[1].title, u"UNEXPECTED RADIO CONDITION");
        EXPECT_EQ(shown[1].text, kNotReady);
        EXPECT_EQ(shown[1].icon, MessageIcon::Critical);
        return;
    }
    if (w.statusAfterStartup) {
        // Without the echo the decoders recognise nothing, as ever; the status line shows the bytes.
        EXPECT_EQ(run.program->state.radio.Text7, QString::fromUtf16(w.statusAfterStartup));
        EXPECT_EQ(run.program->state.radio.Text1, u"");
    }
    // The next question meets the same fault and tells nothing new.
    run.program->radio.Option48_Click();
    run.readAnswers();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(run.program->state.radio.Text7.startsWith(u"STATUS = ")) << run.program->state.radio.Text7.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Settings, ConnectionDoctorAgainstSim, ::testing::Values(
    WrongSetting{"EchoBackOff", {QStringLiteral("--echo"), QStringLiteral("off")},
                 u"The radio answers but does not echo TALVEX's commands. On the IC-7300 set MENU > SET > "
                 u"Connectors > CI-V > CI-V USB Echo Back to ON.",
                 false, u"STATUS =  FE FE E0 94 1A 5 0 91 4E 30 43 41 4C 4C 20 20 FD"},
    WrongSetting{"BaudRate9600", {QStringLiteral("--line-baud"), QStringLiteral("9600")},
                 u"What arrives from the radio does not form CI-V frames: the radio's CI-V baud rate is not "
                 u"TALVEX's 19200. On the IC-7300 set MENU > SET > Connectors > CI-V > CI-V USB Baud Rate (radio "
                 u"on the USB cable) or CI-V Baud Rate (radio on the REMOTE jack) to 19200.",
                 true},
    // Dial broadcasts from B6 make the call-sign window long enough: start-up goes on.
    WrongSetting{"AddressB6Broadcasting",
                 {QStringLiteral("--address"), QStringLiteral("B6"), QStringLiteral("--dial-every"), QStringLiteral("100")},
                 u"The radio uses CI-V address B6h, but TALVEX talks to 94h. On the IC-7300 set MENU > SET > "
                 u"Connectors > CI-V > CI-V Address to 94h.",
                 false},
    WrongSetting{"AddressB6Quiet", {QStringLiteral("--address"), QStringLiteral("B6")},
                 u"The radio echoes TALVEX's commands but never answers them: its CI-V address is not 94h. On the "
                 u"IC-7300 set MENU > SET > Connectors > CI-V > CI-V Address to 94h.",
                 true},
    WrongSetting{"NothingAtAll", {QStringLiteral("--fault"), QStringLiteral("silent")},
                 u"Nothing at all came back from the radio on COM1. Switch the radio on, check the cable, and check "
                 u"that the port in System Setup (TALVEX.INI) is the radio's.",
                 true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
