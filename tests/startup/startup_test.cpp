// TALVEX.INI read and written, the start-up it decides, System Setup and Data File Setup on the
// scripted platform, and the real serial port on a pseudo-terminal.
#include "platform/qt_serial_port.h"
#include "platform/text_file.h"
#include "startup/configuration.h"
#include "startup/server_setting.h"
#include "datafile/text_routines.h"

#include "tests/support/pty_pair.h"
#include "tests/support/test_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace talvex {
namespace {

using testing::Hex;
using testing::ProgramEnded;
using testing::TestProgram;

// `text` as `pattern` describes it; a '*' stands for anything (system error texts, paths).
bool Like(const QString& text, const QString& pattern)
{
    const QString escaped = QRegularExpression::escape(pattern).replace(QStringLiteral("\\*"), QStringLiteral(".*"));
    return QRegularExpression(QRegularExpression::anchoredPattern(escaped)).match(text).hasMatch();
}

QString Relative(const TestProgram& t, const QString& path)
{
    return path.isEmpty() ? path : QDir(t.directory.path()).relativeFilePath(path);
}

// What the operator can see or find afterwards: each message shown, the port, the data file
// open for reading, the Memory window's greeting, message and file lines, and a setup window.
void ExpectSeen(const TestProgram& t, const QStringList& expected)
{
    const ProgramState& s = t.program->state;
    QStringList seen;
    for (const auto& m : t.dialogs.messages)
        seen << m.title + ": " + m.text;
    seen << (s.PortReady == 1 ? QStringLiteral("COM%1 %2").arg(t.port.lastPortNumber).arg(t.port.lastSettings)
                              : QStringLiteral("no port"));
    seen << (s.DataFileOpen ? "file " + Relative(t, s.CurrentDataFile) : QStringLiteral("no file"));
    const MemoryFields& fields = t.program->memoryTexts.fields();
    seen << fields.Text6 + " | " + fields.Text7 + " | " + Relative(t, fields.Text8);
    if (t.shell.setupShown > 0)
        seen << QStringLiteral("setup shown");
    bool same = seen.size() == expected.size();
    for (qsizetype i = 0; same && i < seen.size(); ++i)
        same = Like(seen[i], expected[i]);
    EXPECT_TRUE(same) << "seen:\n  " << seen.join(u"\n  ").toStdString() << "\nexpected:\n  "
                      << expected.join(u"\n  ").toStdString();
}

// A normal start: TALVEX.INI and an empty TALVEX.TXT present; what start-up showed is forgotten.
void StartNormally(TestProgram& t, const char* commPort = "COM1")
{
    t.writeConfig(QStringLiteral("TALVEX.TXT"), QStringLiteral("19200,N,8,1"), QString::fromLatin1(commPort));
    t.writeFile(QStringLiteral("TALVEX.TXT"), {});
    t.program->startup.RunStartup();
    t.dialogs.messages.clear();
}

QByteArray ConfigBytes(const char* deftFile, const char* callSign, const char* commPort, const char* commBaud)
{
    return QByteArray("TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] ") + deftFile + "\r\n[CallSign] "
        + callSign + "\r\n[CommPort] " + commPort + "\r\n[CommBaud] " + commBaud + "\r\n \r\nEND\r\n";
}

TEST(Configuration, KeysAreReadExactlyAndTheLastOneWinsAndPortsAreEveryDigitAfterCom)
{
    const ConfigurationValues values = ParseConfiguration(
        {"TALVEX CONFIGURATION FILE (TALVEX.INI)", "[CommBaud] 9600,N,8,1",
         "[CommPort]COM2",  // no blank after the bracket: not a key
         "[callsign] K1ABC", "[CallSign] N0CALL   ", "[CommBaud] 4800,N,8,1", "[DeftFile] A_LONG_NAME14.TXT", "END"});
    EXPECT_EQ(values.commBaud, u"4800,N,8,1");
    EXPECT_FALSE(values.commPort.has_value());
    EXPECT_EQ(values.callSign, u"N0CALL");
    // Read whole: cutting at 12 characters would open a different, empty file next start.
    EXPECT_EQ(values.deftFile, u"A_LONG_NAME14.TXT");
    EXPECT_EQ(values.lastLine, u"END");
    EXPECT_FALSE(ParseConfiguration({}).lastLine.has_value());
    const std::pair<const char*, int> ports[] = {{"COM1", 1}, {"COM3", 3}, {"COM10", 10}, {"COM", 0},
                                                 {"3", 0},    {"COMX", 0}, {"", 0},       {"COM9999999", 0}};
    for (auto [text, number] : ports)
        EXPECT_EQ(PortNumber(QString::fromLatin1(text)), number) << text;
}

TEST(TextRoutines, FileNamesAreRaisedExtendedAndToldBareFromPaths)
{
    // Only a to z are raised: the letters at both ends, never the characters beside them.
    QString name = QStringLiteral("`az{memori~1.txt@AZ[");
    UpperCase(name);
    EXPECT_EQ(name, u"`AZ{MEMORI~1.TXT@AZ[");
    EXPECT_EQ(UpperFileName(QStringLiteral("c:\\radio\\ham.txt")), u"HAM.TXT");
    EXPECT_EQ(UpperFileName(QStringLiteral("/home/op/ham.txt")), u"HAM.TXT");
    EXPECT_EQ(UpperFileName(QStringLiteral("c:\\radio\\")), u"");
    // ".txt" is added unless the fourth character from the end is a point ("A.B.C" has one).
    const std::pair<const char*, const char*> extended[] = {
        {"c:\\radio\\ham", "c:\\radio\\ham.txt"}, {"HAM.TXT", "HAM.TXT"}, {"ham.dat", "ham.dat"}, {".TXT", ".TXT"},
        {"HAM.", "HAM..txt"}, {"HAM.T", "HAM.T.txt"}, {"HAM.TX", "HAM.TX.txt"}, {"my.file", "my.file.txt"},
        {"A.B.C", "A.B.C"}, {"my.dir/ham", "my.dir/ham.txt"}, {"TXT", "TXT.txt"}, {"", ".txt"}};
    for (auto [text, expected] : extended)
        EXPECT_EQ(AddTxtExtension(QString::fromLatin1(text)), QString::fromLatin1(expected)) << text;
    // Twelve characters is the longest bare name; the thirteenth makes it a path.
    const std::pair<const char*, bool> bare[] = {{"TALVEX.TXT", true},   {"Sw + Air.txt", true}, {"ABCDEFGH.TXT", true},
                                                 {"THIRTEEN.TXT1", false}, {"C:\\CB.TXT", false}, {"/a/ham.txt", false},
                                                 {"a/b", false}};
    for (auto [text, expected] : bare)
        EXPECT_EQ(IsBareName(QString::fromLatin1(text)), expected) << text;
}

TEST(Startup, WhatTheConfigurationHoldsDecidesWhatStartsUp)
{
    const QString port = QStringLiteral("[CommPort] COM1"), baud = QStringLiteral("[CommBaud] 19200,N,8,1");
    const QString call = QStringLiteral("[CallSign] K1ABC"), file = QStringLiteral("[DeftFile] TALVEX.TXT");
    const QStringList notOpened{"no port", "no file", " |  | "};
    const struct {
        const char* why;
        std::optional<QStringList> config;  // nothing: no TALVEX.INI at all
        QStringList seen;
    } cases[] = {
        {"complete", QStringList{port, baud, call, file, "END"},
         {"COM1 19200,N,8,1", "file TALVEX.TXT", "Hello K1ABC | Open Process Complete | TALVEX.TXT"}},
        {"end in lower case", QStringList{port, baud, call, file, "end"}, notOpened},
        {"END and a blank", QStringList{port, baud, call, file, "END "}, notOpened},
        {"a line after END", QStringList{port, baud, call, file, "END", "more"}, notOpened},
        {"empty last line", QStringList{port, baud, call, file, ""}, notOpened + QStringList{"setup shown"}},
        {"empty file", QStringList{}, notOpened + QStringList{"setup shown"}},
        {"missing file", std::nullopt,
         QStringList{"OPEN CONFIG FILE ERROR: Error Code 53 ... File not found ... TALVEX.INI ... File will be "
                     "created."} + notOpened + QStringList{"setup shown"}},
        // 15 characters: a path as given, relative to where the program runs.
        {"port ten, long file name", QStringList{"[CommPort] COM10", baud, call, "[DeftFile] SPRING_2026.TXT", "END"},
         {"COM10 19200,N,8,1", "file SPRING_2026.TXT", "Hello K1ABC | Open Process Complete | SPRING_2026.TXT"}},
        {"default file a directory", QStringList{port, baud, call, "[DeftFile] A_DIR.TXT", "END"},
         {"Open File - Unexpected Error: Error Code * ... A_DIR.TXT ... Input",
          "Open File - Unexpected Error: Error Code * ... A_DIR.TXT ... Input", "COM1 19200,N,8,1", "no file",
          "Hello K1ABC |  | "}},
        {"no such port", QStringList{"[CommPort] 3", baud, file, "END"},
         {"OPEN COMM PORT ERROR!: Error Code 8002 ... Invalid port number ... 3 ... 19200,N,8,1",
          "UNEXPECTED COMM PORT CONDITION: Correct Comm Port Condition ... then Restart Program!", "no port",
          "no file", " |  | "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestProgram run;
        if (c.config)
            run.writeFile(kConfigFileName, *c.config);
        run.writeFile(QStringLiteral("TALVEX.TXT"), {});
        run.writeFile(QStringLiteral("SPRING_2026.TXT"), {});
        QDir(run.directory.path()).mkdir(QStringLiteral("A_DIR.TXT"));
        bool ended = false;
        try {
            run.program->startup.RunStartup();
        } catch (const ProgramEnded&) {
            ended = true;
        }
        EXPECT_EQ(ended, c.why == std::string("no such port"));
        ExpectSeen(run, c.seen);
        EXPECT_EQ(run.timer2().isEnabled(), run.program->state.PortReady == 1);  // the query chain armed
        EXPECT_EQ(run.program->state.ConfigMissing, run.shell.setupShown > 0);
        EXPECT_TRUE(QFile::exists(run.path(kConfigFileName)));
    }

    TestProgram t;
    StartNormally(t);
    EXPECT_EQ(t.port.openCount, 2);  // once for each window's start-up
    EXPECT_EQ(t.port.readCount, 2 * 99);  // nothing from before the opening reaches the decoder
    EXPECT_EQ(t.program->state.StartupQueryStep, 1);
    EXPECT_EQ(t.shell.splashShown, 2);
    EXPECT_EQ(t.program->state.ConfigDeftFile, t.path(QStringLiteral("TALVEX.TXT")));
    EXPECT_TRUE(t.program->memoryTexts.fields().Text8Bold);
    EXPECT_TRUE(t.port.takeWritten().isEmpty());
}

class SetupTest : public ::testing::Test {
protected:
    void startNormally(const char* commPort = "COM1") { StartNormally(t, commPort); }
    ProgramState& state() { return t.program->state; }
    MemoryFields& memoryFields() { return t.program->memoryTexts.fields(); }
    SystemSetup& setup() { return t.program->setup; }
    DataFileSetup& data() { return t.program->dataSetup; }
    TestProgram t;
};

TEST(SystemSetup, WithoutAConfigurationItShowsTheDefaultsQuitRestartsAndSaveWritesTheEightLines)
{
    for (const bool save : {false, true}) {
        TestProgram t;
        t.program->startup.RunStartup();
        const SetupChoices shown = t.program->setup.choicesShown();
        EXPECT_EQ(shown.port, 1);
        EXPECT_EQ(shown.baud, 0);
        EXPECT_EQ(shown.callSign, u"N0CALL");
        EXPECT_EQ(shown.dataFile, u"TALVEX.TXT");
        t.dialogs.messages.clear();
        t.program->setup.setCallSign(QStringLiteral("k1abc"));
        // TALVEX.TXT is missing too: its own message, its creation, and the restart.
        EXPECT_THROW(save ? (void)t.program->setup.Save() : t.program->setup.Quit(), ProgramEnded);
        EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
        EXPECT_EQ(t.readFile(kConfigFileName), save ? ConfigBytes("TALVEX.TXT", "K1ABC", "COM1", "19200,N,8,1") : "");
        EXPECT_EQ(QFile::exists(t.path(QStringLiteral("TALVEX.TXT"))), save);
        EXPECT_EQ(t.port.lastPortNumber, save ? 1 : -1);
        ExpectSeen(t, (save ? QStringList{"OPEN FILE ERROR: Error Code 53 ... File not found ... TALVEX.TXT ... "
                                          "File will be created."}
                            : QStringList{})
                   + QStringList{"Restart (creating missing file): Restart program!", "no port", "no file",
                                 " |  | ", "setup shown"});
    }
}

TEST_F(SetupTest, SaveTakesEffectAtOnceAndKeepsAPortOutsideTheChoices)
{
    startNormally();
    t.writeFile(QStringLiteral("HAM.TXT"), {});
    setup().choicesShown();
    setup().choosePort(3);
    setup().chooseRate(2);
    setup().setCallSign(QStringLiteral("k1abc"));
    setup().setDefaultFile(QStringLiteral("c:\\radio\\ham"));
    EXPECT_EQ(state().ConfigDeftFile, u"c:\\radio\\ham.txt");
    ExpectSeen(t, {"COM1 19200,N,8,1", "file TALVEX.TXT", "Hello N0CALL | Open Process Complete | TALVEX.TXT"});
    EXPECT_TRUE(setup().Save());
    EXPECT_EQ(t.readFile(kConfigFileName), ConfigBytes("HAM.TXT", "K1ABC", "COM3", "4800,N,8,1"));
    ExpectSeen(t, {"COM3 4800,N,8,1", "file HAM.TXT", "Hello N0CALL | Setup Process Complete | HAM.TXT"});

    // COM1 to COM8 are the choices, COM9 is kept as it stands.
    for (const auto& [port, shown] : {std::pair{"COM9", std::optional<int>()}, std::pair{"COM8", std::optional(8)},
                                      std::pair{"COM2", std::optional(2)}}) {
        startNormally(port);
        EXPECT_EQ(setup().choicesShown().port, shown);
        setup().Save();
        EXPECT_EQ(t.readFile(kConfigFileName), ConfigBytes("TALVEX.TXT", "N0CALL", port, "19200,N,8,1"));
    }
    // Each keystroke in the data file box is stored with its extension (which names get one: the
    // text routines' test); a blank start is no name.
    const std::pair<const char*, const char*> typed[] = {{"H", "H.txt"}, {"", "TALVEX.TXT"}, {" HAM", "TALVEX.TXT"}};
    for (const auto& [text, stored] : typed) {
        setup().setDefaultFile(QString::fromLatin1(text));
        EXPECT_EQ(state().ConfigDeftFile, QString::fromLatin1(stored)) << text;
    }
}

// A configuration that cannot be written changes nothing and leaves no temporary file; once it is
// written it stays written, whatever the port or the default data file do next.
TEST(SystemSetup, SaveReportsEachFailureAndClaimsCompletionOnlyWithTheFileOpen)
{
    struct DiskFullGuard {
        ~DiskFullGuard() { SimulateDiskFullAfter(std::nullopt); }
    } guard;
    const QStringList unchanged{"COM1 19200,N,8,1", "file TALVEX.TXT",
                                "Hello N0CALL | Open Process Complete | TALVEX.TXT"};
    const QString full =
        "Unexpected Open Config File Error: Error Code 61 ... No space left on device ... TALVEX.INI ... Output";
    const struct {
        const char* why;
        std::function<void(TestProgram&)> arrange;
        QStringList seen;
        const char* written;  // the data file TALVEX.INI names afterwards; nothing: unchanged
    } cases[] = {
        {"a directory in its place",
         [](TestProgram& run) { QFile::remove(run.path(kConfigFileName)); QDir(run.path({})).mkdir(kConfigFileName); },
         QStringList{"Unexpected Open Config File Error: Error Code * ... TALVEX.INI ... Output"} + unchanged, nullptr},
        {"disk full after 40 bytes", [](TestProgram&) { SimulateDiskFullAfter(40); }, QStringList{full} + unchanged,
         nullptr},
        {"port in use", [](TestProgram& run) { run.port.nextOpenError = {kErrorPortAlreadyOpen, "Refused"}; },
         {"Comm Port Error - Port Already Open: Error Code 8005 ... Refused ... COM4 ... 19200,N,8,1", "no port",
          "file TALVEX.TXT", "Hello N0CALL | Setup Process Complete | TALVEX.TXT"}, "TALVEX.TXT"},
        {"port settings refused", [](TestProgram& run) { run.port.nextOpenError = {kErrorBadPortSettings, "Bad"}; },
         {"Open Comm Port - Unexpected Error: Error Code 8010 ... Bad ... COM4 ... 19200,N,8,1", "no port",
          "file TALVEX.TXT", "Hello N0CALL | Setup Process Complete | TALVEX.TXT"}, "TALVEX.TXT"},
        {"no such port", [](TestProgram& run) { run.port.nextOpenError = {kErrorInvalidPortNumber, "No"}; },
         {"OPEN COMM PORT ERROR!: *", "UNEXPECTED COMM PORT CONDITION: *", "no port", "file TALVEX.TXT",
          "Hello N0CALL | Open Process Complete | TALVEX.TXT"}, "TALVEX.TXT"},
        {"default file a directory",
         [](TestProgram& run) {
             QDir(run.path({})).mkdir(QStringLiteral("SETUP.TXT"));
             run.program->setup.setDefaultFile(QStringLiteral("SETUP.TXT"));
         },
         {"Open File - Unexpected Error: *", "COM4 19200,N,8,1", "no file",
          "Hello N0CALL | Open Process Complete | TALVEX.TXT"}, "SETUP.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestProgram run;
        StartNormally(run);
        const QByteArray config = run.readFile(kConfigFileName);
        const int opens = run.port.openCount;
        run.program->setup.choicesShown();
        run.program->setup.choosePort(4);
        c.arrange(run);
        const QStringList files = QDir(run.path({})).entryList(QDir::Files | QDir::Hidden);
        bool ended = false;
        try {
            EXPECT_EQ(run.program->setup.Save(), c.written != nullptr);
        } catch (const ProgramEnded&) {
            ended = true;
        }
        EXPECT_EQ(ended, c.why == std::string("no such port"));
        SimulateDiskFullAfter(std::nullopt);
        ExpectSeen(run, c.seen);
        EXPECT_EQ(QDir(run.path({})).entryList(QDir::Files | QDir::Hidden), files);
        EXPECT_EQ(run.readFile(kConfigFileName),
                  c.written                            ? ConfigBytes(c.written, "N0CALL", "COM4", "19200,N,8,1")
                  : QDir(run.path(kConfigFileName)).exists() ? QByteArray()
                                                             : config);
        EXPECT_EQ(run.port.openCount, opens + (c.written ? 1 : 0));
        run.program->radio.queryFrequency();  // nothing reaches a port that did not open
        EXPECT_EQ(run.port.takeWritten().isEmpty(), run.program->state.PortReady != 1);
    }
}

// Data File Setup's three ways to a file, each asked while OTHER.TXT is current: what is shown,
// which file is current and reads what, and what the operator was asked or told.
TEST(DataFileSetup, EachButtonOpensExactlyTheChosenFileOrNothing)
{
    const QStringList other{"COM1 19200,N,8,1", "file OTHER.TXT", "Hello N0CALL | Open Process Complete | OTHER.TXT"};
    const QStringList none{"COM1 19200,N,8,1", "no file", "Hello N0CALL | Open Process Complete | OTHER.TXT"};
    const QString failed = QStringLiteral("Open File - Unexpected Error: *");
    const QString sure = QStringLiteral("Open New File: OTHER.TXT ... Are you sure?");
    const QString ini = QStringLiteral("%1: TALVEX.INI is TALVEX's configuration file ... Choose another name for the data file.");
    const struct {
        const char* why;
        int button;        // 1 Use Default File (the default named here), 2 Search for File, 3 Open New File
        const char* file;  // chosen in the file dialog; nullptr: cancelled
        bool yes;          // the answer to "Are you sure?"
        QStringList seen;
        const char* shown;  // the file shown as chosen, relative; "": none
        const char* reads;  // the current file's first line; "": nothing to read
    } cases[] = {
        {"default, No", 1, "TALVEX.TXT", false, QStringList{"Default File: TALVEX.TXT ... Are you sure?"} + other, "",
         " 1 other"},
        {"default, Yes", 1, "TALVEX.TXT", true,
         {"Default File: TALVEX.TXT ... Are you sure?", "COM1 19200,N,8,1", "file TALVEX.TXT",
          "Hello N0CALL | Open Process Complete | TALVEX.TXT"}, "TALVEX.TXT", " 1 default"},
        {"default a directory", 1, "A DIRECTORY", true,
         QStringList{"Default File: A DIRECTORY ... Are you sure?", failed} + none, "", ""},
        {"search cancelled", 2, nullptr, true, other, "", " 1 other"},
        {"search", 2, "files/a long name.txt", true,
         {"COM1 19200,N,8,1", "file files/a long name.txt",
          "Hello N0CALL | Open Process Complete | files/a long name.txt"}, "files/a long name.txt", " 2"},
        {"search finds a directory", 2, "A DIRECTORY", true, QStringList{failed} + none, "", ""},
        {"new", 3, "new memories.txt", true,
         {"COM1 19200,N,8,1", "file new memories.txt", "Hello N0CALL | Open Process Complete | new memories.txt"},
         "new memories.txt", ""},
        {"new over an old file, No", 3, "OTHER.TXT", false, QStringList{sure} + other, "", " 1 other"},
        {"new over an old file, Yes", 3, "OTHER.TXT", true, QStringList{sure} + other, "OTHER.TXT", ""},
        {"new in a missing directory", 3, "missing/NEW.TXT", true, QStringList{failed} + none, "", ""},
        {"new over a pipe", 3, "A PIPE", true, QStringList{failed} + none, "", ""},
        {"new named TALVEX.INI", 3, "TALVEX.INI", true, QStringList{ini.arg("Open New File")} + other, "", " 1 other"},
        {"new named talvex.ini", 3, "talvex.ini", true, QStringList{ini.arg("Open New File")} + other, "", " 1 other"},
        {"new through a link to TALVEX.INI", 3, "SETTINGS.TXT", true,
         QStringList{ini.arg("Open New File").replace("TALVEX.INI is", "SETTINGS.TXT is")} + other, "", " 1 other"},
        {"search finds TALVEX.INI", 2, "TALVEX.INI", true, QStringList{ini.arg("Search for File")} + other, "", " 1 other"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestProgram t;
        t.writeConfig();
        t.writeFile(QStringLiteral("TALVEX.TXT"), {QStringLiteral(" 1 default")});
        t.writeFile(QStringLiteral("OTHER.TXT"), {QStringLiteral(" 1 other")});
        QDir(t.path({})).mkdir(QStringLiteral("A DIRECTORY"));
        QDir(t.path({})).mkdir(QStringLiteral("files"));
        t.writeFile(QStringLiteral("files/a long name.txt"), {QStringLiteral(" 2")});
        ASSERT_EQ(mkfifo(QFile::encodeName(t.path(QStringLiteral("A PIPE"))).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(t.path(kConfigFileName), t.path(QStringLiteral("SETTINGS.TXT"))));
        const QByteArray config = t.readFile(kConfigFileName);
        t.program->startup.RunStartup();
        QString name = QStringLiteral("OTHER.TXT");
        EXPECT_FALSE(t.program->dataFile.OpenDataFile(name, FileMode::Input).failure);
        t.program->memoryTexts.fields().Text8 = name;
        t.dialogs.messages.clear();
        DataSetupFields fields = t.program->dataSetup.fieldsShown();
        t.dialogs.answerMessage(c.yes ? MessageAnswer::Yes : MessageAnswer::No);
        if (c.button == 1) {
            t.program->state.ConfigDeftFile = QString::fromLatin1(c.file);
            t.program->dataSetup.useDefaultFile(fields);
        } else {
            t.dialogs.answerFile(c.file ? std::optional(t.path(QString::fromLatin1(c.file))) : std::nullopt);
            c.button == 2 ? t.program->dataSetup.searchForFile(fields) : t.program->dataSetup.openNewFile(fields);
        }
        ExpectSeen(t, c.seen);
        EXPECT_EQ(Relative(t, fields.chosen), QString::fromLatin1(c.shown));
        EXPECT_EQ(fields.chosenOpened, !fields.chosen.isEmpty());
        EXPECT_EQ(fields.current, fields.chosen.isEmpty() ? t.path(QStringLiteral("OTHER.TXT")) : QString());
        QString line;
        EXPECT_EQ(t.program->dataFile.ReadDataLine(line) ? line : QString(), QString::fromLatin1(c.reads));
        const QStringList filters = c.button == 1 ? QStringList()
            : c.button == 2                       ? QStringList{"Text Files (*.TXT)", "All Files (*.*)"}
                                                  : QStringList{"Text Files (*.TXT)"};
        EXPECT_EQ(t.dialogs.fileFilters.empty() ? QStringList() : t.dialogs.fileFilters.back(), filters);
        EXPECT_EQ(t.dialogs.fileMayBeNew.empty() ? -1 : int(t.dialogs.fileMayBeNew.back()), c.button - 2);
        EXPECT_EQ(QFile::exists(t.path(QStringLiteral("new memories.txt"))), std::string(c.why) == "new");
        EXPECT_FALSE(QFile::exists(t.path(QStringLiteral("missing/NEW.TXT"))));
        EXPECT_EQ(t.readFile(kConfigFileName), config);
        EXPECT_FALSE(QFileInfo(t.path(QStringLiteral("A PIPE"))).isFile());  // still the pipe it was
        EXPECT_TRUE(QFileInfo(t.path(QStringLiteral("A PIPE"))).exists());
    }
}

// An Update Rig that went on reading another file would write that file's channels into the
// radio: while any memory operation runs, nothing may change the current data file.
TEST_F(SetupTest, NoFileChangesWhileAMemoryOperationRuns)
{
    const std::pair<bool ProgramState::*, const char*> operations[] = {
        {&ProgramState::CreatingFile, "Create File"}, {&ProgramState::ViewingFile, "View File"},
        {&ProgramState::UpdatingRig, "Update Rig"},   {&ProgramState::ViewingRig, "View Rig"},
        {&ProgramState::BlankingRig, "Blank Rig"},    {&ProgramState::ScanningRig, "Scan Rig"}};
    // Each choice of Data File Setup, and System Setup's Save, which as a whole waits for Stop.
    const QString fileChange = "Changing the data file";
    const std::pair<QString, std::function<void(DataSetupFields&)>> actions[] = {
        {fileChange, [this](DataSetupFields& fields) { data().useDefaultFile(fields); }},
        {fileChange, [this](DataSetupFields& fields) { data().searchForFile(fields); }},
        {fileChange, [this](DataSetupFields& fields) { data().openNewFile(fields); }},
        {"Save", [this](DataSetupFields&) { EXPECT_FALSE(setup().Save()); }}};
    startNormally();
    t.writeFile(QStringLiteral("OTHER.TXT"), {QStringLiteral(" 1")});
    QString other = QStringLiteral("OTHER.TXT");
    EXPECT_FALSE(t.program->dataFile.OpenDataFile(other, FileMode::Input).failure);
    memoryFields().Text8 = other;
    setup().choicesShown();
    setup().choosePort(2);
    const QByteArray config = t.readFile(kConfigFileName);
    for (const auto& [flag, name] : operations) {
        for (const auto& [refused, run] : actions) {
            SCOPED_TRACE(name);
            state().*flag = true;
            t.dialogs.messages.clear();
            t.dialogs.fileFilters.clear();
            DataSetupFields fields = data().fieldsShown();
            run(fields);
            state().*flag = false;
            ExpectSeen(t, {"Memory Operations: " + QString::fromLatin1(name) + " is running ... " + refused
                               + " is refused until Stop ends it.",
                           "COM1 19200,N,8,1", "file OTHER.TXT", "Hello N0CALL | Open Process Complete | OTHER.TXT"});
            EXPECT_TRUE(t.dialogs.fileFilters.empty());
            EXPECT_TRUE(t.program->dataFile.isReading());
            EXPECT_EQ(fields.chosen, u"");
            EXPECT_EQ(t.readFile(kConfigFileName), config);
            EXPECT_EQ(t.port.openCount, 2);
        }
    }
    t.dialogs.answerMessage(MessageAnswer::Yes);  // stopped, the same choice goes through
    DataSetupFields fields = data().fieldsShown();
    data().useDefaultFile(fields);
    EXPECT_EQ(state().CurrentDataFile, t.path(QStringLiteral("TALVEX.TXT")));
}

// The real serial port on a pseudo-terminal: the test plays a radio that never answers.
class PtyStartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    TestProgram t;
    testing::PtyPair pty{t.directory.path(), QStringLiteral("COM1")};
    QtSerialPort port{t.directory.path()};
    Program program{PlatformServices{port, t.dialogs, t.timers, t.exit, t.directory.path()}, t.shell};
};

TEST_F(PtyStartupTest, OpeningNeverRaisesTheModemLinesAndRefusesBadSettings)
{
    for (const char* settings : {"19200,N,8", "19200,X,8,1", "fast,N,8,1", "19200,N,9,1", "19200,N,8,3", ""}) {
        const auto error = port.open(1, QString::fromLatin1(settings));
        EXPECT_EQ(error ? error->number : 0, kErrorBadPortSettings) << settings;
        EXPECT_FALSE(port.isOpen());
    }
    EXPECT_EQ(port.open(0, QStringLiteral("19200,N,8,1"))->number, kErrorInvalidPortNumber);
    EXPECT_EQ(port.open(57, QStringLiteral("19200,N,8,1"))->number, kErrorInvalidPortNumber);
    ASSERT_FALSE(port.open(1, QStringLiteral("19200,N,8,1")).has_value());
    EXPECT_FALSE(port.dataTerminalReady());  // either could key the radio
    EXPECT_FALSE(port.requestToSend());
    EXPECT_EQ(port.baudRate(), 19200);
}

// Bytes that came before the opening never reach an answer. The port's lock file must go with the
// program, or the next start finds the port "already open"; a second port object stands for it.
TEST_F(PtyStartupTest, OpeningDiscardsStaleBytesAndTheExitMenuReleasesThePortForTheNextStart)
{
    program.state.ConfigCommPort = QStringLiteral("COM1");
    program.state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
    pty.write(Hex("FE FE 00 94 00 00 40 07 14 00 FD"));
    program.startup.OpenSerialPort();
    ASSERT_EQ(program.state.PortReady, 1);
    program.radio.queryFrequency();
    EXPECT_EQ(pty.read(1000), Hex("FE FE 94 E0 03 FD"));
    static_cast<testing::ManualTimer&>(program.link.answerTimer()).fire();
    EXPECT_EQ(program.radioTexts.fields().Text7, u"STATUS = RADIO NOT READY");
    QtSerialPort nextStart(t.directory.path());
    ASSERT_TRUE(nextStart.open(1, QStringLiteral("19200,N,8,1")).has_value()) << "the lock is not seen at all";
    EXPECT_THROW(program.startup.ExitMenu(), ProgramEnded);
    const auto error = nextStart.open(1, QStringLiteral("19200,N,8,1"));
    EXPECT_FALSE(error.has_value()) << error->number << " " << error->description.toStdString();
    EXPECT_TRUE(t.dialogs.messages.empty());
}

// The rig server's setting has a file of its own: TALVEX.INI keeps its eight lines byte for byte
// whatever is typed, and the file is written only when the setting changes.
struct RigServerRow {
    const char* before;  // TALVEX-SERVER.INI before; null: none
    const char* typed;   // null: left as shown
    bool saved;
    const char* after;   // null: none
};

TEST(SystemSetup, TheRigServerSettingKeepsToItsOwnFile)
{
    const RigServerRow rows[] = {
        {nullptr, nullptr, true, nullptr},
        {nullptr, "4532", true, "[RigServer] 127.0.0.1:4532\r\n"},
        {nullptr, " 0.0.0.0:4533 ", true, "[RigServer] 0.0.0.0:4533\r\n"},
        {nullptr, "65536", false, nullptr},
        {nullptr, "rigserver", false, nullptr},
        {"[RigServer] 127.0.0.1:4532\r\n", "", true, "[RigServer] OFF\r\n"},
        {"[RigServer] 127.0.0.1:4532\r\n", "4532", true, "[RigServer] 127.0.0.1:4532\r\n"},
        {"[RigServer] 127.0.0.1:4532\r\n", "65535", true, "[RigServer] 127.0.0.1:65535\r\n"},
    };
    for (const RigServerRow& row : rows) {
        SCOPED_TRACE(std::string(row.before ? row.before : "none") + " / " + (row.typed ? row.typed : "as shown"));
        TestProgram run;
        StartNormally(run);
        const QString file = run.path(QStringLiteral("TALVEX-SERVER.INI"));
        if (row.before)
            run.writeFile(QStringLiteral("TALVEX-SERVER.INI"), {QString::fromLatin1(row.before).trimmed()});
        const QByteArray config = run.readFile(kConfigFileName);
        EXPECT_EQ(run.program->setup.choicesShown().rigServer, row.before ? u"127.0.0.1:4532" : u"");
        if (row.typed)
            run.program->setup.setRigServer(QString::fromLatin1(row.typed));
        EXPECT_EQ(run.program->setup.Save(), row.saved);
        EXPECT_EQ(run.readFile(kConfigFileName), config);
        EXPECT_EQ(QFile::exists(file), row.after != nullptr);
        EXPECT_EQ(run.readFile(QStringLiteral("TALVEX-SERVER.INI")), QByteArray(row.after ? row.after : ""));
        EXPECT_EQ(!run.dialogs.messages.empty() && run.dialogs.messages.back().title == u"Rig Server", !row.saved);
    }
}

struct AddressRow {
    const char* text;
    std::optional<ServerAddress> address;
};

TEST(ParseServerAddress, ReadsAPortAndAnOptionalAddress)
{
    const AddressRow rows[] = {
        {"4532", ServerAddress{QStringLiteral("127.0.0.1"), 4532}},
        {"0.0.0.0:4533", ServerAddress{QStringLiteral("0.0.0.0"), 4533}},
        {"[::1]:1", ServerAddress{QStringLiteral("::1"), 1}},
        {"65535", ServerAddress{QStringLiteral("127.0.0.1"), 65535}},
        {"65536", std::nullopt},
        {"0", std::nullopt},
        {":4532", std::nullopt},
        {"+4532", std::nullopt},
        {"", std::nullopt},
        {"localhost:port", std::nullopt},
    };
    for (const AddressRow& row : rows)
        EXPECT_EQ(ParseServerAddress(QString::fromLatin1(row.text)), row.address) << row.text;
}

}  // namespace
}  // namespace talvex
