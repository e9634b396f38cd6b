// What Update Rig does with each line, given what the radio holds: the one decision Update Rig,
// talvex-mem diff and a compare share.
#include "memory/update_plan.h"

#include "datafile/data_file_frame.h"
#include "datafile/data_line.h"
#include "datafile/record_zone.h"

#include <gtest/gtest.h>

namespace talvex::update_plan_test {
namespace {

// Channel 12 as an FT8 operator keeps it: 14.074.123 USB-D filter 2, tones 88.5 / 123.0 Hz,
// select group 2, "FT8 20M".
constexpr const char* kSet = "2341071400" "01" "02" "10" "000885" "001230";
constexpr const char* kName = "4654382032304D202020";
// A plain set: 7.100.0 LSB filter 1, no data mode, the tones a memory write starts from.
constexpr const char* kPlainSet = "0000100700" "00" "01" "00" "001000" "001000";
constexpr const char* kHome = "484F4D45202020202020";  // "HOME"

MemoryRecord Record(const QByteArray& hex) { return *MemoryRecord::from(QByteArray::fromHex(hex)); }
MemoryRecord Ft8(const char* channel = "0012") { return Record(QByteArray(channel) + "02" + kSet + kSet + kName); }
MemoryRecord Home(const char* channel) { return Record(QByteArray(channel) + "00" + kPlainSet + kPlainSet + kHome); }

QString Line(QVariant channel, const char* frequency, const char* mode = "USB", const char* filter = "Fil 2",
             const char* select = "Yes", const char* label = "FT8 20M")
{
    const ZoneField first = channel.typeId() == QMetaType::Int ? ZoneField(channel.toInt()) : ZoneField(channel.toString());
    return FormatDataLine({first, QString::fromLatin1(frequency), QString::fromLatin1(mode), QString::fromLatin1(filter),
                           QString::fromLatin1(select), QString::fromLatin1(label)});
}
QString Ft8Line(int channel = 12) { return Line(channel, "14.074.1"); }
QString HomeLine(int channel) { return Line(channel, "07.100.0", "LSB", "Fil 1", "   ", "HOME"); }

const RadioHeld kNotRead;
const RadioHeld kBlank{std::optional<MemoryRecord>()};
RadioHeld Holds(const MemoryRecord& record) { return RadioHeld{record}; }

using F = PlanField;

TEST(UpdatePlan, EachActionFromTheLineAndWhatTheRadioHolds)
{
    struct Case {
        const char* story;
        QString line;
        RadioHeld held;
        PlanAction action;
        int channel;
        QString reason;
    };
    const Case cases[] = {
        {"a line showing exactly what the radio holds sends nothing", Ft8Line(), Holds(Ft8()), PlanAction::Unchanged, 12, {}},
        {"a line with another label writes", Line(12, "14.074.1", "USB", "Fil 2", "Yes", "FT8 CALL"), Holds(Ft8()),
         PlanAction::Write, 12, {}},
        {"a programmed line over a blank channel writes", HomeLine(12), kBlank, PlanAction::Write, 12, {}},
        {"a channel not read is written: nothing says it already holds the line", Ft8Line(), kNotRead,
         PlanAction::Write, 12, {}},
        {"an empty frequency clears a programmed channel", Line(7, ""), Holds(Home("0007")), PlanAction::Clear, 7, {}},
        {"a frequency of points only clears too", Line(7, "  .   . "), Holds(Home("0007")), PlanAction::Clear, 7, {}},
        {"a hand-typed \" 7\" clears channel 7", QStringLiteral(" 7"), Holds(Home("0007")), PlanAction::Clear, 7, {}},
        {"a clear of a channel not read goes out", Line(7, ""), kNotRead, PlanAction::Clear, 7, {}},
        {"a clear of a blank channel sends nothing", Line(7, ""), kBlank, PlanAction::AlreadyBlank, 7, {}},
        {"a mode the radio does not have is skipped with why", Line(12, "14.074.1", "XYZ"), Holds(Ft8()),
         PlanAction::Skip, 12, QStringLiteral("mode \"XYZ\" is no mode the radio has")},
        {"a frequency of another shape is skipped", Line(12, "14.74.1"), Holds(Ft8()), PlanAction::Skip, 12,
         QStringLiteral("frequency \"14.74.1 \" is not MM.KKK.H")},
        {"filter 4 is skipped", Line(12, "14.074.1", "USB", "Fil 4"), Holds(Ft8()), PlanAction::Skip, 12,
         QStringLiteral("filter \"4\" is not 1, 2 or 3")},
        {"the lowest frequency the radio holds writes", Line(12, "00.030.0"), kBlank, PlanAction::Write, 12, {}},
        {"the highest frequency the radio holds writes", Line(12, "74.800.0"), kBlank, PlanAction::Write, 12, {}},
        {"100 Hz below the range is skipped", Line(12, "00.029.9"), kBlank, PlanAction::Skip, 12,
         QStringLiteral("frequency 00.029.9 is outside 0.030-74.800 MHz: the radio refuses it")},
        {"100 Hz above the range is skipped", Line(12, "74.800.1"), kBlank, PlanAction::Skip, 12,
         QStringLiteral("frequency 74.800.1 is outside 0.030-74.800 MHz: the radio refuses it")},
        {"a line cut short after the frequency is never written as AM, filter 2",
         QStringLiteral(" 12           14.074.0"), kBlank, PlanAction::Skip, 12,
         QStringLiteral("the mode zone (column 29) is empty")},
        {"an empty filter zone is never filter 2", Line(12, "14.074.1", "USB", ""), kBlank, PlanAction::Skip, 12,
         QStringLiteral("the filter zone (column 43) is empty")},
        {"a label typed from column 70 keeps its first letter, and the line is skipped",
         Line(12, "14.074.1", "USB", "Fil 2", "").left(69) + QStringLiteral("MYLABEL"), kBlank, PlanAction::Skip, 12,
         QStringLiteral("\"M\" in column 70 (the label starts at column 71) stands outside every zone")},
        {"a fourth letter after the select mark", Line(12, "14.074.1", "USB", "Fil 2", "Yess"), kBlank, PlanAction::Skip,
         12, QStringLiteral("\"s\" in column 60 (the label starts at column 71) stands outside every zone")},
        {"an 11th label character", Line(12, "14.074.1", "USB", "Fil 2", "Yes", "ELEVEN CHAR"), kBlank,
         PlanAction::Skip, 12,
         QStringLiteral("\"R\" in column 81 (a label has at most 10 characters, columns 71-80) stands outside every zone")},
        {"a channel number from column 1 is not read as another channel", QStringLiteral("17           14.074.0"),
         kNotRead, PlanAction::Skip, 7,
         QStringLiteral("\"1\" in column 1 (the channel starts at column 2) stands outside every zone")},
        {"the heading line names no channel", DataFileHead(QStringLiteral("T")).at(1), kNotRead,
         PlanAction::NotAChannel, 0, {}},
        {"the title line is blank to Update Rig", DataFileHead(QStringLiteral("TITLE")).at(0), kNotRead,
         PlanAction::NotAChannel, 0, {}},
        {"a comment is never a channel", QStringLiteral("* 7     14.074.0"), kNotRead, PlanAction::NotAChannel, 0, {}},
        {"the END line", DataFileTail().last(), kNotRead, PlanAction::NotAChannel, 0, {}},
        {"channel 0 is named, not sent", Line(0, "14.074.1"), kNotRead, PlanAction::Skip, 0,
         QStringLiteral("channel \"0\" is not 1-99")},
        {"channel 102 is named, not sent", Line(102, ""), kNotRead, PlanAction::Skip, 0,
         QStringLiteral("channel \"102\" is not 1-99")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        const LinePlan plan = PlanLine(c.line, c.held);
        EXPECT_EQ(plan.action, c.action);
        EXPECT_EQ(plan.channel, c.channel);
        EXPECT_EQ(plan.reason, c.reason);
        EXPECT_EQ(plan.record.has_value(), c.action == PlanAction::Write || c.action == PlanAction::Unchanged);
    }
}

TEST(UpdatePlan, NamesEachVisibleFieldThatDiffersAndTheSettingsApart)
{
    // The same FT8 record with tone squelch 131.8 Hz instead of 123.0: only the settings differ.
    const QByteArray otherTones = QByteArray("001202") + "2341071400010210000885001318" + "2341071400010210000885001318"
        + kName;
    struct Case {
        const char* story;
        QString line;
        RadioHeld held;
        std::vector<PlanField> changed;
    };
    const Case cases[] = {
        {"frequency", Line(12, "14.080.0"), Holds(Ft8()), {F::Frequency}},
        {"mode (LSB keeps the data mode)", Line(12, "14.074.1", "LSB"), Holds(Ft8()), {F::Mode}},
        {"mode (CW drops the data mode: a setting too)", Line(12, "14.074.1", "CW"), Holds(Ft8()), {F::Mode, F::Settings}},
        {"filter", Line(12, "14.074.1", "USB", "Fil 3"), Holds(Ft8()), {F::Filter}},
        {"label", Line(12, "14.074.1", "USB", "Fil 2", "Yes", "FT4 20M"), Holds(Ft8()), {F::Label}},
        {"the label's tenth character alone", Line(12, "14.074.1", "USB", "Fil 2", "Yes", "FT8 20M  X"), Holds(Ft8()),
         {F::Label}},
        {"select", Line(12, "14.074.1", "USB", "Fil 2", "   "), Holds(Ft8()), {F::Select}},
        {"all five at once", Line(12, "07.100.0", "AM", "Fil 1", "   ", "HOME"), Holds(Ft8()),
         {F::Frequency, F::Mode, F::Filter, F::Label, F::Select}},
        {"a backup's record with other tones under the same zones: settings only",
         WithRecordZone(Ft8Line(), Record(otherTones)), Holds(Ft8()), {F::Settings}},
        {"against a blank channel every field the line fills", Ft8Line(), kBlank,
         {F::Frequency, F::Mode, F::Filter, F::Label, F::Select}},
        {"an unmarked line over a channel not read: no select", HomeLine(5), kNotRead,
         {F::Frequency, F::Mode, F::Filter, F::Label}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        const LinePlan plan = PlanLine(c.line, c.held);
        ASSERT_EQ(plan.action, PlanAction::Write);
        EXPECT_EQ(plan.changed, c.changed);
    }
}

TEST(UpdatePlan, TellsTheSettingsTheRecordKeepsAndTheMergesNotes)
{
    const QByteArray split = "0000231400" "01" "02" "10" "000885" "001230";  // transmits on 14.230.0
    const MemoryRecord splitFt8 = Record(QByteArray("001203") + kSet + split + kName);
    struct Case {
        const char* story;
        QString line;
        MemoryRecord held;
        QStringList kept;
        QStringList notes;
    };
    const Case cases[] = {
        {"an unchanged FT8 channel keeps data mode, tones, group and the 10 Hz digits", Ft8Line(), Ft8(),
         {"data mode", "tones", "select group 2", "10 Hz digits"}, {}},
        {"a moved frequency loses the 10 Hz digits", Line(12, "14.080.0"), Ft8(),
         {"data mode", "tones", "select group 2"}, {}},
        {"CW drops the data mode and says so", Line(12, "14.074.1", "CW"), Ft8(),
         {"tones", "select group 2", "10 Hz digits"}, {"data mode cleared: CW cannot carry it"}},
        {"a split channel keeps its transmit side", Line(12, "14.074.1", "USB", "Fil 2", "Yes", "SPLIT"), splitFt8,
         {"data mode", "tones", "split, transmit 14.230.0", "select group 3", "10 Hz digits"}, {}},
        {"and says so when its receive side moves", Line(12, "14.080.0"), splitFt8,
         {"data mode", "tones", "split, transmit 14.230.0", "select group 3"}, {"split kept, transmit 14.230.0"}},
        {"a plain channel keeps nothing worth naming", Line(5, "07.150.0", "LSB", "Fil 1", "   ", "HOME"), Home("0005"),
         {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        const LinePlan plan = PlanLine(c.line, Holds(c.held));
        EXPECT_EQ(plan.kept, c.kept);
        EXPECT_EQ(plan.notes, c.notes);
    }
}

TEST(UpdatePlan, FirstAndLastChannelAndTheScanEdgesOnlyFromTheirOwnRecord)
{
    struct Case {
        const char* story;
        QString line;
        PlanAction action;
        int channel;
        QString reason;
    };
    const Case cases[] = {
        {"channel 1", HomeLine(1), PlanAction::Write, 1, {}},
        {"channel 99", HomeLine(99), PlanAction::Write, 99, {}},
        {"P1 from the zones alone is never written", HomeLine(100), PlanAction::NotAChannel, 100,
         QStringLiteral("P1 is written only from a backup's record of it")},
        {"nor P2", HomeLine(101), PlanAction::NotAChannel, 101,
         QStringLiteral("P2 is written only from a backup's record of it")},
        {"P1 from a backup's record of P1", WithRecordZone(HomeLine(100), Home("0100")), PlanAction::Write, 100, {}},
        {"P2 from a backup's record of P2", WithRecordZone(HomeLine(101), Home("0101")), PlanAction::Write, 101, {}},
        {"P1 from a record of channel 5 (a line renumbered by hand) is not", WithRecordZone(HomeLine(100), Home("0005")),
         PlanAction::NotAChannel, 100, QStringLiteral("P1 is written only from a backup's record of it")},
        {"P1 is cleared like any channel", Line(100, ""), PlanAction::Clear, 100, {}},
        {"and so is P2", Line(101, ""), PlanAction::Clear, 101, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        const LinePlan plan = PlanLine(c.line, kNotRead);
        EXPECT_EQ(plan.action, c.action);
        EXPECT_EQ(plan.channel, c.channel);
        EXPECT_EQ(plan.reason, c.reason);
        // The record goes to the line's own channel: BCD 00 01, 00 99, 01 00 (P1), 01 01 (P2).
        if (plan.record) {
            EXPECT_EQ(plan.record->channelField().toHex(), QByteArray::number(c.channel).rightJustified(4, '0'));
        }
    }
}

TEST(UpdatePlan, RecordZoneOfAnotherChannelIsIgnored)
{
    // A backup line of channel 6 copied and renumbered 5: the radio's channel 5 is the base, the
    // zones go into it, and nothing of channel 6's record comes along.
    const MemoryRecord six = Ft8("0006");
    const LinePlan plan = PlanLine(WithRecordZone(Ft8Line(5), six), Holds(Home("0005")));
    ASSERT_EQ(plan.action, PlanAction::Write);
    EXPECT_EQ(plan.record->bytes().toHex().toUpper(),
              QByteArray("000501" "0041071400" "0102" "00001000001000" "0041071400" "0102" "00001000001000")
                      .toUpper()
                  + QByteArray(kName).toUpper());
    // The same line's own record is written byte for byte.
    const LinePlan own = PlanLine(WithRecordZone(Ft8Line(6), six), Holds(Home("0006")));
    ASSERT_EQ(own.action, PlanAction::Write);
    EXPECT_EQ(*own.record, six);
}

TEST(UpdatePlan, ChannelsToReadAreTheNamedOnesAscendingOnceUpToEnd)
{
    QStringList lines = DataFileHead(QStringLiteral("T"));
    lines << HomeLine(99) << Line(7, "") << HomeLine(1) << HomeLine(7) << QStringLiteral("* 50 comment") << HomeLine(100);
    lines << DataFileTail() << HomeLine(42);  // after END: never read, never written
    EXPECT_EQ(ChannelsNamedIn(lines), (std::vector<int>{1, 7, 99, 100}));
    EXPECT_EQ(ChannelNamedBy(HomeLine(42)), 42);
    EXPECT_EQ(ChannelNamedBy(lines.first()), std::nullopt);
}

TEST(UpdatePlan, AChannelNamedOnSeveralLinesIsWrittenOnceFromTheLastAndTheOthersAreNamed)
{
    QStringList lines = DataFileHead(QStringLiteral("T"));  // three lines: the file's lines 4 on follow
    lines << HomeLine(7) << Ft8Line(7) << Line(7, "80.000.0") << HomeLine(8) << DataFileTail() << HomeLine(7);
    const auto planned = PlanLines(lines, [](int) { return kBlank; });
    ASSERT_EQ(planned.size(), static_cast<std::size_t>(lines.size() - 1));  // nothing after END
    const auto action = [&planned](int lineNumber) { return planned[static_cast<std::size_t>(lineNumber - 1)].plan.action; };
    EXPECT_EQ(action(4), PlanAction::Skip);
    EXPECT_EQ(action(5), PlanAction::Skip);
    EXPECT_EQ(action(6), PlanAction::Skip);  // the last line wins, and the radio refuses it
    EXPECT_EQ(action(7), PlanAction::Write);
    EXPECT_EQ(SkippedLines(lines),
              QStringList({QStringLiteral("line 4 (channel 7): channel 7 is named again on line 6, which is written instead"),
                           QStringLiteral("line 5 (channel 7): channel 7 is named again on line 6, which is written instead"),
                           QStringLiteral("line 6 (channel 7): frequency 80.000.0 is outside 0.030-74.800 MHz: the radio "
                                          "refuses it")}));
}

TEST(UpdatePlan, ARecordTransmittingOutsideTheRangeIsSkipped)
{
    const QByteArray transmit = "0000008000" "01" "02" "10" "000885" "001230";  // 80.000.0
    const MemoryRecord split = Record(QByteArray("001202") + kSet + transmit + kName);
    const LinePlan plan = PlanLine(WithRecordZone(Ft8Line(), split), kBlank);
    EXPECT_EQ(plan.action, PlanAction::Skip);
    EXPECT_EQ(plan.part, LinePart::Record);
    EXPECT_EQ(plan.reason, QStringLiteral("transmit frequency 80.000.0 is outside 0.030-74.800 MHz: the radio refuses it"));
}

TEST(UpdatePlan, FieldsAreShownAsTheDataFileShowsThem)
{
    const MemoryRecord ft8 = Ft8();
    EXPECT_EQ(PlanFieldText(F::Frequency, ft8), QStringLiteral("14.074.1"));
    EXPECT_EQ(PlanFieldText(F::Mode, ft8), QStringLiteral("USB"));
    EXPECT_EQ(PlanFieldText(F::Filter, ft8), QStringLiteral("Fil 2"));
    EXPECT_EQ(PlanFieldText(F::Label, ft8), QStringLiteral("FT8 20M"));
    EXPECT_EQ(PlanFieldText(F::Select, ft8), QStringLiteral("Yes"));
    EXPECT_EQ(PlanFieldText(F::Select, Home("0005")), QStringLiteral("No"));
    EXPECT_EQ(PlanFieldText(F::Settings, ft8), QString::fromLatin1(ft8.bytes().toHex().toUpper()));
    EXPECT_EQ(PlanFieldName(F::Frequency), QStringLiteral("frequency"));
    EXPECT_EQ(PlanFieldName(F::Settings), QStringLiteral("settings"));
}

}  // namespace
}  // namespace talvex::update_plan_test
