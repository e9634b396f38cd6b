// Bad command lines are refused with one line and exit code 2, before any port or file is touched.
#include "mem_process.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(run.err.startsWith("talvex-mem: ")) << run.err.constData();
    EXPECT_TRUE(run.err.contains(GetParam().says)) << run.err.constData();
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
    const MemRun version = RunMem(folder.path(), {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("talvex-mem 2.")) << version.out.constData();
}

TEST(CliConfiguration, WithoutTalvexIniOrPortItIsAFileError)
{
    QTemporaryDir folder;
    const MemRun run = RunMem(folder.path(), {"read", "x.txt"});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.err.contains("TALVEX.INI cannot be read")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath("x.txt")));
}

}  // namespace
}  // namespace talvex::testing
