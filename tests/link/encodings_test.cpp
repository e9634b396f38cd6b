#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"

#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::Hex;

struct DecimalCase {
    const char* text;
    int byte;  // -1: cannot be encoded
    int trap;
};

TEST(DecimalToBcd, EncodesTypedNumbersAtTheirEdges)
{
    const DecimalCase cases[] = {
        {"0", 0x00, 0},   {"9", 0x09, 0},   {"10", 0x10, 0},   {"42", 0x42, 0},
        {"99", 0x99, 0},  {"100", 0xA0, 0}, {"109", 0xA9, 0},  {"110", 0xBA, 0},
        {"179", 0xFF, 0}, {"abc", 0x00, 0}, {" 5", 0x05, 0},   {"07", 0x07, 0},
        {"180", -1, kTrapDecimalRange},     {"", -1, kTrapDecimalEmpty},
        {"-3", -1, kTrapDecimalRange},      {"1000", -1, kTrapDecimalRange},
    };
    for (const auto& c : cases) {
        const BcdByte result = DecimalToBcd(QString::fromLatin1(c.text));
        EXPECT_EQ(result.trap, c.trap) << c.text;
        if (c.byte >= 0) {
            EXPECT_EQ(result.byte, c.byte) << c.text;
        }
    }
}

TEST(BcdToDecimal, ReadsNibblesAtFaceValue)
{
    const std::pair<int, int> cases[] = {{0x00, 0}, {0x09, 9}, {0x10, 10}, {0x47, 47},
                                         {0x99, 99}, {0x0A, 10}, {0xAB, 111}};
    for (auto [byte, value] : cases)
        EXPECT_EQ(BcdToDecimal(static_cast<std::uint8_t>(byte)), value) << byte;
}

TEST(FormatFrequency, WritesTwoDigitPairsWithPoints)
{
    EXPECT_EQ(FormatFrequency(14, 7, 40), u"14.074.0");
    EXPECT_EQ(FormatFrequency(7, 7, 40), u"07.074.0");
    EXPECT_EQ(FormatFrequency(0, 5, 0), u"00.050.0");
    EXPECT_EQ(FormatTime(23, 59), u"23:59");
    EXPECT_EQ(FormatTime(9, 5), u"09:05");
}

TEST(BytesToText, PutsABlankBeforeEveryByte)
{
    EXPECT_EQ(BytesToText(Hex("FE FE 94 E0 03 FD"), true), u" FE FE 94 E0 3 FD");
    EXPECT_EQ(BytesToText(Hex("FE 00 FD"), false), u" 254 0 253");
    EXPECT_EQ(BytesToText({}, true), u"");
}

TEST(ModeNames, MatchTypedFormsWithoutRegardToCase)
{
    const std::pair<const char*, int> cases[] = {{"lsb", 0}, {"USB", 1}, {"Am", 2}, {"cw", 3},
                                                 {"RTTY", 4}, {"fm", 5}, {"CWR", 7}, {"rttyr", 8}};
    for (auto [name, code] : cases) {
        ASSERT_TRUE(ModeCode(QString::fromLatin1(name)).has_value()) << name;
        EXPECT_EQ(*ModeCode(QString::fromLatin1(name)), code) << name;
    }
    EXPECT_FALSE(ModeCode(QStringLiteral("SSB")).has_value());
    EXPECT_EQ(ModeName(7), u"CWr");
    EXPECT_EQ(ModeName(6), u"");
}

TEST(Frames, AreBuiltByteForByte)
{
    EXPECT_EQ(CivPrefix(), Hex("FE FE 94 E0"));
    EXPECT_EQ(CommandFrame({0x08, 0x00, 0x05}), Hex("FE FE 94 E0 08 00 05 FD"));
    EXPECT_EQ(CommandFrame(Hex("08") + *ChannelField(QStringLiteral("101"))),
              Hex("FE FE 94 E0 08 01 01 FD"));
    EXPECT_EQ(*ChannelField(QStringLiteral("100")), Hex("01 00"));
    EXPECT_EQ(*ChannelField(QStringLiteral("7")), Hex("00 07"));
    EXPECT_FALSE(ChannelField(QString()).has_value());
    EXPECT_EQ(*FrequencyField(QStringLiteral("071000")), Hex("00 00 10 07 00"));
    EXPECT_EQ(*FrequencyField(QStringLiteral("140740")), Hex("00 40 07 14 00"));
    EXPECT_FALSE(FrequencyField(QStringLiteral("14074")).has_value());
    EXPECT_FALSE(FrequencyField(QStringLiteral("1407x0")).has_value());

    const QByteArray power = PowerOnFrame();
    ASSERT_EQ(power.size(), 103);
    EXPECT_EQ(power.left(100), Hex("FE FE 94 E0").repeated(25));
    EXPECT_EQ(power.right(3), Hex("18 01 FD"));
}

TEST(Frames, MemoryWriteCarriesBothSettingBlocksAndTheLabel)
{
    const MemoryChannel home{0x05, Hex("00 00 10 07 00"), 0x00, 0x01, QStringLiteral("HOME")};
    const QByteArray frame = MemoryWriteFrame(home);
    ASSERT_EQ(frame.size(), 48);
    EXPECT_EQ(frame, Hex("FE FE 94 E0 1A 00 00 05 00 00 00 10 07 00 00 01 00 00 10 00 00 10 00 "
                         "00 00 10 07 00 00 01 00 00 10 00 00 10 00 48 4F 4D 45 20 20 20 20 20 20 FD"));
}

}  // namespace
}  // namespace talvex
