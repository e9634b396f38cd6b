// How a write that talvex-mem does not finish ends, against talvex-sim: a radio that falls silent
// after a write, Ctrl-C, SIGTERM and SIGHUP mid-write, the port gone, a line that garbles bytes.
// Whatever stops the run, every channel the radio changed is counted in the report and the JSON,
// the channel in flight included; the exit code says why it stopped.
#include "mem_process.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

enum class Cut { None, Signal, PortGone };

struct StopCase {
    const char* story;
    QStringList simArguments;  // "AFTER5": silent after the write of the fifth channel written
    Cut cut;
    int signal;
    int exitCode;
    const char* result;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.story; }

// A data file `path` giving the first `most` channels the radio holds a new label, the other
// lines as the radio holds them; the channels relabelled, in the order they are written.
std::vector<int> WriteRelabelled(const QString& path, const Memory& radio, std::size_t most = 99)
{
    QStringList lines = ExpectedChannelLines(radio);
    std::vector<int> relabelled;
    for (int channel = 1; channel <= 99 && relabelled.size() < most; ++channel) {
        if (!radio.at(channel).isEmpty()) {
            lines[channel - 1] = lines[channel - 1].left(70) + QStringLiteral("ALL NEW   ");
            relabelled.push_back(channel);
        }
    }
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << path.toStdString();
    out.write((lines.join(u'\n') + QStringLiteral("\n END\n")).toLatin1());
    return relabelled;
}

class CliStopsMidWrite : public ::testing::TestWithParam<StopCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(DemoMemoryPath(TALVEX_DEMO_DIR), memoryPath()));
        original_ = ReadMemory(memoryPath());
        // Every channel the radio holds gets a new label: written in channel order.
        writeOrder_ = WriteRelabelled(QDir(folder_.path()).filePath("all.txt"), original_);
    }
    QString memoryPath() const { return QDir(folder_.path()).filePath("sim-memory.txt"); }

    // talvex-mem's write, cut as `c` says once its progress shows a quarter of the writes.
    MemRun writeAll(const StopCase& c, std::unique_ptr<SimProcess>& sim)
    {
        QProcess process;
        process.setWorkingDirectory(folder_.path());
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral(TALVEX_MEM_PATH), {"--port=COM1", "--baud=115200", "--json", "write", "all.txt"});
        process.closeWriteChannel();
        QByteArray err;
        while (c.cut != Cut::None && err.count("write: channel ") < 2 && process.state() != QProcess::NotRunning
               && process.waitForReadyRead(20'000))
            err += process.readAllStandardError();
        if (process.state() == QProcess::Running && c.cut == Cut::Signal)
            ::kill(static_cast<pid_t>(process.processId()), c.signal);
        if (c.cut == Cut::PortGone)
            sim.reset();  // the radio's end of the line closes
        process.waitForFinished(60'000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                err + process.readAllStandardError()};
    }

    QTemporaryDir folder_;
    Memory original_;
    std::vector<int> writeOrder_;
};

TEST_P(CliStopsMidWrite, EveryChannelTheRadioChangedIsCountedAndTheExitCodeSaysWhy)
{
    const StopCase& c = GetParam();
    QStringList simArguments{"--baud", "115200", "--memory", memoryPath()};
    for (const QString& argument : c.simArguments)
        simArguments << (argument == u"AFTER5" ? QString::number(writeOrder_.at(4)) : argument);
    auto sim = std::make_unique<SimProcess>(folder_.path(), simArguments);
    ASSERT_TRUE(sim->ready());
    const MemRun run = writeAll(c, sim);
    sim.reset();

    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.constData();
    const QJsonObject report = QJsonDocument::fromJson(run.out).object();
    ASSERT_FALSE(report.isEmpty()) << run.out.constData();
    EXPECT_EQ(report.value("exitCode").toInt(), c.exitCode);
    EXPECT_EQ(report.value("result").toString(), QString::fromLatin1(c.result));
    const int written = report.value("written").toInt();
    const int verified = report.value("verified").toInt();
    std::set<int> failed;
    for (const QJsonValue& f : report.value("failed").toArray())
        failed.insert(f.toObject().value("channel").toInt());
    EXPECT_EQ(written, verified + static_cast<int>(failed.size()));
    ASSERT_LE(written, static_cast<int>(writeOrder_.size()));
    // The channels are written in order: the first `written` of them are the ones the report
    // counts. Each it counts as verified holds the new label; no other channel changed.
    const std::set<int> counted(writeOrder_.begin(), writeOrder_.begin() + written);
    const Memory after = ReadMemory(memoryPath());
    for (int channel = 1; channel <= 99; ++channel) {
        const bool changed = after.at(channel) != original_.at(channel);
        if (!counted.count(channel)) {
            EXPECT_FALSE(changed) << "channel " << channel << " changed, and the report does not count it";
        } else if (!failed.count(channel)) {
            EXPECT_TRUE(changed && after.at(channel).mid(31, 10) == "ALL NEW   ") << "channel " << channel;
        }
    }
    for (int channel : failed)
        EXPECT_TRUE(counted.count(channel)) << channel;
    if (c.exitCode == 130 && written > 0) {
        EXPECT_EQ(report.value("lastVerified").toInt() > 0, verified > 0);
    }
    // The backup, once made, is complete; a cut one is never left.
    for (const QString& name : QDir(QDir(folder_.path()).filePath("BACKUP")).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(name.endsWith(".part")) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Stops, CliStopsMidWrite,
    ::testing::Values(StopCase{"silent_after_a_write", {"--silent-after-write", "AFTER5"}, Cut::None, 0, 3, "stopped"},
                      StopCase{"ctrl_c", {}, Cut::Signal, SIGINT, 130, "interrupted"},
                      StopCase{"sigterm", {}, Cut::Signal, SIGTERM, 130, "interrupted"},
                      StopCase{"sighup", {}, Cut::Signal, SIGHUP, 130, "interrupted"},
                      StopCase{"port_gone", {}, Cut::PortGone, 0, 3, "stopped"}),
    [](const auto& info) { return std::string(info.param.story); });

// The radio that falls silent after a write names that channel: its write was kept, its OK never
// came, and the two after it went unanswered; all three are counted as written.
TEST(CliStopsMidWriteNames, TheChannelWrittenWhenTheRadioFellSilent)
{
    QTemporaryDir folder;
    const QString memory = QDir(folder.path()).filePath("sim-memory.txt");
    ASSERT_TRUE(QFile::copy(DemoMemoryPath(TALVEX_DEMO_DIR), memory));
    const Memory original = ReadMemory(memory);
    const std::vector<int> held = WriteRelabelled(QDir(folder.path()).filePath("four.txt"), original, 4);
    SimProcess sim(folder.path(), {"--memory", memory, "--silent-after-write", QString::number(held[1])});
    ASSERT_TRUE(sim.ready());
    const MemRun run = RunMem(folder.path(), {"--port=COM1", "--baud=19200", "--json", "write", "four.txt"});
    EXPECT_EQ(run.exitCode, 3) << run.err.constData();
    const QJsonObject report = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(report.value("written").toInt(), 4) << run.out.constData();
    EXPECT_EQ(report.value("verified").toInt(), 1);
    EXPECT_EQ(report.value("lastVerified").toInt(), held[0]);
    // The written channel echoed its frames and then said nothing: heard, not answered in time.
    const QJsonArray expected{QJsonObject{{"channel", held[1]}, {"why", "did not answer in time"}},
                              QJsonObject{{"channel", held[2]}, {"why", "no answer"}},
                              QJsonObject{{"channel", held[3]}, {"why", "no answer"}}};
    EXPECT_EQ(report.value("failed").toArray(), expected) << run.out.constData();
    EXPECT_EQ(ReadMemory(memory).at(held[1]).mid(31, 10), "ALL NEW   ");
}

}  // namespace
}  // namespace talvex::testing
