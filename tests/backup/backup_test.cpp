// Update Rig and Blank Rig first save the channels they change in BACKUP, as a data file that
// Update Rig writes back; a backup that cannot be completed leaves the radio untouched.
#include "link/bcd.h"
#include "memory/backup.h"
#include "datafile/data_file_frame.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "memory/step_answers.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kName = QStringLiteral("20261207-142501.TXT");  // the scripted clock's first backup

QStringList FolderFiles(const QString& workingDirectory)
{
    return QDir(JoinPath(workingDirectory, kBackupFolder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString backup(const TestProgram& t, const QString& name) { return JoinPath(t.path(kBackupFolder), name); }

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
        if (!path.isEmpty()) {
            EXPECT_FALSE(run->program->dataFile.OpenDataFile(path, FileMode::Input).failure);
        }
        path.isEmpty() ? run->program->memoryWindow.updateRigFrom(QStringLiteral("TALVEX.txt")) : run->program->memoryWindow.updateRig();
        run->runMemoryOperation(Step::UpdateRig, 60);
    }
    void blank(const QString& first, const QString& last)
    {
        for (const QString& answer : {first, last})
            run->dialogs.answerInput(answer);
        run->dialogs.answerMessage(MessageAnswer::Yes);
        run->program->memoryWindow.blankRig();
        run->runMemoryOperation(Step::BlankRig, 60);
    }
    QString backup(const QString& name) const { return JoinPath(run->path(kBackupFolder), name); }
    // The lines a backup of `channels` must hold, worked out from the simulator's memory.
    std::map<int, QString> expectedLines(int first, int last) const
    {
        std::map<int, QString> lines;
        for (int channel = first; channel <= last; ++channel) {
            const QByteArray& held = before.at(channel);
            // A programmed channel's line carries its whole record from column 85.
            lines[channel] = ExpectedRecordLine(channel, held);
        }
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
    for (const auto& [channel, contents] : before)  // every byte of every channel
        EXPECT_EQ(restored.at(channel).toHex(' '), contents.toHex(' ')) << channel;
}

TEST_F(BackupAgainstSim, BlankRigSavesExactlyItsRange)
{
    start();
    blank(QStringLiteral("10"), QStringLiteral("20"));
    ASSERT_EQ(FolderFiles(run->directory.path()), QStringList{kName});
    EXPECT_EQ(ChannelLines(backup(kName)), expectedLines(10, 20));
    EXPECT_TRUE(ReadMemory(memoryPath).at(20).isEmpty());
    EXPECT_EQ(run->program->memoryTexts.fields().Text1, u"END");
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
        const MemoryFields& m = run->program->memoryTexts.fields();  // channel 5 was read, and is not shown
        EXPECT_EQ(QStringList({m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6}), QStringList(6));
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
    t.program->memoryWindow.blankRig();
    for (int tick = 1; tick < 60 && t.program->state.BlankingRig; ++tick) {
        t.tick(Step::BlankRig);
        if (tick == 6 && afterSixTicks)
            afterSixTicks();
    }
}

// Faults of the disk and the operator's Stop: the radio keeps its channels and no backup is
// left behind as if it were complete.
TEST(Backup, ABackupThatCannotBeCompletedLeavesTheRadioUntouched)
{
    // What the message says: the folder, a full disk, the final rename (the claim was removed
    // meanwhile), or nothing after a Stop.
    const char* cases[] = {"cannot be created", "Error Code 61", "Error Code 75", "stop"};
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
                t.program->memoryWindow.stop();
            if (told == u"Error Code 75")
                QFile::remove(backup(t, ClaimName(kName)));
        });
        SimulateDiskFullAfter(std::nullopt);
        EXPECT_EQ(t.radio.memory, before);
        const MemoryFields& m = t.program->memoryTexts.fields();  // no channel shown as the radio's
        EXPECT_EQ(QStringList({m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6}), QStringList(6));
        EXPECT_EQ(t.dialogs.messages.size(), told == u"stop" ? 1u : 2u);
        EXPECT_TRUE(told == u"stop" || t.dialogs.messages.back().text.contains(told)) << t.dialogs.messages.back().text.toStdString();
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
        const MemoryFields& m = t.program->memoryTexts.fields();
        const auto shownAfterAnswer = [&t, &m](Step timer) {
            t.tick(timer);
            t.closeAnswerWindow();
            return m.Text3 + u'|' + m.Text7;
        };
        t.dialogs.answerMessage(MessageAnswer::Yes);
        t.dialogs.answerInput(QStringLiteral("12"));
        t.dialogs.answerInput(QStringLiteral("14"));
        t.program->memoryWindow.blankRig();
        QStringList shown;
        for (int tick = 0; tick < 4; ++tick)
            shown << shownAfterAnswer(Step::BlankRig);
        EXPECT_EQ(shown, QStringList({"09.750.8|Saving channel 1 of 3 before writing",
                                      "01.822.3|Saving channel 2 of 3 before writing",
                                      "03.994.8|Saving channel 3 of 3 before writing",
                                      "03.994.8|Clearing Memory Channel 12"}));
        // Stopped while saving, by Stop or by the answer to Pause: the next answer shows as ever,
        // here the operator's Query Memory Channel from the Radio window.
        t.program->memoryWindow.stop();
        t.dialogs.answerMessage(MessageAnswer::Yes);
        t.dialogs.answerInput(QStringLiteral("13"));
        t.dialogs.answerInput(QStringLiteral("14"));
        t.program->memoryWindow.blankRig();
        EXPECT_EQ(shownAfterAnswer(Step::BlankRig), "01.822.3|Saving channel 1 of 2 before writing");
        if (pauseAndStop) {
            t.dialogs.answerMessage(MessageAnswer::Yes);
            t.program->memoryWindow.blankRig();
        } else {
            t.program->memoryWindow.stop();
        }
        t.program->radio.readChannel(1);
        t.port.receive(t.radio.answer(t.port.takeWritten()));
        t.closeAnswerWindow();
        EXPECT_TRUE(m.Text3 == u"03.811.3" && m.Text7.endsWith(u"NET 40M 1 ")) << m.Text7.toStdString();
    }
}

// The newest fifty are kept, the one just made always among them, even when the others are
// named after it (a clock once set ahead). Claims and empty files are never counted.
TEST(Backup, TheNewestFiftyAreKeptTheNewOneAlwaysAndOnlyBackupsAreRemoved)
{
    const struct {
        const char* why;
        const char* day;       // of the 50 backups already there
        int oldestRemoved;     // how many of them go, oldest first
    } rows[] = {{"older backups", "20261201", 1}, {"backups named in 2099", "20990101", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        OpenProgram t;
        QDir().mkpath(t.path(kBackupFolder));
        // The oldest is the unsuffixed one: "-2" is the second backup of that same second.
        const QString day = QString::fromLatin1(row.day);
        QStringList there{day + QStringLiteral("-000000.TXT"), day + QStringLiteral("-000000-2.TXT")};
        for (int i = 1; i < 49; ++i)
            there << day + QStringLiteral("-0000%1.TXT").arg(i, 2, 10, QLatin1Char('0'));
        // Files the operator put there, however like a backup's their names, are never counted.
        const QStringList others{QStringLiteral("NOTES.TXT"), QStringLiteral("COPY 20261201-000000.TXT"),
                                 QStringLiteral("20261201-000000.TXT.OLD")};
        for (const QString& name : there + others)
            t.writeFile(JoinPath(kBackupFolder, name), {QStringLiteral(" END")});
        // An empty file named as a backup (an older version's claim) stays, and so does a claim
        // younger than a day, which another program may still write; one a crash left goes.
        const QString emptyClaim = QStringLiteral("20261201-000000-3.TXT");
        const QString beingWritten = ClaimName(QStringLiteral("20261207-142501-7.TXT"));
        const QString leftByACrash = ClaimName(QStringLiteral("20261130-000000.TXT"));
        for (const QString& name : {emptyClaim, beingWritten, leftByACrash})
            t.writeFile(JoinPath(kBackupFolder, name), {});
        QFile crashed(backup(t, leftByACrash));
        ASSERT_TRUE(crashed.open(QIODevice::ReadWrite)
                    && crashed.setFileTime(QDateTime::currentDateTime().addSecs(-kStaleClaimSeconds - 60),
                                           QFileDevice::FileModificationTime));
        crashed.close();
        t.radio.memory = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
        ScriptedClock clock;
        BlankOnScriptedRadio(t, clock, "5", "6");
        QStringList expected = there.mid(row.oldestRemoved) + others << kName << emptyClaim << beingWritten;
        QStringList kept = FolderFiles(t.directory.path());
        expected.sort();
        kept.sort();
        EXPECT_EQ(kept, expected);
        EXPECT_EQ(ChannelLines(backup(t, kName)).size(), 2u);  // the new one, whole
        EXPECT_TRUE(t.radio.memory[5].isEmpty() && t.radio.memory[6].isEmpty());  // and only then blanked
    }
}

// Two backups under way at once in one folder, in the same second (two programs, two radios):
// each has a name of its own from the moment it opens, and what is not completed leaves nothing.
TEST(Backup, TwoBackupsInOneSecondNeverShareAName)
{
    enum class End { Commit, Discard, ProgramEnds };
    const QString second = QStringLiteral("20261207-142501-2.TXT");
    const struct {
        const char* why;
        End first, then;
        QStringList files;
    } rows[] = {
        {"both completed", End::Commit, End::Commit, {second, kName}},
        {"the second thrown away", End::Commit, End::Discard, {kName}},
        {"the first thrown away", End::Discard, End::Commit, {second}},
        {"the program ends while both save", End::ProgramEnds, End::ProgramEnds, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        OpenProgram t;
        StepAnswers answers(t.program->link);
        OperationContext context{t.program->state, t.program->radio, t.program->dataFile, answers,
                                 [](StopKind, const QString&, const QString&) {}, [](const auto&) {}};
        ScriptedClock clock;
        std::array<std::optional<ChannelBackup>, 2> backups;
        for (auto& backup : backups) {
            backup.emplace(context, t.directory.path());
            backup->setClock(&clock);
            ASSERT_EQ(backup->open({}), std::nullopt);
        }
        // While they are written only their claims stand, which no listing takes for backups.
        EXPECT_EQ(FolderFiles(t.directory.path()), (QStringList{ClaimName(second), ClaimName(kName)}));
        EXPECT_TRUE(BackupsIn(t.path(kBackupFolder)).empty());
        for (std::size_t i = 0; i < backups.size(); ++i) {
            switch (i == 0 ? row.first : row.then) {
            case End::Commit: EXPECT_EQ(backups[i]->commit(), std::nullopt); break;
            case End::Discard: backups[i]->discard(); break;
            case End::ProgramEnds: backups[i].reset(); break;
            }
        }
        EXPECT_EQ(FolderFiles(t.directory.path()), row.files);
        for (const QString& name : row.files)
            EXPECT_EQ(ReadAllLines(backup(t, name)).value_or(QStringList{}).value(0), QString(70, u' ') + name);
    }
}

// The same between two processes: each opens its backup, and only once both have, both
// complete it. With TALVEX_CLAIM_STAGE the child instead goes as far as that stage of a backup
// of six channels, says so, and waits to be killed. Run as a child of the tests below, never on
// its own.
TEST(BackupClaimChild, DISABLED_OpensWaitsAndCompletes)
{
    const QString folder = qEnvironmentVariable("TALVEX_CLAIM_FOLDER");
    const QString stage = qEnvironmentVariable("TALVEX_CLAIM_STAGE");
    ASSERT_FALSE(folder.isEmpty());
    OpenProgram t;
    t.radio.memory = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    StepAnswers answers(t.program->link);
    OperationContext context{t.program->state, t.program->radio, t.program->dataFile, answers,
                             [](StopKind, const QString&, const QString&) {}, [](const auto&) {}};
    ScriptedClock clock;
    ChannelBackup backup(context, folder);
    backup.setClock(&clock);
    const auto reached = [&folder](const QString& what) {
        QFile marker(JoinPath(folder, what + QStringLiteral("-%1").arg(QCoreApplication::applicationPid())));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    };
    const auto waitFor = [&folder](const QString& name) {
        QDeadlineTimer deadline(20000);
        while (!QFile::exists(JoinPath(folder, name)) && !deadline.hasExpired())
            QThread::msleep(5);
    };
    ASSERT_EQ(backup.open(stage.isEmpty() ? std::vector<int>{} : std::vector<int>{1, 2, 3, 4, 5, 6}), std::nullopt);
    if (stage.isEmpty()) {
        reached(QStringLiteral("opened"));
        waitFor(QStringLiteral("commit"));
        ASSERT_EQ(backup.commit(), std::nullopt);
        return;
    }
    const auto readChannels = [&](int count) {
        for (int i = 0; i < count; ++i) {
            answers.expect();
            backup.sendNext();
            t.port.receive(t.radio.answer(t.port.takeWritten()));
            t.closeAnswerWindow();
            ASSERT_EQ(backup.check(answers.take()), std::nullopt);
        }
    };
    if (stage != u"claimed")
        readChannels(stage == u"lines" ? 3 : 6);
    if (stage == u"complete") {
        ASSERT_TRUE(backup.allRead());
        ASSERT_EQ(backup.complete(), std::nullopt);
    }
    if (stage == u"renamed") {
        ASSERT_EQ(backup.commit(), std::nullopt);
    }
    reached(QStringLiteral("reached"));
    waitFor(QStringLiteral("never"));  // the parent kills it first
}

// The child started with `stage` (none: open, wait for "commit", complete), in `folder`.
void StartClaimChild(QProcess& child, const QString& folder, const QString& stage = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TALVEX_CLAIM_FOLDER"), folder);
    if (!stage.isEmpty())
        environment.insert(QStringLiteral("TALVEX_CLAIM_STAGE"), stage);
    child.setProcessEnvironment(environment);
    child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                {QStringLiteral("--gtest_filter=BackupClaimChild.*"), QStringLiteral("--gtest_also_run_disabled_tests")});
}

qsizetype Markers(const QString& folder, const QString& what)
{
    return QDir(folder).entryList({what + QStringLiteral("-*")}, QDir::Files).size();
}

// kill -9 at each step of a backup: whatever moment the program dies, the folder lists no backup
// or a complete one, never one cut short; and a claim a crash left is cleared once it is stale.
TEST(Backup, KilledAtAnyStepLeavesNoBackupOrACompleteOne)
{
    const struct {
        const char* stage;
        bool listed;
    } rows[] = {{"claimed", false}, {"lines", false}, {"complete", false}, {"renamed", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stage);
        QTemporaryDir folder;
        QProcess child;
        StartClaimChild(child, folder.path(), QString::fromLatin1(row.stage));
        QDeadlineTimer deadline(30000);
        while (Markers(folder.path(), QStringLiteral("reached")) == 0 && !deadline.hasExpired()
               && child.state() != QProcess::NotRunning)
            QThread::msleep(5);
        ASSERT_EQ(Markers(folder.path(), QStringLiteral("reached")), 1) << child.readAll().toStdString();
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        const QString backups = JoinPath(folder.path(), kBackupFolder);
        const std::vector<BackupOnDisk> listed = BackupsIn(backups);
        ASSERT_EQ(listed.size(), row.listed ? 1u : 0u);
        if (row.listed) {
            EXPECT_EQ(listed.front().name, kName);
            EXPECT_EQ(listed.front().incomplete, std::nullopt);
            EXPECT_EQ(ChannelLines(listed.front().path).size(), 6u);
            continue;
        }
        // What the crash left is a claim; the next backup clears it once it is a day old.
        const QString claim = JoinPath(backups, ClaimName(kName));
        ASSERT_EQ(FolderFiles(folder.path()), QStringList{ClaimName(kName)});
        QFile left(claim);
        ASSERT_TRUE(left.open(QIODevice::ReadWrite)
                    && left.setFileTime(QDateTime::currentDateTime().addSecs(-kStaleClaimSeconds - 60),
                                        QFileDevice::FileModificationTime));
        left.close();
        TestProgram t;
        StepAnswers answers(t.program->link);
        OperationContext context{t.program->state, t.program->radio, t.program->dataFile, answers,
                                 [](StopKind, const QString&, const QString&) {}, [](const auto&) {}};
        ScriptedClock clock;
        ChannelBackup next(context, folder.path());
        next.setClock(&clock);
        ASSERT_EQ(next.open({}), std::nullopt);
        ASSERT_EQ(next.commit(), std::nullopt);
        EXPECT_EQ(FolderFiles(folder.path()), QStringList{QStringLiteral("20261207-142501-2.TXT")});
    }
}

TEST(Backup, TwoProcessesInOneSecondWriteTwoBackups)
{
    QTemporaryDir folder;
    std::array<QProcess, 2> children;
    for (QProcess& child : children)
        StartClaimChild(child, folder.path());
    const auto opened = [&folder] { return Markers(folder.path(), QStringLiteral("opened")); };
    QDeadlineTimer deadline(30000);
    while (opened() < 2 && !deadline.hasExpired() && children[0].state() != QProcess::NotRunning
           && children[1].state() != QProcess::NotRunning)
        QThread::msleep(5);
    ASSERT_EQ(opened(), 2);
    QFile commit(JoinPath(folder.path(), QStringLiteral("commit")));
    ASSERT_TRUE(commit.open(QIODevice::WriteOnly));
    commit.close();
    for (QProcess& child : children) {
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    }
    const QStringList names{QStringLiteral("20261207-142501-2.TXT"), kName};
    EXPECT_EQ(FolderFiles(folder.path()), names);
    for (const QString& name : names)
        EXPECT_EQ(ReadAllLines(JoinPath(JoinPath(folder.path(), kBackupFolder), name)).value_or(QStringList{}).value(0),
                  QString(70, u' ') + name);
}

// A name something took without claiming it first (a copy put there by hand) is never replaced:
// the backup goes to the next name.
TEST(Backup, ANameTakenWithoutAClaimIsNeverReplaced)
{
    TestProgram t;
    StepAnswers answers(t.program->link);
    OperationContext context{t.program->state, t.program->radio, t.program->dataFile, answers,
                             [](StopKind, const QString&, const QString&) {}, [](const auto&) {}};
    ScriptedClock clock;
    ChannelBackup saved(context, t.directory.path());
    saved.setClock(&clock);
    ASSERT_EQ(saved.open({}), std::nullopt);
    t.writeFile(JoinPath(kBackupFolder, kName), {QStringLiteral("put there by hand")});
    ASSERT_EQ(saved.commit(), std::nullopt);
    EXPECT_EQ(saved.lastPath(), backup(t, QStringLiteral("20261207-142501-2.TXT")));
    EXPECT_EQ(ReadAllLines(backup(t, kName)), QStringList{QStringLiteral("put there by hand")});
    EXPECT_EQ(FolderFiles(t.directory.path()), (QStringList{QStringLiteral("20261207-142501-2.TXT"), kName}));
}

// A backup of channels 5 (programmed) and 6 (blank), as ChannelBackup writes it.
QStringList CompleteBackup()
{
    const QByteArray five = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR)).at(5);
    return DataFileHead(kName)
        + QStringList{ExpectedLine(5, five).leftJustified(84, u' ') + QString::fromLatin1(five.toHex().toUpper()),
                      ExpectedLine(6, QByteArray())}
        + DataFileTail();
}

QStringList With(QStringList lines, qsizetype at, const QString& line)
{
    lines[at] = line;
    return lines;
}

// Only what ChannelBackup writes whole is a backup: each way a file falls short, and why it says.
TEST(BackupFiles, ACompleteBackupIsTheOneThingRestoredFrom)
{
    const QStringList whole = CompleteBackup();
    const QString five = whole[3];
    const struct {
        const char* story;
        QStringList lines;
        const char* why;  // nullptr: complete
    } rows[] = {
        {"complete", whole, nullptr},
        {"with trailing blanks cut", QStringList(whole).replaceInStrings(QRegularExpression(" +$"), QString()), nullptr},
        {"empty (a claim an older version left)", {}, "it is empty"},
        {"no title", whole.mid(1), "its first line is not a backup's title line"},
        {"cut after the title", whole.mid(0, 1), "it lacks the heading after its title"},
        {"cut after a channel line", whole.mid(0, 4), "it ends before its END line: the backup was cut short"},
        {"no closing heading", whole.mid(0, 5) << whole.last(), "its END line is not where a backup has it"},
        {"no channel line", DataFileHead(kName) + DataFileTail(), "it holds no channel line"},
        {"a line that is no channel", With(whole, 4, QStringLiteral("* a comment")), "line 5 is not a channel line"},
        {"a channel twice", With(whole, 4, five), "channel 5 is in it twice (line 5)"},
        {"a programmed line without its record", With(whole, 3, five.left(82)),
         "line 4 (channel 5) does not carry its whole record from column 85"},
        {"a record cut short", With(whole, 3, five.chopped(2)),
         "line 4 (channel 5) does not carry its whole record from column 85"},
        {"another channel's record", With(whole, 3, five.left(84) + QStringLiteral("0006") + five.mid(88)),
         "line 4 (channel 5) carries another channel's record"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        const auto why = WhyNotACompleteBackup(row.lines);
        EXPECT_EQ(why, row.why ? std::optional(QString::fromLatin1(row.why)) : std::nullopt);
        // Update Rig asks it only of a file named like a backup in a folder named BACKUP.
        const QString named = QStringLiteral("/radio/BACKUP/") + kName;
        EXPECT_EQ(WhyNotARestorableBackup(named, row.lines).has_value(), row.why != nullptr);
        EXPECT_EQ(WhyNotARestorableBackup(QStringLiteral("/radio/") + kName, row.lines), std::nullopt);
        EXPECT_EQ(WhyNotARestorableBackup(QStringLiteral("/radio/BACKUP/COPY.TXT"), row.lines), std::nullopt);
    }
}

// Update Rig from a file in BACKUP named like a backup that is not complete: refused, told why,
// and not one frame goes to the radio.
TEST(Backup, UpdateRigRefusesABackupCutShort)
{
    OpenProgram t;
    ScriptedClock clock;
    t.program->memory.setClock(&clock);
    t.radio.memory = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    const Memory before = t.radio.memory;
    QDir().mkpath(t.path(kBackupFolder));
    t.writeFile(JoinPath(kBackupFolder, kName), CompleteBackup().mid(0, 4));
    t.dialogs.answerMessage(MessageAnswer::Yes);
    QString name = backup(t, kName);
    EXPECT_FALSE(t.program->dataFile.OpenDataFile(name, FileMode::Input).failure);
    t.program->memoryWindow.updateRig();
    EXPECT_FALSE(t.program->state.UpdatingRig);
    EXPECT_EQ(t.port.takeWritten(), QByteArray());
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.dialogs.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(t.dialogs.messages[1].text, backup(t, kName)
                                              + QStringLiteral(" is not a complete backup: it ends before its END line: "
                                                               "the backup was cut short ... Update Rig wrote nothing to the radio."));
    EXPECT_EQ(t.radio.memory, before);
    EXPECT_EQ(FolderFiles(t.directory.path()), QStringList{kName});
}

}  // namespace
}  // namespace talvex::testing
