// Update Rig and Blank Rig first save the channels they change in BACKUP, as a data file that
// Update Rig writes back; a backup that cannot be completed leaves the radio untouched.
#include "memory/backup.h"
#include "memory/file_line.h"

#include "tests/memory/memory_test_support.h"
#include "tests/support/sim_memory.h"

#include <QDir>

namespace talvex::testing {
namespace {

using M = MemoryOperations;

const QString kName = QStringLiteral("20261207-142501.TXT");  // the scripted clock's first backup

// Channels 3-8 with new contents and channel 9 cleared.
QByteArray NewChannels()
{
    QStringList lines;
    for (int channel = 3; channel <= 8; ++channel)
        lines << FormatDataLine({channel, "07.100.0", "LSB", "Fil 1", "   ", QStringLiteral("NEW %1").arg(channel)});
    return (lines.join("\r\n") + "\r\n 9\r\n END\r\n").toLatin1();
}

// The sample radio with backups on; TALVEX.TXT holds NewChannels.
struct BackupRig : MemoryRig {
    BackupRig() : MemoryRig(SampleMemory(false), NewChannels()) { memory().setClock(&clock); }
    QStringList backups() const { return QDir(path(kBackupFolder)).entryList(QDir::Files | QDir::Hidden); }
    // The channel lines of backup `name`, and those it must hold of the channels `first`-`last`.
    QStringList saved(const QString& name) const
    {
        QStringList lines;
        for (const QString& line : ReadAllLines(path(JoinPath(kBackupFolder, name))).value_or(QStringList())) {
            if (KindOf(line) == LineKind::Channel && ChannelTextOf(line).trimmed().toInt() > 0)
                lines << line;
        }
        return lines;
    }
    QStringList expected(int first, int last) const
    {
        QStringList lines;
        for (int channel = first; channel <= last; ++channel)
            lines << ExpectedLine(channel, before.count(channel) ? before.at(channel) : QByteArray());
        return lines;
    }

    ScriptedClock clock;
    const Memory before = radio.memory;
};

TEST(Backup, UpdateRigSavesTheChannelsItChangesAndTheBackupPutsThemBack)
{
    BackupRig t;
    t.start(&M::Command3_Click);
    t.run(3);
    ASSERT_EQ(t.backups(), QStringList{kName});
    EXPECT_EQ(t.saved(kName), t.expected(3, 9));
    const QStringList lines = ReadAllLines(t.path(JoinPath(kBackupFolder, kName))).value_or(QStringList{QString()});
    EXPECT_EQ(lines.front(), QString(70, u' ') + kName);
    EXPECT_EQ(lines.back(), " END" + QString(66, u' '));
    EXPECT_EQ(t.radio.memory.count(9), 0u);

    // Restored in the same second: a backup of its own beside the first, not over it.
    QString backup = t.path(JoinPath(kBackupFolder, kName));
    t.program->dataFile.OpenDataFile(backup, FileMode::Input);
    t.start(&M::Command3_Click);
    t.run(3);
    EXPECT_EQ(t.backups(), (QStringList{"20261207-142501-2.TXT", kName}));
    EXPECT_EQ(t.dialogs.messages.size(), 2u);  // the two questions, nothing went wrong
    const auto withoutSelect = [](Memory memory) {  // a write leaves the select mark off
        for (auto& channel : memory)
            channel.second[2] = 0;
        return memory;
    };
    EXPECT_EQ(withoutSelect(t.radio.memory), withoutSelect(t.before));
}

// Fifty older backups and a file of the operator's are there already.
TEST(Backup, BlankRigSavesExactlyItsRangeAndTheNewestFiftyBackupsAreKept)
{
    BackupRig t;
    QDir().mkpath(t.path(kBackupFolder));
    // The oldest is the unsuffixed one: "-2" is the second backup of that same second.
    QStringList old{"20261201-000000.TXT", "20261201-000000-2.TXT"};
    for (int i = 1; i < 49; ++i)
        old << QStringLiteral("20261201-0000%1.TXT").arg(i, 2, 10, QLatin1Char('0'));
    for (const QString& name : old + QStringList{"NOTES.TXT"})
        t.writeFile(JoinPath(kBackupFolder, name), {});
    t.start(&M::Command5_Click, {"10", "20"});
    t.run(5);
    QStringList expected = old.mid(1) << kName << "NOTES.TXT";
    expected.sort();
    EXPECT_EQ(t.backups(), expected);
    EXPECT_EQ(t.saved(kName), t.expected(10, 20));
    EXPECT_EQ(t.radio.memory.count(19), 0u);
    EXPECT_EQ(t.state().memory.Text1, u"END");
}

// A radio falling silent, faults of the disk and the operator's Stop: the radio keeps its
// channels, the message says why, and no backup is left behind as if it were complete.
TEST(Backup, ABackupThatCannotBeCompletedLeavesTheRadioUntouched)
{
    const QString silent =
        "The channels could not be saved before writing: the radio did not answer for channel 6 ... ";
    const struct { Click click; const char* fault; QString shown; } rows[] = {
        {&M::Command3_Click, "silent", "Update Rig|" + silent + "Update Rig wrote nothing to the radio."},
        {&M::Command5_Click, "silent", "Blank Rig|" + silent + "Blank Rig wrote nothing to the radio."},
        {&M::Command5_Click, "folder", "cannot be created"},
        {&M::Command5_Click, "disk", "Error Code 61"},
        {&M::Command5_Click, "stop", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        BackupRig t;
        const QString fault = row.fault;
        t.radio.silentFrom = fault == "silent" ? 6 : 1000;
        if (fault == "folder")
            t.writeFile(kBackupFolder, {});  // a file where the folder should be
        if (fault == "disk")
            SimulateDiskFullAfter(600);
        if (fault == "stop")
            t.afterTick = [&t] {
                if (t.ticks == 5)
                    t.memory().Command8_Click();
            };
        t.start(row.click, {"3", "30"});
        t.run(row.click == &M::Command3_Click ? 3 : 5);
        SimulateDiskFullAfter(std::nullopt);
        EXPECT_EQ(t.radio.memory, t.before);
        EXPECT_EQ(t.dialogs.messages.size(), fault == "stop" ? 1u : 2u);
        EXPECT_TRUE(Shown(t).last().contains(row.shown)) << Shown(t).last().toStdString();
        EXPECT_EQ(t.backups(), QStringList{});
    }
}

}  // namespace
}  // namespace talvex::testing
