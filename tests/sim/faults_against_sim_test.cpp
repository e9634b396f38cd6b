// Faults on a real line: the simulator drops, cuts short, refuses or buries its answers, falls
// silent, is switched off, or vanishes with its device in the middle of an operation. The
// program keeps running, tells the operator, and never damages a data file.
#include "memory/data_line.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QFile>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kDemoMemory = QStringLiteral(TALVEX_DEMO_DIR "/sim-memory.txt");

class FaultsAgainstSim : public ::testing::Test {
protected:
    void start(const QStringList& simArguments = {}, const QString& settings = QStringLiteral("19200,N,8,1"))
    {
        QFile::copy(kDemoMemory, memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath} + simArguments, settings);
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

TEST_F(FaultsAgainstSim, NoiseBetweenFramesStillGivesEveryChannelAsTheRadioHoldsIt)
{
    start({QStringLiteral("--fault"), QStringLiteral("noise")});
    createFileFor(400);
    EXPECT_FALSE(state().CreatingFile);
    ASSERT_EQ(run->dialogs.messages.size(), 1u) << run->dialogs.messages.back().text.toStdString();
    const QStringList lines = QString::fromLatin1(dataFile()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 107);
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(ReadMemory(memoryPath)));
}

const char* const kRates[] = {"19200,N,8,1", "9600,N,8,1", "4800,N,8,1"};

std::string RateName(const char* settings) { return "At" + std::string(settings).substr(0, std::string(settings).find(',')); }

// Update Rig into a radio with every channel blank, at each rate.
class UpdateRigAgainstSim : public FaultsAgainstSim, public ::testing::WithParamInterface<const char*> {
protected:
    void startBlank(const QStringList& simArguments)
    {
        QFile blank(memoryPath);
        ASSERT_TRUE(blank.open(QIODevice::WriteOnly));
        blank.close();
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath} + simArguments,
                                           QString::fromLatin1(GetParam()));
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
    }
    QStringList fileOf(int channels)
    {
        QStringList lines;
        for (int n = 1; n <= channels; ++n)
            lines << FormatDataLine({n, QStringLiteral("%1.%2.%3").arg(n % 28 + 1, 2, 10, QChar(u'0')).arg(n * 37 % 1000, 3, 10, QChar(u'0')).arg(n % 10),
                                     QStringLiteral("USB"), QStringLiteral("Fil %1").arg(n % 3 + 1), QStringLiteral("   "),
                                     QStringLiteral("CH %1").arg(n)});
        return lines << QStringLiteral(" END");
    }
    void updateFrom(const QStringList& lines)
    {
        writeDataFile(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        run->dialogs.answerMessage(MessageAnswer::Yes);
        memory().Command3_Click();
        ASSERT_TRUE(state().UpdatingRig);
        run->runMemoryOperation(3, 200);
        EXPECT_FALSE(state().UpdatingRig);
    }
};

TEST_P(UpdateRigAgainstSim, ARefusedWriteAndAChannelStoredDifferentlyAreNamedAtTheEnd)
{
    startBlank({QStringLiteral("--refuse-write"), QStringLiteral("7"), QStringLiteral("--store-wrong"),
                QStringLiteral("11")});
    const QStringList lines = fileOf(12);
    updateFrom(lines);
    ASSERT_EQ(run->dialogs.messages.size(), 2u);
    EXPECT_EQ(run->dialogs.messages[1].text, u"Update Rig: 10 of 12 channels verified\n"
                                             u"Channel 7: the radio refused the write\n"
                                             u"Channel 11: the radio holds XH 11, the file says CH 11");
    EXPECT_EQ(state().memory.Text7, u"Update Rig: 10 of 12 channels verified");
    const Memory held = ReadMemory(memoryPath);
    for (int n = 1; n <= 12; ++n) {
        if (n == 7) {
            EXPECT_TRUE(held.at(n).isEmpty());
            continue;
        }
        QString expected = lines[n - 1];
        if (n == 11)
            expected.replace(QStringLiteral("CH 11"), QStringLiteral("XH 11"));
        EXPECT_EQ(ExpectedLine(n, held.at(n)).trimmed(), expected.trimmed()) << n;
    }
}

TEST_P(UpdateRigAgainstSim, BitFlipsInTheAnswersNeverPassAsAVerifiedChannel)
{
    startBlank({QStringLiteral("--bit-flips"), QStringLiteral("0.0005")});
    const QStringList lines = fileOf(20);
    updateFrom(lines);
    const QString report = run->dialogs.messages.back().text;
    const Memory held = ReadMemory(memoryPath);
    int verified = 0;
    for (int n = 1; n <= 20; ++n) {
        if (report.contains(QStringLiteral("Channel %1:").arg(n)))
            continue;
        ++verified;
        EXPECT_EQ(ExpectedLine(n, held.at(n)).trimmed(), lines[n - 1].trimmed()) << n;
    }
    if (verified < 20) {
        EXPECT_EQ(state().memory.Text7, QStringLiteral("Update Rig: %1 of 20 channels verified").arg(verified));
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, UpdateRigAgainstSim, ::testing::ValuesIn(kRates),
                         [](const auto& info) { return RateName(info.param); });

struct SilentRun {
    const char* name;
    int timer;
    void (MemoryOperations::*start)();
    const char* stopped;
};

const SilentRun kSilentRuns[] = {
    {"UpdateRig", 3, &MemoryOperations::Command3_Click,
     "Update Rig stopped: that channel and the ones after it may not hold what the file says."},
    {"CreateFile", 1, &MemoryOperations::Command1_Click, "TALVEX.TXT was not changed."},
    {"BlankRig", 5, &MemoryOperations::Command5_Click, "Blank Rig stopped."},
    {"ViewRig", 4, &MemoryOperations::Command4_Click, "View Rig stopped."},
};

void PrintTo(const SilentRun& r, std::ostream* os) { *os << r.name; }

class RadioFallsSilent : public FaultsAgainstSim,
                         public ::testing::WithParamInterface<std::tuple<SilentRun, const char*>> {};

TEST_P(RadioFallsSilent, TheOperationStopsNamingTheFirstSilentChannel)
{
    const SilentRun& operation = std::get<0>(GetParam());
    start({QStringLiteral("--silent-from"), QStringLiteral("5")}, QString::fromLatin1(std::get<1>(GetParam())));
    const QByteArray file = " 1            07.100.0      LSB           Fil 1\r\n"
                            " 5            07.100.0      LSB           Fil 1\r\n"
                            " 6            07.100.0      LSB           Fil 1\r\n"
                            " 7            07.100.0      LSB           Fil 1\r\n END\r\n";
    writeDataFile(file);
    run->dialogs.answerMessage(MessageAnswer::Yes);
    run->dialogs.answerInput(QStringLiteral("3"));
    run->dialogs.answerInput(QStringLiteral("9"));
    (memory().*operation.start)();
    ASSERT_TRUE(state().anyMemoryOperationRunning());
    run->runMemoryOperation(operation.timer, 40);
    EXPECT_FALSE(state().anyMemoryOperationRunning());
    ASSERT_FALSE(run->dialogs.messages.empty());
    EXPECT_EQ(run->dialogs.messages.back().text,
              QStringLiteral("The radio did not answer for channel 5 ... ") + QString::fromLatin1(operation.stopped));
    EXPECT_NE(state().memory.Text1, u"END");
    EXPECT_EQ(dataFile(), file);
}

INSTANTIATE_TEST_SUITE_P(Operations, RadioFallsSilent,
    ::testing::Combine(::testing::ValuesIn(kSilentRuns), ::testing::ValuesIn(kRates)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + RateName(std::get<1>(info.param));
    });

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
