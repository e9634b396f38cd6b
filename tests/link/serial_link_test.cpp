#include "link/frames.h"

#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::Hex;
using testing::ProgramEnded;
using testing::TestProgram;

class SerialLinkTest : public ::testing::Test {
protected:
    void openPort(const QString& settings = QStringLiteral("19200,N,8,1"))
    {
        t.program->state.ConfigCommPort = QStringLiteral("COM1");
        t.program->state.ConfigCommBaud = settings;
        t.program->startup.OpenSerialPort();
        ASSERT_EQ(t.program->state.PortReady, 1);
    }
    SerialLink& link() { return t.program->link; }
    ProgramState& state() { return t.program->state; }

    TestProgram t;
};

TEST_F(SerialLinkTest, NothingLeavesAClosedPortAndNoAnswerIsAwaited)
{
    link().SendCommand(CommandFrame({0x03}));
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
    EXPECT_FALSE(t.timer2().isEnabled());
}

TEST_F(SerialLinkTest, AnAnswerIsShownAfterTheWindowAndBothStatusBoxesAgree)
{
    openPort();
    link().SendCommand(CommandFrame({0x19, 0x00}));
    EXPECT_EQ(t.port.takeWritten(), Hex("FE FE 94 E0 19 00 FD"));
    EXPECT_TRUE(t.timer2().isEnabled());

    t.port.receive(Hex("FE FE 94 E0 19 00 FD FE FE E0 94 19 00 94 FD"));
    t.timer2().fire();
    EXPECT_FALSE(t.timer2().isEnabled());
    EXPECT_EQ(state().radio.Text7, u"STATUS =  FE FE 94 E0 19 0 FD FE FE E0 94 19 0 94 FD");
    EXPECT_EQ(state().memory.Text9, state().radio.Text7);

    link().SendCommand(CommandFrame({0x03}));
    t.timer2().fire();
    EXPECT_EQ(state().radio.Text7, u"STATUS = RADIO NOT READY");
}

TEST_F(SerialLinkTest, TheAnswerWindowCountsFromTheLastByteOnTheLine)
{
    openPort(QStringLiteral("4800,N,8,1"));
    // A memory write with its three follow-up frames: 71 bytes take 148 ms at 4800 baud.
    link().SendCommand(MemoryWriteFrame({0x05, Hex("00 00 10 07 00"), 0, 1, QStringLiteral("HOME")}));
    link().SendCommand(CommandFrame({0x08}));
    link().SendCommand(CommandFrame({0x08, 0x00, 0x05}));
    link().SendCommand(CommandFrame({0x1A, 0x00, 0x00, 0x05}));
    EXPECT_EQ(t.timer2().interval(), 250 + 148);

    t.timer2().fire();
    EXPECT_EQ(t.timer2().interval(), 250);
    link().SendCommand(CommandFrame({0x03}));
    EXPECT_EQ(t.timer2().interval(), 250 + 13);  // 6 bytes at 4800 baud
}

TEST_F(SerialLinkTest, AStaleBroadcastIsHandledBeforeTheSendSoItNeverPrecedesTheEcho)
{
    openPort();
    t.port.receive(Hex("FE FE 00 94 00 00 40 07 14 00 FD"));
    link().SendCommand(CommandFrame({0x03}));
    EXPECT_EQ(state().radio.Text7, u"AUTO =  FE FE 0 94 0 0 40 7 14 0 FD");

    t.port.receive(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    t.timer2().fire();
    EXPECT_TRUE(state().radio.Text7.startsWith(u"STATUS =  FE FE 94 E0 3 FD"));
}

TEST_F(SerialLinkTest, TheBroadcastPollWaitsForAnAwaitedAnswerAndHonoursAutoStatus)
{
    openPort();
    link().SendCommand(CommandFrame({0x03}));
    t.port.receive(Hex("FE FE 94 E0 03 FD"));
    t.timer1().fire();  // an answer is awaited: leaves the line alone
    t.timer2().fire();
    EXPECT_EQ(state().radio.Text7, u"STATUS =  FE FE 94 E0 3 FD");

    state().AutoStatus = false;
    t.port.receive(Hex("FE FE 00 94 00 00 40 07 14 00 FD"));
    t.timer1().fire();
    EXPECT_EQ(state().radio.Text7, u"STATUS =  FE FE 94 E0 3 FD");
    state().AutoStatus = true;
    t.timer1().fire();  // the discarded broadcast is gone
    EXPECT_EQ(state().radio.Text7, u"STATUS =  FE FE 94 E0 3 FD");

    t.port.receive(Hex("FE FE E0 94 FB FD"));
    t.timer1().fire();
    EXPECT_EQ(state().radio.Text7, u"AUTO =  FE FE E0 94 FB FD");
}

// Start-up arms the answer timer with step 1; each answer takes the chain one step on.
TEST_F(SerialLinkTest, TheStartupChainAsksOneQuestionPerAnswerAndEndsOnASilentRadio)
{
    openPort();
    state().StartupQueryStep = 1;
    link().armAnswerTimer();

    const QByteArray expected[] = {Hex("FE FE 94 E0 03 FD"), Hex("FE FE 94 E0 04 FD"),
                                   Hex("FE FE 94 E0 19 00 FD"), Hex("FE FE 94 E0 1A 05 00 91 FD")};
    for (const QByteArray& frame : expected) {
        t.timer2().fire();
        EXPECT_EQ(t.port.takeWritten(), frame);
    }
    EXPECT_EQ(state().StartupQueryStep, 5);
    t.port.receive(Hex("FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A"));  // 14 bytes
    EXPECT_THROW(t.timer2().fire(), ProgramEnded);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"UNEXPECTED RADIO CONDITION");
    EXPECT_EQ(t.dialogs.messages[0].text,
              u"RADIO NOT READY or COMM PORT ERROR! ... Check RADIO and/or Edit TALVEX.INI ... then Restart Program!");
    EXPECT_EQ(t.dialogs.messages[0].icon, MessageIcon::Critical);
}

TEST_F(SerialLinkTest, ACallSignAnswerOfFifteenBytesCompletesTheChain)
{
    openPort();
    state().StartupQueryStep = 5;
    link().armAnswerTimer();
    t.port.receive(Hex("FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05"));
    t.timer2().fire();
    EXPECT_EQ(state().StartupQueryStep, 0);
    EXPECT_TRUE(t.dialogs.messages.empty());
    t.timer2().fire();
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

TEST_F(SerialLinkTest, FatalTrapNamesItsNumber)
{
    EXPECT_THROW(link().FatalTrap(16), ProgramEnded);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Unexpected Trap Condition");
    EXPECT_TRUE(t.dialogs.messages[0].text.startsWith(u"Error Code 16 ... "));
}

}  // namespace
}  // namespace talvex
