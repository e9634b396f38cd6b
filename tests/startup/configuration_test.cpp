#include "startup/configuration.h"
#include "startup/text_routines.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(Configuration, ReadsKeysExactlyAndTheLastOneWins)
{
    const QStringList lines{
        QStringLiteral("TALVEX CONFIGURATION FILE (TALVEX.INI)"),
        QStringLiteral("[CommBaud] 9600,N,8,1"),
        QStringLiteral("[CommPort]COM2"),          // no blank after the bracket: not a key
        QStringLiteral("[callsign] K1ABC"),        // case matters
        QStringLiteral("[CallSign] N0CALL   "),    // trailing blanks go
        QStringLiteral("[CommBaud] 4800,N,8,1"),
        QStringLiteral("[DeftFile] A_LONG_NAME14.TXT"),
        QStringLiteral("END"),
    };
    const ConfigurationValues values = ParseConfiguration(lines);
    EXPECT_EQ(values.commBaud, u"4800,N,8,1");
    EXPECT_FALSE(values.commPort.has_value());
    EXPECT_EQ(values.callSign, u"N0CALL");
    // Read whole: cutting at 12 characters would open a different, empty file next start.
    EXPECT_EQ(values.deftFile, u"A_LONG_NAME14.TXT");
    EXPECT_EQ(values.lastLine, u"END");
    EXPECT_FALSE(ParseConfiguration({}).lastLine.has_value());
}

TEST(Configuration, ThePortNumberIsEveryDigitAfterCom)
{
    const std::pair<const char*, int> cases[] = {{"COM1", 1}, {"COM3", 3}, {"COM10", 10}, {"COM", 0},
                                                 {"3", 0},    {"COMX", 0}, {"", 0},       {"COM9999999", 0}};
    for (auto [text, number] : cases)
        EXPECT_EQ(PortNumber(QString::fromLatin1(text)), number) << text;
}

TEST(Configuration, SetupWritesEightLines)
{
    const QStringList lines = ConfigurationLines(QStringLiteral("TALVEX.TXT"), QStringLiteral("N0CALL"),
                                                 QStringLiteral("COM1"), QStringLiteral("19200,N,8,1"));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], u"TALVEX CONFIGURATION FILE (TALVEX.INI)");
    EXPECT_EQ(lines[2], u"[DeftFile] TALVEX.TXT");
    EXPECT_EQ(lines[5], u"[CommBaud] 19200,N,8,1");
    EXPECT_EQ(lines[6], u" ");
    EXPECT_EQ(lines[7], u"END");
}

TEST(TextRoutines, RaiseLettersOnlyAndNameFilesByTheirLastPart)
{
    QString name = QStringLiteral("memori~1.txt");
    UpperCase(name);
    EXPECT_EQ(name, u"MEMORI~1.TXT");
    EXPECT_EQ(UpperFileName(QStringLiteral("c:\\radio\\ham.txt")), u"HAM.TXT");
    EXPECT_EQ(UpperFileName(QStringLiteral("/home/op/ham.txt")), u"HAM.TXT");

    // ".txt" is added unless the fourth character from the end is a point ("A.B.C" has one).
    const std::pair<const char*, const char*> extended[] = {
        {"c:\\radio\\ham", "c:\\radio\\ham.txt"}, {"HAM.TXT", "HAM.TXT"}, {"ham.dat", "ham.dat"},
        {".TXT", ".TXT"}, {"HAM.", "HAM..txt"}, {"HAM.T", "HAM.T.txt"}, {"HAM.TX", "HAM.TX.txt"},
        {"my.file", "my.file.txt"}, {"A.B.C", "A.B.C"}, {"my.dir/ham", "my.dir/ham.txt"},
        {"TXT", "TXT.txt"}, {"", ".txt"}};
    for (auto [text, expected] : extended)
        EXPECT_EQ(AddTxtExtension(QString::fromLatin1(text)), QString::fromLatin1(expected)) << text;

    EXPECT_EQ(UpperFileName(QStringLiteral("ham.txt")), u"HAM.TXT");
    EXPECT_EQ(UpperFileName(QStringLiteral("c:\\radio\\")), u"");

    // Twelve characters is the longest bare name; the thirteenth makes it a path.
    const std::pair<const char*, bool> bare[] = {{"TALVEX.TXT", true}, {"Sw + Air.txt", true}, {"ABCDEFGH.TXT", true},
                                                 {"THIRTEEN.TXT1", false}, {"C:\\CB.TXT", false},
                                                 {"/a/ham.txt", false}, {"a/b", false}};
    for (auto [text, expected] : bare)
        EXPECT_EQ(IsBareName(QString::fromLatin1(text)), expected) << text;
}

}  // namespace
}  // namespace talvex
