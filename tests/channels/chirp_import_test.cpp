// Foreign and hostile CHIRP rows: the data-file line each becomes and what the report says.

#include "channels/chirp_export.h"
#include "channels/chirp_import.h"
#include "tests/channels/expected_lines.h"

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

using testing::ChannelLinesOf;
using testing::Line;
using testing::ReportLinesOf;
using testing::WithZone;

// CHIRP's own header of its older releases: 18 columns, none of ours.
const QString kHeader = QStringLiteral(
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment,"
    "URCALL,RPT1CALL,RPT2CALL,DVCODE");

QString Row(const QString& head, const QString& tone, const QString& mode)
{
    return head + u',' + tone + QStringLiteral(",023,NN,") + mode + QStringLiteral(",5.00,,,,,,");
}

struct RowCase {
    const char* what;
    QString row;
    QString line;  // empty: the row is left out
    QString report;
};

ImportResult ImportOne(const QString& row)
{
    return ImportChirpCsv((kHeader + QStringLiteral("\r\n") + row + QStringLiteral("\r\n")).toUtf8(), {});
}

QString ReportOf(const ImportResult& result) { return ReportLinesOf(result).join(QStringLiteral("; ")); }

TEST(ChirpImport, EachRowBecomesItsLineAndNamesWhatChanged)
{
    const QString plain = QStringLiteral("88.5,88.5");
    const std::vector<RowCase> cases{
        {"a plain channel", Row("1,40M FT8,7.074000,,0.000000,", plain, "USB"),
         Line(1, "07.074.0", "USB", "Fil 2", "", "40M FT8   "), ""},
        {"the lowest frequency", Row("4,LF,0.030000,,0.000000,", plain, "AM"), Line(4, "00.030.0", "AM", "Fil 2", "", "LF        "), ""},
        {"the highest frequency", Row("5,6M,74.800000,,0.000000,", plain, "FM"), Line(5, "74.800.0", "FM", "Fil 2", "", "6M        "), ""},
        {"below the range", Row("6,X,0.029999,,0.000000,", plain, "AM"), "",
         "row 2: frequency 0.029999 MHz is outside 0.030-74.800 MHz: left out"},
        {"above the range", Row("7,2M,146.520000,,0.000000,", plain, "FM"), "",
         "row 2: frequency 146.520000 MHz is outside 0.030-74.800 MHz: left out"},
        {"no frequency", Row("7,2M,abc,,0.000000,", plain, "FM"), "", "row 2: frequency \"abc\" is no frequency: left out"},
        {"1 Hz digits kept in the record", Row("2,WWV,10.000001,,0.000000,", plain, "AM"),
         WithZone(Line(2, "10.000.0", "AM", "Fil 2", "", "WWV       "),
                  "0002000100001000020200001000001000010000100002020000100000100057575620202020202020"), ""},
        {"a duplex shift made a split channel", Row("8,RPT,29.620000,-,0.100000,Tone", "88.5,88.5", "FM"),
         WithZone(Line(8, "29.620.0", "FM", "Fil 2", "", "RPT       "),
                  "0008000000622900050201000885001000000052290005020100088500100052505420202020202020"),
         "row 2: duplex - 0.100000 MHz made a split channel, transmit 29.520000 MHz"},
        {"a split kept", Row("17,SPL,14.195000,split,14.225000,", plain, "USB"),
         WithZone(Line(17, "14.195.0", "USB", "Fil 2", "", "SPL       "),
                  "0017000050191400010200001000001000005022140001020000100000100053504C20202020202020"), ""},
        {"a shift below zero", Row("19,LOW,0.100000,-,0.600000,", plain, "AM"),
         Line(19, "00.100.0", "AM", "Fil 2", "", "LOW       "),
         "row 2: transmit frequency -0.500000 MHz is outside 0.030-74.800 MHz: simplex"},
        {"transmit off", Row("9,OFF,29.600000,off,0.000000,", plain, "FM"), Line(9, "29.600.0", "FM", "Fil 2", "", "OFF       "),
         "row 2: duplex \"off\" offset \"0.000000\" has no IC-7300 setting: simplex"},
        {"DTCS dropped", Row("9,D,29.600000,,0.000000,DTCS", plain, "FM"), Line(9, "29.600.0", "FM", "Fil 2", "", "D         "),
         "row 2: DTCS 023 has no IC-7300 setting: tone off"},
        {"a tone the radio lacks", Row("10,T,29.600000,,0.000000,Tone", "69.4,88.5", "FM"),
         Line(10, "29.600.0", "FM", "Fil 2", "", "T         "),
         "row 2: rToneFreq 69.4 is not one of the radio's 50 tones: tone off"},
        {"tone squelch kept", Row("11,T,29.600000,,0.000000,TSQL", "88.5,123.0", "FM"),
         WithZone(Line(11, "29.600.0", "FM", "Fil 2", "", "T         "),
                  "0011000000602900050202001000001230000060290005020200100000123054202020202020202020"), ""},
        {"a wide mode taken as FM", Row("12,BC,74.000000,,0.000000,", plain, "WFM"),
         Line(12, "74.000.0", "FM", "Fil 2", "", "BC        "), "row 2: mode WFM written as FM"},
        {"a mode the radio lacks", Row("12,DSTAR,29.600000,,0.000000,", plain, "DV"), "",
         "row 2: mode \"DV\" is not an IC-7300 mode: left out"},
        {"a long name cut", Row("13,A very long name,7.100000,,0.000000,", plain, "LSB"),
         Line(13, "07.100.0", "LSB", "Fil 2", "", "A very lon"), "row 2: name \"A very long name\" written \"A very lon\""},
        {"accents taken off", Row("14,Café,7.100000,,0.000000,", plain, "LSB"), Line(14, "07.100.0", "LSB", "Fil 2", "", "Cafe      "),
         "row 2: name \"Café\" written \"Cafe\""},
        {"other scripts replaced", Row("15,日本,7.100000,,0.000000,", plain, "LSB"), Line(15, "07.100.0", "LSB", "Fil 2", "", "??        "),
         "row 2: name \"日本\" written \"??\""},
        {"a quoted comma", Row("16,\"Net, Sun\",7.150000,,0.000000,", plain, "LSB"),
         Line(16, "07.150.0", "LSB", "Fil 2", "", "Net, Sun  "), ""},
        {"Location 0", Row("0,Z,7.100000,,0.000000,", plain, "LSB"), "", "row 2: Location \"0\" is outside 1-99: left out"},
        {"Location 100", Row("100,Z,7.100000,,0.000000,", plain, "LSB"), "", "row 2: Location \"100\" is outside 1-99: left out"},
        {"Location 99", Row("99,Z,7.100000,,0.000000,", plain, "CWR"), Line(99, "07.100.0", "CWr", "Fil 2", "", "Z         "), ""},
        {"a row shorter than the header", "18,Short,7.200000,,0.000000,,88.5,88.5,023,NN,RTTYR",
         Line(18, "07.200.0", "RTTYr", "Fil 2", "", "Short     "), "row 2: 11 of 18 columns: the missing ones taken as empty"},
    };
    for (const RowCase& c : cases) {
        const ImportResult result = ImportOne(c.row);
        const QStringList lines = ChannelLinesOf(result);
        EXPECT_EQ(lines, c.line.isEmpty() ? QStringList() : QStringList{c.line}) << c.what;
        EXPECT_EQ(ReportOf(result), c.report) << c.what;
    }
}

TEST(ChirpImport, OurColumnsCarryFilterDataModeAndSelectGroup)
{
    const QString header = kHeader + QStringLiteral(",IC7300Filter,IC7300Data,IC7300Select");
    const QString head = QStringLiteral(",,0.000000,,88.5,88.5,023,NN,");
    const std::vector<RowCase> cases{
        {"filter 3, data 1, group 2", "3,FT8," "14.074000" + head + "USB,5.00,,,,,,,3,1,2",
         WithZone(Line(3, "14.074.0", "USB", "Fil 3", "Yes", "FT8       "),
                  "0003020040071400010310001000001000004007140001031000100000100046543820202020202020"), ""},
        {"group 1 needs no record", "3,FT8," "14.074000" + head + "USB,5.00,,,,,,,1,0,1", Line(3, "14.074.0", "USB", "Fil 1", "Yes", "FT8       "), ""},
        {"data mode on CW dropped", "4,CW," "7.030000" + head + "CW,5.00,,,,,,,1,2,0", Line(4, "07.030.0", "CW", "Fil 1", "", "CW        "),
         "row 2: data mode 2 dropped: CW cannot carry it"},
        {"filter 4", "5,X," "7.030000" + head + "CW,5.00,,,,,,,4,0,0", Line(5, "07.030.0", "CW", "Fil 2", "", "X         "),
         "row 2: IC7300Filter \"4\" is not 1-3: taken as 2"},
    };
    for (const RowCase& c : cases) {
        const ImportResult result = ImportChirpCsv((header + u'\n' + c.row + u'\n').toUtf8(), {});
        EXPECT_EQ(ChannelLinesOf(result), c.line.isEmpty() ? QStringList() : QStringList{c.line}) << c.what;
        EXPECT_EQ(ReportOf(result), c.report) << c.what;
    }
}

const QString kTwoRows = QStringLiteral("1,A,7.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n"
                                        "2,B,14.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n");

TEST(ChirpImport, LineEndsByteOrderMarkCommentsAndUnknownColumnsChangeNothing)
{
    const ImportResult plain = ImportChirpCsv((kHeader + u'\n' + kTwoRows).toUtf8(), {});
    ASSERT_EQ(plain.channels, 2);
    QString crlf = kHeader + u'\n' + kTwoRows;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    const QByteArray bom = QByteArray("\xEF\xBB\xBF") + (kHeader + u'\n' + kTwoRows).toUtf8();
    const QString commented = QStringLiteral("# from the club\n") + kHeader + QStringLiteral("\n# two rows\n") + kTwoRows;
    QString unknown = QStringLiteral("Extra,") + kHeader + u'\n' + kTwoRows;
    unknown.replace(QStringLiteral("\n1,"), QStringLiteral("\nx,1,")).replace(QStringLiteral("\n2,"), QStringLiteral("\ny,2,"));
    for (const QByteArray& bytes : {crlf.toUtf8(), bom, commented.toUtf8(), unknown.toUtf8()}) {
        const ImportResult result = ImportChirpCsv(bytes, {});
        EXPECT_EQ(result.lines, plain.lines) << bytes.left(40).constData();
        EXPECT_TRUE(result.report.empty()) << ReportOf(result).toStdString();
    }
}

TEST(ChirpImport, TwoRowsForOneChannelKeepTheFirst)
{
    const QString rows = kTwoRows + QStringLiteral("1,C,21.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n");
    const ImportResult result = ImportChirpCsv((kHeader + u'\n' + rows).toUtf8(), {});
    EXPECT_EQ(ChannelLinesOf(result).first(), Line(1, "07.074.0", "USB", "Fil 2", "", "A         "));
    EXPECT_EQ(ReportOf(result), "row 4: channel 1 is already row 2: left out");
}

TEST(ChirpImport, StrictRefusesTheWholeFileOnAnyChange)
{
    const QString rows = kTwoRows + QStringLiteral("3,Long name here,21.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n");
    ImportOptions strict;
    strict.strict = true;
    const ImportResult result = ImportChirpCsv((kHeader + u'\n' + rows).toUtf8(), strict);
    EXPECT_TRUE(result.refused);
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_EQ(ReportOf(result), "row 4: name \"Long name here\" written \"Long name \"; "
                                "nothing written: strict, and the rows above would change");
    EXPECT_FALSE(ImportChirpCsv((kHeader + u'\n' + kTwoRows).toUtf8(), strict).refused);
}

TEST(ChirpImport, RenumberPacksFromTheFirstChannel)
{
    const QString rows = QStringLiteral("0,A,7.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n"
                                        "150,B,14.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n"
                                        "41,C,146.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,,\n"
                                        "42,D,21.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n");
    ImportOptions renumber;
    renumber.renumber = true;
    renumber.firstChannel = 41;
    const ImportResult result = ImportChirpCsv((kHeader + u'\n' + rows).toUtf8(), renumber);
    EXPECT_EQ(ChannelLinesOf(result), (QStringList{Line(41, "07.074.0", "USB", "Fil 2", "", "A         "),
                                                   Line(42, "14.074.0", "USB", "Fil 2", "", "B         "),
                                                   Line(43, "21.074.0", "USB", "Fil 2", "", "D         ")}));
    // Row 4 is left out and moves nowhere: channel 43 is row 5's.
    EXPECT_EQ(ReportOf(result), "row 2: Location 0 written to channel 41; row 3: Location 150 written to channel 42; "
                                "row 4: frequency 146.000000 MHz is outside 0.030-74.800 MHz: left out; "
                                "row 5: Location 42 written to channel 43");
}

TEST(ChirpImport, FullWritesAll99LinesTheAbsentOnesBlank)
{
    ImportOptions full;
    full.full = true;
    const ImportResult result = ImportChirpCsv((kHeader + u'\n' + kTwoRows).toUtf8(), full);
    const QStringList lines = ChannelLinesOf(result);
    ASSERT_EQ(lines.size(), 99);
    EXPECT_EQ(lines[1], Line(2, "14.074.0", "USB", "Fil 2", "", "B         "));
    EXPECT_EQ(lines[2], QStringLiteral(" 3 ").leftJustified(70));
    EXPECT_EQ(lines[98], QStringLiteral(" 99 ").leftJustified(70));
    EXPECT_EQ(result.notes, QStringList{"97 channels not in the file written blank: Update Rig clears them"});
    EXPECT_FALSE(result.changed());
}

TEST(ChirpImport, TenThousandRowsFillTheChannelsOnceAndReportTheRest)
{
    QString text = kHeader + u'\n';
    for (int row = 0; row < 10'000; ++row)
        text += QStringLiteral("%1,R%2,7.%3000,,0.000000,,88.5,88.5,023,NN,LSB,5.00,,,,,,\n")
                    .arg(row % 99 + 1)
                    .arg(row)
                    .arg(row % 1000, 3, 10, QChar(u'0'));
    const ImportResult result = ImportChirpCsv(text.toUtf8(), {});
    EXPECT_EQ(result.channels, 99);
    ASSERT_EQ(result.report.size(), 10'000u - 99u);
    EXPECT_EQ(result.report.front().shown(), "row 101: channel 1 is already row 2: left out");
    EXPECT_EQ(result.report.back().shown(), "row 10001: channel 1 is already row 2: left out");
    EXPECT_EQ(ChannelLinesOf(result).last(), Line(99, "07.098.0", "LSB", "Fil 2", "", "R98       "));
}

TEST(ChirpImport, AnEditedRowChangesOnlyWhatItChangedInItsRecord)
{
    // Split on one frequency: receive USB filter 2, transmit LSB filter 1; select group 3.
    const auto record = *MemoryRecord::from(QByteArray::fromHex(
        "0021030050191400010200001000001000005019140000010000100000100053504C4954204D4F4445"));
    ChirpRow row = ChirpRowOfRecord(record);
    row[kName] = QStringLiteral("NEW NAME");
    const QString csv = kColumnNames.join(u',') + u'\n' + row.join(u',') + u'\n';
    const ImportResult result = ImportChirpCsv(csv.toUtf8(), {});
    ASSERT_EQ(result.channels, 1);
    EXPECT_EQ(result.lines[3], WithZone(Line(21, "14.195.0", "USB", "Fil 2", "Yes", "NEW NAME  "),
                                        "002103005019140001020000100000100000501914000001000010000010004E4557204E414D452020"));
    EXPECT_FALSE(result.changed());
}

TEST(ChirpImport, EmptyColumnsOfOursLeaveTheRecordsSettings)
{
    // FM-D3 with Tone 88.5 on 29.620.010, filter 1, select group 2.
    const QString hex = QStringLiteral("0022021000622900050131000885001000100062290005013100088500100052505420443320202020");
    ChirpRow row = ChirpRowOfRecord(*MemoryRecord::from(QByteArray::fromHex(hex.toLatin1())));
    row[kFilter] = row[kDataMode] = row[kSelectGroup] = QString();
    const QString csv = kColumnNames.join(u',') + u'\n' + row.join(u',') + u'\n';
    const ImportResult result = ImportChirpCsv(csv.toUtf8(), {});
    ASSERT_EQ(result.channels, 1);
    EXPECT_EQ(result.lines[3], WithZone(Line(22, "29.620.0", "FM", "Fil 1", "Yes", "RPT D3    "), hex));
    EXPECT_FALSE(result.changed());
}

TEST(ChirpImport, AFileNotInUtf8IsReadAndSaysSo)
{
    const QByteArray latin1 = (kHeader + QStringLiteral("\n")).toUtf8()
        + "1,Caf\xE9,7.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,,\n";
    const ImportResult result = ImportChirpCsv(latin1, {});
    EXPECT_EQ(ChannelLinesOf(result), QStringList{Line(1, "07.074.0", "USB", "Fil 2", "", "Caf?      ")});
    EXPECT_EQ(ReportOf(result), QString::fromUtf8("the file is not UTF-8: bytes that are not were replaced; "
                                                  "row 2: name \"Caf\uFFFD\" written \"Caf?\""));
}

TEST(ChirpImport, AFileWithoutCHIRPsHeaderSaysSo)
{
    const ImportResult result = ImportChirpCsv("Freq;Name\n7.1;A\n", {});
    EXPECT_EQ(result.channels, 0);
    EXPECT_EQ(ReportOf(result).left(45), "no CHIRP header (Location, Frequency) found; ");
}

}  // namespace
}  // namespace talvex::channels
