// Update Rig and Blank Rig first save the channels they change in BACKUP, as a data file that
// Update Rig writes back; a backup that cannot be completed leaves the radio untouched.
#include "link/bcd.h"
#include "memory/backup.h"
#include "memory/data_line.h"
#include "memory/file_line.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kName = QStringLiteral("20261207-142501.TXT");  // the scripted clock's first backup

QStringList FolderFiles(const QString& workingDirectory)
{
    return QDir(JoinPath(workingDirectory, kBackupFolder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The channel lines of a data file, by channel.
std::map<int, QString> ChannelLines(const QString& path)
{
    std::map<int, QString> lines;
    for (const QString& line : ReadAllLines(path).value_or(QStringList())) {
        if (const auto channel = WholeNumberIn(ChannelTextOf(line).trimmed(), 1, 99); channel && KindOf(line) == LineKind::Channel)
            lines[*channel] = line;
    }
    return lines;
}

QStringList TestChannels()
{
    QStringList lines;
    for (int channel = 3; channel <= 8; ++channel)
        lines << FormatDataLine({channel, QStringLiteral("07.100.0"), QStringLiteral("LSB"), QStringLiteral("Fil 1"),
                                 QStringLiteral("   "), QStringLiteral("NEW %1").arg(channel)});
    return lines << QStringLiteral(" 9") << QStringLiteral(" END");  // channel 9 is cleared
}

class BackupAgainstSim : public ::testing::Test {
protected:
    void start(const QStringList& simArguments = {})
    {
        QFile::copy(DemoMemoryPath(TALVEX_DEMO_DIR), memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath} + simArguments);
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
        run->program->memory.setClock(&clock);
        before = ReadMemory(memoryPath);
        WriteLinesAtomically(run->path(QStringLiteral("TALVEX.TXT")), TestChannels());
    }
    // Update Rig from `path` (the Update Rig button) or, with nothing, the TALVEX.txt button.
    void update(QString path = {})
    {
        run->dialogs.answerMessage(MessageAnswer::Yes);
        if (!path.isEmpty())
            run->program->dataFile.OpenDataFile(path, FileMode::Input);
        path.isEmpty() ? run->program->memory.Command14_Click() : run->program->memory.Command3_Click();
        run->runMemoryOperation(3, 60);
    }
    void blank(const QString& first, const QString& last)
    {
        for (const QString& answer : {first, last})
            run->dialogs.answerInput(answer);
        run->dialogs.answerMessage(MessageAnswer::Yes);
        run->program->memory.Command5_Click();
        run->runMemoryOperation(5, 60);
    }
    QString backup(const QString& name) const { return JoinPath(run->path(kBackupFolder), name); }
    // The lines a backup of `channels` must hold, worked out from the simulator's memory.
    std::map<int, QString> expectedLines(int first, int last) const
    {
        std::map<int, QString> lines;
        for (int channel = first; channel <= last; ++channel)
            lines[channel] = ExpectedLine(channel, before.at(channel));
        return lines;
    }

    ScriptedClock clock;
    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
    Memory before;
};

TEST_F(BackupAgainstSim, UpdateRigSavesTheChannelsItChangesAndTheBackupPutsThemBack)
{
    start();
    update();
    ASSERT_EQ(FolderFiles(run->directory.path()), QStringList{kName});
    EXPECT_EQ(ChannelLines(backup(kName)), expectedLines(3, 9));
    const QStringList lines = ReadAllLines(backup(kName)).value_or(QStringList{QString()});
    EXPECT_EQ(lines.front(), QString(70, u' ') + kName);
    EXPECT_EQ(lines.back(), QStringLiteral(" END") + QString(66, u' '));
    EXPECT_TRUE(ReadMemory(memoryPath).at(9).isEmpty());

    // Restored in the same second: a backup of its own beside the first, not over it.
    update(backup(kName));
    EXPECT_EQ(FolderFiles(run->directory.path()), (QStringList{QStringLiteral("20261207-142501-2.TXT"), kName}));
    EXPECT_EQ(run->dialogs.messages.size(), 2u);  // the two questions, nothing went wrong
    const Memory restored = ReadMemory(memoryPath);
    for (auto [channel, contents] : before) {  // all but the select mark, which a write leaves off
        QByteArray now = restored.at(channel);
        if (!contents.isEmpty())
            contents[2] = now[2] = 0;
        EXPECT_EQ(now.toHex(' '), contents.toHex(' ')) << channel;
    }
}

TEST_F(BackupAgainstSim, BlankRigSavesExactlyItsRange)
{
    start();
    blank(QStringLiteral("10"), QStringLiteral("20"));
    ASSERT_EQ(FolderFiles(run->directory.path()), QStringList{kName});
    EXPECT_EQ(ChannelLines(backup(kName)), expectedLines(10, 20));
    EXPECT_TRUE(ReadMemory(memoryPath).at(20).isEmpty());
    EXPECT_EQ(run->program->state.memory.Text1, u"END");
}

TEST_F(BackupAgainstSim, ARadioSilentDuringTheBackupIsToldAndNothingIsWritten)
{
    for (const bool updating : {true, false}) {
        SCOPED_TRACE(updating ? "Update Rig" : "Blank Rig");
        start({QStringLiteral("--silent-from"), QStringLiteral("6")});
        if (updating)
            update();
        else
            blank(QStringLiteral("3"), QStringLiteral("8"));
        const QString operation = updating ? QStringLiteral("Update Rig") : QStringLiteral("Blank Rig");
        EXPECT_FALSE(run->program->state.anyMemoryOperationRunning());
        ASSERT_EQ(run->dialogs.messages.size(), 2u);
        EXPECT_EQ(run->dialogs.messages[1].title, operation);
        EXPECT_EQ(run->dialogs.messages[1].text,
                  QStringLiteral("The channels could not be saved before writing: the radio did not answer for "
                                 "channel 6 ... ") + operation + QStringLiteral(" wrote nothing to the radio."));
        EXPECT_EQ(ReadMemory(memoryPath), before);
        EXPECT_EQ(FolderFiles(run->directory.path()), QStringList{});
    }
}

// Blank Rig of `first`-`last` on the scripted radio with backups on; `afterSixTicks` then runs.
void BlankOnScriptedRadio(OpenProgram& t, const Clock& clock, const char* first, const char* last,
                          const std::function<void()>& afterSixTicks = {})
{
    t.program->memory.setClock(&clock);
    t.dialogs.answerMessage(MessageAnswer::Yes);
    t.dialogs.answerInput(QString::fromLatin1(first));
    t.dialogs.answerInput(QString::fromLatin1(last));
    t.program->memory.Command5_Click();
    for (int tick = 1; tick < 60 && t.program->state.BlankingRig; ++tick) {
        t.tick(5);
        if (tick == 6 && afterSixTicks)
            afterSixTicks();
    }
}

// Faults of the disk and the operator's Stop: the radio keeps its channels and no backup is
// left behind as if it were complete.
TEST(Backup, ABackupThatCannotBeCompletedLeavesTheRadioUntouched)
{
    const char* cases[] = {"cannot be created", "Error Code 61", "stop"};  // what the message says
    for (const QString told : cases) {
        SCOPED_TRACE(told.toStdString());
        OpenProgram t;
        ScriptedClock clock;
        t.radio.memory = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
        const Memory before = t.radio.memory;
        if (told == u"cannot be created")
            t.writeFile(kBackupFolder, {});  // a file where the folder should be
        if (told == u"Error Code 61")
            SimulateDiskFullAfter(600);
        BlankOnScriptedRadio(t, clock, "1", "30", [&] {
            if (told == u"stop")
                t.program->memory.Command8_Click();
        });
        SimulateDiskFullAfter(std::nullopt);
        EXPECT_EQ(t.radio.memory, before);
        EXPECT_EQ(t.dialogs.messages.size(), told == u"stop" ? 1u : 2u);
        EXPECT_TRUE(told == u"stop" || t.dialogs.messages.back().text.contains(told));
        EXPECT_EQ(FolderFiles(t.directory.path()), QStringList{});
    }
}

// Each read of the backup is answered and decoded into the Memory window's fields, whose
// one-line summary would replace the progress line at every answer: the progress stands until
// the backup is complete, and goes with an operation the operator stops.
TEST(Backup, TheProgressLineStandsWhileTheChannelsAreSaved)
{
    for (const bool pauseAndStop : {false, true}) {
        OpenProgram t;
        ScriptedClock clock;
        t.radio.memory = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
        t.program->memory.setClock(&clock);
        const MemoryFields& m = t.program->state.memory;
        const auto shownAfterAnswer = [&t, &m](int timer) {
            t.tick(timer);
            t.closeAnswerWindow();
            return m.Text3 + u'|' + m.Text7;
        };
        t.dialogs.answerMessage(MessageAnswer::Yes);
        t.dialogs.answerInput(QStringLiteral("12"));
        t.dialogs.answerInput(QStringLiteral("14"));
        t.program->memory.Command5_Click();
        QStringList shown;
        for (int tick = 0; tick < 4; ++tick)
            shown << shownAfterAnswer(5);
        EXPECT_EQ(shown, QStringList({"09.750.8|Saving channel 1 of 3 before writing",
                                      "01.822.3|Saving channel 2 of 3 before writing",
                                      "03.994.8|Saving channel 3 of 3 before writing",
                                      "03.994.8|Clearing Memory Channel 12"}));
        // Stopped while saving, by Stop or by the answer to Pause: the next answer shows as ever,
        // here the operator's Query Memory Channel from the Radio window.
        t.program->memory.Command8_Click();
        t.dialogs.answerMessage(MessageAnswer::Yes);
        t.dialogs.answerInput(QStringLiteral("13"));
        t.dialogs.answerInput(QStringLiteral("14"));
        t.program->memory.Command5_Click();
        EXPECT_EQ(shownAfterAnswer(5), "01.822.3|Saving channel 1 of 2 before writing");
        if (pauseAndStop) {
            t.dialogs.answerMessage(MessageAnswer::Yes);
            t.program->memory.Command11_Click();
        } else {
            t.program->memory.Command8_Click();
        }
        std::tie(t.program->state.ChannelText, t.program->state.EntriesPreset) = std::tuple("1", true);
        t.program->radio.Option45_Click();
        t.port.receive(t.radio.answer(t.port.takeWritten()));
        t.closeAnswerWindow();
        EXPECT_TRUE(m.Text3 == u"03.811.3" && m.Text7.endsWith(u"NET 40M 1 ")) << m.Text7.toStdString();
    }
}

TEST(Backup, TheNewestFiftyAreKeptAndOnlyBackupsAreRemoved)
{
    OpenProgram t;
    QDir().mkpath(t.path(kBackupFolder));
    // The oldest is the unsuffixed one: "-2" is the second backup of that same second.
    QStringList old{QStringLiteral("20261201-000000.TXT"), QStringLiteral("20261201-000000-2.TXT")};
    for (int i = 1; i < 49; ++i)
        old << QStringLiteral("20261201-0000%1.TXT").arg(i, 2, 10, QLatin1Char('0'));
    for (const QString& name : old + QStringList{QStringLiteral("NOTES.TXT")})
        t.writeFile(JoinPath(kBackupFolder, name), {});
    ScriptedClock clock;
    BlankOnScriptedRadio(t, clock, "5", "6");
    QStringList expected = old.mid(1) << kName << QStringLiteral("NOTES.TXT");
    QStringList kept = QDir(t.path(kBackupFolder)).entryList(QDir::Files);
    expected.sort();
    kept.sort();
    EXPECT_EQ(kept, expected);
}

}  // namespace
}  // namespace talvex::testing
