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
        UsageCase{"--records on write", {"write", "x.txt", "--records"}, "--records belongs to read"}),
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
