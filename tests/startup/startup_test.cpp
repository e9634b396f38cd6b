#include "platform/qt_serial_port.h"
#include "platform/text_file.h"
#include "startup/configuration.h"

#include "tests/support/pty_pair.h"
#include "tests/support/test_program.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

using testing::Hex;
using testing::ProgramEnded;
using testing::TestProgram;

class StartupTest : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    TestProgram t;
};

TEST_F(StartupTest, ACompleteConfigurationOpensThePortTwiceAndArmsTheQueryChain)
{
    t.writeConfig();
    t.writeFile(QStringLiteral("TALVEX.TXT"), {});
    t.program->startup.RunStartup();

    EXPECT_EQ(t.port.openCount, 2);  // once for each window's start-up
    EXPECT_EQ(t.port.lastPortNumber, 1);
    EXPECT_EQ(t.port.lastSettings, u"19200,N,8,1");
    EXPECT_EQ(t.port.readCount, 2 * 99);
    EXPECT_EQ(state().PortReady, 1);
    EXPECT_EQ(state().StartupQueryStep, 1);
    EXPECT_TRUE(t.timer2().isEnabled());
    EXPECT_EQ(t.shell.splashShown, 2);
    EXPECT_EQ(t.shell.setupShown, 0);
    EXPECT_EQ(state().ConfigDeftFile, t.path(QStringLiteral("TALVEX.TXT")));
    EXPECT_EQ(state().memory.Text8, state().CurrentDataFile);
    EXPECT_TRUE(state().memory.Text8Bold);
    EXPECT_EQ(state().memory.Text7, u"Open Process Complete");
    EXPECT_EQ(state().memory.Text6, u"Hello N0CALL");
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

TEST_F(StartupTest, AMissingConfigurationIsCreatedEmptyAndSetupOpens)
{
    t.program->startup.RunStartup();
    // Created by the first run, found empty by the second.
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"OPEN CONFIG FILE ERROR");
    EXPECT_EQ(t.dialogs.messages[0].text,
              u"Error Code 53 ... File not found ... TALVEX.INI ... File will be created.");
    EXPECT_TRUE(QFile::exists(t.path(kConfigFileName)));
    EXPECT_TRUE(state().ConfigMissing);
    EXPECT_GE(t.shell.setupShown, 1);
    EXPECT_EQ(t.port.openCount, 0);
    EXPECT_FALSE(t.timer2().isEnabled());
}

TEST_F(StartupTest, TheLastLineDecidesWhatStartsUp)
{
    struct Case {
        QStringList lines;
        bool portOpens;
        bool setupShown;
    };
    const QString port = QStringLiteral("[CommPort] COM1");
    const QString baud = QStringLiteral("[CommBaud] 19200,N,8,1");
    const QString file = QStringLiteral("[DeftFile] TALVEX.TXT");
    const Case cases[] = {
        {{port, baud, file, QStringLiteral("END")}, true, false},
        {{port, baud, file, QStringLiteral("end")}, false, false},
        {{port, baud, file, QStringLiteral("END ")}, false, false},
        {{port, baud, file, QStringLiteral("END"), QStringLiteral("more")}, false, false},
        {{port, baud, file, QString()}, false, true},
        {{}, false, true},
    };
    for (const Case& c : cases) {
        TestProgram run;
        run.writeFile(kConfigFileName, c.lines);
        run.writeFile(QStringLiteral("TALVEX.TXT"), {});
        run.program->startup.RunStartup();
        EXPECT_EQ(run.program->state.PortReady == 1, c.portOpens) << c.lines.join(u'|').toStdString();
        EXPECT_EQ(run.shell.setupShown > 0, c.setupShown) << c.lines.join(u'|').toStdString();
        EXPECT_EQ(run.program->state.DataFileOpen, c.portOpens);
        EXPECT_TRUE(run.dialogs.messages.empty());
    }
}

TEST_F(StartupTest, ADefaultDataFileThatCannotBeOpenedIsNotReportedComplete)
{
    t.writeConfig();
    ASSERT_TRUE(QDir(t.directory.path()).mkdir(QStringLiteral("TALVEX.TXT")));
    t.program->startup.RunStartup();
    EXPECT_FALSE(state().DataFileOpen);
    ASSERT_FALSE(t.dialogs.messages.empty());
    EXPECT_EQ(t.dialogs.messages.back().title, u"Open File - Unexpected Error");
    EXPECT_NE(state().memory.Text7, u"Open Process Complete");
    EXPECT_EQ(state().memory.Text6, u"Hello N0CALL");
}

TEST_F(StartupTest, PortTenIsPortTenAndALongDefaultFileNameIsKept)
{
    t.writeConfig(QStringLiteral("SPRING_2026.TXT"), QStringLiteral("9600,N,8,1"), QStringLiteral("COM10"));
    t.writeFile(QStringLiteral("SPRING_2026.TXT"), {});
    t.program->startup.RunStartup();
    EXPECT_EQ(t.port.lastPortNumber, 10);
    // 15 characters: a path as given, relative to where the program runs.
    EXPECT_TRUE(state().DataFileOpen);
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST_F(StartupTest, AnInvalidPortEndsTheProgramWithTwoMessages)
{
    t.writeConfig(QStringLiteral("TALVEX.TXT"), QStringLiteral("19200,N,8,1"), QStringLiteral("3"));
    t.writeFile(QStringLiteral("TALVEX.TXT"), {});
    EXPECT_THROW(t.program->startup.RunStartup(), ProgramEnded);
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"OPEN COMM PORT ERROR!");
    EXPECT_EQ(t.dialogs.messages[0].text, u"Error Code 8002 ... Invalid port number ... 3 ... 19200,N,8,1");
    EXPECT_EQ(t.dialogs.messages[1].title, u"UNEXPECTED COMM PORT CONDITION");
    EXPECT_EQ(t.dialogs.messages[1].text, u"Correct Comm Port Condition ... then Restart Program!");
}

TEST_F(StartupTest, ABusyOrMisconfiguredPortIsReportedAndLeftClosed)
{
    struct Case {
        int number;
        const char16_t* title;
    };
    const Case cases[] = {{kErrorPortAlreadyOpen, u"Comm Port Error - Port Already Open"},
                          {kErrorBadPortSettings, u"Open Comm Port - Unexpected Error"}};
    for (const Case& c : cases) {
        TestProgram run;
        run.program->state.ConfigCommPort = QStringLiteral("COM2");
        run.program->state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
        run.port.nextOpenError = PortError{c.number, QStringLiteral("Busy")};
        run.program->startup.OpenSerialPort();
        EXPECT_NE(run.program->state.PortReady, 1);
        ASSERT_EQ(run.dialogs.messages.size(), 1u);
        EXPECT_EQ(run.dialogs.messages[0].title, QString::fromUtf16(c.title));
        EXPECT_EQ(run.dialogs.messages[0].text,
                  QStringLiteral("Error Code ") + QString::number(c.number) + QStringLiteral(" ... Busy ... COM2 ... 19200,N,8,1"));
        run.program->radio.Option48_Click();
        EXPECT_TRUE(run.port.takeWritten().isEmpty());
    }
}

// However the program ends, the port goes back to the system first.
TEST_F(StartupTest, EveryWayTheProgramEndsClosesThePort)
{
    const std::pair<const char*, std::function<void(Program&)>> ends[] = {
        {"Exit button", [](Program& p) { p.startup.ExitButton(); }},
        {"Exit menu", [](Program& p) { p.startup.ExitMenu(); }},
        {"fatal trap", [](Program& p) { p.link.FatalTrap(16); }},
        {"restart after a missing configuration",
         [](Program& p) {
             p.state.ConfigMissing = true;
             p.setup.Quit();
         }},
    };
    for (const auto& [name, end] : ends) {
        TestProgram run;
        run.program->state.ConfigCommPort = QStringLiteral("COM1");
        run.program->state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
        run.program->startup.OpenSerialPort();
        ASSERT_TRUE(run.port.isOpen());
        EXPECT_THROW(end(*run.program), ProgramEnded) << name;
        EXPECT_FALSE(run.port.isOpen()) << name;
        EXPECT_EQ(run.program->state.PortReady, 0) << name;
        EXPECT_EQ(run.port.writesWhileClosed, 0) << name;
    }
}

// The real serial port on a pseudo-terminal: the test plays a radio that never answers.
class PtyStartupTest : public ::testing::Test {
protected:
    PtyStartupTest() : pty(t.directory.path(), QStringLiteral("COM1")), port(t.directory.path()) {}
    TestProgram t;
    testing::PtyPair pty;
    QtSerialPort port;
};

TEST_F(PtyStartupTest, OpeningNeverRaisesTheModemLinesThatCouldKeyTheRadio)
{
    ASSERT_TRUE(pty.ok());
    ASSERT_FALSE(port.open(1, QStringLiteral("19200,N,8,1")).has_value());
    EXPECT_TRUE(port.isOpen());
    EXPECT_FALSE(port.dataTerminalReady());
    EXPECT_FALSE(port.requestToSend());
    EXPECT_EQ(port.baudRate(), 19200);

    port.write(Hex("FE FE 94 E0 03 FD"));
    EXPECT_EQ(pty.read(1000), Hex("FE FE 94 E0 03 FD"));
    pty.write(Hex("FE FE E0 94 FB FD"));
    QByteArray received;
    for (int i = 0; i < 50 && received.size() < 6; ++i) {
        pty.read(10);
        received += port.readAll();
    }
    EXPECT_EQ(received, Hex("FE FE E0 94 FB FD"));
}

// The port's lock file must go with the program, or the next start finds the port "already
// open". A second port object stands for that next start.
TEST_F(PtyStartupTest, TheExitMenuReleasesThePortForTheNextStart)
{
    ASSERT_TRUE(pty.ok());
    auto program = std::make_unique<Program>(
        PlatformServices{port, t.dialogs, t.timers, t.exit, t.directory.path()}, t.shell);
    program->state.ConfigCommPort = QStringLiteral("COM1");
    program->state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
    program->startup.OpenSerialPort();
    ASSERT_EQ(program->state.PortReady, 1);
    QtSerialPort nextStart(t.directory.path());
    ASSERT_TRUE(nextStart.open(1, QStringLiteral("19200,N,8,1")).has_value()) << "the lock is not seen at all";

    EXPECT_THROW(program->startup.ExitMenu(), testing::ProgramEnded);
    const auto error = nextStart.open(1, QStringLiteral("19200,N,8,1"));
    EXPECT_FALSE(error.has_value()) << error->number << " " << error->description.toStdString();
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST_F(PtyStartupTest, MalformedSettingsOrAMissingDeviceAreOpenFailures)
{
    ASSERT_TRUE(pty.ok());
    const char* bad[] = {"19200,N,8", "19200,X,8,1", "fast,N,8,1", "19200,N,9,1", "19200,N,8,3", ""};
    for (const char* settings : bad) {
        const auto error = port.open(1, QString::fromLatin1(settings));
        ASSERT_TRUE(error.has_value()) << settings;
        EXPECT_EQ(error->number, kErrorBadPortSettings) << settings;
        EXPECT_FALSE(port.isOpen());
    }
    EXPECT_EQ(port.open(0, QStringLiteral("19200,N,8,1"))->number, kErrorInvalidPortNumber);
    EXPECT_EQ(port.open(57, QStringLiteral("19200,N,8,1"))->number, kErrorInvalidPortNumber);
}

TEST_F(PtyStartupTest, TheStartupChainPutsOneQueryOnTheLinePerAnswerThenGivesUp)
{
    ASSERT_TRUE(pty.ok());
    TestProgram run;
    testing::PtyPair line(run.directory.path(), QStringLiteral("COM1"));
    QtSerialPort realPort(run.directory.path());
    auto program = std::make_unique<Program>(
        PlatformServices{realPort, run.dialogs, run.timers, run.exit, run.directory.path()}, run.shell);
    run.writeConfig();
    run.writeFile(QStringLiteral("TALVEX.TXT"), {});
    line.write(Hex("FE FE 00 94 00 00 40 07 14 00 FD"));  // stale: must be discarded on open
    program->startup.RunStartup();
    ASSERT_EQ(program->state.PortReady, 1);
    ASSERT_EQ(program->state.StartupQueryStep, 1);
    auto& timer2 = static_cast<testing::ManualTimer&>(program->link.Timer2());
    ASSERT_TRUE(timer2.isEnabled());

    const QByteArray queries[] = {Hex("FE FE 94 E0 03 FD"), Hex("FE FE 94 E0 04 FD"),
                                  Hex("FE FE 94 E0 19 00 FD"), Hex("FE FE 94 E0 1A 05 00 91 FD")};
    for (const QByteArray& query : queries) {
        timer2.fire();
        EXPECT_EQ(line.read(1000), query);
        EXPECT_EQ(program->state.radio.Text7, u"STATUS = RADIO NOT READY");
    }
    EXPECT_THROW(timer2.fire(), ProgramEnded);
    ASSERT_EQ(run.dialogs.messages.size(), 2u);  // first what to check, then the end
    EXPECT_EQ(run.dialogs.messages[0].title, u"Connection");
    EXPECT_EQ(run.dialogs.messages[1].title, u"UNEXPECTED RADIO CONDITION");
}

}  // namespace
}  // namespace talvex
