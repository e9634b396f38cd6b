// TALVEX's start-up against the simulator on a real pseudo-terminal. Set right, the chain of
// four queries completes and the decoded answers stand in both windows' fields. With one CI-V
// setting wrong the operator is told once which setting to change, before the radio-not-ready
// message where that follows, and the status line still shows exactly what arrived.
#include "tests/support/sim_program.h"

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

struct Radio {
    const char* name;
    QStringList simArguments;
    QString settings;
    const char16_t* advice = nullptr;  // none: the radio is set right
    bool startupFails = false;         // the call-sign answer is too short: the 99 message ends it
    const char16_t* statusAfterStartup = nullptr;
};

void PrintTo(const Radio& r, std::ostream* os) { *os << r.name; }

class StartupAgainstSim : public ::testing::TestWithParam<Radio> {};

TEST_P(StartupAgainstSim, ReportsWhatTheRadioSaysOrNamesTheWrongSettingOnce)
{
    const Radio& r = GetParam();
    SimProgram run(r.simArguments, r.settings);
    ASSERT_TRUE(run.ready());
    EXPECT_EQ(run.startUp(), !r.startupFails);
    const ProgramState& state = run.program->state;
    const RadioFields& radio = run.program->radioTexts.fields();
    const auto& shown = run.dialogs.messages;
    if (!r.advice) {
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(state.PortReady, 1);
        EXPECT_EQ(radio.Text1, u"14.074.0");
        EXPECT_EQ(radio.Text4, u"USB");
        EXPECT_EQ(run.program->memoryTexts.fields().Text6, u"HELLO K1ABC   ");
        EXPECT_TRUE(radio.Text7.startsWith(u"STATUS = "));
        return;
    }
    ASSERT_EQ(shown.size(), r.startupFails ? 2u : 1u) << (shown.empty() ? QString() : shown.back().text).toStdString();
    EXPECT_EQ(shown[0].title, u"Connection");
    EXPECT_EQ(shown[0].text, QString::fromUtf16(r.advice));
    EXPECT_EQ(shown[0].icon, MessageIcon::None);
    EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
    if (r.startupFails) {
        // Whatever came, nothing from an address but 94 was shown as the radio's.
        EXPECT_EQ(radio.Text1, u"");
        EXPECT_EQ(radio.Text4, u"");
        EXPECT_EQ(shown[1].title, u"UNEXPECTED RADIO CONDITION");
        EXPECT_EQ(shown[1].text, u"RADIO NOT READY or COMM PORT ERROR! ... Check RADIO and/or Edit TALVEX.INI ... "
                                 u"then Restart Program!");
        EXPECT_EQ(shown[1].icon, MessageIcon::Critical);
        return;
    }
    if (r.statusAfterStartup) {
        // Without the echo the decoders recognise nothing, as ever; the status line shows the bytes.
        EXPECT_EQ(radio.Text7, QString::fromUtf16(r.statusAfterStartup));
        EXPECT_EQ(radio.Text1, u"");
    }
    // The next question meets the same fault and tells nothing new.
    run.program->radio.queryFrequency();
    run.readAnswers();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(radio.Text7.startsWith(u"STATUS = ")) << radio.Text7.toStdString();
}

const QString k19200 = QStringLiteral("19200,N,8,1");
const char16_t* const kUnanswered =
    u"TALVEX's commands come back as echoes, but nothing answers them: the radio is switched off (its interface "
    u"echoes what TALVEX sends), or its CI-V address is not 94h. Switch the radio on. If it is on, set on the IC-7300 "
    u"MENU > SET > Connectors > CI-V > CI-V Address to 94h.";

INSTANTIATE_TEST_SUITE_P(Radios, StartupAgainstSim, ::testing::Values(
    Radio{"WithOk19200", {"--callsign", "K1ABC"}, k19200},
    Radio{"WithoutOk9600", {"--callsign", "K1ABC", "--no-ok"}, QStringLiteral("9600,N,8,1")},
    Radio{"WithOk4800", {"--callsign", "K1ABC"}, QStringLiteral("4800,N,8,1")},
    // A second radio at B6 broadcasts LSB on 7.000.0 behind every echo, ahead of each answer.
    Radio{"NeighbourB6At4800", {"--callsign", "K1ABC", "--neighbour", "B6"}, QStringLiteral("4800,N,8,1")},
    Radio{"NeighbourB6At19200", {"--callsign", "K1ABC", "--neighbour", "B6"}, k19200},
    Radio{"EchoBackOff", {"--echo", "off"}, k19200,
          u"The radio answers but does not echo TALVEX's commands. On the IC-7300 set MENU > SET > Connectors > "
          u"CI-V > CI-V USB Echo Back to ON.",
          false, u"STATUS =  FE FE E0 94 1A 5 0 91 4E 30 43 41 4C 4C 20 20 FD"},
    Radio{"BaudRate9600", {"--line-baud", "9600"}, k19200,
          u"What arrives from the radio does not form CI-V frames: the radio's CI-V baud rate is not TALVEX's 19200. "
          u"On the IC-7300 set MENU > SET > Connectors > CI-V > CI-V USB Baud Rate (radio on the USB cable) or "
          u"CI-V Baud Rate (radio on the REMOTE jack) to 19200.",
          true},
    // Dial broadcasts from B6 ride in every window: never decoded, never the call sign's answer,
    // and never taken as the radio's address (any device on the bus may broadcast). The unanswered
    // echoes name both likely causes; a switched-off radio behind an interface that echoes shows
    // the line the same as the quiet one.
    Radio{"AddressB6Broadcasting", {"--address", "B6", "--dial-every", "100"}, k19200, kUnanswered, true},
    Radio{"AddressB6Broadcasting4800", {"--address", "B6", "--dial-every", "100"}, QStringLiteral("4800,N,8,1"),
          kUnanswered, true},
    Radio{"AddressB6Quiet", {"--address", "B6"}, k19200, kUnanswered, true},
    Radio{"NothingAtAll", {"--fault", "silent"}, k19200,
          u"Nothing at all came back from the radio on COM1. Switch the radio on, check the cable, check that the port "
          u"in System Setup (TALVEX.INI) is the radio's, and check that the radio's CI-V baud rate is TALVEX's 19200: "
          u"on the IC-7300 MENU > SET > Connectors > CI-V > CI-V USB Baud Rate (radio on the USB cable) or CI-V Baud "
          u"Rate (radio on the REMOTE jack).",
          true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
