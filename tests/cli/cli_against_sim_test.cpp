// talvex-mem against talvex-sim: what the simulator's memory holds after each command, the files
// left on disk, and the exit code each real cause gives.
#include "mem_process.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <memory>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

// The channel lines of a data file (" 12 ..."), in file order.
QStringList ChannelLinesOf(const QString& path)
{
    QFile file(path);
    QStringList lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QRegularExpression channel(QStringLiteral("^ [0-9]{1,2} "));
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).remove(u'\r');
        if (channel.match(line).hasMatch())
            lines << line;
    }
    return lines;
}

// The first of channels 1-99 whose record differs, 0 when none does (the simulator's file also
// holds the two scan edges, which no command touches).
int FirstDifferentChannel(const Memory& a, const Memory& b)
{
    for (int channel = 1; channel <= 99; ++channel) {
        if (a.count(channel) != b.count(channel) || (a.count(channel) && a.at(channel) != b.at(channel)))
            return channel;
    }
    return 0;
}

QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class CliAgainstSim : public ::testing::Test {
protected:
    void start(int baud, const QStringList& simArguments = {}, const QString& memorySource = DemoMemoryPath(TALVEX_DEMO_DIR))
    {
        baud_ = baud;
        sim_.reset();  // a radio started again holds what its new memory file says
        QFile::remove(memoryPath());
        ASSERT_TRUE(QFile::copy(memorySource, memoryPath()));
        sim_ = std::make_unique<SimProcess>(folder_.path(), QStringList{"--baud", QString::number(baud), "--memory",
                                                                         memoryPath()} + simArguments);
        ASSERT_TRUE(sim_->ready());
        original_ = ReadMemory(memoryPath());
        ASSERT_EQ(original_.size(), 99u);
    }
    // The = form of the options, as a script may write them.
    QStringList line() const { return {"--port=COM1", "--baud=" + QString::number(baud_)}; }
    MemRun mem(const QStringList& arguments) const { return RunMem(folder_.path(), line() + arguments); }
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    QString memoryPath() const { return path("sim-memory.txt"); }
    QString backupFolder() const { return path("BACKUP"); }
    Memory memory() const { return ReadMemory(memoryPath()); }

    // The radio's channels as a data file, channels 5 and 7 with a new label.
    QString fileWithTwoChanges()
    {
        QStringList lines = ExpectedChannelLines(original_);
        for (const int channel : {5, 7})
            lines[channel - 1] = lines[channel - 1].left(70) + QStringLiteral("CHANGED   ");
        QFile out(path("changed.txt"));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write((lines.join(u'\n') + QStringLiteral("\n END\n")).toLatin1());
        return QStringLiteral("changed.txt");
    }

    QTemporaryDir folder_;
    std::unique_ptr<SimProcess> sim_;
    Memory original_;
    int baud_ = 19200;
};

class CliReadAtRate : public CliAgainstSim, public ::testing::WithParamInterface<int> {};

TEST_P(CliReadAtRate, ReadWritesEveryChannelAsTheRadioHoldsIt)
{
    start(GetParam());
    const MemRun run = mem({"read", "out.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(ChannelLinesOf(path("out.txt")), ExpectedChannelLines(original_));
    EXPECT_TRUE(run.out.contains("channels 1-99 read into")) << run.out.constData();
    // Nothing but the file, the simulator's own files and its link is left in the folder.
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "out.txt", "sim-memory.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Rates, CliReadAtRate, ::testing::Values(19200, 115200));

TEST_F(CliAgainstSim, WithoutPortAndBaudTheyComeFromTalvexIni)
{
    start(57600);
    QFile ini(path("TALVEX.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("TALVEX CONFIGURATION FILE (TALVEX.INI)\n \n[DeftFile] TALVEX.TXT\n[CallSign] N0CALL\n"
              "[CommPort] COM1\n[CommBaud] 57600,N,8,1\n \nEND\n");
    ini.close();
    const MemRun run = RunMem(folder_.path(), {"read", "out.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(ChannelLinesOf(path("out.txt")), ExpectedChannelLines(original_));
    // --port wins over the file: there is no COM9 here.
    const MemRun other = RunMem(folder_.path(), {"--port", "COM9", "read", "other.txt"});
    EXPECT_EQ(other.exitCode, 3);
    EXPECT_EQ(other.err, "talvex-mem: the port COM9 cannot be opened: no such device (no COM9 in " + folder_.path().toUtf8()
                             + ", no /dev/ttyUSB8)\n");
    EXPECT_FALSE(QFile::exists(path("other.txt")));
}

// A read carries each channel's whole record (--records, once needed for it, is still taken);
// --plain leaves the records out.
TEST_F(CliAgainstSim, ReadCarriesWholeRecordsUnlessPlain)
{
    start(115200);
    for (const QStringList& options : {QStringList{}, QStringList{"--records"}, QStringList{"--plain"}}) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        ASSERT_EQ(mem(QStringList{"read", "out.txt"} + options).exitCode, 0);
        EXPECT_EQ(ChannelLinesOf(path("out.txt")),
                  ExpectedChannelLines(original_, !options.contains("--plain")));
    }
}

// "-": read puts the file on standard output (its report on standard error), write takes the
// data file from standard input.
TEST_F(CliAgainstSim, DashIsStandardOutputForReadAndStandardInputForWrite)
{
    start(115200);
    const MemRun read = mem({"read", "-"});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    const QStringList lines = QString::fromLatin1(read.out).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(original_));
    EXPECT_EQ(lines.value(105).trimmed(), u"END");
    EXPECT_TRUE(read.err.endsWith("read: channels 1-99 read into standard output\n")) << read.err.constData();
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "sim-memory.txt"}));

    const MemRun written = RunMem(folder_.path(), line() + QStringList{"write", "-"}, BytesOf(path(fileWithTwoChanges())));
    ASSERT_EQ(written.exitCode, 0) << written.err.constData();
    EXPECT_TRUE(written.out.contains("write: 2 channels written and verified")) << written.out.constData();
    EXPECT_EQ(memory().at(5).mid(31, 10), "CHANGED   ");
}

// Data mode, tones, split, select groups, 1 Hz digits: all through CHIRP's CSV and back.
TEST_F(CliAgainstSim, TheRadiosRecordsThroughExportImportAndWriteArriveByteForByte)
{
    start(115200, {}, QStringLiteral(TALVEX_SOURCE_DIR "/tests/support/rich-memory.txt"));
    const Memory rich = original_;
    const MemRun exported = mem({"export", "radio.csv", "--from-radio"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.constData();
    EXPECT_TRUE(exported.out.startsWith("Export: ")) << exported.out.constData();
    EXPECT_TRUE(exported.out.contains(" channels from the radio written to ")) << exported.out.constData();
    // The read went through a file of its own, elsewhere: only the CSV is new here.
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "radio.csv", "sim-memory.txt"}));

    // A data file with records gives the same CSV, and comes back from it byte for byte.
    ASSERT_EQ(mem({"read", "--records", "radio.txt"}).exitCode, 0);
    ASSERT_EQ(mem({"export", "file.csv", "--from", "radio.txt"}).exitCode, 0);
    EXPECT_EQ(BytesOf(path("file.csv")), BytesOf(path("radio.csv")));
    ASSERT_TRUE(QDir(folder_.path()).mkdir("back"));
    ASSERT_EQ(mem({"import", "file.csv", "back/radio.txt", "--full", "--strict"}).exitCode, 0);
    EXPECT_EQ(BytesOf(path("back/radio.txt")), BytesOf(path("radio.txt")));

    // Another radio, holding other channels, takes the CSV's channels and clears the rest.
    start(115200);
    ASSERT_NE(FirstDifferentChannel(memory(), rich), 0);
    const MemRun imported = mem({"import", "radio.csv", "channels.txt", "--full"});
    ASSERT_EQ(imported.exitCode, 0) << imported.out.constData();
    const MemRun written = mem({"write", "channels.txt"});
    ASSERT_EQ(written.exitCode, 0) << written.out.constData() << written.err.constData();
    const Memory after = memory();
    for (int channel = 1; channel <= 99; ++channel) {
        ASSERT_TRUE(after.count(channel)) << channel;
        EXPECT_EQ(after.at(channel).toHex(' '), rich.at(channel).toHex(' ')) << channel;
    }
}

TEST_F(CliAgainstSim, ExportFromASilentRadioIsExitCode3AndWritesNoCsv)
{
    start(19200, {"--fault", "silent"});
    const MemRun run = mem({"export", "radio.csv", "--from-radio"});
    EXPECT_EQ(run.exitCode, 3) << run.err.constData();
    EXPECT_TRUE(run.err.contains("Nothing at all came back from the radio on COM1.")) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "sim-memory.txt"}));
}

TEST_F(CliAgainstSim, WriteOfAnUnchangedFileChangesNothingAndExitsZero)
{
    start(115200);
    ASSERT_EQ(mem({"read", "radio.txt"}).exitCode, 0);
    const MemRun run = mem({"--json", "write", "radio.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("\"written\": 0")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("\"kept\": 99")) << run.out.constData();
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
}

TEST_F(CliAgainstSim, WriteOfTwoChangedLinesWritesExactlyThoseTwoChannels)
{
    start(19200);
    const MemRun run = mem({"write", fileWithTwoChanges()});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("write: 2 channels written and verified, 97 already as the file says"))
        << run.out.constData();
    const Memory after = memory();
    for (int channel = 1; channel <= 99; ++channel) {
        if (channel == 5 || channel == 7) {
            EXPECT_EQ(after.at(channel).mid(31, 10), "CHANGED   ") << channel;
            EXPECT_EQ(after.at(channel).left(31), original_.at(channel).left(31)) << "settings kept, " << channel;
        } else {
            EXPECT_EQ(after.at(channel), original_.at(channel)) << channel;
        }
    }
    // The backup taken first holds the channels as they were.
    ASSERT_EQ(FilesIn(backupFolder()).size(), 1);
}

TEST_F(CliAgainstSim, RestoreOfABackupGivesBackEveryRecordByteForByte)
{
    start(115200);
    ASSERT_EQ(mem({"write", fileWithTwoChanges()}).exitCode, 0);
    const QStringList backups = FilesIn(backupFolder());
    ASSERT_EQ(backups.size(), 1);
    ASSERT_EQ(mem({"blank", "1-99"}).exitCode, 0);
    for (int channel = 1; channel <= 99; ++channel)
        ASSERT_TRUE(memory().at(channel).isEmpty()) << channel;

    // Beside it: a backup a crash cut short, one an older version left empty, and a claim still
    // being written. Only the complete one is listed; the cut ones are named on standard error.
    const QByteArray whole = BytesOf(QDir(backupFolder()).filePath(backups.front()));
    for (const auto& [name, bytes] : {std::pair{"20261101-000000.TXT", whole.left(whole.size() / 2)},
                                      std::pair{"20261102-000000.TXT", QByteArray()},
                                      std::pair{".20261103-000000.TXT.part", whole.left(300)}}) {
        QFile file(QDir(backupFolder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const MemRun listed = mem({"backups"});
    const QStringList shown = QString::fromUtf8(listed.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(shown.size(), 2) << listed.out.constData();  // the write's and the blank's
    EXPECT_EQ(shown.front(), QDir(backupFolder()).filePath(backups.front()));
    EXPECT_EQ(listed.err.count("is not a complete backup"), 2) << listed.err.constData();
    EXPECT_TRUE(listed.err.contains("20261101-000000.TXT is not a complete backup (it ends before its END line"))
        << listed.err.constData();
    // Restoring one cut short writes nothing.
    const MemRun cut = mem({"restore", "20261101-000000.TXT"});
    EXPECT_EQ(cut.exitCode, 5) << cut.err.constData();
    EXPECT_TRUE(cut.err.contains("20261101-000000.TXT is not a complete backup: it ends before its END line"))
        << cut.err.constData();
    for (int channel = 1; channel <= 99; ++channel)
        ASSERT_TRUE(memory().at(channel).isEmpty()) << channel;

    const MemRun run = mem({"--json", "restore", backups.front()});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    // Every channel the blank cleared is written back and verified; the ones blank before stay so.
    const auto held = std::count_if(original_.begin(), original_.end(), [](const auto& c) { return !c.second.isEmpty(); });
    EXPECT_TRUE(run.out.contains("\"verified\": " + QByteArray::number(held) + ",")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("\"kept\": " + QByteArray::number(99 - held) + ",")) << run.out.constData();
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
}

TEST_F(CliAgainstSim, BlankClearsOnlyItsRangeAndVerifiesEach)
{
    start(115200);
    ASSERT_FALSE(original_.at(3).isEmpty());
    ASSERT_FALSE(original_.at(4).isEmpty());
    const MemRun run = mem({"blank", "3-4"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("blank: 2 of 2 channels verified")) << run.out.constData();
    const Memory after = memory();
    EXPECT_EQ(after.at(2), original_.at(2));
    EXPECT_TRUE(after.at(3).isEmpty());
    EXPECT_TRUE(after.at(4).isEmpty());
    EXPECT_EQ(after.at(5), original_.at(5));
}

// A radio whose CI-V address was changed on its menu answers only there: without --address the
// run fails as with a radio switched off; with it, written as the menu shows it or not, every
// frame goes there and every channel is read and cleared as at 94.
TEST_F(CliAgainstSim, ARadioAtAnotherAddressIsReachedOnlyWithAddress)
{
    start(115200, {"--address", "98"});
    const MemRun without = mem({"read", "out.txt"});
    EXPECT_EQ(without.exitCode, 3) << without.err.constData();
    EXPECT_TRUE(without.err.contains("its CI-V address is not 94h")) << without.err.constData();
    EXPECT_FALSE(QFile::exists(path("out.txt")));
    const MemRun read = mem({"--address", "98", "read", "out.txt"});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    EXPECT_EQ(ChannelLinesOf(path("out.txt")), ExpectedChannelLines(original_));
    ASSERT_FALSE(original_.at(3).isEmpty());
    const MemRun blank = mem({"--address=98h", "blank", "3-3"});
    ASSERT_EQ(blank.exitCode, 0) << blank.err.constData();
    EXPECT_TRUE(memory().at(3).isEmpty());
    EXPECT_EQ(memory().at(4), original_.at(4));
}

// A bit in about 30 bytes of the radio's answers turned over (from a seed whose start-up questions come
// through): the reads never agree, and that is the line's doing, not a file's.
TEST_F(CliAgainstSim, ALineThatGarblesTheAnswersIsExitCode3AndLeavesNoFile)
{
    start(115200, {"--bit-flips", "0.004", "--seed", "1"});
    const MemRun run = mem({"read", "out.txt"});
    EXPECT_EQ(run.exitCode, 3) << run.err.constData();
    EXPECT_TRUE(run.out.contains("read: stopped: The line garbles bytes (the radio's answers for channel ")) << run.out.constData();
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "sim-memory.txt"}));
}

TEST_F(CliAgainstSim, ARadioSilentBeforeAWriteIsExitCode3AndNothingIsWritten)
{
    start(19200, {"--silent-from", "3"});
    const MemRun run = mem({"write", fileWithTwoChanges()});
    EXPECT_EQ(run.exitCode, 3) << run.err.constData();
    EXPECT_TRUE(run.out.contains("No channel was changed and verified.")) << run.out.constData();
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
    EXPECT_EQ(FilesIn(backupFolder()), QStringList());
}

TEST_F(CliAgainstSim, ARefusedWriteIsExitCode4NamingTheChannel)
{
    start(115200, {"--refuse-write", "7"});
    const MemRun run = mem({"--json", "write", fileWithTwoChanges()});
    EXPECT_EQ(run.exitCode, 4) << run.err.constData();
    EXPECT_TRUE(run.out.contains("\"channel\": 7")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("refused")) << run.out.constData();
    EXPECT_EQ(memory().at(7), original_.at(7));
    EXPECT_EQ(memory().at(5).mid(31, 10), "CHANGED   ");
}

TEST_F(CliAgainstSim, AFileThatCannotBeReadIsExitCode5AndTheRadioUntouched)
{
    start(19200);
    EXPECT_EQ(mem({"write", "missing.txt"}).exitCode, 5);
    QFile noChannels(path("nochannels.txt"));
    ASSERT_TRUE(noChannels.open(QIODevice::WriteOnly));
    noChannels.write("* only a comment\n END\n");
    noChannels.close();
    const MemRun run = mem({"write", "nochannels.txt"});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.err.contains("has no channel lines")) << run.err.constData();
    EXPECT_EQ(mem({"restore", "no-such-backup.TXT"}).exitCode, 5);
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
    EXPECT_FALSE(QDir(backupFolder()).exists());
}

struct LineCase {
    const char* story;
    QStringList simArguments;
    QStringList command;
    const char* advice;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.story; }

class CliConnectionAdvice : public CliAgainstSim, public ::testing::WithParamInterface<LineCase> {};

// Before anything is read or written the radio is asked the start-up questions and judged as the
// windows judge it: a radio set wrong or silent is named with the windows' advice, exit code 3,
// and no file, backup or channel changes.
TEST_P(CliConnectionAdvice, NamesTheRadioSettingAtFaultAndTouchesNothing)
{
    start(19200, GetParam().simArguments);
    const QString changed = fileWithTwoChanges();
    const QStringList files = FilesIn(folder_.path());
    const MemRun run = mem(QStringList(GetParam().command).replaceInStrings("CHANGED", changed));
    EXPECT_EQ(run.exitCode, 3) << run.err.constData();
    EXPECT_TRUE(run.err.contains(GetParam().advice)) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(FilesIn(folder_.path()), files);
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Line, CliConnectionAdvice,
    ::testing::Values(LineCase{"another_rate", {"--line-baud", "9600"}, {"read", "out.txt"}, "is not TALVEX's 19200"},
                      LineCase{"nothing_at_all", {"--fault", "silent"}, {"read", "out.txt"},
                               "Nothing at all came back from the radio on COM1."},
                      LineCase{"another_address", {"--address", "B6"}, {"write", "CHANGED"},
                               "or its CI-V address is not 94h."},
                      LineCase{"echo_off", {"--echo", "off"}, {"blank", "3-3"}, "CI-V USB Echo Back to ON."}),
    [](const auto& info) { return std::string(info.param.story); });

// Ctrl-C is sent once the progress shows `stage` `times` times (a log shows each stage at its
// start and every quarter); the process is then waited for.
MemRun InterruptAt(const QString& folder, const QStringList& arguments, const QByteArray& stage, int times = 1)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(TALVEX_MEM_PATH), arguments);
    process.closeWriteChannel();
    QByteArray err;
    while (err.count(stage) < times && process.state() != QProcess::NotRunning && process.waitForReadyRead(20'000))
        err += process.readAllStandardError();
    if (process.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    process.waitForFinished(30'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            err + process.readAllStandardError()};
}

TEST_F(CliAgainstSim, CtrlCWhileReadingLeavesNoHalfFile)
{
    start(19200);
    const MemRun run = InterruptAt(folder_.path(), line() + QStringList{"read", "out.txt"}, "read: channel 25\n");
    EXPECT_EQ(run.exitCode, 130) << run.err.constData();
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "sim-memory.txt"}));
}

TEST_F(CliAgainstSim, CtrlCWhileExportingFromTheRadioLeavesTheOldCsv)
{
    start(19200);
    QFile old(path("radio.csv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old list\r\n");
    old.close();
    const MemRun run = InterruptAt(folder_.path(), line() + QStringList{"--json", "export", "radio.csv", "--from-radio"},
                                   "read: channel 25\n");
    EXPECT_EQ(run.exitCode, 130) << run.err.constData();
    // Stopped before its report: the one JSON object says so.
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(object.value("exitCode").toInt(), 130) << run.out.constData();
    EXPECT_EQ(object.value("result").toString(), u"interrupted");
    EXPECT_EQ(BytesOf(path("radio.csv")), "the old list\r\n");
    EXPECT_EQ(FilesIn(folder_.path()), (QStringList{"COM1", "radio.csv", "sim-memory.txt"}));
}

TEST_F(CliAgainstSim, CtrlCWhileSavingTheBackupDiscardsItAndWritesNothing)
{
    start(19200);
    const QString file = fileWithTwoChanges();
    const MemRun run = InterruptAt(folder_.path(), line() + QStringList{"write", file}, "Saving channel 25 of 99");
    EXPECT_EQ(run.exitCode, 130) << run.err.constData();
    EXPECT_TRUE(run.out.contains("No channel was changed and verified.")) << run.out.constData();
    EXPECT_EQ(FilesIn(backupFolder()), QStringList());
    EXPECT_EQ(FirstDifferentChannel(memory(), original_), 0);
}

// Lines the radio cannot take are named before the backup and left out: no write frame for their
// channels ever reaches the radio (the simulator's frame log), they are no failed channels, and
// the exit code (6) says lines were left out while every channel written verified. A label that
// differs from the radio's in its tenth character only is written.
TEST_F(CliAgainstSim, LinesTheRadioCannotTakeAreNamedAndNeverReachIt)
{
    start(115200, {"--log", path("frames.log")});
    QStringList lines = ExpectedChannelLines(original_, false);
    const QString label6 = QString::fromLatin1(original_.at(6).mid(31, 9)) + u'#';
    lines[5] = lines[5].left(70) + label6;
    const struct {
        int channel;
        QString line;
        const char* why;
    } skipped[] = {
        {7, lines[6].left(14) + QStringLiteral("80.000.0") + lines[6].mid(22),
         "frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it"},
        {8, lines[7].left(22), "the mode zone (column 29) is empty"},
        {9, lines[8].left(69) + QStringLiteral("MYLABEL"),
         "\"M\" in column 70 (the label starts at column 71) stands outside every zone"},
        {10, lines[9].left(28) + QStringLiteral("XYZ           ") + lines[9].mid(42), "mode \"XYZ\" is no mode the radio has"},
    };
    QJsonArray expected;
    for (const auto& skip : skipped) {
        lines[skip.channel - 1] = skip.line;
        expected.append(QJsonObject{{"line", skip.channel}, {"channel", skip.channel}, {"why", skip.why}});
    }
    QFile out(path("skip.txt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write((lines.join(u'\n') + QStringLiteral("\n END\n")).toLatin1());
    out.close();

    const MemRun run = mem({"--json", "write", "skip.txt"});
    EXPECT_EQ(run.exitCode, 6) << run.err.constData();
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(object["exitCode"].toInt(), 6);
    EXPECT_EQ(object["result"].toString(), u"verified");
    EXPECT_EQ(object["verified"].toInt(), 1);
    EXPECT_TRUE(object["failed"].toArray().isEmpty()) << run.out.constData();
    EXPECT_EQ(object["skipped"].toArray(), expected);
    EXPECT_TRUE(run.err.startsWith("talvex-mem: skipping line 7 (channel 7): frequency 80.000.0")) << run.err.constData();
    EXPECT_EQ(memory().at(6).mid(31, 10), label6.toLatin1());
    QFile log(path("frames.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QRegularExpression write(QStringLiteral(" in FE FE 94 E0 1A 00 00 ([0-9]{2}) .. "));
    QStringList written;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (const auto match = write.match(QString::fromLatin1(line)); match.hasMatch())
            written << match.captured(1);
    }
    EXPECT_EQ(written, QStringList{"06"});
    for (const auto& skip : skipped)
        EXPECT_EQ(memory().at(skip.channel), original_.at(skip.channel)) << skip.channel;

    const MemRun text = mem({"write", "skip.txt"});
    EXPECT_EQ(text.exitCode, 6);
    EXPECT_TRUE(text.out.contains("Skipped line 10 (channel 10): mode \"XYZ\" is no mode the radio has\n"))
        << text.out.constData();
}

// COMn is found as the windows find it, a COMn link in the working directory first, in any
// letter case; a device path may be relative to the working directory.
TEST_F(CliAgainstSim, ThePortIsFoundAsTheWindowsFindIt)
{
    baud_ = 115200;
    sim_ = std::make_unique<SimProcess>(folder_.path(), QStringList{"--baud", "115200", "--link", "COM2"});
    ASSERT_TRUE(sim_->ready());
    for (const char* port : {"COM2", "com2", "./COM2"}) {
        SCOPED_TRACE(port);
        const MemRun run = RunMem(folder_.path(), {"--port", port, "--baud", "115200", "--quiet", "blank", "99"});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.err, QByteArray());  // --quiet: no progress
    }
}

}  // namespace
}  // namespace talvex::testing
