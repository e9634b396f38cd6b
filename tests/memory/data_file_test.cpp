// The data file: opening, reading, writing it, and why it cannot be opened (its lines' zones are
// checked where Create File and the backups write them); damaged data files and TALVEX.INI, each
// read to its end with no crash or hang and only well-formed frames sent.
#include "memory_test_support.h"

#include "datafile/data_file.h"
#include "startup/configuration.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace talvex::testing {
namespace {

TEST(DataFile, ABareNameOpensInTheWorkingDirectoryWhateverItsCaseAndAPathAsGiven)
{
    MemoryRig t;
    QDir().mkpath(t.path("r"));
    t.writeFile("TALVEX.TXT", {"x"});
    t.writeFile("r/a.txt", {"x"});
    const QString rows[][3] = {{"TALVEX.TXT", t.path("TALVEX.TXT"), "TALVEX.TXT"}, {"talvex.txt", t.path("TALVEX.TXT"), "TALVEX.TXT"},
                               {t.path("r/a.txt"), t.path("r/a.txt"), "A.TXT"}};
    for (const auto& [given, path, upper] : rows) {
        QString name = given;
        EXPECT_FALSE(t.program->dataFile.OpenDataFile(name, FileMode::Input).failure);
        EXPECT_EQ(QStringList({name, t.state().CurrentDataFile, t.state().CurrentFileName}), QStringList({path, path, upper}));
        EXPECT_TRUE(t.state().DataFileOpen);
    }
    EXPECT_EQ(Shown(t), QStringList());
}

TEST(DataFile, WritingEmptiesTheFileEndingEachLineCrLfAndReadingTakesCrLfOrLfKeepingEveryByte)
{
    MemoryRig t;
    t.useFile("old content\r\n");
    QString name = t.path("TALVEX.TXT"), line;
    EXPECT_FALSE(t.program->dataFile.OpenDataFile(name, FileMode::Output).failure);
    t.program->dataFile.WriteDataLine({3, "07.074.0", "LSB", "Fil 1", "   ", "NET       "});
    t.program->dataFile.CloseDataFile();
    EXPECT_FALSE(t.state().DataFileOpen);
    EXPECT_EQ(t.readFile("TALVEX.TXT"), " 3            07.074.0      LSB           Fil 1                       NET       \r\n");
    t.useFile("first\nsecond \xe9\r\nthird");
    QStringList lines;
    while (t.program->dataFile.ReadDataLine(line))
        lines << line;
    EXPECT_EQ(lines, (QStringList{"first", "second \u00e9", "third"}));
    EXPECT_EQ(line, u"third");  // a read past the end leaves the line as it was
}

// What an opening said on the way and why nothing is open come back, in order, for the asker to
// tell; the data file itself shows nothing.
TEST(DataFile, AFileThatCannotBeOpenedSaysWhyAndLeavesNothingOpen)
{
    enum class How { Open, OpenNoCreate, Reopen };
    const struct { const char* name; How how; QStringList said; bool restart, open, created; } rows[] = {  // "@": the path
        {"NEW.TXT", How::Open, {"OPEN FILE ERROR|Error Code 53 ... File not found ... NEW.TXT ... File will be created."}, true, false, true},
        {"NEW.TXT", How::OpenNoCreate, {"Open File - Unexpected Error|Error Code 53 ... File not found ... NEW.TXT ... Input"}, false, false, false},
        {"adir", How::Open, {"Open File - Unexpected Error|Error Code 75 ... Path/File access error: not a regular file (a device, pipe, folder or socket is never "
                             "read or replaced) ... @ ... Input"}, false, false, true},
        {"no/X.TXT", How::Reopen, {"Re-Open File Error|Error Code 53 ... File not found ... @ ... Input ... File will be created.",
                                   "Open File - Unexpected Error|Error Code 76 ... Path not found ... @ ... Output",
                                   "Re-Open File - Unexpected Error|Error Code 53 ... File not found ... @ ... Input"}, false, false, false},
        {"GONE.TXT", How::Reopen, {"Re-Open File Error|Error Code 53 ... File not found ... @ ... Input ... File will be created."}, false, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryRig t;
        QDir().mkpath(t.path("adir"));
        QString name = row.name == QString("NEW.TXT") ? row.name : t.path(row.name);
        DataFile& file = t.program->dataFile;
        const FileOpening opening = row.how == How::Reopen       ? file.ReopenDataFile(name, FileMode::Input)
                                    : row.how == How::OpenNoCreate ? file.OpenDataFile(name, FileMode::Input, MissingFile::Refuse)
                                                                   : file.OpenDataFile(name, FileMode::Input);
        QStringList said;
        for (const FileNotice& notice : opening.said)
            said << notice.title + u'|' + notice.text;
        if (opening.failure)
            said << opening.failure->title + u'|' + opening.failure->text;
        EXPECT_EQ(said, QStringList(row.said).replaceInStrings("@", t.path(row.name)));
        EXPECT_EQ(opening.restart, row.restart);
        EXPECT_EQ(Shown(t), QStringList());
        EXPECT_EQ(QList<bool>({t.state().DataFileOpen, file.isOpen(), file.isReading(), file.atEnd(), QFile::exists(t.path(row.name))}),
                  QList<bool>({row.open, row.open, row.open, true, row.created}));
        EXPECT_EQ(t.readFile(row.name), QByteArray());
    }
}

// Channels 1-3 and the end line.
QByteArray GoodFile(const char* end)
{
    QByteArray file;
    for (int n = 1; n <= 3; ++n)
        file += FormatDataLine({n, "14.07" + QString::number(n) + ".0", "USB", "Fil 2", "   ", "FT8 " + QString::number(n)}).toLatin1() + end;
    return file + " END" + end;
}

struct BadFile {
    const char* name;
    QByteArray data, ini;  // TALVEX.TXT, TALVEX.INI
};
void PrintTo(const BadFile& file, std::ostream* os) { *os << file.name; }

std::vector<BadFile> Files()
{
    QByteArray lines, calls, binary(4096, '\0');
    for (int i = 0; i < 10000; ++i) {
        lines += FormatDataLine({i % 99 + 1, QStringLiteral("07.0%1.0").arg(i % 90 + 10), "CW", "Fil 1", "", QStringLiteral("LINE %1").arg(i)}).toLatin1() + "\r\n";
        calls += "[CallSign] K" + QByteArray::number(i) + "\r\n";
    }
    QRandomGenerator random(7300);
    for (char& c : binary)
        c = static_cast<char>(random.bounded(256));
    const QByteArray ini = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\n[CallSign] N0CALL\r\n"
                           "[CommPort] COM1\r\n[CommBaud] 19200,N,8,1\r\n \r\nEND\r\n";
    const char nuls[] = " 3            07.100.0      LSB   \0\0\0   Fil 1\r\n END\r\n";
    const auto iniWith = [&ini](const char* from, const QByteArray& to) { return QByteArray(ini).replace(from, to); };
    return {
        {"ShortLines", " 7\r\n 8 \r\n9\r\n 1            07.1\r\n 2            14.074.\r\n END\r\n", "[C\r\n[\r\nEN\r\n"},
        {"LongLines", GoodFile("\r\n").replace("\r\n", QByteArray(5000, 'x') + "\r\n"), iniWith("N0CALL", QByteArray(5000, 'K'))},
        {"Tabs", "\t7\t07.100.0\tLSB\tFil 1\t\tTAB\r\n 8\t\t\t\t\t\t\t14.074.0\r\n END\r\n", "[DeftFile]\tTALVEX.TXT\r\n[CommPort]\tCOM1\r\nEND\r\n"},
        {"LfOnly", GoodFile("\n"), iniWith("\r\n", "\n")},
        {"BytesAbove127", " 5            07.100.0      LSB           Fil 1                       Z\xFCrich\xE9\xFF\r\n 6            14.\xB0"
                          "74.0      USB           Fil 2                       OK\r\n END\r\n", iniWith("N0CALL", "\xC4\xD6\xDC\xFF")},
        {"TenThousandLines", lines + " END\r\n", ini + calls + "END\r\n"},
        {"NoEndLine", GoodFile("\r\n").replace(" END\r\n", ""), iniWith("END\r\n", "")},
        {"Binary", binary, binary},
        {"NulBytes", QByteArray(nuls, sizeof nuls - 1), iniWith("COM1", "COM\x01\x02\xFE")},
    };
}

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, ViewFileAndUpdateRigReadTheDataFileToItsEndSendingOnlyWellFormedFrames)
{
    MemoryRig t({}, GetParam().data);
    t.memoryWindow().viewFile();
    EXPECT_EQ(t.run(Step::ViewFile), Frames{});
    t.dialogs.answerMessage(MessageAnswer::Yes);  // and yes to going on without the lines it names
    t.start(&MemoryWindowOperations::updateRig);
    const Frames frames = t.run(Step::UpdateRig);
    // Memory mode, a clear, a select or read of a channel 1-99, or a whole write of one: a BCD
    // frequency, both settings alike, a printable label.
    const QRegularExpression wellFormed("^(08|0B|(08|1A 00) 00 (0[1-9]|[1-9]\\d)|1A 00 00 (0[1-9]|[1-9]\\d) .."
                                        "((?: \\d\\d){5}(?: ..){9})\\5(?: ([2-6].|7[0-9A-E])){10})$");
    for (const QString& frame : frames)
        EXPECT_TRUE(wellFormed.match(frame).hasMatch()) << frame.toStdString();
    // The readable lines put their frames on the line: each of the 99 channels the ten thousand
    // lines name is written once, from its last line. The long lines hold characters past the
    // label and are only read.
    const QString name = GetParam().name;
    EXPECT_GE(frames.size(), name == "TenThousandLines" ? 99 * 5 : 0);
    if (name == "LfOnly" || name == "NoEndLine") {
        EXPECT_EQ(frames, ReadFrames({1, 2, 3}) + WriteFrames({1, "140710", 1, 2, false, "FT8 1"})
                              + WriteFrames({2, "140720", 1, 2, false, "FT8 2"}) + WriteFrames({3, "140730", 1, 2, false, "FT8 3"}));
    }
    EXPECT_TRUE(t.port.isOpen());
}

TEST_P(BadFiles, StartUpReadsTheConfigurationWithoutCrashingAndSendsNothingYet)
{
    TestProgram t;
    WriteBytes(t.path(kConfigFileName), GetParam().ini);
    t.writeFile("TALVEX.TXT", {});
    try {
        t.program->startup.RunStartup();
    } catch (const ProgramEnded&) {  // a port number that names no port ends the program after its messages
        EXPECT_EQ(LastShown(t), u"!UNEXPECTED COMM PORT CONDITION|Correct Comm Port Condition ... then Restart Program!");
    }
    EXPECT_TRUE(t.port.takeWritten().isEmpty());  // the query chain starts only on its timer
}

INSTANTIATE_TEST_SUITE_P(Files, BadFiles, ::testing::ValuesIn(Files()), [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
