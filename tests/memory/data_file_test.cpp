// The data file: its lines' print zones, and opening, reading, writing and the messages of a
// file that cannot be opened.
#include "memory_test_support.h"

#include "memory/data_file.h"

#include <QDir>

namespace talvex::testing {
namespace {

TEST(DataLine, FieldsStandAtTheirZonesAndColumnsReadThemBack)
{
    const QString e, line = FormatDataLine({7, "14.074.0", "USB", "Fil 2", "Yes", "FT8 CALL  "});
    EXPECT_EQ(line, u" 7            14.074.0      USB           Fil 2         Yes           FT8 CALL  ");
    EXPECT_EQ(FormatDataLine({e, e, e, e, e, "TALVEX.TXT"}), QString(70, u' ') + "TALVEX.TXT");
    EXPECT_EQ(FormatDataLine({" END", e, e, e, e, e}), " END" + QString(66, u' '));
    EXPECT_EQ(FormatDataLine({42, e, e, e, e, e}), " 42" + QString(67, u' '));
    const QStringList columns{Columns(line, 15, 22), Columns(line, 43, 47), Columns(line, 71, 80),
                              Columns(line, 81, 90), Columns(" 7", 15, 22)};
    EXPECT_EQ(columns, (QStringList{"14.074.0", "Fil 2", "FT8 CALL  ", "", ""}));
}

TEST(DataFile, ABareNameOpensInTheWorkingDirectoryWhateverItsCaseAndAPathAsGiven)
{
    MemoryRig t;
    t.writeFile("TALVEX.TXT", {"x"});
    QDir().mkpath(t.path("r"));
    t.writeFile("r/a.txt", {"x"});
    const QString rows[][3] = {{"TALVEX.TXT", t.path("TALVEX.TXT"), "TALVEX.TXT"},
                               {"talvex.txt", t.path("TALVEX.TXT"), "TALVEX.TXT"},
                               {t.path("r/a.txt"), t.path("r/a.txt"), "A.TXT"}};
    for (const auto& [given, path, upper] : rows) {
        QString name = given;
        t.program->dataFile.OpenDataFile(name, FileMode::Input);
        EXPECT_EQ(QStringList({name, t.state().CurrentDataFile, t.state().CurrentFileName}), QStringList({path, path, upper}));
        EXPECT_TRUE(t.state().DataFileOpen);
    }
    EXPECT_EQ(Shown(t), QStringList());
}

TEST(DataFile, WritingEmptiesTheFileEndingEachLineCrLfAndReadingTakesCrLfOrLfKeepingEveryByte)
{
    MemoryRig t;
    t.useFile("old content\r\n");
    QString name = t.path("TALVEX.TXT");
    t.program->dataFile.OpenDataFile(name, FileMode::Output);
    t.program->dataFile.WriteDataLine({3, "07.074.0", "LSB", "Fil 1", "   ", "NET       "});
    t.program->dataFile.CloseDataFile();
    EXPECT_FALSE(t.state().DataFileOpen);
    EXPECT_EQ(t.readFile("TALVEX.TXT"), " 3            07.074.0      LSB           Fil 1                       NET       \r\n");

    t.useFile("first\nsecond \xe9\r\nthird");
    QString line;
    QStringList lines;
    while (t.program->dataFile.ReadDataLine(line))
        lines << line;
    EXPECT_EQ(lines, (QStringList{"first", "second \u00e9", "third"}));
    EXPECT_EQ(line, u"third");  // a read past the end leaves the line as it was
}

TEST(DataFile, AFileThatCannotBeOpenedSaysWhyAndLeavesNothingOpen)
{
    const struct {
        const char* name;
        bool reopen;
        QStringList shown;  // "@" stands for the file's path
        bool open, created;
    } rows[] = {
        {"NEW.TXT", false,
         {"OPEN FILE ERROR|Error Code 53 ... File not found ... NEW.TXT ... File will be created.",
          "Restart (creating missing file)|Restart program!"}, false, true},
        {"adirectory", false, {"Open File - Unexpected Error|Error Code 75 ... Path/File access error ... @ ... Input"}, false, true},
        {"missing/X.TXT", true,
         {"Re-Open File Error|Error Code 53 ... File not found ... @ ... Input ... File will be created.",
          "Open File - Unexpected Error|Error Code 76 ... Path not found ... @ ... Output",
          "Re-Open File - Unexpected Error|Error Code 53 ... File not found ... @ ... Input"}, false, false},
        {"GONE.TXT", true, {"Re-Open File Error|Error Code 53 ... File not found ... @ ... Input ... File will be created."}, true, true},
    };
    for (const auto& row : rows) {
        MemoryRig t;
        QDir().mkpath(t.path("adirectory"));
        QString name = row.reopen ? t.path(row.name) : QString(row.name);
        if (row.reopen)
            t.program->dataFile.ReopenDataFile(name, FileMode::Input);
        else if (name == "NEW.TXT")
            EXPECT_THROW(t.program->dataFile.OpenDataFile(name, FileMode::Input), ProgramEnded);  // to restart
        else
            t.program->dataFile.OpenDataFile(name = t.path(name), FileMode::Input);
        EXPECT_EQ(Shown(t), QStringList(row.shown).replaceInStrings("@", t.path(row.name))) << row.name;
        EXPECT_EQ(t.state().DataFileOpen, row.open) << row.name;
        EXPECT_EQ(t.program->dataFile.isOpen(), row.open) << row.name;
        EXPECT_EQ(QFile::exists(t.path(row.name)), row.created) << row.name;
        EXPECT_EQ(t.readFile(row.name), QByteArray()) << row.name;
        EXPECT_EQ(t.program->dataFile.isReading() && t.program->dataFile.atEnd(), row.open) << row.name;
    }
}

}  // namespace
}  // namespace talvex::testing
