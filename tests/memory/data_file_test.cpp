#include "memory/data_file.h"
#include "memory/data_line.h"

#include "tests/support/test_program.h"

#include <QDir>

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::ProgramEnded;
using testing::TestProgram;

TEST(DataLine, TheExampleChannelLineIsEightyColumnsInSixZones)
{
    const QString line = FormatDataLine({7, QStringLiteral("14.074.0"), QStringLiteral("USB"),
                                         QStringLiteral("Fil 2"), QStringLiteral("Yes"),
                                         QStringLiteral("FT8 CALL  ")});
    ASSERT_EQ(line.size(), 80);
    EXPECT_EQ(line, u" 7            14.074.0      USB           Fil 2         Yes           FT8 CALL  ");
    EXPECT_EQ(Columns(line, 15, 22), u"14.074.0");
    EXPECT_EQ(Columns(line, 43, 47), u"Fil 2");
    EXPECT_EQ(Columns(line, 71, 80), u"FT8 CALL  ");
    EXPECT_EQ(Columns(line, 81, 90), u"");
    EXPECT_EQ(Columns(QStringLiteral(" 7"), 15, 22), u"");
}

TEST(DataLine, TitleEmptyAndEndLinesHaveTheirFixedWidths)
{
    const QString title = FormatDataLine({QString(), QString(), QString(), QString(), QString(),
                                          QStringLiteral("TALVEX.TXT")});
    EXPECT_EQ(title, QString(70, u' ') + QStringLiteral("TALVEX.TXT"));
    const QString end = FormatDataLine({QStringLiteral(" END"), QString(), QString(), QString(),
                                        QString(), QString()});
    EXPECT_EQ(end, QStringLiteral(" END") + QString(66, u' '));
    const QString empty = FormatDataLine({42, QString(), QString(), QString(), QString(), QString()});
    EXPECT_EQ(empty, QStringLiteral(" 42") + QString(67, u' '));
}

class DataFileTest : public ::testing::Test {
protected:
    DataFile& file() { return t.program->dataFile; }
    ProgramState& state() { return t.program->state; }
    TestProgram t;
};

TEST_F(DataFileTest, ABareNameOpensInTheWorkingDirectoryAndALongOneAsGiven)
{
    t.writeFile(QStringLiteral("TALVEX.TXT"), {QStringLiteral("line one")});
    QString name = QStringLiteral("TALVEX.TXT");
    file().OpenDataFile(name, FileMode::Input);
    EXPECT_EQ(name, t.path(QStringLiteral("TALVEX.TXT")));
    EXPECT_EQ(state().CurrentDataFile, name);
    EXPECT_EQ(state().CurrentFileName, u"TALVEX.TXT");
    EXPECT_TRUE(state().DataFileOpen);
    QString line = QStringLiteral("before");
    EXPECT_TRUE(file().ReadDataLine(line));
    EXPECT_EQ(line, u"line one");
    EXPECT_FALSE(file().ReadDataLine(line));
    EXPECT_EQ(line, u"line one");

    // A short full path is a path, not a bare name.
    QDir().mkpath(t.path(QStringLiteral("r")));
    const QString shortPath = QDir(t.path(QStringLiteral("r"))).filePath(QStringLiteral("a.txt"));
    t.writeFile(QStringLiteral("r/a.txt"), {QStringLiteral("x")});
    QString given = shortPath;
    file().OpenDataFile(given, FileMode::Input);
    EXPECT_EQ(state().CurrentDataFile, shortPath);
    EXPECT_EQ(state().CurrentFileName, u"A.TXT");
}

TEST_F(DataFileTest, ABareNameFindsTheFileWhoseNameDiffersOnlyInCase)
{
    t.writeFile(QStringLiteral("TALVEX.TXT"), {QStringLiteral("x")});
    QString name = QStringLiteral("talvex.txt");
    file().OpenDataFile(name, FileMode::Input);
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_EQ(name, t.path(QStringLiteral("TALVEX.TXT")));
}

TEST_F(DataFileTest, WritingEmptiesTheFileAndEndsEveryLineWithCrLf)
{
    t.writeFile(QStringLiteral("OUT.TXT"), {QStringLiteral("old content")});
    QString name = QStringLiteral("OUT.TXT");
    file().OpenDataFile(name, FileMode::Output);
    file().WriteDataLine({3, QStringLiteral("07.074.0"), QStringLiteral("LSB"), QStringLiteral("Fil 1"),
                          QStringLiteral("   "), QStringLiteral("NET       ")});
    file().CloseDataFile();
    EXPECT_FALSE(state().DataFileOpen);
    EXPECT_EQ(t.readFile(QStringLiteral("OUT.TXT")),
              QByteArray(" 3            07.074.0      LSB           Fil 1                       NET       \r\n"));
}

TEST_F(DataFileTest, ReadingAcceptsLfAloneAndKeepsEveryByte)
{
    QFile raw(t.path(QStringLiteral("LF.TXT")));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write("first\nsecond \xe9\r\nthird");
    raw.close();
    QString name = QStringLiteral("LF.TXT");
    file().OpenDataFile(name, FileMode::Input);
    QString line;
    QStringList lines;
    while (file().ReadDataLine(line))
        lines << line;
    EXPECT_EQ(lines, (QStringList{QStringLiteral("first"), QStringLiteral("second \u00e9"), QStringLiteral("third")}));
}

TEST_F(DataFileTest, AMissingDefaultFileIsCreatedAndTheProgramAsksForARestart)
{
    QString name = QStringLiteral("NEW.TXT");
    EXPECT_THROW(file().OpenDataFile(name, FileMode::Input), ProgramEnded);
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"OPEN FILE ERROR");
    EXPECT_EQ(t.dialogs.messages[0].text,
              u"Error Code 53 ... File not found ... NEW.TXT ... File will be created.");
    EXPECT_EQ(t.dialogs.messages[1].title, u"Restart (creating missing file)");
    EXPECT_EQ(t.dialogs.messages[1].text, u"Restart program!");
    EXPECT_TRUE(QFile::exists(t.path(QStringLiteral("NEW.TXT"))));
    EXPECT_EQ(t.readFile(QStringLiteral("NEW.TXT")), QByteArray());
}

TEST_F(DataFileTest, AFileThatCannotBeOpenedLeavesNothingOpenAndSaysWhy)
{
    const QString directoryAsFile = t.path(QStringLiteral("adirectory_longname"));
    QDir().mkpath(directoryAsFile);
    QString name = directoryAsFile;
    file().OpenDataFile(name, FileMode::Input);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Open File - Unexpected Error");
    EXPECT_TRUE(t.dialogs.messages[0].text.startsWith(u"Error Code 75 ... "));
    EXPECT_TRUE(t.dialogs.messages[0].text.endsWith(QStringLiteral(" ... ") + directoryAsFile + QStringLiteral(" ... Input")));
    EXPECT_FALSE(state().DataFileOpen);
    EXPECT_FALSE(file().isOpen());
}

// A file in a directory that does not exist can neither be found nor created: the reopen
// reports both and tries once more, never in a loop.
TEST_F(DataFileTest, AReopenWhoseRetryFailsTooLeavesNothingOpen)
{
    const QString path = t.path(QStringLiteral("missing/dir/X.TXT"));
    file().ReopenDataFile(path, FileMode::Input);
    ASSERT_EQ(t.dialogs.messages.size(), 3u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Re-Open File Error");
    EXPECT_EQ(t.dialogs.messages[0].text,
              QStringLiteral("Error Code 53 ... File not found ... ") + path + QStringLiteral(" ... Input ... File will be created."));
    EXPECT_EQ(t.dialogs.messages[1].title, u"Open File - Unexpected Error");
    EXPECT_TRUE(t.dialogs.messages[1].text.startsWith(u"Error Code 76 ... Path not found"));
    EXPECT_EQ(t.dialogs.messages[2].title, u"Re-Open File - Unexpected Error");
    EXPECT_FALSE(state().DataFileOpen);
    EXPECT_FALSE(file().isOpen());
}

TEST_F(DataFileTest, AReopenOfAMissingFileCreatesItAndGoesOnWithItEmpty)
{
    const QString path = t.path(QStringLiteral("GONE.TXT"));
    file().ReopenDataFile(path, FileMode::Input);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_TRUE(state().DataFileOpen);
    EXPECT_TRUE(file().isReading());
    EXPECT_TRUE(file().atEnd());
}

}  // namespace
}  // namespace talvex
