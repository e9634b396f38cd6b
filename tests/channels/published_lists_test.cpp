// Lists operators published (tests/channels/published; SOURCES.md names where each comes from)
// through the imports: EiBi schedules with the Days forms they use, and a club's CHIRP file in
// which most rows are for bands the IC-7300 does not have.

#include "channels/chirp_import.h"
#include "channels/eibi_import.h"
#include "tests/channels/expected_lines.h"

#include <QFile>

#include <map>

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

using testing::ChannelLinesOf;
using testing::Line;
using testing::ReportLinesOf;
using testing::WithZone;

QByteArray Published(const char* name)
{
    QFile file(QStringLiteral(TALVEX_SOURCE_DIR "/tests/channels/published/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QString Broadcast(int channel, const char* frequency, const char* label)
{
    return Line(channel, QString::fromLatin1(frequency), QStringLiteral("AM"), QStringLiteral("Fil 2"), QString(),
                QString::fromLatin1(label).leftJustified(10));
}

EibiFilter Filter(const char* days, const char* at = "", int first = 1)
{
    EibiFilter filter;
    if (*days)
        filter.days = *WeekdaysOf(QString::fromLatin1(days));
    filter.atMinute = MinuteOfHhmm(QString::fromLatin1(at));
    filter.firstChannel = first;
    return filter;
}

struct PublishedScheduleCase {
    const char* what;
    const char* file;
    EibiFilter filter;
    int channels;
    std::map<int, QString> someLines;  // by channel
    QStringList notes;
    QStringList someReport;
};

TEST(PublishedSchedule, EachDaysFilterTakesItsBroadcastsAndCountsTheRest)
{
    const std::vector<PublishedScheduleCase> cases{
        {"the weekend", "sked-a25-excerpt.csv", Filter("SaSu"), 30,
         {{7, Broadcast(7, "06.020.0", "Radio Casa")}, {9, Broadcast(9, "06.040.0", "Shiokaze")},
          {13, Broadcast(13, "06.070.0", "CFRX Toron")}, {21, Broadcast(21, "06.218.6", "VFF Iqalui")},
          {26, Broadcast(26, "07.396.8", "HSW64 Bang")}},
         {"9 broadcasts outside the filters (days 9)",
          QString::fromUtf8("11 broadcasts with days the filter cannot read (irr, spur, 1.Su, …): left out")},
         {"row 2: kHz \"16.4\" is outside 30-74800 kHz: left out",
          "row 28: Shiokaze merged into channel 13 (CFRX Toronto, CFRB 1010), same frequency"}},
        // 6055 kHz: the broadcast ending at 1100 is off the air, the one starting then is on.
        {"Saturday at 11:00", "sked-a25-excerpt.csv", Filter("Sa", "1100"), 11,
         {{3, Broadcast(3, "00.873.0", "Nemzetiseg")}, {4, Broadcast(4, "06.055.0", "Radio OZ-V")},
          {11, Broadcast(11, "07.433.5", "HLL Seoul")}},
         {"40 broadcasts outside the filters (time 40)",
          "5 broadcasts with days the filter cannot read (spur, irr, 1.Sa): left out"},
         {"row 10: name \"Nemzetiségi Rádió\" written \"Nemzetiseg\""}},
        {"every day from channel 60", "sked-a25-excerpt.csv", Filter("", "", 60), 40,
         {{60, Broadcast(60, "00.077.5", "DCF77 Main")}, {75, Broadcast(75, "06.070.0", "CFRX Toron")},
          {99, Broadcast(99, "07.469.0", "E11 Polish")}},
         {},
         {"1 more frequencies left out: 40 channels at most"}},
        {"an older schedule on Saturdays", "pebble-eibi-excerpt.csv", Filter("Sa"), 7,
         {{1, Broadcast(1, "00.171.0", "Medi 1")}, {6, Broadcast(6, "00.999.0", "Trans Worl")},
          {7, Broadcast(7, "01.134.0", "Voice of C")}},
         {"10 broadcasts outside the filters (days 10)", "1 broadcast with days the filter cannot read (8Apr): left out"},
         {"row 3: Medi 1 merged into channel 1 (Medi 1), same frequency"}},
    };
    for (const PublishedScheduleCase& c : cases) {
        const ImportResult result = ImportEibi(Published(c.file), c.filter, {});
        const QStringList lines = ChannelLinesOf(result);
        ASSERT_EQ(lines.size(), c.channels) << c.what;
        for (const auto& [channel, line] : c.someLines)
            EXPECT_EQ(lines[channel - c.filter.firstChannel], line) << c.what;
        EXPECT_EQ(result.notes, c.notes) << c.what;
        const QStringList report = ReportLinesOf(result);
        for (const QString& line : c.someReport)
            EXPECT_TRUE(report.contains(line)) << c.what << ": " << line.toStdString();
    }
}

QString Repeater(int channel, const char* frequency, const char* label, const char* record)
{
    return WithZone(Line(channel, QString::fromLatin1(frequency), QStringLiteral("FM"), QStringLiteral("Fil 2"), QString(),
                         QString::fromLatin1(label).leftJustified(10)),
                    QString::fromLatin1(record));
}

TEST(PublishedChirpList, OnlyTheSixMetreRepeatersFitAndEveryOtherRowSaysWhy)
{
    // Channel 2: receive 52.870 MHz, transmit 1.7 MHz lower, Tone 103.5 Hz (the tone squelch the
    // memory write's own 100.0, which Tone does not use).
    const ImportResult result = ImportChirpCsv(Published("seattle-acs-repeaters-excerpt.csv"), {});
    EXPECT_EQ(ChannelLinesOf(result),
              (QStringList{Repeater(2, "52.870.0", "WW7PSR", "0002000000875200050201001035001000000017510005020100103500100057573750535220202020"),
                           Repeater(3, "53.410.0", "W7PFR", "0003000000415300050201001000001000000071510005020100100000100057375046522020202020"),
                           Repeater(40, "53.030.0", "K7CH", "004000000003530005020100114800100000003351000502010011480010004B374348202020202020"),
                           Repeater(57, "53.290.0", "W7AW", "0057000000295300050201001000001000000059510005020100100000100057374157202020202020"),
                           Repeater(78, "53.170.0", "K7LWH", "007800000017530005020100100000100000004751000502010010000010004B374C57482020202020")}));
    const QStringList report = ReportLinesOf(result);
    EXPECT_EQ(report.filter(QStringLiteral("MHz is outside 0.030-74.800 MHz: left out")).size(), 13);
    EXPECT_EQ(report.filter(QStringLiteral("is outside 1-99: left out")).size(), 7);  // 6 m at 126 and 131 among them
    EXPECT_EQ(report.filter(QStringLiteral("made a split channel")).size(), 5);
    EXPECT_EQ(report.size(), 25);
}

TEST(PublishedChirpList, RenumberedOnlyTheRowsWrittenAreSaidToMove)
{
    ImportOptions renumber;
    renumber.renumber = true;
    renumber.firstChannel = 40;
    const ImportResult result = ImportChirpCsv(Published("seattle-acs-repeaters-excerpt.csv"), renumber);
    const QStringList lines = ChannelLinesOf(result);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], Repeater(40, "52.870.0", "WW7PSR", "0040000000875200050201001035001000000017510005020100103500100057573750535220202020"));
    EXPECT_EQ(lines[6], Repeater(46, "53.930.0", "N7YRC", "004600000093530005020000100000100000002352000502000010000010004E375952432020202020"));
    EXPECT_EQ(ReportLinesOf(result).filter(QStringLiteral("written to channel")),
              (QStringList{"row 3: Location 2 written to channel 40", "row 4: Location 3 written to channel 41",
                           "row 15: Location 40 written to channel 42", "row 16: Location 57 written to channel 43",
                           "row 18: Location 78 written to channel 44", "row 23: Location 126 written to channel 45",
                           "row 24: Location 131 written to channel 46"}));
}

}  // namespace
}  // namespace talvex::channels
