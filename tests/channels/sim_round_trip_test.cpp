// Against talvex-sim: the rich memory's records (data mode, tones, split, select groups 1-3,
// 10 Hz and 1 Hz digits) through CHIRP's CSV into a full data file, and Update Rig writes them
// into a radio that held other channels: afterwards it holds every record byte for byte.
#include "channels/chirp_export.h"
#include "channels/chirp_import.h"

#include "tests/support/sim_memory.h"
#include "tests/support/sim_program.h"

#include <QFile>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

TEST(ChannelsAgainstSim, RecordsThroughTheCsvAndUpdateRigArriveByteForByte)
{
    const Memory rich = ReadMemory(QStringLiteral(TALVEX_SOURCE_DIR "/tests/support/rich-memory.txt"));
    ASSERT_EQ(rich.size(), 99u);
    std::vector<MemoryRecord> records;
    for (const auto& [channel, bytes] : rich) {
        if (!bytes.isEmpty())
            records.push_back(*MemoryRecord::from(bytes));
    }
    channels::ImportOptions full;
    full.full = true;
    const channels::ImportResult imported = channels::ImportChirpCsv(channels::ChirpCsvOfRecords(records), full);
    ASSERT_FALSE(imported.changed());

    QTemporaryDir memoryDirectory;
    const QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    ASSERT_TRUE(QFile::copy(DemoMemoryPath(TALVEX_SOURCE_DIR "/demo"), memoryPath));  // other channels
    SimProgram run(QStringList{QStringLiteral("--memory"), memoryPath}, QStringLiteral("19200,N,8,1"));
    ASSERT_TRUE(run.ready());
    ASSERT_TRUE(run.startUp());
    run.writeFile(QStringLiteral("TALVEX.TXT"), imported.lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memoryWindow.updateRig();
    run.runMemoryOperation(Step::UpdateRig);

    const Memory held = ReadMemory(memoryPath);
    for (int channel = 1; channel <= 99; ++channel) {
        ASSERT_TRUE(held.count(channel)) << channel;
        EXPECT_EQ(held.at(channel).toHex(' '), rich.at(channel).toHex(' ')) << channel;
    }
}

}  // namespace
}  // namespace talvex::testing
