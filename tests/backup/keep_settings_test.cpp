// Against talvex-sim holding what IC-7300 owners store: data mode, tone and tone squelch with
// their tones, split channels, 10 Hz and 1 Hz digits, select groups 1-3. Update Rig changes only
// what the file changes, writes only those channels, and a backup gives every byte back.
#include "memory/backup.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

const QString kFile = QStringLiteral("TALVEX.TXT");

class KeepSettings : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        QFile::copy(QStringLiteral(TALVEX_TEST_DATA_DIR "/rich-memory.txt"), memoryPath);
        before = ReadMemory(memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath}, QString::fromLatin1(GetParam()));
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
        run->program->memory.setClock(&clock);
    }
    int createFile()
    {
        run->dialogs.answerMessage(MessageAnswer::Yes);
        run->program->memoryWindow.createFile();
        return run->runMemoryOperation(Step::CreateFile);
    }
    // Update Rig from the current data file, or from `path` opened first; the window's ticks.
    int update(QString path = {})
    {
        run->dialogs.answerMessage(MessageAnswer::Yes);
        if (!path.isEmpty()) {
            EXPECT_FALSE(run->program->dataFile.OpenDataFile(path, FileMode::Input).failure);
        }
        run->program->memoryWindow.updateRig();
        return run->runMemoryOperation(Step::UpdateRig);
    }
    QStringList fileLines() const { return QString::fromLatin1(run->readFile(kFile)).split(QStringLiteral("\r\n")); }
    void writeLines(const QStringList& lines) const { run->writeFile(kFile, lines.join(QStringLiteral("\r\n")).toLatin1()); }
    void expectRadioHolds(const Memory& expected) const
    {
        const Memory held = ReadMemory(memoryPath);
        for (int channel = 1; channel <= 99; ++channel)
            EXPECT_EQ(held.at(channel).toHex(' '), expected.at(channel).toHex(' ')) << channel;
    }
    QString text7() const { return run->program->memoryTexts.fields().Text7; }
    QString backup() const
    {
        const QDir folder(run->path(kBackupFolder));
        return folder.filePath(folder.entryList(QDir::Files, QDir::Name).value(0));
    }

    ScriptedClock clock;
    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    Memory before;
    std::unique_ptr<SimProgram> run;
};

TEST_P(KeepSettings, AnUnchangedFileWritesNothingAndOneEditedLabelWritesItsTenBytesOnly)
{
    // The file as Create File writes it: six zones, no record. At 4800, where only the answer
    // window's timing differs, channels 1-20 of the same lines are written directly, sparing a
    // minute of reading.
    const bool created = QString::fromLatin1(GetParam()).startsWith(u"115200");
    const int named = created ? 99 : 20;
    if (created) {
        createFile();
        EXPECT_EQ(fileLines().mid(3, 99), ExpectedChannelLines(before));
    } else {
        writeLines(ExpectedChannelLines(before).mid(0, named) << QStringLiteral(" END"));
    }

    EXPECT_EQ(update(), 1);  // the reading goes at the line's pace; nothing to write takes no tick
    EXPECT_EQ(text7(), QStringLiteral("Update Rig: 0 channels written and verified, %1 already as the file says").arg(named));
    EXPECT_EQ(ReadMemory(memoryPath), before);

    QStringList lines = fileLines();
    const auto line5 = lines.indexOf(QRegularExpression(QStringLiteral("^ 5 .*")));
    ASSERT_GE(line5, 0);
    lines[line5] = lines[line5].left(70) + QStringLiteral("MY LABEL  ");
    writeLines(lines);
    update();
    EXPECT_EQ(text7(), QStringLiteral("Update Rig: 1 channel written and verified, %1 already as the file says").arg(named - 1));
    Memory expected = before;
    expected[5].replace(31, 10, "MY LABEL  ");
    expectRadioHolds(expected);
    EXPECT_EQ(run->dialogs.messages.size(), created ? 3u : 2u);  // the questions, no report
}

INSTANTIATE_TEST_SUITE_P(Rates, KeepSettings, ::testing::Values("115200,N,8,1", "4800,N,8,1"),
                         [](const auto& info) { return RateName(info.param); });

class RestoreAgainstSim : public KeepSettings {
protected:
    // All 99 channels at 115200, the radio's fastest rate; at 4800, whose timing differs only in
    // the answer window, 1-12 (split channel 11 and hand-edited 12 among them).
    int channels() const { return QString::fromLatin1(GetParam()).startsWith(u"115200") ? 99 : 12; }
};

TEST_P(RestoreAgainstSim, ABackupGivesBackEveryByteAndAHandEditedLineWins)
{
    // A different file: every channel somewhere else, and channel 11 (split) moved.
    QStringList other;
    for (int channel = 1; channel <= channels(); ++channel)
        other << FormatDataLine({channel, QStringLiteral("07.1%1.0").arg(channel % 100, 2, 10, QChar(u'0')),
                                 QStringLiteral("LSB"), QStringLiteral("Fil 1"), QStringLiteral("   "), QStringLiteral("OTHER")});
    writeLines(other << QStringLiteral(" END"));
    update();
    const Memory changed = ReadMemory(memoryPath);
    // The split channel keeps its transmit side, and the operator is told.
    EXPECT_EQ(changed.at(11).mid(17, 14), before.at(11).mid(17, 14));
    QByteArray transmit = before.at(11);
    transmit.replace(3, 14, transmit.mid(17, 14));
    ASSERT_FALSE(run->dialogs.messages.empty());
    EXPECT_TRUE(run->dialogs.messages.back().text.contains(
        QStringLiteral("Channel 11: split kept, transmit ") + ExpectedFrequency(transmit)))
        << run->dialogs.messages.back().text.toStdString();

    // The backup, with channel 12's label edited by hand: the edit wins, every other byte is the
    // backup's.
    const QString saved = backup();
    QStringList lines = ReadAllLines(saved).value_or(QStringList());
    const auto line12 = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith(u" 12 "); });
    ASSERT_NE(line12, lines.end());
    line12->replace(70, 10, QStringLiteral("HAND EDIT "));
    ASSERT_FALSE(WriteLinesAtomically(saved, lines));
    update(saved);
    Memory expected = before;
    expected[12].replace(31, 10, "HAND EDIT ");
    expectRadioHolds(expected);
    EXPECT_EQ(text7(), QStringLiteral("Update Rig: %1 channels written and verified, 0 already as the file says").arg(channels()));
}

// At the slowest rate only: the line's pace is what a restore could get wrong; its records
// are the same at every rate, and KeepSettings above covers the fastest.
INSTANTIATE_TEST_SUITE_P(Rates, RestoreAgainstSim, ::testing::Values("4800,N,8,1"),
                         [](const auto& info) { return RateName(info.param); });

}  // namespace
}  // namespace talvex::testing
