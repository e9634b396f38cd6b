// Channels from a broadcast schedule in EiBi's format: the sample (sked-test.csv, 214 lines
// written for this test, stations made up) through a few filters.

#include "channels/eibi_import.h"
#include "tests/channels/expected_lines.h"

#include <QFile>

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

using testing::Line;

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
        EXPECT_EQ(result.lines.mid(3, result.lines.size() - 7), c.lines) << c.what;
        QStringList report;
        for (const ReportLine& line : result.report)
            report << line.shown();
        EXPECT_EQ(report, c.report) << c.what;
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

TEST(EibiImport, DaysAndTimesAreReadAsTheScheduleWritesThem)
{
    const auto days = [](const char* text) {
        const auto set = WeekdaysOf(QString::fromLatin1(text));
        return set ? QString::fromStdString(set->to_string()) : QStringLiteral("none");
    };
    // Bits from Sunday (left) to Monday (right).
    EXPECT_EQ(days(""), "1111111");
    EXPECT_EQ(days("1245"), "0011011");
    EXPECT_EQ(days("Mo-Fr"), "0011111");
    EXPECT_EQ(days("Sa,Su"), "1100000");
    EXPECT_EQ(days("Sa-Mo"), "1100001");
    EXPECT_EQ(days("Tu/Th"), "0001010");
    EXPECT_EQ(days("irr"), "none");
    EXPECT_EQ(days("Mo-Xx"), "none");
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("0000")), 0);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("2359")), 1439);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("2400")), std::nullopt);
    EXPECT_EQ(MinuteOfHhmm(QStringLiteral("930")), std::nullopt);
}

}  // namespace
}  // namespace talvex::channels
