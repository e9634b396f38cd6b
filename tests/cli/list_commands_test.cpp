// talvex-mem export and import without a radio: the files they leave on disk, the report and
// the exit code, and what they refuse to touch.
#include "mem_process.h"

#include "tests/channels/expected_lines.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace talvex::testing {
namespace {

const QByteArray kChirpHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
const QByteArray kOurColumns = ",IC7300Filter,IC7300Data,IC7300Select,IC7300Record";

class ListCommands : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // The channel lines of a data file the import wrote: after title, heading and an empty
    // line, before an empty line, the heading, an empty line and END.
    QStringList channelLinesOf(const QString& name) const
    {
        QStringList lines = QString::fromLatin1(bytesOf(name)).split(QStringLiteral("\r\n"));
        if (lines.size() < 8 || lines.last() != QString())
            return {QStringLiteral("(not a data file)")};
        return lines.mid(3, lines.size() - 8);
    }
    MemRun mem(const QStringList& arguments) const { return RunMem(folder_.path(), arguments); }

    QTemporaryDir folder_;
};

// Row 2 as CHIRP writes it, row 3 a mode the radio lacks, row 4 a Location it lacks.
const QByteArray kSmallCsv = kChirpHeader + "\r\n"
    "1,160M FT8,1.840000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,50W,,,,,\r\n"
    "12,BC,74.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,WFM,5.00,,50W,,,,,\r\n"
    "0,Z,7.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,50W,,,,,\r\n";

TEST_F(ListCommands, ImportOfAChangedRowWritesTheLinesAndSaysSoWithExitCode6)
{
    put("small.csv", kSmallCsv);
    const MemRun run = mem({"import", "small.csv", "small.txt"});
    EXPECT_EQ(run.exitCode, 6) << run.err.constData();
    EXPECT_EQ(channelLinesOf("small.txt"),
              (QStringList{Line(1, "01.840.0", "LSB", "Fil 2", "", "160M FT8  "),
                           Line(12, "74.000.0", "FM", "Fil 2", "", "BC        ")}));
    // Titled as `read` titles the file it writes: the file's own name.
    EXPECT_EQ(bytesOf("small.txt").split('\r').front().trimmed(), "small.txt");
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.startsWith(QStringLiteral("row 3: mode WFM written as FM\n"
                                              "row 4: Location \"0\" is outside 1-99: left out\n")))
        << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("Import: 2 channels from ") + path("small.csv")
                             + QStringLiteral(" written to ") + path("small.txt")))
        << qPrintable(out);

    const MemRun json = mem({"--json", "import", "small.csv", "again.txt"});
    EXPECT_EQ(json.exitCode, 6);
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(object["result"].toString(), "written with changes");
    EXPECT_EQ(object["exitCode"].toInt(), 6);
    EXPECT_EQ(object["channels"].toInt(), 2);
    const QJsonArray report = object["report"].toArray();
    ASSERT_EQ(report.size(), 2) << json.out.constData();
    EXPECT_EQ(report[0].toObject()["row"].toInt(), 3);
    EXPECT_EQ(report[0].toObject()["text"].toString(), "mode WFM written as FM");
    const auto pastTitle = [&](const char* name) { return bytesOf(name).mid(bytesOf(name).indexOf('\n')); };
    EXPECT_EQ(pastTitle("again.txt"), pastTitle("small.txt"));
}

TEST_F(ListCommands, ImportOfRowsAsExportedIsExitCode0WithNoReportLine)
{
    put("plain.csv", kChirpHeader + "\r\n1,160M FT8,1.840000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,50W,,,,,\r\n");
    const MemRun run = mem({"import", "plain.csv", "plain.txt", "--renumber", "--first=99"});
    EXPECT_EQ(run.exitCode, 6) << "renumbered rows are reported: " << run.out.constData();
    EXPECT_EQ(channelLinesOf("plain.txt"), QStringList{Line(99, "01.840.0", "LSB", "Fil 2", "", "160M FT8  ")});
    const MemRun same = mem({"import", "plain.csv", "same.txt", "--renumber", "--first", "1"});
    EXPECT_EQ(same.exitCode, 0) << same.out.constData();
    EXPECT_TRUE(same.out.startsWith("Import: 1 channels from")) << same.out.constData();
    const MemRun full = mem({"import", "plain.csv", "full.txt", "--full"});
    EXPECT_EQ(full.exitCode, 0) << full.out.constData();
    const QStringList lines = channelLinesOf("full.txt");
    ASSERT_EQ(lines.size(), 99);
    EXPECT_EQ(lines[98], QStringLiteral(" 99 ").leftJustified(70));
    EXPECT_TRUE(full.out.contains("98 channels not in the file written blank")) << full.out.constData();
}

TEST_F(ListCommands, StrictRefusesTheWholeFileAndLeavesTheDataFileAsItWas)
{
    put("small.csv", kSmallCsv);
    put("kept.txt", "the old file\r\n");
    const MemRun run = mem({"import", "small.csv", "kept.txt", "--strict"});
    EXPECT_EQ(run.exitCode, 6);
    EXPECT_EQ(bytesOf("kept.txt"), "the old file\r\n");
    EXPECT_TRUE(run.out.contains("row 3: mode WFM written as FM")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("nothing written: strict")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("Import: " + path("kept.txt").toUtf8() + " not written")) << run.out.constData();
    // A file strict finds nothing to say about is written.
    put("plain.csv", kChirpHeader + "\r\n1,160M FT8,1.840000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,50W,,,,,\r\n");
    EXPECT_EQ(mem({"import", "plain.csv", "kept.txt", "--strict"}).exitCode, 0);
    EXPECT_EQ(channelLinesOf("kept.txt"), QStringList{Line(1, "01.840.0", "LSB", "Fil 2", "", "160M FT8  ")});
}

TEST_F(ListCommands, AListThatGivesNoChannelReplacesNoDataFile)
{
    put("notes.csv", "these are my notes\r\nnot a channel list\r\n");
    put("kept.txt", "the old file\r\n");
    const MemRun run = mem({"import", "notes.csv", "kept.txt", "--full"});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.out.contains("no CHIRP header")) << run.out.constData();
    EXPECT_TRUE(run.err.contains("gives no channel")) << run.err.constData();
    EXPECT_EQ(bytesOf("kept.txt"), "the old file\r\n");
}

TEST_F(ListCommands, ExportFromADataFileWritesCHIRPsColumnsAndOurs)
{
    put("mine.txt", (QStringList{QStringLiteral("MINE.TXT"), Line(5, "07.074.0", "USB", "Fil 2", "Yes", "FT8"),
                                 Line(6, "", "", "", "", ""), QStringLiteral(" END")}
                         .join(QStringLiteral("\r\n"))
                     + QStringLiteral("\r\n"))
                        .toLatin1());
    const MemRun run = mem({"export", "out.csv", "--from", "mine.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(bytesOf("out.csv"), kChirpHeader + kOurColumns + "\r\n"
                                      "5,FT8,7.074000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,50W,,,,,,2,,1,\r\n");
    EXPECT_EQ(run.out, "Export: 1 channels from " + path("mine.txt").toUtf8() + " written to " + path("out.csv").toUtf8() + "\n");

    // Without --from, the data file TALVEX.INI names, as the windows open it.
    put("TALVEX.INI", "TALVEX CONFIGURATION FILE (TALVEX.INI)\n \n[DeftFile] MINE.TXT\n[CallSign] N0CALL\n"
                      "[CommPort] COM1\n[CommBaud] 19200,N,8,1\n \nEND\n");
    const MemRun byDefault = mem({"--json", "export", "default.csv"});
    ASSERT_EQ(byDefault.exitCode, 0) << byDefault.err.constData();
    EXPECT_EQ(bytesOf("default.csv"), bytesOf("out.csv"));
    EXPECT_EQ(QJsonDocument::fromJson(byDefault.out).object()["source"].toString(), path("mine.txt"));
}

TEST_F(ListCommands, DataFileToCsvAndBackIsByteForByte)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALVEX_DEMO_DIR "/TALVEX.TXT"), path("TALVEX.TXT")));
    ASSERT_EQ(mem({"export", "demo.csv", "--from", "TALVEX.TXT"}).exitCode, 0);
    ASSERT_TRUE(QDir(folder_.path()).mkdir("back"));
    const MemRun run = mem({"import", "demo.csv", "back/TALVEX.TXT", "--full", "--strict"});
    ASSERT_EQ(run.exitCode, 0) << run.out.constData();
    EXPECT_EQ(bytesOf("back/TALVEX.TXT"), bytesOf("TALVEX.TXT"));
}

struct EibiCase {
    const char* story;
    QStringList options;
    int exitCode;
    QStringList lines;
};

QString Am(int channel, const char* frequency, const char* label)
{
    return Line(channel, QString::fromLatin1(frequency), QStringLiteral("AM"), QStringLiteral("Fil 2"), QString(),
                QString::fromLatin1(label).leftJustified(10));
}

class ListEibi : public ListCommands, public ::testing::WithParamInterface<EibiCase> {};

// Each filter option reaches the schedule import: the channels it lets through.
TEST_P(ListEibi, EachOptionFiltersTheSchedule)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALVEX_SOURCE_DIR "/tests/channels/sked-test.csv"), path("sked.csv")));
    const MemRun run = mem(QStringList{"import", "--eibi", "sked.csv", "bc.txt"} + GetParam().options);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.out.constData() << run.err.constData();
    EXPECT_EQ(channelLinesOf("bc.txt"), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ListEibi,
    ::testing::Values(
        EibiCase{"at_and_language", {"--at", "0130", "--language", "e"}, 6,
                 {Am(1, "03.330.0", "Hotel Irr"), Am(2, "11.700.0", "Echo Radio"), Am(3, "15.000.0", "Foxtrot")}},
        EibiCase{"station_days_first", {"--station", "charlie", "--days", "Sa", "--first", "10"}, 0,
                 {Am(10, "07.310.0", "Charlie WE")}},
        EibiCase{"target", {"--target", "CAm"}, 0, {Am(1, "05.950.0", "Alpha Sp")}},
        EibiCase{"max_from_98", {"--max", "2", "--first", "98", "--station", "Filler"}, 6,
                 {Am(98, "02.305.0", "Filler 000"), Am(99, "02.405.0", "Filler 001")}}),
    [](const auto& info) { return std::string(info.param.story); });

// What the operator's own filters leave out is counted, not taken for a change: a weekend
// filter whose rows all go in whole ends with 0; one that lets nothing through writes nothing
// (5), and its notes say why.
TEST_F(ListCommands, ScheduleFiltersCountWhatTheyLeaveOutWithoutMakingItAChange)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALVEX_SOURCE_DIR "/tests/channels/published/sked-a25-excerpt.csv"),
                            path("sked.csv")));
    const MemRun weekend = mem({"import", "--eibi", "sked.csv", "bc.txt", "--days", "sasu", "--station", "Shiokaze"});
    EXPECT_EQ(weekend.exitCode, 0) << weekend.out.constData() << weekend.err.constData();
    EXPECT_EQ(channelLinesOf("bc.txt"), (QStringList{Am(1, "06.040.0", "Shiokaze"), Am(2, "06.070.0", "Shiokaze")}));
    EXPECT_TRUE(weekend.out.startsWith("56 broadcasts outside the filters (days 9, station 47)\nImport: 2 channels"))
        << weekend.out.constData();

    put("kept.txt", "the old file\r\n");
    const MemRun none = mem({"--json", "import", "--eibi", "sked.csv", "kept.txt", "--days", "Su", "--station", "Welle"});
    EXPECT_EQ(none.exitCode, 5);
    EXPECT_EQ(bytesOf("kept.txt"), "the old file\r\n");
    EXPECT_EQ(QJsonDocument::fromJson(none.out).object()["notes"].toArray(),
              (QJsonArray{"56 broadcasts outside the filters (days 17, station 39)",
                          "2 broadcasts with days the filter cannot read (1.Su, irr): left out"}))
        << none.out.constData();
}

struct MissingCase {
    const char* story;
    QStringList arguments;
    const char* says;
};

class ListMissingFile : public ListCommands, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(ListMissingFile, IsExitCode5AndWritesNothing)
{
    const MemRun run = mem(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.err.contains(GetParam().says)) << run.err.constData();
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ListMissingFile,
    ::testing::Values(MissingCase{"import_of_a_missing_csv", {"import", "no.csv", "x.txt"}, "no.csv cannot be read"},
                      MissingCase{"import_of_a_missing_schedule", {"import", "--eibi", "no.csv", "x.txt"}, "no.csv cannot be read"},
                      MissingCase{"export_from_a_missing_file", {"export", "x.csv", "--from", "no.txt"}, "no.txt cannot be read"},
                      MissingCase{"export_without_talvex_ini", {"export", "x.csv"}, "TALVEX.INI cannot be read"}),
    [](const auto& info) { return std::string(info.param.story); });

struct RefusedCase {
    const char* story;
    std::function<QString(const QString& folder)> make;  // makes what stands there, gives the operand
    const char* says;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.story; }

const QByteArray kIni = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\nEND\r\n";

class ListRefusedOutput : public ListCommands, public ::testing::WithParamInterface<RefusedCase> {};

// The files read, import and export write are never TALVEX.INI and never anything but a regular
// file: refused with one line and exit code 5, before the radio or the list is touched, and what
// stands there stays as it was.
TEST_P(ListRefusedOutput, IsExitCode5InOneLineAndLeftAsItWas)
{
    put("TALVEX.INI", kIni);
    put("small.csv", kSmallCsv);
    put("data.txt", Line(1, "01.840.0", "LSB", "Fil 2", "", "A").toLatin1() + "\r\n");
    const QString operand = GetParam().make(folder_.path());
    const auto entries = [this] { return QDir(folder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
    const QStringList before = entries();
    for (const QStringList& command : {QStringList{"import", "small.csv", operand}, QStringList{"export", operand, "--from", "data.txt"},
                                       QStringList{"--port", "COM9", "--baud", "19200", "read", operand}}) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        const MemRun run = mem(command);
        EXPECT_EQ(run.exitCode, 5) << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.contains(GetParam().says)) << run.err.constData();
        EXPECT_EQ(bytesOf("TALVEX.INI"), kIni);
        EXPECT_EQ(entries(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ListRefusedOutput,
    ::testing::Values(
        RefusedCase{"talvex_ini", [](const QString&) { return QStringLiteral("TALVEX.INI"); }, "is TALVEX's configuration file"},
        RefusedCase{"talvex_ini_in_lower_case", [](const QString&) { return QStringLiteral("talvex.ini"); },
                    "is TALVEX's configuration file"},
        RefusedCase{"talvex_ini_of_another_folder", [](const QString& folder) {
                        QDir(folder).mkdir("other");
                        return QStringLiteral("other/Talvex.Ini");
                    }, "is TALVEX's configuration file"},
        RefusedCase{"a_link_to_talvex_ini", [](const QString& folder) {
                        QFile::link(QDir(folder).filePath("TALVEX.INI"), QDir(folder).filePath("cfg.txt"));
                        return QStringLiteral("cfg.txt");
                    }, "is TALVEX's configuration file"},
        RefusedCase{"a_folder", [](const QString& folder) {
                        QDir(folder).mkdir("dir.txt");
                        return QStringLiteral("dir.txt");
                    }, "not a regular file"},
        RefusedCase{"a_device", [](const QString&) { return QStringLiteral("/dev/null"); }, "not a regular file"},
        RefusedCase{"a_pipe", [](const QString& folder) {
                        ::mkfifo(QFile::encodeName(QDir(folder).filePath("pipe.txt")).constData(), 0600);
                        return QStringLiteral("pipe.txt");
                    }, "not a regular file"},
        RefusedCase{"a_missing_folder", [](const QString&) { return QStringLiteral("nowhere/x.txt"); }, "Path not found"}),
    [](const auto& info) { return std::string(info.param.story); });

// "-": the list import reads and the data file export reads come from standard input; export's
// CSV goes to standard output, its report to standard error.
TEST_F(ListCommands, DashIsStandardInputForWhatIsReadAndStandardOutputForTheCsv)
{
    const MemRun imported = RunMem(folder_.path(), {"import", "-", "small.txt"}, kSmallCsv);
    EXPECT_EQ(imported.exitCode, 6) << imported.err.constData();
    EXPECT_EQ(channelLinesOf("small.txt"),
              (QStringList{Line(1, "01.840.0", "LSB", "Fil 2", "", "160M FT8  "),
                           Line(12, "74.000.0", "FM", "Fil 2", "", "BC        ")}));
    EXPECT_TRUE(imported.out.contains("Import: 2 channels from standard input written to")) << imported.out.constData();

    const MemRun exported = mem({"export", "-", "--from", "small.txt"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.constData();
    EXPECT_TRUE(exported.out.startsWith(kChirpHeader + kOurColumns + "\r\n1,160M FT8,1.840000,")) << exported.out.constData();
    EXPECT_TRUE(exported.err.startsWith("Export: 2 channels from ")) << exported.err.constData();
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList{"small.txt"});

    const MemRun piped = RunMem(folder_.path(), {"export", "-", "--from", "-"}, bytesOf("small.txt"));
    EXPECT_EQ(piped.exitCode, 0) << piped.err.constData();
    EXPECT_EQ(piped.out, exported.out);
}

// Names a CSV holds are printed with their control characters escaped; the JSON report carries
// them whole, escaped as JSON escapes them.
TEST_F(ListCommands, ControlCharactersFromAListNeverReachTheTerminal)
{
    put("names.csv", kChirpHeader + "\r\n1,A\x1b[2JB\x07\x7f" "C,1.840000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,50W,,,,,\r\n");
    const MemRun run = mem({"import", "names.csv", "names.txt"});
    EXPECT_EQ(run.exitCode, 6) << run.err.constData();
    EXPECT_TRUE(run.out.contains("name \"A\\x1b[2JB\\x07\\x7fC\" written \"A?[2JB??C\"")) << run.out.constData();
    for (const char c : run.out + run.err)
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c != 0x7f)) << int(c);
    const MemRun json = mem({"--json", "import", "names.csv", "names.txt"});
    const QString text = QJsonDocument::fromJson(json.out).object()["report"].toArray()[0].toObject()["text"].toString();
    EXPECT_TRUE(text.contains(QString::fromLatin1("A\x1b[2JB\x07\x7f" "C"))) << json.out.constData();
}

}  // namespace
}  // namespace talvex::testing
