// Channels from a broadcast schedule in EiBi's format: the sample (sked-test.csv, 214 lines
// written for this test, stations made up) through a few filters, and rows written out here for
// each Days form, the edges of a time span, the filters' counts and the frequencies' range.

#include "channels/eibi_import.h"
#include "tests/channels/expected_lines.h"

#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

using testing::ChannelLinesOf;
using testing::Line;
using testing::ReportLinesOf;

QByteArray Sample()
{
    QFile file(QStringLiteral(TALVEX_SOURCE_DIR "/tests/channels/sked-test.csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

EibiFilter At(const char* hhmm, const char* language = "")
{
    EibiFilter filter;
    filter.atMinute = MinuteOfHhmm(QString::fromLatin1(hhmm));
    filter.language = QString::fromLatin1(language);
    return filter;
}

EibiFilter Station(const char* text, const char* days = "", int first = 1)
{
    EibiFilter filter;
    filter.station = QString::fromLatin1(text);
    filter.days = *WeekdaysOf(QString::fromLatin1(days));
    if (QByteArray(days).isEmpty())
        filter.days.reset();
    filter.firstChannel = first;
    return filter;
}

EibiFilter EuropeOnTuesdayAt0040()
{
    EibiFilter filter = At("0040");
    filter.target = QStringLiteral("eu");
    filter.days = *WeekdaysOf(QStringLiteral("Tu"));
    return filter;
}

EibiFilter AtMost(int max)
{
    EibiFilter filter;
    filter.max = max;
    return filter;
}

struct FilterCase {
    const char* what;
    EibiFilter filter;
    QStringList lines;
    QStringList report;
};

QString Am(int channel, const char* frequency, const char* label)
{
    return Line(channel, QString::fromLatin1(frequency), QStringLiteral("AM"), QStringLiteral("Fil 2"), QString(),
                QString::fromLatin1(label).leftJustified(10));
}

TEST(EibiImport, FiltersPickTheExpectedChannels)
{
    const QString outOfRangeLow = QStringLiteral("row 2: kHz \"25\" is outside 30-74800 kHz: left out");
    const QString outOfRangeHigh = QStringLiteral("row 214: kHz \"150000\" is outside 30-74800 kHz: left out");
    const std::vector<FilterCase> cases{
        {"English at 00:30, a span over midnight included", At("0030", "E"),
         {Am(1, "03.330.0", "Hotel Irr"), Am(2, "05.950.0", "Alpha Intl"), Am(3, "06.070.0", "Bravo SW"),
          Am(4, "06.160.0", "Station Wi"), Am(5, "09.420.0", "Delta Two"), Am(6, "11.700.0", "Echo Radio"),
          Am(7, "15.000.0", "Foxtrot")},
         {outOfRangeLow, "row 46: name \"Station With A Very Long Name\" written \"Station Wi\"", outOfRangeHigh}},
        {"English at 01:30, where the span over midnight has ended", At("0130", "e"),
         {Am(1, "03.330.0", "Hotel Irr"), Am(2, "11.700.0", "Echo Radio"), Am(3, "15.000.0", "Foxtrot")},
         {outOfRangeLow, outOfRangeHigh}},
        {"a station on Saturdays from channel 10", Station("charlie", "Sa", 10), {Am(10, "07.310.0", "Charlie WE")}, {}},
        {"two stations on one frequency merged", Station("Charlie"), {Am(1, "07.310.0", "Charlie WF")},
         {"row 60: Charlie WE merged into channel 1 (Charlie WF), same frequency"}},
        {"target, day and time together", EuropeOnTuesdayAt0040(),
         {Am(1, "07.310.0", "Charlie WF"), Am(2, "09.420.0", "Delta One")},
         {outOfRangeLow, "row 83: Delta Two merged into channel 2 (Delta One), same frequency"}},
        {"at most five", AtMost(5),
         {Am(1, "02.305.0", "Filler 000"), Am(2, "02.405.0", "Filler 001"), Am(3, "02.505.0", "Filler 002"),
          Am(4, "02.605.0", "Filler 003"), Am(5, "02.705.0", "Filler 004")},
         {"203 more frequencies left out: 5 channels at most", outOfRangeLow, outOfRangeHigh}},
    };
    const QByteArray sample = Sample();
    for (const FilterCase& c : cases) {
        const ImportResult result = ImportEibi(sample, c.filter, {});
        EXPECT_EQ(ChannelLinesOf(result), c.lines) << c.what;
        EXPECT_EQ(ReportLinesOf(result), c.report) << c.what;
    }
}

TEST(EibiImport, NeverPastChannel99)
{
    EibiFilter filter;
    filter.firstChannel = 97;
    const ImportResult result = ImportEibi(Sample(), filter, {});
    EXPECT_EQ(result.channels, 3);
    EXPECT_EQ(result.lines[5], Am(99, "02.505.0", "Filler 002"));
}

TEST(EibiImport, ALatin1ScheduleIsRead)
{
    const QByteArray latin1 = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60\n"
                              "9999;0000-2400;;F;Caf\xE9;F;Eu;;1;;\n";
    const ImportResult result = ImportEibi(latin1, {}, {});
    EXPECT_EQ(result.lines.mid(3, 1), QStringList{Am(1, "09.999.0", "Cafe")});
    ASSERT_EQ(result.report.size(), 1u);
    EXPECT_EQ(result.report[0].shown(), QString::fromUtf8("row 2: name \"Café\" written \"Cafe\""));
}

const QString kHeading = QStringLiteral("kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60\n");

// The weekdays a Days field names, Monday first ("0000011" is Saturday and Sunday), or "none".
QString WeekdaysText(const char* days)
{
    const auto set = WeekdaysOf(QString::fromUtf8(days));
    if (!set)
        return QStringLiteral("none");
    QString text = QString::fromStdString(set->to_string());
    std::reverse(text.begin(), text.end());
    return text;
}

TEST(EibiDays, EveryDaysFormOfTheSchedulesIsReadAndTheRestIsNone)
{
    const std::vector<std::pair<const char*, const char*>> cases{
        {"", "1111111"},        {"Mo", "1000000"},       {"Su", "0000001"},         {"sa", "0000010"},
        {"SaSu", "0000011"},    {"SASU", "0000011"},     {"MoWeFr", "1010100"},     {"MoTuWeThFr", "1111100"},
        {"Mo-Fr", "1111100"},   {"We-Mo", "1011111"},    {"Sa-Mo", "1000011"},      {"Su-Mo", "1000001"},
        {"Th-Tu", "1101111"},   {"1", "1000000"},        {"7", "0000001"},          {"1245", "1101100"},
        {"156", "1000110"},     {"Sa,Su", "0000011"},    {"Mo-We,Fr", "1110100"},   {"Tu/Th", "0101000"},
        {"Mo, Th", "1001000"},
        // Not weekdays: irregular, alternating, the first Saturday of a month, dates, feasts.
        {"irr", "none"},        {"alt", "none"},         {"1.Sa", "none"},          {"2.Su", "none"},
        {"12Apr", "none"},      {"Ramadan", "none"},     {"spur", "none"},          {"0", "none"},
        {"8", "none"},          {"Mo-Xx", "none"},       {"Mo-", "none"},           {"-Fr", "none"},
        {"Mo-We-Fr", "none"},   {"SaS", "none"},         {"Mo,,Fr", "none"},        {"Mo Tu", "none"},
    };
    for (const auto& [days, weekdays] : cases)
        EXPECT_EQ(WeekdaysText(days), QString::fromLatin1(weekdays)) << days;
}

TEST(EibiImport, OnTheAirFromTheStartMinuteToBeforeTheEndMinute)
{
    struct TimeCase {
        const char* span;
        const char* at;
        bool taken;
    };
    const std::vector<TimeCase> cases{
        {"1100-1200", "1100", true},  {"1100-1200", "1159", true},  {"1100-1200", "1200", false},
        {"1100-1200", "1059", false}, {"2300-0100", "2300", true},  {"2300-0100", "0030", true},
        {"2300-0100", "0100", false}, {"2300-0100", "2259", false}, {"0000-2400", "0000", true},
        {"0000-2400", "2359", true},  {"1200-1200", "0500", true},  {"11-12", "1130", false},
    };
    for (const TimeCase& c : cases) {
        const QString schedule = kHeading + QStringLiteral("6000;%1;;X;Test;E;Eu;;1;;\n").arg(QLatin1String(c.span));
        const ImportResult result = ImportEibi(schedule.toUtf8(), At(c.at), {});
        const std::string what = std::string(c.span) + " at " + c.at;
        EXPECT_EQ(result.channels, c.taken ? 1 : 0) << what;
        EXPECT_EQ(result.notes, c.taken ? QStringList() : QStringList{"1 broadcast outside the filters (time 1)"}) << what;
    }
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("0000")), 0);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("2359")), 1439);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("2400")), std::nullopt);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("930")), std::nullopt);
}

TEST(EibiImport, BroadcastsTheFiltersLeaveOutAreCountedAndChangeNothing)
{
    const QString schedule = kHeading + QStringLiteral(
        "6000;0000-2400;Sa;X;Alpha;E;Eu;;1;;\n"
        "6010;0000-0100;Sa;X;Alpha;E;Eu;;1;;\n"  // time
        "6020;0000-0100;irr;X;Alpha;E;Eu;;1;;\n"  // time, whatever its days
        "6030;0000-2400;Mo;X;Alpha;E;Eu;;1;;\n"  // days
        "6040;0000-2400;SaSu;X;Alpha;F;Eu;;1;;\n"  // language
        "6050;0000-2400;Sa-Mo;X;Alpha;E;Af;;1;;\n"  // target
        "6060;0000-2400;;X;Bravo;E;Eu;;1;;\n"  // station
        "6065;0000-2400;irr;X;Bravo;E;Eu;;1;;\n"  // station: another filter leaves it out anyway
        "6070;0000-2400;irr;X;Alpha;E;Eu;;1;;\n"  // days the filter cannot read, from here on
        "6080;0000-2400;1.Sa;X;Alpha;E;Eu;;1;;\n"
        "6090;0000-2400;irr;X;Alpha;E;Eu;;1;;\n"
        "6100;0000-2400;alt;X;Alpha;E;Eu;;1;;\n"
        "6110;0000-2400;12Apr;X;Alpha;E;Eu;;1;;\n");
    EibiFilter filter = At("1200", "e");
    filter.days = *WeekdaysOf(QStringLiteral("Sa"));
    filter.target = QStringLiteral("EU");
    filter.station = QStringLiteral("alpha");
    const ImportResult result = ImportEibi(schedule.toUtf8(), filter, {});
    EXPECT_EQ(ChannelLinesOf(result), QStringList{Am(1, "06.000.0", "Alpha")});
    EXPECT_EQ(result.notes, (QStringList{"7 broadcasts outside the filters (time 2, days 1, language 1, target 1, station 2)",
                                         QString::fromUtf8("5 broadcasts with days the filter cannot read (irr, 1.Sa, alt, …): left out")}));
    EXPECT_FALSE(result.changed()) << ReportLinesOf(result).join(u'|').toStdString();
}

struct ScheduleRowCase {
    const char* what;
    const char* rows;
    QStringList lines;
    QStringList report;
};

TEST(EibiImport, EachFrequencyBecomesItsChannel)
{
    const std::vector<ScheduleRowCase> cases{
        {"half a kilohertz", "6070.5;0000-2400;;CAN;CFRX;E;NAm;t;1;;\n", {Am(1, "06.070.5", "CFRX")}, {}},
        {"the lowest", "30;0000-2400;;X;Low;E;Eu;;1;;\n", {Am(1, "00.030.0", "Low")}, {}},
        {"the highest", "74800;0000-2400;;X;High;E;Eu;;1;;\n", {Am(1, "74.800.0", "High")}, {}},
        {"below", "29.9;0000-2400;;X;Low;E;Eu;;1;;\n", {}, {"row 2: kHz \"29.9\" is outside 30-74800 kHz: left out"}},
        {"above", "74800.1;0000-2400;;X;High;E;Eu;;1;;\n", {}, {"row 2: kHz \"74800.1\" is outside 30-74800 kHz: left out"}},
        {"no kilohertz", "6 MHz;0000-2400;;X;Odd;E;Eu;;1;;\n", {}, {"row 2: kHz \"6 MHz\" is outside 30-74800 kHz: left out"}},
        {"a quote opening a name, which schedules never close",
         "6000;0000-2400;;X;\"Voice;E;Eu;;1;;\n6010;0000-2400;;X;Bravo;E;Eu;;1;;\n",
         {Am(1, "06.000.0", "\"Voice"), Am(2, "06.010.0", "Bravo")}, {}},
        {"a row of ten fields", "6000;0000-2400;;X;Short;E;Eu;;1;\n", {}, {"row 2: 10 fields, not 11: left out"}},
    };
    for (const ScheduleRowCase& c : cases) {
        const ImportResult result = ImportEibi((kHeading + QString::fromUtf8(c.rows)).toUtf8(), {}, {});
        EXPECT_EQ(ChannelLinesOf(result), c.lines) << c.what;
        EXPECT_EQ(ReportLinesOf(result), c.report) << c.what;
    }
}

}  // namespace
}  // namespace talvex::channels
