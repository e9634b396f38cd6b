// What CHIRP's generic CSV reader demands of a file, written out by hand from its rules, against
// what the export writes: the header names in order, six-decimal megahertz, the split
// convention, and values from its own lists where it checks them.

#include "channels/chirp_export.h"
#include "tests/channels/expected_lines.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

MemoryRecord RecordOf(const char* hex) { return *MemoryRecord::from(QByteArray::fromHex(hex)); }

TEST(ChirpReaderRules, HeaderAndRowsAreCHIRPsSpelling)
{
    const QByteArray csv = ChirpCsvOfRecords({
        // channel 5, FM, TSQL, repeater tone 97.4, squelch 100.0, filter 3, 14.079.060
        RecordOf("0005006090071400050302000974001000609007140005030200097400100053534220323020352020"),
        // channel 11, CW split 50.317.123 / 50.322.123, select group 3
        RecordOf("001103237131500003030000100000100023213250000303000010000010004A533820364D20313120"),
    });
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 4);  // header, two rows, nothing after the last CR LF
    EXPECT_EQ(lines[0], "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,"
                        "IC7300Filter,IC7300Data,IC7300Select,IC7300Record\r");
    EXPECT_EQ(lines[1], "5,SSB 20 5,14.079060,,0.000000,TSQL,97.4,100.0,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,,3,0,0,"
                        "0005006090071400050302000974001000609007140005030200097400100053534220323020352020\r");
    EXPECT_EQ(lines[2], "11,JS8 6M 11,50.317123,split,50.322123,,100.0,100.0,023,NN,023,Tone->Tone,CW,5.00,,50W,,,,,,3,0,3,"
                        "001103237131500003030000100000100023213250000303000010000010004A533820364D20313120\r");
}

// The lists CHIRP's reader checks each value against (its TONE_MODES, MODES, duplexes,
// polarities, tuning steps and 50 tones), typed from its documentation.
const QStringList kToneModes{"", "Tone", "TSQL", "DTCS", "DTCS-R", "TSQL-R", "Cross"};
const QStringList kModes{"WFM", "FM",  "NFM", "AM",   "NAM",  "DV",   "USB", "LSB",   "CW",  "RTTY", "DIG",
                         "PKT", "NCW", "NCWR", "CWR", "P25", "Auto", "RTTYR", "FSK", "FSKR", "DMR"};
const QStringList kDuplexes{"", "+", "-", "split", "off"};
const QStringList kPolarities{"NN", "NR", "RN", "RR"};
const QStringList kTones{"67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
                         "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
                         "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
                         "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
                         "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

TEST(ChirpReaderRules, EveryModeAndToneIsOneCHIRPAccepts)
{
    const QRegularExpression megahertz(QStringLiteral("^\\d+\\.\\d{6}$"));
    // One record a mode (LSB USB AM CW RTTY FM CWR RTTYR), tone types off, Tone and TSQL, the
    // lowest and highest tones.
    const char* records[] = {
        "0001000040070000000100000670002541004007000000010000067000254141202020202020202020",
        "0002000040070000010201000670002541004007000001020100067000254142202020202020202020",
        "0003000040070000020302000670002541004007000002030200067000254143202020202020202020",
        "0004000040070000030100000670002541004007000003010000067000254144202020202020202020",
        "0005000040070000040200000670002541004007000004020000067000254145202020202020202020",
        "0006000040070000050300000670002541004007000005030000067000254146202020202020202020",
        "0007000040070000070100000670002541004007000007010000067000254147202020202020202020",
        "0008000040070000080200000670002541004007000008020000067000254148202020202020202020",
    };
    const QStringList expectedModes{"LSB", "USB", "AM", "CW", "RTTY", "FM", "CWR", "RTTYR"};
    for (int i = 0; i < 8; ++i) {
        const ChirpRow row = ChirpRowOfRecord(RecordOf(records[i]));
        ASSERT_EQ(row.size(), kColumnCount);
        EXPECT_EQ(row[kMode], expectedModes[i]);
        EXPECT_TRUE(kModes.contains(row[kMode])) << i;
        EXPECT_TRUE(kToneModes.contains(row[kTone])) << i;
        EXPECT_TRUE(kDuplexes.contains(row[kDuplex])) << i;
        EXPECT_TRUE(kPolarities.contains(row[kDtcsPolarity])) << i;
        EXPECT_TRUE(kTones.contains(row[kRToneFreq]) && kTones.contains(row[kCToneFreq])) << i;
        EXPECT_TRUE(megahertz.match(row[kFrequency]).hasMatch() && megahertz.match(row[kOffset]).hasMatch()) << i;
        EXPECT_EQ(row[kDtcsCode], "023");  // one of CHIRP's DTCS codes
        EXPECT_EQ(row[kTStep], "5.00");    // one of its tuning steps
        EXPECT_EQ(row[kLocation], QString::number(i + 1));
    }
    EXPECT_EQ(ChirpRowOfRecord(RecordOf(records[1]))[kTone], "Tone");
    EXPECT_EQ(ChirpRowOfRecord(RecordOf(records[2]))[kTone], "TSQL");
    EXPECT_EQ(ChirpRowOfRecord(RecordOf(records[0]))[kFrequency], "0.074000");
    // TSQL on 91.5 with a repeater tone of 150.0, which is in no list: CHIRP would refuse the
    // whole row for it, so the unused tone goes out as CHIRP's default and the record keeps it.
    const ChirpRow odd = ChirpRowOfRecord(
        RecordOf("0085000050072100050202001500000915005007210005020200150000091546543420313520383520"));
    EXPECT_EQ(odd[kRToneFreq] + u' ' + odd[kCToneFreq], "88.5 91.5");
}

TEST(ChirpReaderRules, ADataFileLineGivesWhatItShowsAndLeavesTheRestAtCHIRPsDefaults)
{
    const QString line = testing::Line(7, "07.074.0", "USB", "Fil 2", "Yes", "40M FT8   ");
    const auto row = ChirpRowOfLine(line);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->join(u','), "7,40M FT8,7.074000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,50W,,,,,,2,,1,");
    EXPECT_FALSE(ChirpRowOfLine(QStringLiteral(" 8 ").leftJustified(70)));  // a blank channel is left out
    EXPECT_FALSE(ChirpRowOfLine(QStringLiteral(" Ch#          Freq..:.")));
    EXPECT_FALSE(ChirpRowOfLine(testing::Line(9, "7.074", "USB", "Fil 2", "", "BAD FREQ  ")));
}

}  // namespace
}  // namespace talvex::channels
