// Bad command lines are refused with one line and exit code 2, before any port or file is touched;
// files that cannot be what a command needs are refused with exit code 5 before the port is
// opened; and with --json every way out prints one JSON object that carries the exit code.
#include "mem_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace talvex::testing {
namespace {

struct UsageCase {
    const char* story;
    QStringList arguments;
    const char* says;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.story; }

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, IsRefusedWithExitCode2AndChangesNothing)
{
    QTemporaryDir folder;
    const MemRun run = RunMem(folder.path(), GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2) << run.err.constData();
    // One line that says why, one that says where the whole usage is: never the usage itself.
    const QList<QByteArray> lines = run.err.split('\n');
    ASSERT_EQ(lines.size(), 3) << run.err.constData();
    EXPECT_TRUE(lines[0].startsWith("talvex-mem: ")) << run.err.constData();
    EXPECT_TRUE(lines[0].contains(GetParam().says)) << run.err.constData();
    EXPECT_EQ(lines[1], "see talvex-mem --help");
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, CliUsage,
    ::testing::Values(
        UsageCase{"a range with letters", {"--port", "COM1", "--baud", "19200", "blank", "7x"}, "\"7x\" is not a channel range"},
        UsageCase{"a range backwards", {"--port", "COM1", "--baud", "19200", "blank", "50-10"}, "\"50-10\" is not a channel range"},
        UsageCase{"a range below channel 1", {"--port", "COM1", "--baud", "19200", "blank", "0-5"}, "\"0-5\""},
        UsageCase{"a range above channel 99", {"--port", "COM1", "--baud", "19200", "blank", "98-100"}, "\"98-100\""},
        UsageCase{"an unknown option", {"--frob", "read", "x.txt"}, "unknown option \"--frob\""},
        UsageCase{"an unknown command", {"frob"}, "unknown command \"frob\""},
        UsageCase{"a rate the radio does not have", {"--baud", "1234", "read", "x.txt"}, "not \"1234\""},
        UsageCase{"a rate without digits", {"--baud", "fast", "read", "x.txt"}, "not \"fast\""},
        UsageCase{"no command", {"--port", "COM1"}, "no command given"},
        UsageCase{"a missing file name", {"read"}, "read takes 1 operand(s), not 0"},
        UsageCase{"--records on write", {"write", "x.txt", "--records"}, "--records belongs to read"},
        UsageCase{"--plain on export", {"export", "x.csv", "--plain"}, "--plain belongs to read"},
        UsageCase{"--records and --plain", {"read", "x.txt", "--records", "--plain"}, "--records and --plain exclude each other"},
        // --option=value: every option that takes a value takes it so; one that takes none refuses it
        UsageCase{"a value on --json", {"--json=yes", "backups"}, "--json takes no value"},
        UsageCase{"a value on --quiet", {"--quiet=1", "backups"}, "--quiet takes no value"},
        UsageCase{"an empty --port=", {"--port=", "--baud", "19200", "read", "x.txt"}, "--port needs COMn or a device path"},
        UsageCase{"--baud= a rate the radio lacks", {"--baud=1234", "read", "x.txt"}, "not \"1234\""},
        // --address: the radio's CI-V address as its menu shows it, never everyone's or ours
        UsageCase{"--address 00", {"--address", "00", "read", "x.txt"}, "--address 00 is the broadcast address"},
        UsageCase{"--address E0h", {"--address=E0h", "read", "x.txt"}, "--address E0 is TALVEX's own"},
        UsageCase{"--address past the menu's last", {"--address", "E1", "read", "x.txt"}, "01h-DFh, not \"E1\""},
        UsageCase{"--address of two bytes", {"--address", "198", "read", "x.txt"}, "not \"198\""},
        UsageCase{"--first= 0", {"import", "a.csv", "b.txt", "--renumber", "--first=0"}, "--first must be a whole number 1-99, not \"0\""},
        UsageCase{"--from= on import", {"import", "a.csv", "b.txt", "--from=x.txt"}, "--from belongs to export"},
        // - is standard input or output only where it can work
        UsageCase{"import into -", {"import", "a.csv", "-"}, "give a file name, not -"},
        // export and import: every option's bad value, and options where they do not belong
        UsageCase{"import with one file", {"import", "a.csv"}, "import takes 2 operand(s), not 1"},
        UsageCase{"export with two files", {"export", "a.csv", "b.csv"}, "export takes 1 operand(s), not 2"},
        UsageCase{"--first 0", {"import", "a.csv", "b.txt", "--renumber", "--first", "0"}, "--first must be a whole number 1-99, not \"0\""},
        UsageCase{"--first 100", {"import", "a.csv", "b.txt", "--renumber", "--first", "100"}, "not \"100\""},
        UsageCase{"--first without a value", {"import", "a.csv", "b.txt", "--renumber", "--first"}, "not \"\""},
        UsageCase{"--max 0", {"import", "--eibi", "a.csv", "b.txt", "--max", "0"}, "--max must be a whole number 1-99, not \"0\""},
        UsageCase{"--max with letters", {"import", "--eibi", "a.csv", "b.txt", "--max", "9x"}, "not \"9x\""},
        UsageCase{"--at 2400", {"import", "--eibi", "a.csv", "b.txt", "--at", "2400"}, "--at must be a UTC time HHMM, 0000-2359, not \"2400\""},
        UsageCase{"--at with a colon", {"import", "--eibi", "a.csv", "b.txt", "--at", "12:00"}, "not \"12:00\""},
        UsageCase{"--days irr", {"import", "--eibi", "a.csv", "b.txt", "--days", "irr"}, "--days must be days as the schedule writes them"},
        UsageCase{"--days empty", {"import", "--eibi", "a.csv", "b.txt", "--days", ""}, "not \"\""},
        UsageCase{"--language without a value", {"import", "--eibi", "a.csv", "b.txt", "--language"}, "--language needs a language code"},
        UsageCase{"--target blank", {"import", "--eibi", "a.csv", "b.txt", "--target", " "}, "--target needs a target"},
        UsageCase{"--station without a value", {"import", "--eibi", "a.csv", "b.txt", "--station"}, "--station needs a part of a station name"},
        UsageCase{"--from without a value", {"export", "a.csv", "--from"}, "--from needs a data file"},
        UsageCase{"two sources", {"export", "a.csv", "--from", "x.txt", "--from-radio"}, "--from and --from-radio exclude each other"},
        UsageCase{"an option twice", {"import", "a.csv", "b.txt", "--strict", "--strict"}, "--strict is given twice"},
        UsageCase{"--full on export", {"export", "a.csv", "--full"}, "--full belongs to import"},
        UsageCase{"--from-radio on import", {"import", "a.csv", "b.txt", "--from-radio"}, "--from-radio belongs to export"},
        UsageCase{"--eibi on read", {"read", "x.txt", "--eibi"}, "--eibi belongs to import"},
        UsageCase{"--at without --eibi", {"import", "a.csv", "b.txt", "--at", "1200"}, "--at belongs to import --eibi"},
        UsageCase{"--first without --renumber", {"import", "a.csv", "b.txt", "--first", "5"}, "--first goes with --renumber"},
        UsageCase{"--renumber on a schedule", {"import", "--eibi", "a.csv", "b.txt", "--renumber"}, "--renumber belongs to a CHIRP import"}),
    [](const auto& info) {
        std::string name = info.param.story;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(CliHelp, HelpAndVersionExitZeroOnStandardOutput)
{
    QTemporaryDir folder;
    const MemRun help = RunMem(folder.path(), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("restore BACKUP"));
    EXPECT_TRUE(help.out.contains("3 no radio"));
    EXPECT_TRUE(help.out.contains("--records is still taken")) << help.out.constData();
    const MemRun version = RunMem(folder.path(), {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("talvex-mem 2.")) << version.out.constData();
}

struct JsonCase {
    const char* story;
    QStringList arguments;  // --json is put first
    int exitCode;
    const char* says;  // in the object's "why", or nullptr
    std::function<void(const QString& folder)> setUp = {};
};

void PrintTo(const JsonCase& c, std::ostream* os) { *os << c.story; }

void Put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

class CliJson : public ::testing::TestWithParam<JsonCase> {};

// Every way out of the command line, with --json: exactly one JSON object on standard output,
// its exitCode the process's own.
TEST_P(CliJson, EveryExitPrintsOneObjectCarryingTheExitCode)
{
    QTemporaryDir folder;
    if (GetParam().setUp)
        GetParam().setUp(folder.path());
    const MemRun run = RunMem(folder.path(), QStringList{"--json"} + GetParam().arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err.constData();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();
    ASSERT_TRUE(document.isObject()) << run.out.constData();
    EXPECT_EQ(document.object().value("exitCode").toInt(-1), run.exitCode) << run.out.constData();
    if (GetParam().says) {
        EXPECT_TRUE(document.object().value("why").toString().contains(QString::fromUtf8(GetParam().says)))
            << run.out.constData();
    }
}

const QStringList kNoRadio{"--port", "COM9", "--baud", "19200"};

INSTANTIATE_TEST_SUITE_P(
    Exits, CliJson,
    ::testing::Values(
        JsonCase{"usage_error", {"frob"}, 2, "unknown command \"frob\""},
        JsonCase{"json_report_and_a_file_on_standard_output", {"read", "-"}, 2, "give a file name"},
        JsonCase{"help", {"--help"}, 0, nullptr},
        JsonCase{"version", {"--version"}, 0, nullptr},
        JsonCase{"no_talvex_ini", {"read", "x.txt"}, 5, "TALVEX.INI cannot be read"},
        JsonCase{"a_port_that_cannot_be_opened", kNoRadio + QStringList{"read", "x.txt"}, 3,
                 "the port COM9 cannot be opened: no such device (no COM9 in "},
        JsonCase{"a_missing_data_file", kNoRadio + QStringList{"write", "missing.txt"}, 5, "missing.txt cannot be read"},
        JsonCase{"an_empty_backup", kNoRadio + QStringList{"restore", "20261207-142501.TXT"}, 5,
                 "20261207-142501.TXT is not a complete backup: it is empty: nothing was written",
                 [](const QString& folder) { Put(folder + "/BACKUP/20261207-142501.TXT", {}); }},
        JsonCase{"backups", {"backups"}, 0, nullptr},
        JsonCase{"export_without_talvex_ini", {"export", "x.csv"}, 5, "TALVEX.INI cannot be read"},
        JsonCase{"import_of_a_missing_list", {"import", "no.csv", "x.txt"}, 5, "no.csv cannot be read"}),
    [](const auto& info) { return std::string(info.param.story); });

// What a data file's bytes may be, hostile or broken: none of them names a channel, so write and
// diff refuse them as a file error before the port is opened (no port COM9 exists here).
TEST(CliHostileDataFile, IsNoChannelLinesAndExitCode5BeforeThePortIsOpened)
{
    QRandomGenerator random(7300);
    QByteArray noise(64 * 1024, '\0');
    for (char& c : noise)
        c = static_cast<char>(random.bounded(256));
    const struct {
        const char* story;
        QByteArray bytes;
        qint64 size;  // > 0: the file is made this size (a hole after the bytes)
        const char* says;
    } rows[] = {
        {"random bytes", noise, 0, "has no channel lines"},
        {"NUL bytes", QByteArray(4096, '\0'), 0, "has no channel lines"},
        {"a PNG picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + noise.left(2048), 0, "has no channel lines"},
        {"over 16 MB", " 1            07.100.0      LSB           Fil 1\r\n END\r\n", 16 * 1024 * 1024 + 1, "File too large"},
        {"empty", QByteArray(), 0, "has no channel lines"},
        {"only lines naming no channel", " 0            07.100.0\r\n 1x\r\n* 5\r\n END\r\n", 0, "has no channel lines"},
    };
    for (const auto& row : rows) {
        for (const char* command : {"write", "diff"}) {
            SCOPED_TRACE(std::string(row.story) + ", " + command);
            QTemporaryDir folder;
            const QString path = QDir(folder.path()).filePath("data.txt");
            Put(path, row.bytes);
            if (row.size > 0)
                QFile(path).resize(row.size);
            const MemRun run = RunMem(folder.path(), kNoRadio + QStringList{command, "data.txt"});
            EXPECT_EQ(run.exitCode, 5) << run.err.constData();
            EXPECT_TRUE(run.err.contains(row.says)) << run.err.constData();
            EXPECT_FALSE(QDir(folder.path()).exists("BACKUP"));
        }
    }
    // The same bytes on standard input.
    QTemporaryDir folder;
    const MemRun run = RunMem(folder.path(), kNoRadio + QStringList{"write", "-"}, noise);
    EXPECT_EQ(run.exitCode, 5) << run.err.constData();
    EXPECT_EQ(run.err, "talvex-mem: standard input has no channel lines: nothing was done\n");
}

}  // namespace
}  // namespace talvex::testing
