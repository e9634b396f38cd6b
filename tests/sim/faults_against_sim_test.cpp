// Faults on a real line: the simulator drops, cuts short or refuses its answers, falls silent,
// is switched off, keeps a write wrongly, flips bits, or vanishes with its device in the middle
// of an operation. The program keeps running, tells the operator, and never damages a data file.
#include "datafile/data_line.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"


#include <QDir>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QByteArray kOldFile = " 1            07.100.0      LSB           Fil 1                       OLD FILE  \r\n END\r\n";
const char* const kRates[] = {"19200,N,8,1", "4800,N,8,1"};

class FaultsAgainstSim : public ::testing::Test {
protected:
    // The simulator's memory is the demo's, or blank when `blank`.
    void start(const QStringList& simArguments = {}, const char* settings = kRates[0], bool blank = false)
    {
        ASSERT_TRUE(WriteMemory(memoryPath, blank ? Memory() : ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR))));
        run = std::make_unique<SimProgram>(QStringList{"--memory", memoryPath} + simArguments, QString::fromLatin1(settings));
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
    }
    ProgramState& state() { return run->program->state; }
    const MemoryFields& memoryFields() const { return run->program->memoryTexts.fields(); }
    MemoryOperations& memory() { return run->program->memory; }
    const std::vector<ShownMessage>& shown() { return run->dialogs.messages; }
    QByteArray dataFile() const { return run->readFile(QStringLiteral("TALVEX.TXT")); }
    void writeDataFile(const QByteArray& bytes) { run->writeFile(QStringLiteral("TALVEX.TXT"), bytes); }
    // Starts `operation` (its question answered Yes) and lets `ticks` of its timer go by.
    void begin(Step timer, void (MemoryWindowOperations::*operation)(), int ticks)
    {
        run->dialogs.answerMessage(MessageAnswer::Yes);
        (run->program->memoryWindow.*operation)();
        ASSERT_TRUE(state().anyMemoryOperationRunning());
        run->runMemoryOperation(timer, ticks);
    }
    // Channels 1 to `channels` as a data file would hold them, and its END line.
    static QStringList fileOf(int channels)
    {
        QStringList lines;
        for (int n = 1; n <= channels; ++n)
            lines << FormatDataLine({n, QStringLiteral("%1.%2.%3").arg(n % 28 + 1, 2, 10, QChar(u'0')).arg(n * 37 % 1000, 3, 10, QChar(u'0')).arg(n % 10),
                                     QStringLiteral("USB"), QStringLiteral("Fil %1").arg(n % 3 + 1), QStringLiteral("   "), QStringLiteral("CH %1").arg(n)});
        return lines << QStringLiteral(" END");
    }

    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
};

// A fault switched on in the middle of Create File, or the radio switched off in Update Rig; what
// the message the run stops with begins with.
struct MidRunFault {
    const char* name;
    const char* control;
    bool updateRig;
    const char16_t* told = u"The radio did not answer for channel ";
};

void PrintTo(const MidRunFault& f, std::ostream* os) { *os << f.name; }

class MidRunFaults : public FaultsAgainstSim, public ::testing::WithParamInterface<MidRunFault> {};

TEST_P(MidRunFaults, TheOperationStopsWithAMessageAndTheDataFileStaysAsItWas)
{
    const MidRunFault& f = GetParam();
    start();
    writeDataFile(f.updateRig ? fileOf(40).join(QStringLiteral("\r\n")).toLatin1() + "\r\n" : kOldFile);
    const QByteArray before = dataFile();
    begin(f.updateRig ? Step::UpdateRig : Step::CreateFile, f.updateRig ? &MemoryWindowOperations::updateRig : &MemoryWindowOperations::createFile, 6);
    run->sim->control(QString::fromLatin1(f.control));
    EXPECT_NO_THROW(run->runMemoryOperation(f.updateRig ? Step::UpdateRig : Step::CreateFile));
    EXPECT_FALSE(state().anyMemoryOperationRunning());
    ASSERT_EQ(shown().size(), 2u);  // the question, then what went wrong
    EXPECT_EQ(shown()[1].title, f.updateRig ? QStringLiteral("Update Rig") : QStringLiteral("Create File"));
    EXPECT_TRUE(shown()[1].text.startsWith(QString::fromUtf16(f.told))) << shown()[1].text.toStdString();
    EXPECT_EQ(dataFile(), before);
    EXPECT_EQ(state().PortReady, 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, MidRunFaults,
    ::testing::Values(MidRunFault{"Dropped", "fault drop", false}, MidRunFault{"Truncated", "fault truncate", false, u"The line garbles bytes (the radio's answers for channel "},
                      MidRunFault{"Refused", "fault ng", false}, MidRunFault{"Silent", "fault silent", false},
                      MidRunFault{"SwitchedOffInUpdateRig", "power off", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Update Rig into a radio with every channel blank, at each rate.
class UpdateRigAgainstSim : public FaultsAgainstSim, public ::testing::WithParamInterface<const char*> {};

TEST_P(UpdateRigAgainstSim, BitFlipsInTheAnswersNeverPassAsAVerifiedChannel)
{
    start({"--bit-flips", "0.0005"}, GetParam(), true);
    const QStringList lines = fileOf(20);
    writeDataFile(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    begin(Step::UpdateRig, &MemoryWindowOperations::updateRig, 200);
    EXPECT_FALSE(state().UpdatingRig);
    const QString report = shown().back().text;
    const Memory held = ReadMemory(memoryPath);
    int verified = 0;
    for (int n = 1; n <= 20; ++n) {
        if (report.contains(QStringLiteral("Channel %1:").arg(n)))
            continue;
        ++verified;
        EXPECT_EQ(ExpectedLine(n, held.at(n)).trimmed(), lines[n - 1].trimmed()) << n;
    }
    const QString summary = verified < 20 ? QStringLiteral("Update Rig: %1 of 20 channels").arg(verified)
                                          : QStringLiteral("Update Rig: 20 channels");
    EXPECT_EQ(memoryFields().Text7, summary + QStringLiteral(" written and verified, 0 already as the file says"));
}

INSTANTIATE_TEST_SUITE_P(Rates, UpdateRigAgainstSim, ::testing::ValuesIn(kRates),
                         [](const auto& info) { return RateName(info.param); });

// Update Rig and Blank Rig meet the silence while they read the channels before changing any.
struct SilentRun {
    const char* name;
    Step timer;
    void (MemoryWindowOperations::*start)();
    const char* told;
};

const SilentRun kSilentRuns[] = {
    {"UpdateRig", Step::UpdateRig, &MemoryWindowOperations::updateRig,
     "The channels could not be saved before writing: the radio did not answer for channel 5 ... Update Rig wrote "
     "nothing to the radio."},
    {"CreateFile", Step::CreateFile, &MemoryWindowOperations::createFile,
     "The radio did not answer for channel 5 ... TALVEX.TXT was not changed."},
    {"BlankRig", Step::BlankRig, &MemoryWindowOperations::blankRig,
     "The channels could not be saved before writing: the radio did not answer for channel 5 ... Blank Rig wrote "
     "nothing to the radio."},
    {"ViewRig", Step::ViewRig, &MemoryWindowOperations::viewRig, "The radio did not answer for channel 5 ... View Rig stopped.\nView "
     "Rig: 4 of 7 channels verified\nChannel 5: no answer\nChannel 6: no answer\nChannel 7: no answer"},
};

void PrintTo(const SilentRun& r, std::ostream* os) { *os << r.name; }

class RadioFallsSilent : public FaultsAgainstSim,
                         public ::testing::WithParamInterface<std::tuple<SilentRun, const char*>> {};

TEST_P(RadioFallsSilent, TheOperationStopsNamingTheFirstSilentChannel)
{
    const SilentRun& operation = std::get<0>(GetParam());
    start({"--silent-from", "5"}, std::get<1>(GetParam()));
    const QByteArray file = fileOf(7).join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    writeDataFile(file);
    run->dialogs.answerInput(QStringLiteral("3"));
    run->dialogs.answerInput(QStringLiteral("9"));
    begin(operation.timer, operation.start, 40);
    EXPECT_FALSE(state().anyMemoryOperationRunning());
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().back().text, QString::fromLatin1(operation.told));
    EXPECT_NE(memoryFields().Text1, u"END");
    EXPECT_EQ(dataFile(), file);
}

INSTANTIATE_TEST_SUITE_P(Operations, RadioFallsSilent,
    ::testing::Combine(::testing::ValuesIn(kSilentRuns), ::testing::ValuesIn(kRates)),
    [](const auto& info) { return std::string(std::get<0>(info.param).name) + RateName(std::get<1>(info.param)); });

// The channel lines of a data file's bytes (" 12 ..."), in file order.
QStringList ChannelLinesOf(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes).split(QStringLiteral("\r\n")).filter(QRegularExpression(QStringLiteral("^ [0-9]{1,2} ")));
}

// One bit in 5 000 bytes turned over, both ways, from a seed that strikes reads in both passes:
// Create File and the backup Update Rig saves first read every channel right, reading again where
// an answer came damaged or changed, and no radio setting is named for the noise.
TEST_F(FaultsAgainstSim, LightBitErrorsLeaveEveryChannelReadRight)
{
    const QString perBit = QString::number(1.0 / 5000 / 8);
    const QString log = memoryDirectory.filePath(QStringLiteral("frames.log"));
    // Frames the radio took so far: the start-up questions, and then for each channel read two
    // reads, or more where the noise struck.
    const auto framesIn = [&log] {
        QFile frames(log);
        return frames.open(QIODevice::ReadOnly) ? frames.readAll().count(" in ") : 0;
    };
    start({"--bit-flips", perBit, "--bit-flips-in", perBit, "--seed", "1", "--log", log});
    const QStringList expected = ExpectedChannelLines(ReadMemory(memoryPath));
    begin(Step::CreateFile, &MemoryWindowOperations::createFile, 250);
    EXPECT_EQ(ChannelLinesOf(dataFile()), expected);
    const auto created = framesIn();
    EXPECT_GT(created, 4 + 2 * 99);

    ScriptedClock clock;
    memory().setClock(&clock);
    begin(Step::UpdateRig, &MemoryWindowOperations::updateRig, 250);
    const QDir backups(run->path(QStringLiteral("BACKUP")));
    const QStringList saved = backups.entryList(QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    QFile backup(backups.filePath(saved.front()));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(ChannelLinesOf(backup.readAll()), expected);
    EXPECT_GT(framesIn() - created, 2 * 99);
    EXPECT_EQ(shown().size(), 2u) << shown().back().text.toStdString();  // the two questions
}

TEST_F(FaultsAgainstSim, ADeviceThatVanishesIsReportedAndTheLineComesBackWithIt)
{
    start();
    writeDataFile(kOldFile);
    begin(Step::CreateFile, &MemoryWindowOperations::createFile, 5);
    run->sim.reset();  // the cable pulled: the terminal and its link are gone
    run->runMemoryOperation(Step::CreateFile, 3);
    run->timer1().fire();
    EXPECT_FALSE(state().CreatingFile);
    EXPECT_EQ(state().PortReady, 0);
    EXPECT_TRUE(std::any_of(shown().begin(), shown().end(), [](const auto& m) { return m.title == u"COMM PORT LOST"; }));
    EXPECT_EQ(dataFile(), kOldFile);

    // Switched on again: the device comes back under the same name, and the port with it.
    run->sim = std::make_unique<SimProcess>(run->directory.path(), QStringList{"--baud", "19200"});
    ASSERT_TRUE(run->sim->ready());
    run->timer1().fire();
    EXPECT_EQ(state().PortReady, 1);
    EXPECT_EQ(run->program->radioTexts.fields().Text7, u"STATUS = COMM PORT REOPENED");
    run->program->radioTexts.fields().Text1.clear();
    run->program->radio.queryFrequency();
    run->readAnswers();
    EXPECT_EQ(run->program->radioTexts.fields().Text1, u"14.074.0");
}

}  // namespace
}  // namespace talvex::testing
