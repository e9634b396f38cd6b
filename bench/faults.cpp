// Update Rig, Create File and Blank Rig against talvex-sim with each line fault switched on, at
// 4800, 9600 and 19200 baud. A run may stop, or end naming the channels it could not verify:
// both are honest. What must never happen is a channel that ends other than the operation says
// without being named: in the radio, in the data file, in the backup taken before the change,
// or outside the range the operator gave. Prints a row a run, then "false successes: N" (runs
// that left such a channel) and "channels wrong and not named: N"; exits 1 unless both are 0.
//
// Bit flips go both ways: toward the radio (the echo shows what it read, so a garbled select or
// write is seen there) and from it (no checksum: only two reads that agree are taken as the
// radio's contents).
//
//   talvex_bench_faults ["flips 1/200"] [4800]    only the faults whose name holds the text, at that rate
#include "bench_program.h"

#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "platform/text_file.h"
#include "startup/opening_boxes.h"
#include "tests/support/sim_memory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <vector>

namespace talvex::bench {
namespace {

using testing::Memory;

constexpr int kUpdateChannels = 20;
constexpr int kClearedByUpdate = 5;  // Update Rig's file clears this channel
constexpr int kBlankFirst = 25, kBlankLast = 34;

enum Operations { kUpdate = 1, kCreate = 2, kBlank = 4, kAll = kUpdate | kCreate | kBlank };

struct Fault {
    const char* name;
    QStringList arguments;
    int operations = kAll;
};

struct Outcome {
    QString how;            // "END", the first line of the end report or the stop
    int wrongNotNamed = 0;  // channels that ended other than said, and were not named
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

QString FirstLine(const QString& message) { return message.isEmpty() ? QStringLiteral("END") : message.section(u'\n', 0, 0).left(60); }

// The channels a message names ("Channel 7: ..."), or every channel when the run stopped.
bool Named(const QString& message, int channel)
{
    return message.startsWith(QStringLiteral("The radio did not answer"))
        || message.contains(QStringLiteral("Channel %1:").arg(channel));
}

bool WroteNothing(const QString& message) { return message.contains(QStringLiteral("wrote nothing to the radio")); }

QByteArray Held(const Memory& memory, int channel)
{
    const auto found = memory.find(channel);
    return found == memory.end() ? QByteArray() : found->second;
}

// Each channel counted wrong and unnamed goes to standard error with what it holds.
int Wrong(const char* why, int channel, const QByteArray& held = {})
{
    std::fprintf(stderr, "  channel %d %s%s%s\n", channel, why, held.isEmpty() ? "" : ": ", held.toHex(' ').constData());
    return 1;
}

// Channels `from` to `to` that differ between the two memories: each one changed unasked.
int ChangedOutside(const Memory& before, const Memory& after, int from, int to)
{
    int changed = 0;
    for (int channel = from; channel <= to; ++channel) {
        if (Held(before, channel) != Held(after, channel))
            changed += Wrong("changed unasked", channel, Held(after, channel));
    }
    return changed;
}

// The backup taken before a change must hold every channel it names as the radio held it.
int WrongBackupLines(const BenchProgram& run, const Memory& before)
{
    const QStringList backups = QDir(run.path(QStringLiteral("BACKUP"))).entryList({QStringLiteral("*.TXT")}, QDir::Files);
    int wrong = 0;
    for (const QString& name : backups) {
        const QString text = QString::fromLatin1(ReadAll(run.path(QStringLiteral("BACKUP/") + name)));
        for (const QString& line : text.split(QStringLiteral("\r\n"))) {
            if (KindOf(line) != LineKind::Channel)
                continue;
            const int channel = ChannelTextOf(line).trimmed().toInt();
            if (channel < 1 || channel > 99)
                continue;
            const auto record = RecordZoneOf(line);
            const QByteArray held = Held(before, channel);
            const bool right = held.isEmpty() ? IsEmptyFrequency(line.mid(14, 8)) : record && record->bytes() == held;
            if (!right)
                wrong += Wrong("wrong in the backup", channel, record ? record->bytes() : QByteArray());
        }
    }
    return wrong;
}

struct Radio {
    QTemporaryDir directory;
    QString memoryPath;
    Memory before;
    explicit Radio(const QString& demoPath)
        : memoryPath(directory.filePath(QStringLiteral("memory.txt")))
    {
        QFile::copy(demoPath, memoryPath);
        before = testing::ReadMemory(memoryPath);
    }
    Memory after() const
    {
        QThread::msleep(300);  // the simulator writes its memory file after each change
        return testing::ReadMemory(memoryPath);
    }
};

// The file: the demo's channels 1-20 with new labels, so every programmed one is written, and
// channel 5 cleared. Channels 21-99 are not in it and must stay as they are.
Outcome UpdateRig(const QString& settings, const Fault& fault, const QString& demoPath)
{
    Radio radio(demoPath);
    BenchProgram run(settings, QStringList{QStringLiteral("--memory"), radio.memoryPath} + fault.arguments);
    if (!run.startUp())
        return {QStringLiteral("start-up failed"), 0};
    QStringList lines = testing::ExpectedChannelLines(radio.before).mid(0, kUpdateChannels);
    for (int channel = 1; channel <= kUpdateChannels; ++channel) {
        QString& line = lines[channel - 1];
        if (channel == kClearedByUpdate)
            line = QStringLiteral(" %1").arg(channel);
        else if (!Held(radio.before, channel).isEmpty())  // a blank channel's line stays a clear line
            line = line.leftJustified(80, u' ').left(70) + QStringLiteral("BENCH %1").arg(channel, 4, 10, QChar(u'0'));
    }
    lines << QStringLiteral(" END");
    WriteLinesAtomically(run.path(QStringLiteral("TALVEX.TXT")), lines);
    QString name = QStringLiteral("TALVEX.TXT");
    ShowOpening(run.dialogs, run.exit, run.program->dataFile.OpenDataFile(name, FileMode::Input));
    const std::size_t before = run.dialogs.messages.size() + 1;
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memoryWindow.updateRig();
    run.runUntil([&] { return !run.program->state.anyMemoryOperationRunning(); }, 240000);
    const QString message = LastMessage(run, before);
    const Memory held = radio.after();
    Outcome outcome{FirstLine(message), WrongBackupLines(run, radio.before)};
    outcome.wrongNotNamed += ChangedOutside(radio.before, held, kUpdateChannels + 1, 99);
    if (WroteNothing(message)) {
        outcome.wrongNotNamed += ChangedOutside(radio.before, held, 1, kUpdateChannels);
        return outcome;
    }
    for (int channel = 1; channel <= kUpdateChannels; ++channel) {
        if (Named(message, channel))
            continue;
        // The select mark (columns 57-70) is the radio's own: a written channel keeps its group.
        const auto visible = [](const QString& line) { return (line.left(56) + line.mid(70)).trimmed(); };
        const bool right = channel == kClearedByUpdate
            ? Held(held, channel).isEmpty()
            : visible(testing::ExpectedLine(channel, Held(held, channel))) == visible(lines[channel - 1]);
        if (!right)
            outcome.wrongNotNamed += Wrong("not as the file says", channel, Held(held, channel));
    }
    return outcome;
}

Outcome CreateFile(const QString& settings, const Fault& fault, const QString& demoPath)
{
    Radio radio(demoPath);
    BenchProgram run(settings, QStringList{QStringLiteral("--memory"), radio.memoryPath} + fault.arguments);
    if (!run.startUp())
        return {QStringLiteral("start-up failed"), 0};
    const QByteArray oldFile = " 1            07.100.0      LSB           Fil 1\r\n END\r\n";
    QFile old(run.path(QStringLiteral("TALVEX.TXT")));
    old.open(QIODevice::WriteOnly | QIODevice::Truncate);
    old.write(oldFile);
    old.close();
    QString name = QStringLiteral("TALVEX.TXT");
    ShowOpening(run.dialogs, run.exit, run.program->dataFile.OpenDataFile(name, FileMode::Input));
    const std::size_t before = run.dialogs.messages.size() + 1;
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memoryWindow.createFile();
    run.runUntil([&] { return !run.program->state.anyMemoryOperationRunning(); }, 240000);
    const QString message = LastMessage(run, before);
    const QByteArray written = ReadAll(run.path(QStringLiteral("TALVEX.TXT")));
    Outcome outcome{FirstLine(message), ChangedOutside(radio.before, radio.after(), 1, 99)};
    if (!message.isEmpty()) {
        outcome.wrongNotNamed += written != oldFile;  // a stop must leave the old file
        return outcome;
    }
    const QStringList lines = QString::fromLatin1(written).split(QStringLiteral("\r\n"));
    const QStringList expected = testing::ExpectedChannelLines(radio.before);
    for (int i = 0; i < 99; ++i) {
        if (lines.size() <= i + 3 || lines[i + 3] != expected[i])
            outcome.wrongNotNamed += Wrong("wrong in the file", i + 1);
    }
    return outcome;
}

// Channels 25-34 blanked (the demo holds all but one of them): the backup holds them as they
// were, each ends blank or named, and no channel outside the range changes.
Outcome BlankRig(const QString& settings, const Fault& fault, const QString& demoPath)
{
    Radio radio(demoPath);
    BenchProgram run(settings, QStringList{QStringLiteral("--memory"), radio.memoryPath} + fault.arguments);
    if (!run.startUp())
        return {QStringLiteral("start-up failed"), 0};
    const std::size_t before = run.dialogs.messages.size() + 1;
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.dialogs.answerInput(QString::number(kBlankFirst));
    run.dialogs.answerInput(QString::number(kBlankLast));
    run.program->memoryWindow.blankRig();
    run.runUntil([&] { return !run.program->state.anyMemoryOperationRunning(); }, 240000);
    const QString message = LastMessage(run, before);
    const Memory held = radio.after();
    Outcome outcome{FirstLine(message), WrongBackupLines(run, radio.before)};
    outcome.wrongNotNamed += ChangedOutside(radio.before, held, 1, kBlankFirst - 1);
    outcome.wrongNotNamed += ChangedOutside(radio.before, held, kBlankLast + 1, 99);
    if (WroteNothing(message)) {
        outcome.wrongNotNamed += ChangedOutside(radio.before, held, kBlankFirst, kBlankLast);
        return outcome;
    }
    for (int channel = kBlankFirst; channel <= kBlankLast; ++channel) {
        if (!Named(message, channel) && !Held(held, channel).isEmpty())
            outcome.wrongNotNamed += Wrong("not cleared", channel, Held(held, channel));
    }
    return outcome;
}

QStringList BitFlips(const char* rateOfBits)
{
    return {QStringLiteral("--bit-flips"), QString::fromLatin1(rateOfBits), QStringLiteral("--bit-flips-in"),
            QString::fromLatin1(rateOfBits)};
}

}  // namespace
}  // namespace talvex::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication application(argc, argv);
    using namespace talvex::bench;
    const QString demoPath = talvex::testing::DemoMemoryPath(TALVEX_DEMO_DIR);
    // One flipped bit in 1 000 and in 200 bytes: eight bits a byte.
    const Fault faults[] = {
        {"none", {}},
        {"silent from 12", {QStringLiteral("--silent-from"), QStringLiteral("12")}, kUpdate | kCreate},
        {"silent from 30", {QStringLiteral("--silent-from"), QStringLiteral("30")}, kBlank},
        {"NG on 7", {QStringLiteral("--refuse-write"), QStringLiteral("7")}, kUpdate},
        {"stored wrong 13", {QStringLiteral("--store-wrong"), QStringLiteral("13")}, kUpdate},
        {"flips 1/1000 B", BitFlips("0.000125")},
        {"flips 1/200 B", BitFlips("0.000625")},
        {"select 5 lost", {QStringLiteral("--lose-once"), QStringLiteral("080005")}, kUpdate},
        {"select 30 lost", {QStringLiteral("--lose-once"), QStringLiteral("080030")}, kBlank},
        {"noise", {QStringLiteral("--fault"), QStringLiteral("noise")}},
        {"answers cut", {QStringLiteral("--fault"), QStringLiteral("truncate")}},
    };
    const std::pair<int, std::pair<const char*, Outcome (*)(const QString&, const Fault&, const QString&)>> operations[] = {
        {kUpdate, {"Update Rig", &UpdateRig}}, {kCreate, {"Create File", &CreateFile}}, {kBlank, {"Blank Rig", &BlankRig}}};
    // Optional filters for a closer look: a part of the fault's name, then a rate ("4800").
    const QString onlyFault = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString onlyRate = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    int falseSuccesses = 0;
    int wrongNotNamed = 0;
    std::printf("%-6s %-16s %-11s %-62s %s\n", "baud", "fault", "operation", "outcome", "wrong, not named");
    for (const char* settings : {"4800,N,8,1", "9600,N,8,1", "19200,N,8,1"}) {
        const QString rate = QString::fromLatin1(settings).section(u',', 0, 0);
        if (!onlyRate.isEmpty() && rate != onlyRate)
            continue;
        for (const Fault& fault : faults) {
            if (!QString::fromLatin1(fault.name).contains(onlyFault))
                continue;
            for (const auto& [bit, operation] : operations) {
                if (!(fault.operations & bit))
                    continue;
                const Outcome outcome = operation.second(QString::fromLatin1(settings), fault, demoPath);
                falseSuccesses += outcome.wrongNotNamed > 0;
                wrongNotNamed += outcome.wrongNotNamed;
                std::printf("%-6s %-16s %-11s %-62s %d\n", qPrintable(rate), fault.name, operation.first,
                            qPrintable(outcome.how), outcome.wrongNotNamed);
                std::fflush(stdout);
            }
        }
    }
    std::printf("false successes: %d\n", falseSuccesses);
    std::printf("channels wrong and not named: %d\n", wrongNotNamed);
    return falseSuccesses == 0 && wrongNotNamed == 0 ? 0 : 1;
}
