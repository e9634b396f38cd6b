// talvex-mem diff and write --dry-run against talvex-sim: what they print, their exit codes, and
// that the simulator's memory is byte for byte what it was.
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

#include <csignal>
#include <memory>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

class CliDiff : public ::testing::Test {
protected:
    void start(const QStringList& simArguments = {})
    {
        ASSERT_TRUE(QFile::copy(DemoMemoryPath(TALVEX_DEMO_DIR), memoryPath()));
        sim_ = std::make_unique<SimProcess>(
            folder_.path(),
            QStringList{"--baud", "115200", "--memory", memoryPath(), "--log", path("frames.log")} + simArguments);
        ASSERT_TRUE(sim_->ready());
        original_ = ReadMemory(memoryPath());
        originalBytes_ = memoryBytes();
        ASSERT_EQ(original_.size(), 99u);
    }
    MemRun mem(const QStringList& arguments) const
    {
        return RunMem(folder_.path(), QStringList{"--port", "COM1", "--baud", "115200"} + arguments);
    }
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    QString memoryPath() const { return path("sim-memory.txt"); }
    QByteArray memoryBytes() const
    {
        QFile file(memoryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The memory file as it was, no backup, and every frame the simulator took a memory read or a
    // start-up question: a write of what a channel already holds would leave the file alike, never
    // the frame log.
    void expectRadioUntouched() const
    {
        EXPECT_EQ(memoryBytes(), originalBytes_);
        EXPECT_FALSE(QDir(path("BACKUP")).exists());
        QFile log(path("frames.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QRegularExpression read(
            QStringLiteral("^[0-9]+ in FE FE 94 E0 (1A 00 0[01] [0-9]{2}|03|04|19 00|1A 05 00 91) FD$"));
        int frames = 0;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.contains(" in ")) {
                ++frames;
                EXPECT_TRUE(read.match(QString::fromLatin1(line)).hasMatch()) << line.constData();
            }
        }
        EXPECT_GT(frames, 0);
    }

    // The radio's channels as a data file: channel 5 with a new label, channel 7 on another
    // frequency and mode.
    QString fileWithTwoChanges()
    {
        QStringList lines = ExpectedChannelLines(original_);
        lines[4] = lines[4].left(70) + QStringLiteral("CHANGED   ");
        lines[6] = lines[6].left(14) + QStringLiteral("03.555.0      CW            ") + lines[6].mid(42);
        QFile out(path("changed.txt"));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n END\r\n")).toLatin1());
        return QStringLiteral("changed.txt");
    }

    QTemporaryDir folder_;
    std::unique_ptr<SimProcess> sim_;
    Memory original_;
    QByteArray originalBytes_;
};

TEST_F(CliDiff, AnUnchangedFileIsNoChangeExitZeroAndTheRadioUntouched)
{
    start();
    ASSERT_EQ(mem({"read", "radio.txt"}).exitCode, 0);
    originalBytes_ = memoryBytes();  // a read changes nothing either, but the diff is what is asked
    const MemRun run = mem({"diff", "radio.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "no change\n");
    expectRadioUntouched();
}

TEST_F(CliDiff, TwoChangedLinesNameExactlyThoseChannelsAndTheirFieldsAndWriteNothing)
{
    start();
    const QString file = fileWithTwoChanges();
    const QString label5 = QString::fromLatin1(original_.at(5).mid(31, 10)).trimmed();
    for (const QStringList& command : {QStringList{"diff", file}, QStringList{"write", "--dry-run", file}}) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        const MemRun run = mem(command);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QStringList lines = QString::fromLatin1(run.out).split(u'\n', Qt::SkipEmptyParts);
        const QStringList channelLines = lines.filter(QRegularExpression(QStringLiteral("^Channel ")));
        ASSERT_EQ(channelLines.size(), 2) << run.out.constData();
        EXPECT_EQ(channelLines[0], QStringLiteral("Channel 5: label \"%1\" -> \"CHANGED\"").arg(label5));
        EXPECT_TRUE(channelLines[1].startsWith(QStringLiteral("Channel 7: frequency "))) << qPrintable(channelLines[1]);
        EXPECT_TRUE(channelLines[1].contains(QStringLiteral("-> 03.555.0, mode "))) << qPrintable(channelLines[1]);
        EXPECT_TRUE(channelLines[1].endsWith(QStringLiteral("-> CW"))) << qPrintable(channelLines[1]);
        EXPECT_TRUE(lines.contains(QStringLiteral(
            "write would write 2 and clear 0 channel(s); 97 already as the file says")))
            << run.out.constData();
        expectRadioUntouched();
    }

    const MemRun json = mem({"--json", "diff", file});
    EXPECT_EQ(json.exitCode, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(object.value("result").toString(), u"compared");
    EXPECT_EQ(object.value("write").toInt(), 2);
    EXPECT_EQ(object.value("unchanged").toInt(), 97);
    QStringList written;
    for (const QJsonValue& channel : object.value("channels").toArray()) {
        if (channel["action"].toString() == u"write")
            written << QString::number(channel["channel"].toInt()) + u':' + channel["fields"][0]["field"].toString();
    }
    EXPECT_EQ(written, (QStringList{"5:label", "7:frequency"}));
    expectRadioUntouched();
}

TEST_F(CliDiff, CtrlCWhileReadingIsExitCode130AndComparesNothing)
{
    start();
    QProcess process;
    process.setWorkingDirectory(folder_.path());
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(TALVEX_MEM_PATH),
                  {"--port", "COM1", "--baud", "115200", "--json", "diff", fileWithTwoChanges()});
    QByteArray err;
    while (!err.contains("Reading channel 25 of 99") && process.state() != QProcess::NotRunning
           && process.waitForReadyRead(20'000))
        err += process.readAllStandardError();
    ASSERT_EQ(process.state(), QProcess::Running) << err.constData();
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30'000));
    EXPECT_EQ(process.exitCode(), 130);
    const QJsonObject object = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    EXPECT_EQ(object.value("result").toString(), u"interrupted");
    EXPECT_TRUE(object.value("channels").toArray().isEmpty());
    expectRadioUntouched();
}

TEST_F(CliDiff, AMissingFileIsExitCode5AndDryRunBelongsToWrite)
{
    start();
    EXPECT_EQ(mem({"diff", "missing.txt"}).exitCode, 5);
    const MemRun misplaced = mem({"blank", "--dry-run", "1-5"});
    EXPECT_EQ(misplaced.exitCode, 2);
    EXPECT_TRUE(misplaced.err.contains("--dry-run belongs to write")) << misplaced.err.constData();
    EXPECT_EQ(memoryBytes(), originalBytes_);
}

// A line write would leave out is named, and the diff exits 6 as the write would.
TEST_F(CliDiff, ALineWriteWouldSkipIsNamedAndExitCode6)
{
    start();
    QStringList lines = ExpectedChannelLines(original_);
    lines[6] = lines[6].left(28) + QStringLiteral("XYZ           ") + lines[6].mid(42);
    QFile out(path("skip.txt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n END\r\n")).toLatin1());
    out.close();
    const MemRun run = mem({"diff", "skip.txt"});
    EXPECT_EQ(run.exitCode, 6) << run.err.constData();
    EXPECT_EQ(run.out, "Channel 7: skipped: mode \"XYZ\" is no mode the radio has\nno change\n1 line(s) would be skipped\n");
    expectRadioUntouched();
}

}  // namespace
}  // namespace talvex::testing
