// System Setup and Data File Setup on the scripted platform: what is shown, what TALVEX.INI
// holds afterwards byte for byte, which file is current, and what the Memory window shows.
#include "platform/text_file.h"
#include "startup/configuration.h"

#include "tests/support/test_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace talvex::testing {
namespace {

QByteArray ConfigBytes(const char* deftFile, const char* callSign, const char* commPort, const char* commBaud)
{
    return QByteArray("TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] ") + deftFile + "\r\n[CallSign] "
        + callSign + "\r\n[CommPort] " + commPort + "\r\n[CommBaud] " + commBaud + "\r\n \r\nEND\r\n";
}

class SystemSetupTest : public ::testing::Test {
protected:
    ProgramState& state() { return t.program->state; }
    SystemSetup& setup() { return t.program->setup; }
    // A normal start: configuration and default data file present.
    void startNormally(const QString& commPort = QStringLiteral("COM1"))
    {
        t.writeConfig(QStringLiteral("TALVEX.TXT"), QStringLiteral("19200,N,8,1"), commPort);
        t.writeFile(QStringLiteral("TALVEX.TXT"), {});
        t.program->startup.RunStartup();
        t.dialogs.messages.clear();
    }
    TestProgram t;
};

TEST_F(SystemSetupTest, WithoutAConfigurationSetupOpensOnTheDefaultsAndSaveWritesTheEightLines)
{
    t.program->startup.RunStartup();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"OPEN CONFIG FILE ERROR");
    EXPECT_GE(t.shell.setupShown, 1);

    const SetupChoices shown = setup().Form_Load();
    EXPECT_EQ(shown.port, 1);
    EXPECT_EQ(shown.baud, 0);
    EXPECT_EQ(shown.callSign, u"N0CALL");
    EXPECT_EQ(shown.dataFile, u"TALVEX.TXT");

    // TALVEX.TXT is missing too: its own message, creation, and the restart.
    EXPECT_THROW(setup().Save(), ProgramEnded);
    EXPECT_EQ(t.readFile(kConfigFileName), ConfigBytes("TALVEX.TXT", "N0CALL", "COM1", "19200,N,8,1"));
    EXPECT_EQ(t.port.lastPortNumber, 1);
    EXPECT_EQ(t.dialogs.messages[1].title, u"OPEN FILE ERROR");
    EXPECT_EQ(t.dialogs.messages.back().text, u"Restart program!");
    EXPECT_TRUE(QFile::exists(t.path(QStringLiteral("TALVEX.TXT"))));
}

TEST_F(SystemSetupTest, QuitWithTheConfigurationMissingAsksForARestartAndWritesNothing)
{
    t.program->startup.RunStartup();
    setup().Form_Load();
    setup().Text1_Change(QStringLiteral("k1abc"));
    EXPECT_THROW(setup().Quit(), ProgramEnded);
    EXPECT_EQ(t.dialogs.messages.back().title, u"Restart (creating missing file)");
    EXPECT_EQ(t.dialogs.messages.back().text, u"Restart program!");
    EXPECT_EQ(t.dialogs.messages.back().icon, MessageIcon::Critical);
    EXPECT_TRUE(t.readFile(kConfigFileName).isEmpty());
}

TEST_F(SystemSetupTest, SaveTakesEffectAtOnce)
{
    startNormally();
    t.writeFile(QStringLiteral("HAM.TXT"), {});
    setup().Form_Load();
    setup().PortClick(3);
    setup().BaudClick(2);
    setup().Text1_Change(QStringLiteral("k1abc"));
    setup().Text2_Change(QStringLiteral("c:\\radio\\ham"));
    EXPECT_EQ(state().ConfigDeftFile, u"c:\\radio\\ham.txt");
    EXPECT_EQ(state().ConfigCallSign, u"K1ABC");
    EXPECT_EQ(t.port.lastPortNumber, 1);  // a choice alone reopens nothing

    EXPECT_TRUE(setup().Save());
    EXPECT_EQ(t.readFile(kConfigFileName), ConfigBytes("HAM.TXT", "K1ABC", "COM3", "4800,N,8,1"));
    EXPECT_EQ(t.port.lastPortNumber, 3);
    EXPECT_EQ(t.port.lastSettings, u"4800,N,8,1");
    EXPECT_EQ(state().CurrentDataFile, t.path(QStringLiteral("HAM.TXT")));
    EXPECT_EQ(state().memory.Text8, state().CurrentDataFile);
    EXPECT_TRUE(state().memory.Text8Bold);
    EXPECT_EQ(state().memory.Text7, u"Setup Process Complete");
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST_F(SystemSetupTest, APortOutsideTheChoicesSelectsNoneAndIsWrittenBackUnchanged)
{
    startNormally(QStringLiteral("COM9"));
    EXPECT_EQ(setup().Form_Load().port, std::nullopt);
    startNormally(QStringLiteral("COM5"));
    const SetupChoices shown = setup().Form_Load();
    EXPECT_EQ(shown.port, 5);
    startNormally(QStringLiteral("COM9"));
    setup().Form_Load();
    setup().Save();
    EXPECT_EQ(t.readFile(kConfigFileName), ConfigBytes("TALVEX.TXT", "N0CALL", "COM9", "19200,N,8,1"));
}

TEST_F(SystemSetupTest, TheDataFileBoxStoresEachKeystrokeWithItsExtension)
{
    startNormally();
    const struct {
        const char* typed;
        const char* stored;
    } rows[] = {{"H", "H.txt"}, {"HA", "HA.txt"}, {"HAM", "HAM.txt"}, {"HAM.TXT", "HAM.TXT"}, {"", "TALVEX.TXT"},
                {" HAM", "TALVEX.TXT"}, {"MEMORI~1.TXT", "MEMORI~1.TXT"}};
    for (const auto& row : rows) {
        setup().Text2_Change(QString::fromLatin1(row.typed));
        EXPECT_EQ(state().ConfigDeftFile, QString::fromLatin1(row.stored)) << row.typed;
    }
}

TEST_F(SystemSetupTest, AConfigurationThatCannotBeWrittenChangesNothing)
{
    struct DiskFullGuard {
        ~DiskFullGuard() { SimulateDiskFullAfter(std::nullopt); }
    } guard;
    const struct {
        const char* why;
        std::function<void(TestProgram&)> arrange;
        const char* text;  // the message up to the context; empty: any reason
    } cases[] = {
        // TALVEX.INI replaced by a directory: no file can be written at that name.
        {"a directory in its place",
         [](TestProgram& run) {
             QFile::remove(run.path(kConfigFileName));
             ASSERT_TRUE(QDir(run.directory.path()).mkdir(kConfigFileName));
         },
         ""},
        {"the disk full after 40 bytes", [](TestProgram&) { SimulateDiskFullAfter(40); },
         "Error Code 61 ... No space left on device"},
        {"the disk full at once", [](TestProgram&) { SimulateDiskFullAfter(0); },
         "Error Code 61 ... No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestProgram run;
        run.writeConfig();
        run.writeFile(QStringLiteral("TALVEX.TXT"), {});
        run.program->startup.RunStartup();
        run.dialogs.messages.clear();
        const QByteArray config = run.readFile(kConfigFileName);
        const int opens = run.port.openCount;
        const QString dataFile = run.program->state.CurrentDataFile;
        c.arrange(run);
        const QStringList files = QDir(run.directory.path()).entryList(QDir::Files | QDir::Hidden);
        run.program->setup.Form_Load();
        run.program->setup.PortClick(2);
        EXPECT_FALSE(run.program->setup.Save());
        SimulateDiskFullAfter(std::nullopt);

        ASSERT_EQ(run.dialogs.messages.size(), 1u);
        EXPECT_EQ(run.dialogs.messages[0].title, u"Unexpected Open Config File Error");
        EXPECT_TRUE(run.dialogs.messages[0].text.startsWith(u"Error Code "));
        EXPECT_TRUE(run.dialogs.messages[0].text.startsWith(QString::fromLatin1(c.text)));
        EXPECT_TRUE(run.dialogs.messages[0].text.endsWith(u" ... TALVEX.INI ... Output"));
        if (!QFileInfo(run.path(kConfigFileName)).isDir()) {
            EXPECT_EQ(run.readFile(kConfigFileName), config);
        }
        EXPECT_EQ(QDir(run.directory.path()).entryList(QDir::Files | QDir::Hidden), files);  // no temporary left
        EXPECT_EQ(run.port.openCount, opens);
        EXPECT_EQ(run.program->state.CurrentDataFile, dataFile);
        EXPECT_NE(run.program->state.memory.Text7, u"Setup Process Complete");
    }
}

// Save's later steps fail on their own: the file is written by then and stays written.
TEST_F(SystemSetupTest, SaveReportsAPortOrDataFileFailureAndClaimsCompletionOnlyWithTheFileOpen)
{
    const struct {
        const char* why;
        std::optional<int> portError;
        bool defaultIsDirectory;
        std::vector<const char16_t*> titles;
        bool ends;
        bool portReady;
        bool complete;  // the data file opened: the port's message already told what failed
    } cases[] = {
        {"port in use", kErrorPortAlreadyOpen, false, {u"Comm Port Error - Port Already Open"}, false, false, true},
        {"port settings refused", kErrorBadPortSettings, false, {u"Open Comm Port - Unexpected Error"}, false, false,
         true},
        {"no such port", kErrorInvalidPortNumber, false, {u"OPEN COMM PORT ERROR!", u"UNEXPECTED COMM PORT CONDITION"},
         true, false, false},
        {"default file is a directory", std::nullopt, true, {u"Open File - Unexpected Error"}, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestProgram run;
        run.writeConfig();
        run.writeFile(QStringLiteral("TALVEX.TXT"), {});
        run.program->startup.RunStartup();
        run.dialogs.messages.clear();
        if (c.defaultIsDirectory) {
            ASSERT_TRUE(QDir(run.directory.path()).mkdir(QStringLiteral("SETUP.TXT")));
        }
        if (c.portError)
            run.port.nextOpenError = PortError{*c.portError, QStringLiteral("Refused")};
        SystemSetup& s = run.program->setup;
        s.Form_Load();
        s.PortClick(4);
        s.Text2_Change(c.defaultIsDirectory ? QStringLiteral("SETUP.TXT") : QStringLiteral("TALVEX.TXT"));
        if (c.ends) {
            EXPECT_THROW(s.Save(), ProgramEnded);
        } else {
            EXPECT_TRUE(s.Save());
        }

        std::vector<QString> titles;
        for (const ShownMessage& m : run.dialogs.messages)
            titles.push_back(m.title);
        std::vector<QString> expected;
        for (const char16_t* title : c.titles)
            expected.push_back(QString::fromUtf16(title));
        EXPECT_EQ(titles, expected);
        EXPECT_EQ(run.readFile(kConfigFileName),
                  ConfigBytes(c.defaultIsDirectory ? "SETUP.TXT" : "TALVEX.TXT", "N0CALL", "COM4", "19200,N,8,1"));
        EXPECT_EQ(run.program->state.PortReady == 1, c.portReady);
        EXPECT_EQ(run.program->state.memory.Text7 == u"Setup Process Complete", c.complete);
        if (!c.ends) {
            EXPECT_EQ(run.program->state.DataFileOpen, c.complete);
        }
    }
}

class DataFileSetupTest : public SystemSetupTest {
protected:
    DataFileSetup& dataSetup() { return t.program->dataSetup; }
};

TEST_F(DataFileSetupTest, UseDefaultFileAsksFirstAndNoChangesNothing)
{
    startNormally();
    t.writeFile(QStringLiteral("OTHER.TXT"), {});
    QString other = QStringLiteral("OTHER.TXT");
    t.program->dataFile.OpenDataFile(other, FileMode::Input);
    state().memory.Text8 = other;

    DataSetupFields fields = dataSetup().Form_Load();
    EXPECT_EQ(fields.Text1, other);
    t.dialogs.answerMessage(MessageAnswer::No);
    dataSetup().Command1_Click(fields);
    EXPECT_EQ(t.dialogs.messages.back().title, u"Default File");
    EXPECT_EQ(t.dialogs.messages.back().text, u"TALVEX.TXT ... Are you sure?");
    EXPECT_EQ(state().CurrentDataFile, other);
    EXPECT_EQ(fields.Text1, other);

    t.dialogs.answerMessage(MessageAnswer::Yes);
    dataSetup().Command1_Click(fields);
    const QString deflt = t.path(QStringLiteral("TALVEX.TXT"));
    EXPECT_EQ(state().CurrentDataFile, deflt);
    EXPECT_EQ(fields.Text1, u"");
    EXPECT_EQ(fields.Text2, deflt);
    EXPECT_TRUE(fields.Text2Bold);
    EXPECT_EQ(state().memory.Text8, deflt);
}

TEST_F(DataFileSetupTest, SearchForFileOpensExactlyTheChosenFileAndCancelChangesNothing)
{
    startNormally();
    const QString before = state().CurrentDataFile;
    DataSetupFields fields = dataSetup().Form_Load();
    t.dialogs.answerFile(std::nullopt);
    dataSetup().Command2_Click(fields);
    EXPECT_EQ(state().CurrentDataFile, before);
    EXPECT_EQ(fields.Text2, u"");
    EXPECT_EQ(t.dialogs.fileFilters.back(), (QStringList{"Text Files (*.TXT)", "All Files (*.*)"}));
    EXPECT_EQ(t.dialogs.fileInitialFilters.back(), 0);

    QDir(t.directory.path()).mkdir(QStringLiteral("files"));
    const QString chosen = t.path(QStringLiteral("files/a long name.txt"));
    t.writeFile(QStringLiteral("files/a long name.txt"), {QStringLiteral(" 1")});
    t.dialogs.answerFile(chosen);
    dataSetup().Command2_Click(fields);
    EXPECT_EQ(state().CurrentDataFile, chosen);
    EXPECT_EQ(fields.Text2, chosen);
    EXPECT_EQ(state().memory.Text8, chosen);
    QString line;
    EXPECT_TRUE(t.program->dataFile.ReadDataLine(line));
    EXPECT_EQ(line, u" 1");
}

// Every way a chosen file can fail to open: the message, and nothing shown as current.
TEST_F(DataFileSetupTest, AFileThatCannotBeOpenedIsNotShownAsCurrent)
{
    startNormally();
    const QString before = state().CurrentDataFile;
    QDir(t.directory.path()).mkdir(QStringLiteral("A DIRECTORY"));
    const struct {
        const char* why;
        std::function<void(DataSetupFields&)> choose;
    } cases[] = {
        {"default file is a directory",
         [this](DataSetupFields& fields) {
             state().ConfigDeftFile = QStringLiteral("A DIRECTORY");
             t.dialogs.answerMessage(MessageAnswer::Yes);
             dataSetup().Command1_Click(fields);
         }},
        {"searched file is a directory",
         [this](DataSetupFields& fields) {
             t.dialogs.answerFile(t.path(QStringLiteral("A DIRECTORY")));
             dataSetup().Command2_Click(fields);
         }},
        {"new file in a missing directory",
         [this](DataSetupFields& fields) {
             t.dialogs.answerFile(t.path(QStringLiteral("missing/NEW.TXT")));
             dataSetup().Command3_Click(fields);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        state().memory.Text8 = before;
        t.dialogs.messages.clear();
        DataSetupFields fields = dataSetup().Form_Load();
        c.choose(fields);
        ASSERT_FALSE(t.dialogs.messages.empty());
        EXPECT_EQ(t.dialogs.messages.back().title, u"Open File - Unexpected Error");
        EXPECT_EQ(state().memory.Text8, before);
        EXPECT_EQ(fields.Text1, before);
        EXPECT_EQ(fields.Text2, u"");
        EXPECT_FALSE(fields.Text2Bold);
    }
    EXPECT_FALSE(QFile::exists(t.path(QStringLiteral("missing/NEW.TXT"))));
}

TEST_F(DataFileSetupTest, AMissingDefaultFileIsCreatedAndTheProgramAsksForARestart)
{
    startNormally();
    state().ConfigDeftFile = QStringLiteral("GONE.TXT");
    t.dialogs.answerMessage(MessageAnswer::Yes);
    DataSetupFields fields = dataSetup().Form_Load();
    EXPECT_THROW(dataSetup().Command1_Click(fields), ProgramEnded);
    ASSERT_EQ(t.dialogs.messages.size(), 3u);
    EXPECT_EQ(t.dialogs.messages[1].title, u"OPEN FILE ERROR");
    EXPECT_EQ(t.dialogs.messages[2].text, u"Restart program!");
    EXPECT_TRUE(QFile::exists(t.path(QStringLiteral("GONE.TXT"))));
}

TEST_F(DataFileSetupTest, OpenNewFileCreatesItEmptyAndOpenForReadingAndAsksBeforeEmptyingOne)
{
    startNormally();
    DataSetupFields fields = dataSetup().Form_Load();
    const QString fresh = t.path(QStringLiteral("new memories.txt"));
    t.dialogs.answerFile(fresh);
    dataSetup().Command3_Click(fields);
    EXPECT_TRUE(t.dialogs.fileMayBeNew.back());
    EXPECT_EQ(t.dialogs.fileFilters.back(), (QStringList{"Text Files (*.TXT)"}));
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_TRUE(t.readFile(QStringLiteral("new memories.txt")).isEmpty());
    EXPECT_EQ(state().CurrentDataFile, fresh);
    EXPECT_TRUE(t.program->dataFile.isReading());
    QString line = QStringLiteral("unchanged");
    EXPECT_FALSE(t.program->dataFile.ReadDataLine(line));
    EXPECT_EQ(state().memory.Text8, fresh);

    const QString kept = t.path(QStringLiteral("kept channels.txt"));
    t.writeFile(QStringLiteral("kept channels.txt"), {QStringLiteral(" 1            07.100.0")});
    t.dialogs.answerFile(kept);
    t.dialogs.answerMessage(MessageAnswer::No);
    dataSetup().Command3_Click(fields);
    EXPECT_EQ(t.dialogs.messages.back().title, u"Open New File");
    EXPECT_EQ(t.readFile(QStringLiteral("kept channels.txt")), QByteArray(" 1            07.100.0\r\n"));
    EXPECT_EQ(state().CurrentDataFile, fresh);

    t.dialogs.answerFile(kept);
    t.dialogs.answerMessage(MessageAnswer::Yes);
    dataSetup().Command3_Click(fields);
    EXPECT_TRUE(t.readFile(QStringLiteral("kept channels.txt")).isEmpty());
    EXPECT_EQ(state().CurrentDataFile, kept);
}

// An Update Rig that went on reading another file would write that file's channels into the
// radio: while any memory operation runs, nothing may change the current data file.
TEST_F(DataFileSetupTest, NoFileChangesWhileAMemoryOperationRuns)
{
    const std::pair<bool ProgramState::*, const char*> operations[] = {
        {&ProgramState::CreatingFile, "Create File"}, {&ProgramState::ViewingFile, "View File"},
        {&ProgramState::UpdatingRig, "Update Rig"},   {&ProgramState::ViewingRig, "View Rig"},
        {&ProgramState::BlankingRig, "Blank Rig"},    {&ProgramState::ScanningRig, "Scan Rig"},
    };
    const std::pair<const char*, std::function<void(DataSetupFields&)>> actions[] = {
        {"Use Default File", [this](DataSetupFields& fields) { dataSetup().Command1_Click(fields); }},
        {"Search for File", [this](DataSetupFields& fields) { dataSetup().Command2_Click(fields); }},
        {"Open New File", [this](DataSetupFields& fields) { dataSetup().Command3_Click(fields); }},
        {"Setup Save", [this](DataSetupFields&) { EXPECT_FALSE(setup().Save()); }},
    };
    startNormally();
    t.writeFile(QStringLiteral("OTHER.TXT"), {QStringLiteral(" 1")});
    QString other = QStringLiteral("OTHER.TXT");
    t.program->dataFile.OpenDataFile(other, FileMode::Input);
    setup().Form_Load();
    setup().PortClick(2);
    const QByteArray config = t.readFile(kConfigFileName);
    const int opens = t.port.openCount;

    for (const auto& [flag, name] : operations) {
        for (const auto& [action, run] : actions) {
            SCOPED_TRACE(std::string(name) + ", " + action);
            state().*flag = true;
            state().memory.Text8 = other;
            t.dialogs.messages.clear();
            t.dialogs.fileFilters.clear();
            DataSetupFields fields = dataSetup().Form_Load();
            run(fields);
            state().*flag = false;

            ASSERT_EQ(t.dialogs.messages.size(), 1u);
            EXPECT_EQ(t.dialogs.messages[0].title, u"Memory Operations");
            EXPECT_EQ(t.dialogs.messages[0].text,
                      QString::fromLatin1(name) + QStringLiteral(" is running ... Stop ends it before the data file can change."));
            EXPECT_TRUE(t.dialogs.fileFilters.empty());
            EXPECT_EQ(state().CurrentDataFile, other);
            EXPECT_TRUE(t.program->dataFile.isReading());
            EXPECT_EQ(state().memory.Text8, other);
            EXPECT_EQ(fields.Text2, u"");
            EXPECT_EQ(t.readFile(kConfigFileName), config);
            EXPECT_EQ(t.port.openCount, opens);
            EXPECT_NE(state().memory.Text7, u"Setup Process Complete");
        }
    }
    // Stopped, the same choice goes through.
    t.dialogs.answerMessage(MessageAnswer::Yes);
    DataSetupFields fields = dataSetup().Form_Load();
    dataSetup().Command1_Click(fields);
    EXPECT_EQ(state().CurrentDataFile, t.path(QStringLiteral("TALVEX.TXT")));
}

TEST_F(DataFileSetupTest, ReturnBlanksTheMemoryWindowsFieldsButNotItsFile)
{
    startNormally();
    MemoryFields& m = state().memory;
    m = {"7", "*", "14.074.0", "USB", "Fil 2", "FT8", "line", "/data/TALVEX.TXT", "STATUS", true};
    dataSetup().Command0_Click();
    for (const QString* field : {&m.Text1, &m.Text2, &m.Text3, &m.Text4, &m.Text5, &m.Text6, &m.Text7})
        EXPECT_EQ(*field, u"");
    EXPECT_EQ(m.Text8, u"/data/TALVEX.TXT");
}

}  // namespace
}  // namespace talvex::testing
