#include "link/answer_decoder.h"
#include "tests/fuzz/decoder_seeds.h"

#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::Hex;

// The radio fields and the memory fields, for comparing a whole window at once.
std::vector<QString> Fields(const ProgramState& s)
{
    const RadioFields& r = s.radio;
    const MemoryFields& m = s.memory;
    return {r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7,
            m.Text1, m.Text2, m.Text3, m.Text4, m.Text5, m.Text6, m.Text7,
            s.FrequencyDisplay, s.ModeValue, s.FilterValue, s.SelectValue, s.LabelField, s.RxTxText,
            s.EdgeUpperNext ? QStringLiteral("upper") : QStringLiteral("lower"),
            s.EntriesPreset ? QStringLiteral("preset") : QStringLiteral("-")};
}

ProgramState Filled()
{
    ProgramState s;
    s.radio = {QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r3"), QStringLiteral("r4"),
               QStringLiteral("r5"), QStringLiteral("r6"), QStringLiteral("r7")};
    s.memory.Text1 = QStringLiteral("m1");
    s.memory.Text6 = QStringLiteral("m6");
    s.memory.Text7 = QStringLiteral("m7");
    s.EntriesPreset = true;
    s.ChannelText = QStringLiteral("40");
    return s;
}

const char* kChannel101 =  // 08 01 01 + 1A 00 01 01, then the memory answer: 7.074.0 USB Fil 1, select 1, "ABC"
    "FE FE 94 E0 08 01 01 FD FE FE 94 E0 1A 00 01 01 FD "
    "FE FE E0 94 1A 00 01 01 01 00 40 07 07 00 01 01 00 00 10 00 00 10 00 "
    "00 40 07 07 00 01 01 00 00 10 00 00 10 00 41 42 43 20 20 20 20 20 20 20 FD";

struct RowCase {
    const char* name;
    const char* data;
    std::vector<std::pair<int, QString>> changed;  // index into Fields() -> text
};

TEST(DecodeAnswer, EachRowWritesItsFieldsAndLeavesTheOthers)
{
    const RowCase cases[] = {
        {"rig id", "FE FE 94 E0 19 00 FD FE FE E0 94 19 00 94 FD", {{5, QStringLiteral("RIG ID = 94 (IC - 7300)")}}},
        {"time", "FE FE 94 E0 1A 05 00 95 FD FE FE E0 94 1A 05 00 95 07 05 FD", {{5, QStringLiteral("TIME = 07:05")}}},
        {"call of ten", "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05 00 91 4E 30 43 41 4C 4C 41 42 43 44 FD",
         {{5, QStringLiteral("MY CALL = N0CALLAB")}, {12, QStringLiteral("HELLO N0CALLAB")}}},
        {"short call stops at FD", "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05 00 91 4B 31 41 FD",
         {{5, QStringLiteral("MY CALL = K1A")}, {12, QStringLiteral("HELLO K1A")}}},
        {"r/t", "FE FE 94 E0 1C 00 FD FE FE E0 94 1C 00 01 FD", {{5, QStringLiteral("RxTx = 1")}, {19, QStringLiteral("1")}}},
        {"squelch open", "FE FE 94 E0 15 01 FD FE FE E0 94 15 01 01 FD",
         {{5, QStringLiteral("Squelch is Open")}, {13, QStringLiteral("Squelch is Open")}}},
        {"squelch odd", "FE FE 94 E0 15 01 FD FE FE E0 94 15 01 02 FD", {{5, QString()}, {13, QString()}}},
        {"s1", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 00 25 FD", {{5, QStringLiteral("S-Meter = S1")}}},
        {"s7 low", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 00 99 FD", {{5, QStringLiteral("S-Meter = S7")}}},
        {"s9", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 01 20 FD", {{5, QStringLiteral("S-Meter = S9")}}},
        {"s9+50", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 01 91 FD", {{5, QStringLiteral("S-Meter = S9 + 50db")}}},
        {"very", "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 02 41 FD", {{5, QStringLiteral("S-Meter = VERY POWERFUL")}}},
        {"frequency", "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD",
         {{0, QStringLiteral("14.074.0")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {14, QStringLiteral("14.074.0")}}},
        {"no frequency", "FE FE 94 E0 03 FD FE FE E0 94 03 FF FF FF FF FF FD",
         {{0, QStringLiteral(" ")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {3, QStringLiteral(" ")},
          {4, QStringLiteral(" ")}, {5, QStringLiteral(" ")}, {21, QStringLiteral("-")}}},
        {"mode", "FE FE 94 E0 04 FD FE FE E0 94 04 03 02 FD",
         {{3, QStringLiteral("CW")}, {4, QStringLiteral("Fil 2")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")},
          {15, QStringLiteral(" 3")}, {16, QStringLiteral(" 2")}}},
        {"mode 06 keeps the mode box", "FE FE 94 E0 04 FD FE FE E0 94 04 06 02 FD",
         {{4, QStringLiteral("Fil 2")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")},
          {15, QStringLiteral(" 6")}, {16, QStringLiteral(" 2")}}},
        {"frequency set + 03", "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD FE FE E0 94 03 00 00 10 07 00 FD",
         {{0, QStringLiteral("07.100.0")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {5, QStringLiteral(" ")},
          {14, QStringLiteral("07.100.0")}}},
        {"frequency set with OK", "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD FE FE E0 94 FB FD FE FE E0 94 03 00 00 10 07 00 FD",
         {{0, QStringLiteral("07.100.0")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {5, QStringLiteral(" ")},
          {14, QStringLiteral("07.100.0")}}},
        {"refused set, then the answer", "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD FE FE E0 94 FA FD FE FE E0 94 03 00 40 07 14 00 FD",
         {{0, QStringLiteral("14.074.0")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {5, QStringLiteral(" ")},
          {14, QStringLiteral("14.074.0")}}},
        {"mode set", "FE FE 94 E0 06 08 FD FE FE E0 94 FB FD",
         {{3, QStringLiteral("RTTYr")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {5, QStringLiteral(" ")},
          {15, QStringLiteral(" 8")}}},
        {"mode and filter set + 04", "FE FE 94 E0 06 01 03 FD FE FE 94 E0 04 FD FE FE E0 94 FB FD FE FE E0 94 04 01 03 FD",
         {{3, QStringLiteral("USB")}, {4, QStringLiteral("Fil 3")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")},
          {5, QStringLiteral(" ")}, {15, QStringLiteral(" 1")}, {16, QStringLiteral(" 3")}}},
        {"select + clear", "FE FE 94 E0 08 00 05 FD FE FE 94 E0 0B FD FE FE E0 94 FB FD FE FE E0 94 FB FD", {}},
        {"select 101", kChannel101,
         {{0, QStringLiteral("07.074.0")}, {1, QStringLiteral("P2")}, {2, QStringLiteral("*")}, {3, QStringLiteral("USB")},
          {4, QStringLiteral("Fil 1")}, {5, QStringLiteral("ABC       ")},
          {7, QStringLiteral("P2")}, {8, QStringLiteral("*")}, {9, QStringLiteral("07.074.0")}, {10, QStringLiteral("USB")},
          {11, QStringLiteral("Fil 1")}, {12, QStringLiteral("ABC       ")},
          {13, QStringLiteral("P2      *      07.074.0      USB      Fil 1      ABC       ")},
          {14, QStringLiteral("07.074.0")}, {15, QStringLiteral(" 1")}, {16, QStringLiteral(" 1")}, {17, QStringLiteral(" 1")},
          {18, QStringLiteral("ABC       ")}}},
        {"read of a blank channel", "FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD",
         {{0, QStringLiteral(" ")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {3, QStringLiteral(" ")},
          {4, QStringLiteral(" ")}, {5, QStringLiteral(" ")}, {7, QStringLiteral("40")}, {8, QString()}, {9, QString()},
          {10, QString()}, {11, QString()}, {12, QString()}, {13, QStringLiteral("Blank")}, {21, QStringLiteral("-")}}},
        {"select of a blank channel", "FE FE 94 E0 08 00 40 FD FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD",
         {{0, QStringLiteral(" ")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {3, QStringLiteral(" ")},
          {4, QStringLiteral(" ")}, {5, QStringLiteral(" ")}, {7, QStringLiteral("40")}, {8, QString()}, {9, QString()},
          {10, QString()}, {11, QString()}, {12, QString()}, {13, QStringLiteral("Blank")}, {21, QStringLiteral("-")}}},
        {"echoed 1A 00 ch FF", "FE FE 94 E0 1A 00 00 05 FF FD FE FE E0 94 FA FD",
         {{0, QStringLiteral(" ")}, {1, QStringLiteral(" ")}, {2, QStringLiteral(" ")}, {3, QStringLiteral(" ")},
          {4, QStringLiteral(" ")}, {5, QStringLiteral(" ")}}},
        {"memory write echo", "FE FE 94 E0 1A 00 00 05 00 00 00 10 07 00 00 01 00 00 10 00 00 10 00 "
                              "00 00 10 07 00 00 01 00 00 10 00 00 10 00 48 4F 4D 45 20 20 20 20 20 20 FD FE FE E0 94 FB FD",
         {{0, QStringLiteral("07.100.0")}, {1, QStringLiteral("5")}, {2, QStringLiteral(" ")}, {3, QStringLiteral("LSB")},
          {4, QStringLiteral("Fil 1")}, {5, QStringLiteral("HOME      ")}, {14, QStringLiteral("07.100.0")},
          {15, QStringLiteral(" 0")}, {16, QStringLiteral(" 1")}, {17, QStringLiteral(" 0")}, {18, QStringLiteral("HOME      ")}}},
        {"switch without a row", "FE FE 94 E0 16 45 01 FD FE FE E0 94 FB FD", {}},
        {"ten bytes", "FE FE 94 E0 03 FD FE FE E0 94", {}},
    };
    for (const RowCase& c : cases) {
        ProgramState state = Filled();
        auto expected = Fields(state);
        for (const auto& [index, text] : c.changed)
            expected[static_cast<size_t>(index)] = text;
        DecodeAnswer(state, Hex(c.data));
        EXPECT_EQ(Fields(state), expected) << c.name;
    }
}

// The channel field at its edges: 1 and 99 as numbers, 100 and 101 as the scan edges P1 and P2,
// and a high byte the radio never sends leaves the box as it was.
TEST(DecodeAnswer, ChannelNumbersAtTheEdgesOfTheRange)
{
    const std::pair<const char*, const char*> rows[] = {
        {"00 01", "1"}, {"00 99", "99"}, {"01 00", "P1"}, {"01 01", "P2"}, {"02 00", "r2"}};
    for (const auto& [channel, shown] : rows) {
        const QByteArray contents = Hex(channel) + Hex("00 00 40 07 07 00 01 01 00 00 10 00 00 10 00")
            + Hex("00 40 07 07 00 01 01 00 00 10 00 00 10 00 41 42 43 20 20 20 20 20 20 20 FD");
        ProgramState state = Filled();
        DecodeAnswer(state, Hex("FE FE 94 E0 1A 00") + Hex(channel) + Hex("FD FE FE E0 94 1A 00") + contents);
        EXPECT_EQ(state.radio.Text2, QString::fromLatin1(shown)) << channel;
        EXPECT_EQ(state.radio.Text1, u"07.074.0") << channel;
    }
}

TEST(DecodeAnswer, BandEdgesAlternateLowerUpperLower)
{
    ProgramState state = Filled();
    const QByteArray answer =
        Hex("FE FE 94 E0 02 FD FE FE E0 94 02 00 00 00 14 00 2D 00 00 35 14 00 FD");
    const char16_t* expected[] = {u"14.000.0", u"14.350.0", u"14.000.0"};
    for (const char16_t* text : expected) {
        DecodeAnswer(state, answer);
        EXPECT_EQ(state.radio.Text1, QString::fromUtf16(text));
        EXPECT_EQ(state.radio.Text4, u" ");
    }
    EXPECT_TRUE(state.EdgeUpperNext);
}

// Noise, a radio switched off mid-answer or a wrong baud rate cut answers short: whatever is
// missing, nothing changes and the program goes on.
TEST(DecodeAnswer, EveryTruncationOfEveryAnswerChangesNothing)
{
    const char* answers[] = {
        "FE FE 94 E0 19 00 FD FE FE E0 94 19 00 94 FD",
        "FE FE 94 E0 1A 05 00 95 FD FE FE E0 94 1A 05 00 95 07 05 FD",
        "FE FE 94 E0 1A 05 00 91 FD FE FE E0 94 1A 05 00 91 4E 30 43 41 4C 4C 20 20 FD",
        "FE FE 94 E0 1C 00 FD FE FE E0 94 1C 00 01 FD",
        "FE FE 94 E0 15 01 FD FE FE E0 94 15 01 01 FD",
        "FE FE 94 E0 15 02 FD FE FE E0 94 15 02 01 20 FD",
        "FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD",
        "FE FE 94 E0 04 FD FE FE E0 94 04 03 02 FD",
        "FE FE 94 E0 02 FD FE FE E0 94 02 00 00 00 14 00 2D 00 00 35 14 00 FD",
        "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD FE FE E0 94 03 00 00 10 07 00 FD",
        kChannel101,
        "FE FE 94 E0 1A 00 00 07 FD FE FE E0 94 1A 00 00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
        "00 40 07 14 00 01 02 00 00 10 00 00 10 00 46 54 38 20 20 20 20 20 20 20 FD",
        // Blank channels, read alone and after a select: cut before their FD they are not yet blank.
        "FE FE 94 E0 1A 00 00 40 FD FE FE E0 94 1A 00 00 40 FF FD",
        "FE FE 94 E0 08 00 99 FD FE FE 94 E0 1A 00 00 99 FD FE FE E0 94 1A 00 00 99 FF FD",
    };
    for (const char* text : answers) {
        const QByteArray full = Hex(text);
        for (qsizetype length = 11; length < full.size(); ++length) {
            ProgramState state = Filled();
            const auto before = Fields(state);
            DecodeAnswer(state, full.left(length));
            EXPECT_EQ(Fields(state), before) << text << " cut to " << length;
        }
    }
}

// The fuzz target starts from these echoes; a seed cut at a 00 byte would leave the memory
// and frequency rows unreached.
TEST(DecoderFuzzSeeds, AreTheWholeEchoesOfTheFramesTheProgramSends)
{
    const auto seeds = fuzz::DecoderEchoSeeds();
    EXPECT_EQ(seeds[0].toHex(' ').toUpper(), "FE FE 94 E0 08 00 05 FD FE FE 94 E0 1A 00 00 05 FD");
    EXPECT_EQ(seeds[1].toHex(' ').toUpper(), "FE FE 94 E0 1A 00 00 05 FD");
    EXPECT_EQ(seeds[2].toHex(' ').toUpper(), "FE FE 94 E0 05 00 00 10 07 00 FD FE FE 94 E0 03 FD");
    const qsizetype lengths[] = {17, 9, 17};
    for (size_t i = 0; i < seeds.size(); ++i)
        EXPECT_EQ(seeds[i].size(), lengths[i]) << i;
}

TEST(WithoutInterjections, TakesOutOkNgAndBroadcastsOnly)
{
    EXPECT_EQ(WithoutInterjections(Hex("FE FE 94 E0 06 01 FD FE FE E0 94 FB FD FE FE 00 94 00 00 40 07 14 00 FD")),
              Hex("FE FE 94 E0 06 01 FD"));
    EXPECT_EQ(WithoutInterjections(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD")),
              Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    EXPECT_EQ(WithoutInterjections(Hex("12 FE FE E0 94 FA FD FE FE E0")), Hex("12 FE FE E0"));
}

TEST(SplitTransceive, DecodesEveryBroadcastFrame)
{
    struct Case {
        const char* data;
        QString text1, text4, text5;
        bool cleared;
    };
    const Case cases[] = {
        {"FE FE 00 94 00 00 40 07 14 00 FD", QStringLiteral("14.074.0"), QStringLiteral("r4"), QStringLiteral("r5"), true},
        {"FE FE 00 94 01 03 02 FD FE FE 00 94 00 00 00 05 07 00 FD", QStringLiteral("07.050.0"), QStringLiteral("CW"),
         QStringLiteral("Fil 2"), true},
        {"FE FE 00 94 01 03 02 FC", QStringLiteral("r1"), QStringLiteral("r4"), QStringLiteral("r5"), false},
        {"FE FE 00 94 05 FD", QStringLiteral("r1"), QStringLiteral("r4"), QStringLiteral("r5"), true},
        {"FE FE 00 94 00 00 40", QStringLiteral("r1"), QStringLiteral("r4"), QStringLiteral("r5"), true},
    };
    for (const Case& c : cases) {
        ProgramState state = Filled();
        SplitTransceive(state, Hex(c.data));
        EXPECT_EQ(state.radio.Text1, c.text1) << c.data;
        EXPECT_EQ(state.radio.Text4, c.text4) << c.data;
        EXPECT_EQ(state.radio.Text5, c.text5) << c.data;
        const QString other = c.cleared ? QString() : QStringLiteral("r2");
        EXPECT_EQ(state.radio.Text2, other) << c.data;
        EXPECT_EQ(state.radio.Text6, c.cleared ? QString() : QStringLiteral("r6")) << c.data;
    }
}

TEST(DecodeAnswer, TheSerialLinkShowsTheDecodedFrequency)
{
    testing::TestProgram t;
    t.program->state.ConfigCommPort = QStringLiteral("COM1");
    t.program->state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
    t.program->startup.OpenSerialPort();
    t.program->radio.Option48_Click();
    t.port.receive(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    t.timer2().fire();
    EXPECT_EQ(t.program->state.radio.Text1, u"14.074.0");
    t.port.receive(Hex("FE FE 00 94 01 05 01 FD"));
    t.timer1().fire();
    EXPECT_EQ(t.program->state.radio.Text4, u"FM");
}

}  // namespace
}  // namespace talvex
