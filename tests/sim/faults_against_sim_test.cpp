// Faults on a real line: the simulator drops, cuts short, refuses or buries its answers, falls
// silent, is switched off, or vanishes with its device in the middle of an operation. The
// program keeps running, tells the operator, and never damages a data file.
#include "memory/data_line.h"

#include "tests/support/sim_program.h"

#include <QFile>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kDemoMemory = QStringLiteral(TALVEX_DEMO_DIR "/sim-memory.txt");

class FaultsAgainstSim : public ::testing::Test {
protected:
    void start(const QStringList& simArguments = {})
    {
        QFile::copy(kDemoMemory, memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath} + simArguments);
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
    }
    ProgramState& state() { return run->program->state; }
    MemoryOperations& memory() { return run->program->memory; }
    QByteArray dataFile() const
    {
        QFile file(run->path(QStringLiteral("TALVEX.TXT")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeDataFile(const QByteArray& bytes)
    {
        QFile file(run->path(QStringLiteral("TALVEX.TXT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // Starts Create File over an existing data file and lets `ticks` channels go by.
    void createFileFor(int ticks)
    {
        writeDataFile(kOldFile);
        run->dialogs.answerMessage(MessageAnswer::Yes);
        memory().Command1_Click();
        ASSERT_TRUE(state().CreatingFile);
        run->runMemoryOperation(1, ticks);
    }

    const QByteArray kOldFile = " 1            07.100.0      LSB           Fil 1                       OLD FILE  \r\n END\r\n";
    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
};

struct AnswerFault {
    const char* name;
    const char* fault;
};

void PrintTo(const AnswerFault& f, std::ostream* os) { *os << f.name; }

class AnswerFaults : public FaultsAgainstSim, public ::testing::WithParamInterface<AnswerFault> {};

TEST_P(AnswerFaults, CreateFileStopsWithAMessageAndKeepsTheOldFile)
{
    start();
    createFileFor(6);
    run->sim->control(QString::fromLatin1("fault ") + GetParam().fault);
    EXPECT_NO_THROW(run->runMemoryOperation(1));
    EXPECT_FALSE(state().CreatingFile);
    ASSERT_EQ(run->dialogs.messages.size(), 2u);  // the question, then what went wrong
    EXPECT_EQ(run->dialogs.messages[1].title, u"Create File");
    EXPECT_TRUE(run->dialogs.messages[1].text.startsWith(u"The radio did not answer for channel "))
        << run->dialogs.messages[1].text.toStdString();
    EXPECT_EQ(dataFile(), kOldFile);
    EXPECT_EQ(state().PortReady, 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, AnswerFaults,
    ::testing::Values(AnswerFault{"Dropped", "drop"}, AnswerFault{"Truncated", "truncate"},
                      AnswerFault{"Refused", "ng"}, AnswerFault{"Silent", "silent"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultsAgainstSim, NoiseBetweenFramesNeverPutsAWrongChannelIntoTheFile)
{
    start({QStringLiteral("--fault"), QStringLiteral("noise")});
    createFileFor(130);
    EXPECT_FALSE(state().CreatingFile);
    // Either every channel came through as the radio holds it, or the old file stands.
    const QByteArray written = dataFile();
    if (written != kOldFile) {
        const QStringList lines = QString::fromLatin1(written).split(QStringLiteral("\r\n"));
        ASSERT_GE(lines.size(), 106);
        EXPECT_TRUE(lines[3].startsWith(u" 1 "));
        EXPECT_TRUE(lines[101].startsWith(u" 99 "));
    }
}

TEST_F(FaultsAgainstSim, ARadioSwitchedOffDuringUpdateRigStopsItWithAMessage)
{
    start();
    QStringList lines;
    for (int channel = 1; channel <= 40; ++channel)
        lines << FormatDataLine({channel, QStringLiteral("07.100.0"), QStringLiteral("LSB"), QStringLiteral("Fil 1"),
                                 QStringLiteral("   "), QStringLiteral("CH %1").arg(channel)});
    lines << QStringLiteral(" END");
    writeDataFile(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    const QByteArray before = dataFile();
    run->dialogs.answerMessage(MessageAnswer::Yes);
    memory().Command3_Click();
    run->runMemoryOperation(3, 5);
    run->sim->control(QStringLiteral("power off"));
    EXPECT_NO_THROW(run->runMemoryOperation(3));
    EXPECT_FALSE(state().UpdatingRig);
    ASSERT_EQ(run->dialogs.messages.size(), 2u);
    EXPECT_EQ(run->dialogs.messages[1].title, u"Update Rig");
    EXPECT_TRUE(run->dialogs.messages[1].text.startsWith(u"The radio did not answer for channel "));
    EXPECT_EQ(dataFile(), before);
}

TEST_F(FaultsAgainstSim, ADeviceThatVanishesIsReportedAndTheLineComesBackWithIt)
{
    start();
    createFileFor(5);
    run->sim.reset();  // the cable pulled: the terminal and its link are gone
    run->runMemoryOperation(1, 3);
    SimProgram::waitAndFire(run->timer1());
    EXPECT_FALSE(state().CreatingFile);
    EXPECT_EQ(state().PortReady, 0);
    bool lostShown = false;
    for (const auto& m : run->dialogs.messages)
        lostShown = lostShown || m.title == u"COMM PORT LOST";
    EXPECT_TRUE(lostShown);
    EXPECT_EQ(dataFile(), kOldFile);

    // Switched on again: the device comes back under the same name, and the port with it.
    run->sim = std::make_unique<SimProcess>(run->directory.path(), QStringList{QStringLiteral("--baud"), QStringLiteral("19200")});
    ASSERT_TRUE(run->sim->ready());
    SimProgram::waitAndFire(run->timer1());
    EXPECT_EQ(state().PortReady, 1);
    EXPECT_EQ(state().radio.Text7, u"STATUS = COMM PORT REOPENED");
    state().radio.Text1.clear();
    run->program->radio.Option48_Click();
    run->readAnswers();
    EXPECT_EQ(state().radio.Text1, u"14.074.0");
}

}  // namespace
}  // namespace talvex::testing
