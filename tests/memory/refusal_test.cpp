// Why the memory engine refuses to start, as a value: the reason and what the operator is shown,
// and not one frame on the line, nothing running, whatever the refusal.
#include "memory_test_support.h"

#include "memory/backup.h"

#include <QDir>

#include <functional>

namespace talvex::testing {
namespace {

const ScriptedClock kBackupClock;

MemoryRequest Confirmed()
{
    MemoryRequest request;
    request.confirmed = true;
    return request;
}

TEST(MemoryOperations, EachRefusalSaysWhyAndSendsNothing)
{
    const auto fileOf = [](const char* mode) {
        return (FormatDataLine({7, "14.074.0", mode, "Fil 1", "   ", "CH"}) + "\r\n END\r\n").toLatin1();
    };
    const QByteArray withBadLine = fileOf("XYZ");
    const struct {
        const char* story;
        QByteArray file;  // TALVEX.TXT, the current data file
        std::function<StartResult(MemoryRig&)> start;
        RefusalReason reason;
        QString text;  // what the operator is shown; a prefix when it ends in "..."
    } rows[] = {
        {"another operation runs", " END\r\n",
         [](MemoryRig& t) {
             t.memoryWindow().viewRig();
             t.port.takeWritten();
             return t.memory().updateRig(Confirmed());
         },
         RefusalReason::Busy, "View Rig is running ... Update Rig is refused until Stop ends it."},
        {"the port is closed", " END\r\n",
         [](MemoryRig& t) {
             t.state().PortReady = 0;
             return t.memory().viewRig({});
         },
         RefusalReason::NoRadio, "The serial port is not open ... View Rig needs the radio ... Check System Setup."},
        {"no data file chosen", " END\r\n",
         [](MemoryRig& t) {
             t.state().CurrentDataFile.clear();
             return t.memory().createFile(Confirmed());
         },
         RefusalReason::NoDataFile, "No data file is chosen ... Change Data File chooses one."},
        {"the named file cannot be read", " END\r\n",
         [](MemoryRig& t) {
             t.writeFile("Ham.txt", {" 7", " END"});
             EXPECT_TRUE(QFile::resize(t.path("Ham.txt"), 64 * 1024 * 1024));  // over what a data file may hold
             MemoryRequest request = Confirmed();
             request.file = QStringLiteral("Ham.txt");
             return t.memory().updateRig(request);
         },
         RefusalReason::FileUnreadable, "Error Code 75 ... File too large: ..."},
        {"the named file is gone, and is not made empty", " END\r\n",
         [](MemoryRig& t) {
             MemoryRequest request = Confirmed();
             request.file = QStringLiteral("Gone.txt");
             const StartResult result = t.memory().updateRig(request);
             EXPECT_FALSE(QFile::exists(t.path("Gone.txt")));
             return result;
         },
         RefusalReason::FileUnreadable, "Error Code 53 ... File not found ... Gone.txt ... Input"},
        {"the new file cannot be made", " END\r\n",
         [](MemoryRig& t) {
             t.state().CurrentDataFile = t.path("no-such-folder/TALVEX.TXT");
             return t.memory().createFile(Confirmed());
         },
         RefusalReason::FileUnwritable, "Error Code ..."},
        {"the backup cannot be made", fileOf("USB"),
         [](MemoryRig& t) {
             t.program->memory.setClock(&kBackupClock);
             WriteBytes(t.path(kBackupFolder), "a file where the folder goes");
             return t.memory().updateRig(Confirmed());
         },
         RefusalReason::BackupNotMade, "The channels could not be saved before writing: ..."},
        {"not confirmed", " END\r\n", [](MemoryRig& t) { return t.memory().blankRig({}); }, RefusalReason::Unconfirmed,
         "Are you sure?"},
        {"no range", " END\r\n", [](MemoryRig& t) { return t.memory().scanRig(Confirmed()); }, RefusalReason::NoRange, ""},
        {"a line the radio cannot take, unanswered", withBadLine,
         [](MemoryRig& t) { return t.memory().updateRig(Confirmed()); }, RefusalReason::SkippedLinesUnanswered,
         "1 line of TALVEX.TXT cannot go into the radio and will be skipped:\n..."},
        {"a line the radio cannot take, answered No", withBadLine,
         [](MemoryRig& t) {
             MemoryRequest request = Confirmed();
             request.writeDespiteSkippedLines = false;
             return t.memory().updateRig(request);
         },
         RefusalReason::SkippedLinesDeclined, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        MemoryRig t({}, row.file);
        const StartResult result = row.start(t);
        ASSERT_TRUE(std::holds_alternative<Refused>(result));
        const Refused& refused = std::get<Refused>(result);
        EXPECT_EQ(refused.reason, row.reason);
        if (row.text.endsWith("...")) {
            EXPECT_TRUE(refused.text.startsWith(row.text.chopped(3))) << refused.text.toStdString();
        } else {
            EXPECT_EQ(refused.text, row.text);
        }
        EXPECT_EQ(t.port.takeWritten(), QByteArray());
        EXPECT_EQ(Shown(t), QStringList());  // the engine shows nothing: the face does
        const ProgramState& s = t.state();
        EXPECT_FALSE(s.CreatingFile || s.UpdatingRig || s.BlankingRig || s.ScanningRig);
        EXPECT_FALSE(QDir(t.path(kBackupFolder)).exists() && QDir(t.path(kBackupFolder)).entryList(QDir::Files).size() > 0);
    }
}

}  // namespace
}  // namespace talvex::testing
