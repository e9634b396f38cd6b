// What talvex-mem diff prints for each kind of plan, as text and as JSON.
#include "cli/diff_report.h"

#include "datafile/data_line.h"
#include "datafile/record_zone.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace talvex::cli {
namespace {

// Channel 12: 14.074.123 USB-D filter 2, tones 88.5 / 123.0 Hz, group 2, "FT8 20M"; split to
// 14.230.0 when asked.
MemoryRecord Ft8(bool split = false)
{
    const QByteArray set = "2341071400" "01" "02" "10" "000885" "001230";
    const QByteArray second = split ? QByteArray("0000231400" "01" "02" "10" "000885" "001230") : set;
    return *MemoryRecord::from(QByteArray::fromHex("001202" + set + second + "4654382032304D202020"));
}

PlannedLine Planned(const QString& line, const RadioHeld& held)
{
    return {line, PlanLine(line, held)};
}

QString Line(int channel, const char* frequency, const char* mode = "USB", const char* label = "FT8 20M")
{
    return FormatDataLine({channel, QString::fromLatin1(frequency), QString::fromLatin1(mode), QStringLiteral("Fil 2"),
                           QStringLiteral("Yes"), QString::fromLatin1(label)});
}

const RadioHeld kBlank{std::optional<MemoryRecord>()};

TEST(DiffReport, NamesEachChangeKeptSettingClearAndSkipAndCountsThem)
{
    const std::vector<PlannedLine> plans{
        Planned(QStringLiteral("   title"), RadioHeld()),
        Planned(Line(12, "14.080.0"), RadioHeld{Ft8(true)}),
        Planned(Line(13, "14.074.1"), kBlank),
        Planned(Line(14, ""), RadioHeld{Ft8()}),
        Planned(Line(15, ""), kBlank),
        Planned(Line(16, "14.074.1", "XYZ"), kBlank),
        Planned(Line(100, "14.074.1"), RadioHeld{Ft8()}),
        Planned(QStringLiteral(" END"), RadioHeld()),
    };
    const DiffFacts facts{QStringLiteral("f.txt"), plans, true, {}, false, 0};
    EXPECT_EQ(DiffText(facts).toStdString(),
              "Channel 12: frequency 14.074.1 -> 14.080.0\n"
              "  kept: data mode, tones, split, transmit 14.230.0, select group 2\n"
              "  note: split kept, transmit 14.230.0\n"
              "Channel 13: write into a blank channel: frequency 14.074.1, mode USB, filter Fil 2, label \"FT8 20M\", "
              "select Yes\n"
              "Channel 14: clear (holds 14.074.1 USB Fil 2 \"FT8 20M\")\n"
              "Channel 16: skipped: mode \"XYZ\" is no mode the radio has\n"
              "Channel P1: ignored: P1 is written only from a backup's record of it\n"
              "write would write 2 and clear 1 channel(s); 1 already as the file says\n"
              "1 line(s) would be skipped\n"
              "1 line(s) would be ignored\n");
    EXPECT_EQ(SkippedCount(plans), 1);  // the skip, not the scan edge no write reaches

    const QJsonObject json = QJsonDocument::fromJson(DiffJson(facts)).object();
    EXPECT_EQ(json["result"].toString(), u"compared");
    EXPECT_TRUE(json["changes"].toBool());
    const std::vector<int> counts{json["write"].toInt(), json["clear"].toInt(), json["unchanged"].toInt(),
                                  json["skipped"].toInt(), json["ignored"].toInt()};
    EXPECT_EQ(counts, (std::vector<int>{2, 1, 1, 1, 1}));
    const QJsonArray channels = json["channels"].toArray();
    ASSERT_EQ(channels.size(), 6);  // every line naming a channel, the one already blank too
    const QJsonObject twelve = channels[0].toObject();
    EXPECT_EQ(twelve["fields"].toArray()[0].toObject(),
              (QJsonObject{{"field", "frequency"}, {"radio", "14.074.1"}, {"file", "14.080.0"}}));
    EXPECT_EQ(twelve["notes"].toArray().first().toString(), u"split kept, transmit 14.230.0");
    EXPECT_EQ(channels[3].toObject()["action"].toString(), u"already blank");
    EXPECT_EQ(channels[4].toObject()["why"].toString(), u"mode \"XYZ\" is no mode the radio has");
}

TEST(DiffReport, NothingToWriteIsNoChangeAndAnEarlyEndSaysNothingWasCompared)
{
    const std::vector<PlannedLine> same{Planned(Line(12, "14.074.1"), RadioHeld{Ft8()}), Planned(Line(15, ""), kBlank)};
    EXPECT_EQ(DiffText({QStringLiteral("f.txt"), same, true, {}, false, 0}), QStringLiteral("no change\n"));

    const std::vector<PlannedLine> none;
    const DiffFacts silent{QStringLiteral("f.txt"), none, false, QStringLiteral("the radio did not answer for channel 1"),
                           false, 3};
    EXPECT_EQ(DiffText(silent), QStringLiteral("diff: stopped: the radio did not answer for channel 1\n"
                                               "Nothing was compared and nothing was changed.\n"));
    const QJsonObject json = QJsonDocument::fromJson(DiffJson(silent)).object();
    EXPECT_EQ(json["result"].toString(), u"stopped");
    EXPECT_EQ(json["exitCode"].toInt(), 3);
    EXPECT_FALSE(json["changes"].toBool());
    const DiffFacts stopped{QStringLiteral("f.txt"), none, false, {}, true, 130};
    EXPECT_EQ(QJsonDocument::fromJson(DiffJson(stopped)).object()["result"].toString(), u"interrupted");
}

}  // namespace
}  // namespace talvex::cli
