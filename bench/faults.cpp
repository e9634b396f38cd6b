// Update Rig and Create File against talvex-sim with each line fault switched on, at 4800, 9600
// and 19200 baud. A run may stop, or end naming the channels it could not verify: both are
// honest. A false success is a channel the operation passed as done (no stop, not named)
// that the radio or the file does not hold as it should. Prints a row a run and the line
// "false successes: N"; exits 1 unless N is 0.
//
// Create File is not run under bit flips: a CI-V answer carries no checksum, so a bit turned
// over inside a well-formed answer of the right channel reads as what the radio holds, and no
// single read can tell. Update Rig can, and does: it compares the read-back with what it wrote.
#include "bench_program.h"

#include "datafile/data_line.h"
#include "platform/text_file.h"
#include "tests/support/sim_memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <vector>

namespace talvex::bench {
namespace {

using testing::Memory;

constexpr int kUpdateChannels = 20;

struct Fault {
    const char* name;
    QStringList arguments;
    bool createFile = true;  // also run against Create File
};

struct Outcome {
    QString how;  // "END", "stopped at 12", "18/20 verified"
    int falseSuccesses = 0;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString LastMessage(const BenchProgram& run, std::size_t before)
{
    return run.dialogs.messages.size() > before ? run.dialogs.messages.back().text : QString();
}

// A written channel carries its own select mark, whatever the file said.
QString WithoutSelectMark(const QString& line) { return line.left(56) + line.mid(70); }

// The channels a message names ("Channel 7: ..."), or every channel when the run stopped.
bool Named(const QString& message, int channel)
{
    return message.startsWith(QStringLiteral("The radio did not answer"))
        || message.contains(QStringLiteral("Channel %1:").arg(channel));
}

Outcome UpdateRig(const QString& settings, const Fault& fault, const Memory& demo)
{
    QTemporaryDir memoryDirectory;
    const QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    QFile(memoryPath).open(QIODevice::WriteOnly);  // every channel blank
    BenchProgram run(settings, QStringList{QStringLiteral("--memory"), memoryPath} + fault.arguments);
    if (!run.startUp())
        return {QStringLiteral("start-up failed"), 0};
    QStringList lines = testing::ExpectedChannelLines(demo).mid(0, kUpdateChannels);
    lines << QStringLiteral(" END");
    WriteLinesAtomically(run.path(QStringLiteral("TALVEX.TXT")), lines);
    QString name = QStringLiteral("TALVEX.TXT");
    run.program->dataFile.OpenDataFile(name, FileMode::Input);
    const std::size_t before = run.dialogs.messages.size() + 1;
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memory.Command3_Click();
    run.runUntil([&] { return !run.program->state.UpdatingRig; }, 240000);
    QThread::msleep(300);  // the simulator writes its memory file after each change
    const QString message = LastMessage(run, before);
    const Memory held = testing::ReadMemory(memoryPath);
    Outcome outcome;
    // A run that says it wrote nothing claims no channel: every channel must still be blank.
    if (message.contains(QStringLiteral("wrote nothing to the radio"))) {
        for (const auto& [channel, contents] : held)
            outcome.falseSuccesses += !contents.isEmpty();
        outcome.how = message.section(u'\n', 0, 0).left(60);
        return outcome;
    }
    for (int channel = 1; channel <= kUpdateChannels; ++channel) {
        const QByteArray contents = held.count(channel) ? held.at(channel) : QByteArray();
        if (!Named(message, channel)
            && WithoutSelectMark(testing::ExpectedLine(channel, contents)) != WithoutSelectMark(lines[channel - 1]))
            ++outcome.falseSuccesses;
    }
    outcome.how = message.isEmpty() ? QStringLiteral("END") : message.section(u'\n', 0, 0).left(60);
    return outcome;
}

Outcome CreateFile(const QString& settings, const Fault& fault, const QString& demoPath)
{
    QTemporaryDir memoryDirectory;
    const QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    QFile::copy(demoPath, memoryPath);
    BenchProgram run(settings, QStringList{QStringLiteral("--memory"), memoryPath} + fault.arguments);
    if (!run.startUp())
        return {QStringLiteral("start-up failed"), 0};
    const QByteArray oldFile = " 1            07.100.0      LSB           Fil 1\r\n END\r\n";
    QFile old(run.path(QStringLiteral("TALVEX.TXT")));
    old.open(QIODevice::WriteOnly | QIODevice::Truncate);
    old.write(oldFile);
    old.close();
    QString name = QStringLiteral("TALVEX.TXT");
    run.program->dataFile.OpenDataFile(name, FileMode::Input);
    const std::size_t before = run.dialogs.messages.size() + 1;
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memory.Command1_Click();
    run.runUntil([&] { return !run.program->state.CreatingFile; }, 240000);
    const QString message = LastMessage(run, before);
    const QByteArray written = ReadAll(run.path(QStringLiteral("TALVEX.TXT")));
    Outcome outcome;
    if (!message.isEmpty()) {
        outcome.how = message.left(60);
        outcome.falseSuccesses = written == oldFile ? 0 : 1;  // a stop must leave the old file
        return outcome;
    }
    outcome.how = QStringLiteral("END");
    const QStringList lines = QString::fromLatin1(written).split(QStringLiteral("\r\n"));
    const QStringList expected = testing::ExpectedChannelLines(testing::ReadMemory(memoryPath));
    for (int i = 0; i < 99; ++i)
        outcome.falseSuccesses += lines.size() <= i + 3 || lines[i + 3] != expected[i];
    return outcome;
}

}  // namespace
}  // namespace talvex::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication application(argc, argv);
    using namespace talvex::bench;
    const QString demoPath = talvex::testing::DemoMemoryPath(TALVEX_DEMO_DIR);
    const Memory demo = talvex::testing::ReadMemory(demoPath);
    const Fault faults[] = {
        {"none", {}},
        {"silent from 12", {QStringLiteral("--silent-from"), QStringLiteral("12")}},
        {"NG on 7", {QStringLiteral("--refuse-write"), QStringLiteral("7")}},
        {"stored wrong 13", {QStringLiteral("--store-wrong"), QStringLiteral("13")}},
        {"bit flips 5e-4", {QStringLiteral("--bit-flips"), QStringLiteral("0.0005")}, false},
        {"noise", {QStringLiteral("--fault"), QStringLiteral("noise")}},
        {"answers cut", {QStringLiteral("--fault"), QStringLiteral("truncate")}},
    };
    int falseSuccesses = 0;
    std::printf("%-6s %-16s %-11s %-62s %s\n", "baud", "fault", "operation", "outcome", "false successes");
    for (const char* settings : {"4800,N,8,1", "9600,N,8,1", "19200,N,8,1"}) {
        const QString rate = QString::fromLatin1(settings).section(u',', 0, 0);
        for (const Fault& fault : faults) {
            std::vector<std::pair<const char*, Outcome>> rows{
                {"Update Rig", UpdateRig(QString::fromLatin1(settings), fault, demo)}};
            if (fault.createFile)
                rows.emplace_back("Create File", CreateFile(QString::fromLatin1(settings), fault, demoPath));
            for (const auto& [operation, outcome] : rows) {
                falseSuccesses += outcome.falseSuccesses;
                std::printf("%-6s %-16s %-11s %-62s %d\n", qPrintable(rate), fault.name, operation,
                            qPrintable(outcome.how), outcome.falseSuccesses);
                std::fflush(stdout);
            }
        }
    }
    std::printf("false successes: %d\n", falseSuccesses);
    return falseSuccesses == 0 ? 0 : 1;
}
