// What Update Rig writes for a line: the radio's record with only the line's fields put in, and
// the seventh zone that lets a backup give back every byte.
#include "memory/channel_merge.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

// Channel 12 as an FT8 operator keeps it: 14.074.123 USB-D filter 2, tones 88.5 / 123.0 Hz,
// select group 2, "FT8 20M".
constexpr const char* kSet = "2341071400" "01" "02" "10" "000885" "001230";
constexpr const char* kName = "4654382032304D202020";

MemoryRecord Record(const QByteArray& hex) { return *MemoryRecord::from(QByteArray::fromHex(hex)); }
MemoryRecord Held(const char* select = "02", const char* second = kSet)
{
    return Record(QByteArray("0012") + select + kSet + second + kName);
}

VisibleFields Fields(const char* frequency, int mode, const char* label = "FT8 20M   ", bool selected = true)
{
    return {QByteArray::fromHex(frequency), mode, 2, selected, QString::fromLatin1(label)};
}

ProgrammedLine Line(VisibleFields fields, std::optional<MemoryRecord> record = std::nullopt)
{
    return {QByteArray::fromHex("0012"), std::move(fields), std::move(record)};
}

TEST(ChannelMerge, KeepsEverythingTheFileCannotShow)
{
    const QByteArray usb = "0041071400";  // 14.074.1 as the file shows it
    struct Case {
        const char* story;
        VisibleFields fields;
        MemoryRecord held;
        QByteArray expected;
        QStringList notes;
    };
    const QByteArray split = "0000231400" "01" "02" "00" "000885" "000885";  // transmits on 14.230.0
    const Case cases[] = {
        {"the unchanged line writes back exactly what the radio holds", Fields(usb, 1), Held(), Held().bytes().toHex(), {}},
        {"an edited label changes the ten label bytes only", Fields(usb, 1, "FT8 CALL  "), Held(),
         QByteArray("001202") + kSet + kSet + "4654382043414C4C2020", {}},
        {"a moved frequency loses the 10 Hz digits; the tones and data mode stay and the transmit side follows",
         Fields("0050071400", 1), Held(),
         QByteArray("001202") + "0050071400010210000885001230" + "0050071400010210000885001230" + kName, {}},
        {"CW cannot carry the data mode: it is cleared and named", Fields(usb, 3), Held(),
         QByteArray("001202") + "2341071400030200000885001230" + "2341071400030200000885001230" + kName,
         {"data mode cleared: CW cannot carry it"}},
        {"an unmarked line takes the channel out of its select group", Fields(usb, 1, "FT8 20M   ", false), Held(),
         QByteArray("001200") + kSet + kSet + kName, {}},
        {"a newly marked channel joins group 1", Fields(usb, 1), Held("00"), QByteArray("001201") + kSet + kSet + kName, {}},
        {"group 3 stays group 3", Fields(usb, 1), Held("03"), QByteArray("001203") + kSet + kSet + kName, {}},
        {"a split channel keeps its transmit side", Fields(usb, 1), Held("02", split.constData()),
         QByteArray("001202") + kSet + split + kName, {}},
        {"a split channel whose receive frequency moves is named", Fields("0050071400", 1), Held("02", split.constData()),
         QByteArray("001202") + "0050071400010210000885001230" + split + kName, {"split kept, transmit 14.230.0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        const MergedChannel merged = MergeChannel(Line(c.fields), c.held);
        EXPECT_EQ(merged.record.bytes().toHex().toUpper(), c.expected.toUpper());
        EXPECT_EQ(merged.notes, c.notes);
    }
}

TEST(ChannelMerge, BlankChannelGetsTheRecordAMemoryWriteHasAlwaysMade)
{
    const MergedChannel merged = MergeChannel(Line(Fields("0000100700", 0, "HOME      ", true)), std::nullopt);
    EXPECT_EQ(merged.record.bytes().toHex().toUpper(),
              QByteArray("001201" "0000100700" "0002" "00001000001000" "0000100700" "0002" "00001000001000"
                         "484F4D45202020202020"));
}

TEST(ChannelMerge, LinesRecordIsWrittenAsItStandsUnlessTheZonesWereEdited)
{
    const MemoryRecord backedUp = Held("03", "0000231400" "01" "02" "00" "000885" "000885");
    const MemoryRecord radioNow = Held("00");
    const QByteArray usb = "0041071400";
    // The zones show the record: a restore gives back every byte, whatever the radio holds now.
    EXPECT_EQ(MergeChannel(Line(Fields(usb, 1), backedUp), radioNow).record, backedUp);
    // The label was edited by hand: the edit wins, merged into the line's record, not the radio's.
    const MergedChannel edited = MergeChannel(Line(Fields(usb, 1, "MY FT8    "), backedUp), radioNow);
    EXPECT_EQ(edited.record.select(), 3);
    EXPECT_EQ(edited.record.secondSet(), backedUp.secondSet());
    EXPECT_EQ(edited.record.label(), u"MY FT8    ");
}

TEST(RecordZone, ReadsOnlyAWholeRecordFromColumn85)
{
    const QString line = FormatDataLine({12, QStringLiteral("14.074.1"), QStringLiteral("USB"), QStringLiteral("Fil 2"),
                                         QStringLiteral("Yes"), QStringLiteral("FT8 20M   ")});
    const MemoryRecord record = Held();
    const QString withZone = WithRecordZone(line, record);
    EXPECT_EQ(withZone.indexOf(u"0012"), 84);
    EXPECT_EQ(RecordZoneOf(withZone), record);
    EXPECT_EQ(RecordZoneOf(withZone + QStringLiteral("   ")), record);
    const QString hex = withZone.mid(84);
    for (const QString& damaged : {line, withZone.chopped(1), withZone.left(84) + u' ' + hex,
                                   withZone.left(84) + hex.left(81) + u'G', withZone + u'0'})
        EXPECT_FALSE(RecordZoneOf(damaged)) << damaged.toStdString();
    // View File and Update Rig's zones do not see it.
    const LineDisplay plain = DisplayOf(line), zoned = DisplayOf(withZone);
    EXPECT_EQ(std::tie(plain.channel, plain.frequency, plain.mode, plain.filter, plain.select),
              std::tie(zoned.channel, zoned.frequency, zoned.mode, zoned.filter, zoned.select));
    EXPECT_EQ(zoned.label, u"FT8 20M     ");
    EXPECT_EQ(Columns(withZone, 71, 80), Columns(line, 71, 80));
}

}  // namespace
}  // namespace talvex
