// Bytes to numbers and texts and back: BCD, frames as they go on the wire, what the answer and
// broadcast readers make of the radio's bytes, and the texts the windows' fields show of it.
#include "link/answer_reader.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "memory/window/channel_fields.h"
#include "radio/window/radio_fields.h"

#include "tests/support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace talvex {
namespace {

using testing::Hex;

// The radio's address in the frames written out below.
constexpr std::uint8_t kAddress94 = 0x94;

TEST(Bcd, DecimalToBcdAndBackAtTheEdges)
{
    const struct {
        const char* text;
        int byte;  // -1: cannot be encoded
        int trap;
    } cases[] = {{"0", 0x00, 0},  {"9", 0x09, 0},    {"10", 0x10, 0},  {"42", 0x42, 0},  {"99", 0x99, 0},
                 {"100", 0xA0, 0}, {"109", 0xA9, 0}, {"110", 0xBA, 0}, {"179", 0xFF, 0}, {"abc", 0x00, 0},
                 {" 5", 0x05, 0},  {"07", 0x07, 0},  {"180", -1, kTrapDecimalRange}, {"", -1, kTrapDecimalEmpty},
                 {"-3", -1, kTrapDecimalRange},      {"1000", -1, kTrapDecimalRange}};
    for (const auto& c : cases) {
        const BcdByte result = DecimalToBcd(QString::fromLatin1(c.text));
        EXPECT_EQ(result.trap, c.trap) << c.text;
        EXPECT_TRUE(c.byte < 0 || result.byte == c.byte) << c.text;
    }
    const std::pair<int, int> bytes[] = {{0x00, 0}, {0x09, 9},  {0x10, 10}, {0x47, 47},
                                         {0x99, 99}, {0x0A, 10}, {0xAB, 111}};
    for (auto [byte, value] : bytes)
        EXPECT_EQ(BcdToDecimal(static_cast<std::uint8_t>(byte)), value) << byte;
}

// What the decoders and procedures below never reach: the edges of the formats and fields.
// (The frames the Radio window's procedures build are checked byte for byte in tests/radio.)
TEST(Format, FrequenciesTrafficModeNamesAndFieldEdges)
{
    EXPECT_EQ(FormatFrequency(0, 5, 0), u"00.050.0");
    EXPECT_EQ(BytesToText(Hex("FE 00 FD"), false), u" 254 0 253");
    EXPECT_EQ(BytesToText({}, true), u"");
    EXPECT_EQ(ModeCode(QStringLiteral("Am")), 2);
    EXPECT_EQ(ModeCode(QStringLiteral("RTTY")), 4);
    EXPECT_EQ(ModeName(7), u"CWr");
    EXPECT_EQ(ModeName(6), u"");
    EXPECT_FALSE(ChannelField(QString()).has_value());
    EXPECT_FALSE(FrequencyField(QStringLiteral("14074")).has_value());
    EXPECT_FALSE(FrequencyField(QStringLiteral("1407x0")).has_value());
}

// Every field the windows show of what the link reads, by a short name: r = Radio window,
// m = Memory window.
const char* const kFieldNames[] = {"r1", "r2", "r3", "r4", "r5", "r6", "r7",
                                   "m1", "m2", "m3", "m4", "m5", "m6", "m7"};

std::vector<QString> Fields(const RadioFields& r, const MemoryFields& m)
{
    return {r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7,
            m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6, m.Text7};
}

const RadioFields kRadioFilled = {QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r3"), QStringLiteral("r4"),
                                 QStringLiteral("r5"), QStringLiteral("r6"), QStringLiteral("r7")};

MemoryFields Filled()
{
    MemoryFields m;
    m.Text1 = QStringLiteral("m1");
    m.Text6 = QStringLiteral("m6");
    m.Text7 = QStringLiteral("m7");
    return m;
}

// The fields of Filled() with "name=text|name=text" changed.
std::vector<QString> FilledWith(const char* changes)
{
    std::vector<QString> fields = Fields(kRadioFilled, Filled());
    for (const QString& change : QString::fromLatin1(changes).split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype equals = change.indexOf(u'=');
        const auto name = std::find_if(std::begin(kFieldNames), std::end(kFieldNames),
                                       [&](const char* n) { return change.left(equals) == QLatin1String(n); });
        EXPECT_NE(name, std::end(kFieldNames)) << change.toStdString();
        fields.at(static_cast<size_t>(name - std::begin(kFieldNames))) = change.mid(equals + 1);
    }
    return fields;
}

// The channel of the memory read sent last, as the link hands it to the reader.
constexpr int kChannelAsked = 40;

// Both windows' texts of what the link reads, as the program wires them.
struct Faces {
    Faces()
    {
        radio.fields() = kRadioFilled;
        memory.fields() = Filled();
    }
    RadioFieldTexts radio;
    MemoryChannelFields memory;
    std::vector<QString> fields() const { return Fields(radio.fields(), memory.fields()); }

    void answer(const QByteArray& data)
    {
        if (const auto reading = ReadAnswer(data, kAddress94, kChannelAsked)) {
            radio.answerRead(*reading);
            memory.answerRead(*reading);
        }
    }
    void broadcast(const QByteArray& data)
    {
        for (const BroadcastReading& reading : ReadBroadcasts(data, kAddress94)) {
            radio.broadcastRead(reading);
            memory.broadcastRead(reading);
        }
    }
};

struct Row {
    const char* name;
    const char* data;
    const char* changes;
    bool echoAlone = false;  // the echoed set command, or FF, already says what changes
};

#define MEM_101 "FE FE E0 94 1A 00 01 01 01 00 40 07 07 00 01 01 00 00 10 00 00 10 00 " \
                "00 40 07 07 00 01 01 00 00 10 00 00 10 00 41 42 43 20 20 20 20 20 20 20 FD"
#define BLANK_40 "r1= |r2= |r3= |r4= |r5= |r6= |m1=40|m2=|m3=|m4=|m5=|m6=|m7=Blank"
#define SET_710 "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD "

const Row kAnswers[] = {
    {"rig id", "FE FE 94 E0 19 00 FD FE FE E0 94 19 00 94 FD", "r6=RIG ID = 94 (IC - 7300)"},
    {"time", "FE FE 94 E0 1A 05 00 95 FD FE FE E0 94 1A 05 00 95 07 05 FD", "r6=TIME = 07:05"},
    {"call of ten", "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05 00 91 4E 30 43 41 4C 4C 41 42 43 44 FD",
     "r6=MY CALL = N0CALLAB|m6=HELLO N0CALLAB"},
    {"short call stops at FD", "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05 00 91 4B 31 41 FD",
     "r6=MY CALL = K1A|m6=HELLO K1A"},
    {"r/t", "FE FE 94 E0 1C 00 FD FE FE E0 94 1C 00 01 FD", "r6=RxTx = 1"},
    {"squelch open", "FE FE 94 E0 15 01 FD FE FE E0 94 15 01 01 FD", "r6=Squelch is Open|m7=Squelch is Open"},
    {"squelch odd", "FE FE 94 E0 15 01 FD FE FE E0 94 15 01 02 FD", "r6=|m7="},
    {"s9", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 01 20 FD", "r6=S-Meter = S9"},
    {"frequency", "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD", "r1=14.074.0|r2= |r3= "},
    {"no frequency", "FE FE 94 E0 03 FD FE FE E0 94 03 FF FF FF FF FF FD", "r1= |r2= |r3= |r4= |r5= |r6= ",
     true},
    {"frequency not BCD", "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 0A 14 00 FD", ""},
    {"mode", "FE FE 94 E0 04 FD FE FE E0 94 04 03 02 FD", "r4=CW|r5=Fil 2|r2= |r3= "},
    {"mode 06 keeps the mode box", "FE FE 94 E0 04 FD FE FE E0 94 04 06 02 FD", "r5=Fil 2|r2= |r3= "},
    {"frequency set + 03", SET_710 "FE FE E0 94 03 00 00 10 07 00 FD", "r1=07.100.0|r2= |r3= |r6= "},
    {"frequency set with OK", SET_710 "FE FE E0 94 FB FD FE FE E0 94 03 00 00 10 07 00 FD",
     "r1=07.100.0|r2= |r3= |r6= "},
    {"refused set, then the answer", SET_710 "FE FE E0 94 FA FD FE FE E0 94 03 00 40 07 14 00 FD",
     "r1=14.074.0|r2= |r3= |r6= "},
    {"mode set", "FE FE 94 E0 06 08 FD FE FE E0 94 FB FD", "r4=RTTYr|r2= |r3= |r6= ", true},
    {"mode and filter set + 04", "FE FE 94 E0 06 01 03 FD FE FE 94 E0 04 FD FE FE E0 94 FB FD FE FE E0 94 04 01 03 FD",
     "r4=USB|r5=Fil 3|r2= |r3= |r6= ", true},
    {"select + clear", "FE FE 94 E0 08 00 05 FD FE FE 94 E0 0B FD FE FE E0 94 FB FD FE FE E0 94 FB FD", ""},
    {"select 101", "FE FE 94 E0 08 01 01 FD FE FE 94 E0 1A 00 01 01 FD " MEM_101,
     "r1=07.074.0|r2=P2|r3=*|r4=USB|r5=Fil 1|r6=ABC       |m1=P2|m2=*|m3=07.074.0|m4=USB|m5=Fil 1|m6=ABC       "
     "|m7=P2      *      07.074.0      USB      Fil 1      ABC       "},
    {"read 7", "FE FE 94 E0 1A 00 00 07 FD FE FE E0 94 1A 00 00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
               "00 40 07 14 00 01 02 00 00 10 00 00 10 00 46 54 38 20 20 20 20 20 20 20 FD",
     nullptr},
    // A mode, filter and select byte the radio has none of: the Radio window keeps its boxes, the
    // Memory window shows them empty rather than another channel's.
    {"read with bytes of no mode, filter or group", "FE FE 94 E0 1A 00 00 07 FD FE FE E0 94 1A 00 00 07 07 00 40 07 14 00 "
     "06 04 00 00 10 00 00 10 00 00 40 07 14 00 06 04 00 00 10 00 00 10 00 46 54 38 20 20 20 20 20 20 20 FD",
     "r1=14.074.0|r2=7|r6=FT8       |m1=7|m2=|m3=14.074.0|m4=|m5=|m6=FT8       "
     "|m7=7            14.074.0                  FT8       "},
    {"read of a blank channel", "FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD", BLANK_40},
    {"select of a blank channel", "FE FE 94 E0 08 00 40 FD FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD",
     BLANK_40},
    {"echoed 1A 00 ch FF", "FE FE 94 E0 1A 00 00 05 FF FD FE FE E0 94 FA FD", "r1= |r2= |r3= |r4= |r5= |r6= ", true},
    {"memory write echo", "FE FE 94 E0 1A 00 00 05 00 00 00 10 07 00 00 01 00 00 10 00 00 10 00 00 00 10 07 00 00 01 "
                          "00 00 10 00 00 10 00 48 4F 4D 45 20 20 20 20 20 20 FD FE FE E0 94 FB FD",
     "r1=07.100.0|r2=5|r3= |r4=LSB|r5=Fil 1|r6=HOME      ", true},
    {"switch without a row", "FE FE 94 E0 16 45 01 FD FE FE E0 94 FB FD", ""},
    {"ten bytes", "FE FE 94 E0 03 FD FE FE E0 94", ""},
};

// Each answer writes its own fields and leaves every other one; and noise, a radio switched off
// mid-answer or a wrong rate cut answers short: however short, nothing changes.
TEST(AnswerTexts, EachAnswerWritesItsFieldsAndNoTruncationChangesAny)
{
    for (const Row& row : kAnswers) {
        Faces faces;
        faces.answer(Hex(row.data));
        if (row.changes != nullptr) {
            EXPECT_EQ(faces.fields(), FilledWith(row.changes)) << row.name;
        }
        const QByteArray full = Hex(row.data);
        for (qsizetype length = 11; !row.echoAlone && length < full.size(); ++length) {
            Faces cut;
            cut.answer(full.left(length));
            EXPECT_EQ(cut.fields(), Fields(kRadioFilled, Filled())) << row.name << " cut to " << length;
        }
    }
}

// The S-meter's two bytes as they come (not read as BCD): each step of the scale from its first
// reading, and the reading just below it still the step before.
TEST(AnswerTexts, TheSMeterNamesEachStepFromItsFirstReading)
{
    const struct { int high, low; const char* shown; } rows[] = {
        {0, 0, "S0"},    {0, 24, "S0"},   {0, 25, "S1"},   {0, 39, "S1"},   {0, 40, "S2"},          {0, 59, "S2"},
        {0, 60, "S3"},   {0, 79, "S3"},   {0, 80, "S4"},   {0, 99, "S4"},   {0, 100, "S5"},         {0, 124, "S5"},
        {0, 125, "S6"},  {0, 149, "S6"},  {0, 150, "S7"},  {0, 255, "S7"},  {1, 0, "S7"},           {1, 9, "S7"},
        {1, 10, "S8"},   {1, 24, "S8"},   {1, 25, "S9"},   {1, 49, "S9"},   {1, 50, "S9 + 10db"},   {1, 84, "S9 + 10db"},
        {1, 85, "S9 + 20db"}, {1, 114, "S9 + 20db"}, {1, 115, "S9 + 30db"}, {1, 129, "S9 + 30db"},
        {1, 130, "S9 + 40db"}, {1, 144, "S9 + 40db"}, {1, 145, "S9 + 50db"}, {1, 255, "S9 + 50db"},
        {2, 0, "VERY POWERFUL"}, {255, 255, "VERY POWERFUL"},
    };
    for (const auto& row : rows) {
        Faces faces;
        faces.answer(Hex("FE FE 94 E0 15 02 FD FE FE E0 94 15 02") + char(row.high) + char(row.low) + '\xFD');
        EXPECT_EQ(faces.radio.fields().Text6, QStringLiteral("S-Meter = ") + QLatin1String(row.shown)) << row.high << " " << row.low;
    }
}

// A memory read answer of `channel` (two bytes) holding `frequency` (five bytes), `mode` and
// `filter`, echo ahead.
QByteArray MemoryRead(const char* channel, const char* frequency = "00 40 07 07 00", int mode = 1, int filter = 1)
{
    const QByteArray set = Hex(frequency) + char(mode) + char(filter) + Hex("00 00 10 00 00 10 00");
    return Hex("FE FE 94 E0 1A 00") + Hex(channel) + Hex("FD FE FE E0 94 1A 00") + Hex(channel) + Hex("01") + set + set
        + Hex("41 42 43 20 20 20 20 20 20 20 FD");
}

// The values the reader takes from the bytes at the ends of their ranges: hertz from 0 to the
// 1 GHz digit, every mode byte as it came, filters 1-3, channels 1, 99 and the scan edges, a
// channel that holds nothing named by the channel asked for.
TEST(ReadAnswer, TakesEachValueAtTheEndsOfItsRange)
{
    const auto channelOf = [](const QByteArray& data) -> std::optional<ChannelShown> {
        const auto reading = ReadAnswer(data, kAddress94, kChannelAsked);
        if (!reading || !std::holds_alternative<ChannelShown>(*reading))
            return std::nullopt;
        return std::get<ChannelShown>(*reading);
    };
    const std::pair<const char*, std::int64_t> frequencies[] = {
        {"00 00 00 00 00", 0}, {"00 40 07 14 00", 14'074'000}, {"90 78 56 34 12", 1'234'567'890},
        {"99 99 99 99 99", 9'999'999'999}, {"00 00 00 00 10", 1'000'000'000}};
    for (const auto& [bytes, hz] : frequencies) {
        const auto reading = ReadAnswer(Hex("FE FE 94 E0 03 FD FE FE E0 94 03") + Hex(bytes) + Hex("FD"), kAddress94);
        ASSERT_TRUE(reading && std::holds_alternative<FrequencyReading>(*reading)) << bytes;
        EXPECT_EQ(std::get<FrequencyReading>(*reading).hz, hz) << bytes;
        const auto shown = channelOf(MemoryRead("00 01", bytes));
        ASSERT_TRUE(shown) << bytes;
        EXPECT_EQ(shown->channel.hz, hz) << bytes;
    }
    for (int mode = 0; mode <= 8; ++mode) {
        for (int filter = 1; filter <= 3; ++filter) {
            const auto reading = ReadAnswer(Hex("FE FE 94 E0 04 FD FE FE E0 94 04") + char(mode) + char(filter) + '\xFD',
                                            kAddress94);
            ASSERT_TRUE(reading && std::holds_alternative<ModeReading>(*reading)) << mode;
            EXPECT_EQ(std::get<ModeReading>(*reading).mode, mode);
            EXPECT_EQ(std::get<ModeReading>(*reading).filter, filter);
            const auto shown = channelOf(MemoryRead("00 05", "00 40 07 07 00", mode, filter));
            ASSERT_TRUE(shown) << mode;
            EXPECT_EQ(shown->channel.mode(), mode);
            EXPECT_EQ(shown->channel.filter(), filter);
        }
    }
    const std::pair<const char*, std::optional<int>> channels[] = {
        {"00 01", 1}, {"00 99", 99}, {"01 00", 100}, {"01 01", 101}, {"02 00", std::nullopt}, {"00 0A", std::nullopt}};
    for (const auto& [bytes, channel] : channels) {
        const auto shown = channelOf(MemoryRead(bytes));
        ASSERT_TRUE(shown) << bytes;
        EXPECT_EQ(shown->channel.channel, channel) << bytes;
        EXPECT_EQ(shown->channel.label(), u"ABC       ");
        EXPECT_FALSE(shown->written);
    }
    const auto blank = ReadAnswer(Hex("FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD"), kAddress94, kChannelAsked);
    ASSERT_TRUE(blank && std::holds_alternative<BlankChannel>(*blank));
    EXPECT_EQ(std::get<BlankChannel>(*blank).channelAsked, kChannelAsked);
    EXPECT_FALSE(channelOf(MemoryRead("00 01", "00 40 07 0A 00")));  // a frequency not in BCD: nothing
}

// Band-edge questions in a row show the lower edge, the upper, the lower again; the channel
// names go as the radio names them.
TEST(AnswerTexts, BandEdgesAlternateAndChannelsShowTheirNames)
{
    Faces faces;
    for (const char16_t* text : {u"14.000.0", u"14.350.0", u"14.000.0"}) {
        faces.answer(Hex("FE FE 94 E0 02 FD FE FE E0 94 02 00 00 00 14 00 2D 00 00 35 14 00 FD"));
        EXPECT_EQ(faces.radio.fields().Text1, QString::fromUtf16(text));
        EXPECT_EQ(faces.radio.fields().Text4, u" ");
    }
    const std::pair<const char*, const char*> channels[] = {
        {"00 01", "1"}, {"00 99", "99"}, {"01 00", "P1"}, {"01 01", "P2"}, {"02 00", "r2"}};
    for (const auto& [channel, shown] : channels) {
        Faces named;
        named.answer(MemoryRead(channel));
        EXPECT_EQ(named.radio.fields().Text2, QString::fromLatin1(shown)) << channel;
    }
}

TEST(ReadBroadcasts, EachBroadcastFrameIsShownAndWithoutInterjectionsKeepsTheRest)
{
    const Row rows[] = {
        {"frequency", "FE FE 00 94 00 00 40 07 14 00 FD", "r1=14.074.0|r2=|r3=|r6="},
        {"mode, then frequency", "FE FE 00 94 01 03 02 FD FE FE 00 94 00 00 00 05 07 00 FD",
         "r1=07.050.0|r4=CW|r5=Fil 2|r2=|r3=|r6="},
        {"no end byte", "FE FE 00 94 01 03 02 FC", ""},
        {"unknown command", "FE FE 00 94 05 FD", "r2=|r3=|r6="},
        {"another device's frequency", "FE FE 00 B6 00 00 40 07 14 00 FD", ""},
        {"cut short", "FE FE 00 94 00 00 40", "r2=|r3=|r6="},
    };
    for (const Row& row : rows) {
        Faces faces;
        faces.broadcast(Hex(row.data));
        EXPECT_EQ(faces.fields(), FilledWith(row.changes)) << row.name;
    }
    EXPECT_EQ(WithoutInterjections(Hex("FE FE 94 E0 06 01 FD FE FE E0 94 FB FD FE FE 00 94 00 00 40 07 14 00 FD"), kAddress94),
              Hex("FE FE 94 E0 06 01 FD"));
    EXPECT_EQ(WithoutInterjections(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"), kAddress94),
              Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    EXPECT_EQ(WithoutInterjections(Hex("12 FE FE E0 94 FA FD FE FE E0"), kAddress94), Hex("12 FE FE E0"));
}

}  // namespace
}  // namespace talvex
