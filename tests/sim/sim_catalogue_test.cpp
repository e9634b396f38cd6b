// The simulator's line settings (another baud rate, another address) and the catalogue it
// answers other CI-V programs with, frame by frame. Expected bytes are worked out by hand from
// the protocol and the UART's bit timing.
#include "catalogue.h"
#include "line.h"
#include "radio.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sim {
namespace {

Bytes Hex(const std::string& text)
{
    std::istringstream in(text);
    Bytes bytes;
    unsigned value = 0;
    while (in >> std::hex >> value)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

// Bytes sent at one rate and what a receiver at another assembles from them.
TEST(Resample, TheReceiverAssemblesWhatItsOwnBitTimesSample)
{
    struct Case {
        const char* sent;
        int senderBaud;
        int receiverBaud;
        const char* assembled;
    };
    const Case cases[] = {
        {"FE FE 94 E0 03 FD", 19200, 19200, "FE FE 94 E0 03 FD"},
        {"FE", 9600, 19200, "F8"},   // each sent bit lasts two received bits: start 0 0, bit 0 0 0, then ones
        {"FE", 19200, 9600, "FF"},   // two sent bits a received bit: samples on bits 2, 4, 6, stop, then idle
        {"FE FE", 19200, 9600, "EF"},  // the second byte's start and bit 0 sampled as the first's bits 4 and 5
        {"", 19200, 4800, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Resample(Hex(c.sent), c.senderBaud, c.receiverBaud), Hex(c.assembled)) << c.sent << " " << c.senderBaud;
}

TEST(RadioAddress, OnlyFramesForItsOwnAddressReachTheRadioAndItsAnswersCarryThatAddress)
{
    EXPECT_EQ(ToRadioAt(0xB6, Hex("FE FE B6 E0 03 FD")), Hex("FE FE 94 E0 03 FD"));
    EXPECT_EQ(ToRadioAt(0xB6, Hex("FE FE 94 E0 03 FD")), std::nullopt);
    EXPECT_EQ(ToRadioAt(0x94, Hex("FE FE 94 E0 FE FE 94 E0 18 01 FD")), Hex("FE FE 94 E0 FE FE 94 E0 18 01 FD"));
    EXPECT_EQ(FromRadioAt(0xB6, Hex("FE FE E0 94 FB FD FE FE 00 94 01 03 01 FD")),
              Hex("FE FE E0 B6 FB FD FE FE 00 B6 01 03 01 FD"));
}

// One exchange: what a controller sends (between the addresses and FD) and what comes back.
struct Exchange {
    std::string command;
    std::string answer;
};

// Channel 7 as written over the line: 7.074.000 LSB FIL1, 100.0 Hz tones, "FT8 CALL".
const std::string kChannel7 = "00 07 00 00 40 07 07 00 00 01 00 00 10 00 00 10 00 00 40 07 07 00 00 01 00 00 10 00 00 10 00 "
                              "46 54 38 20 43 41 4C 4C 20 20";

struct CatalogueCase {
    const char* name;
    std::vector<Exchange> exchanges;
    Options options = {};
};

void PrintTo(const CatalogueCase& c, std::ostream* os) { *os << c.name; }

class CatalogueTest : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueTest, AnswersAsTheIc7300Does)
{
    RadioState radio;  // 14.074.000 USB FIL2 on VFO A; VFO B on 7.100.000 LSB FIL1
    const Options& options = GetParam().options;
    for (const Exchange& e : GetParam().exchanges) {
        const Bytes frame = Hex("FE FE 94 E0 " + e.command + " FD");
        EXPECT_EQ(Respond(radio, options, frame).answer, Hex("FE FE E0 94 " + e.answer + " FD")) << e.command;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, CatalogueTest, ::testing::Values(
    CatalogueCase{"SelectedAndUnselectedFrequency",
                  {{"25 00", "25 00 00 40 07 14 00"}, {"25 01", "25 01 00 00 10 07 00"},
                   {"25 00 00 50 12 21 00", "FB"}, {"03", "03 00 50 12 21 00"},
                   {"25 01 00 00 00 80 00", "FA"}}},
    CatalogueCase{"SelectedModeWithDataAndFilter",
                  {{"26 00", "26 00 01 00 02"}, {"26 01", "26 01 00 00 01"}, {"26 00 03 01 01", "FB"},
                   {"04", "04 03 01"}, {"1A 06", "1A 06 01 01"}, {"26 00 06 00 01", "FA"}}},
    CatalogueCase{"DataMode", {{"1A 06 01 03", "FB"}, {"1A 06", "1A 06 01 03"}, {"1A 06 00 00", "FB"},
                               {"1A 06", "1A 06 00 00"}, {"1A 06 02 00", "FA"}}},
    CatalogueCase{"VfoBBringsItsOwnSettings",
                  {{"07 01", "FB"}, {"03", "03 00 00 10 07 00"}, {"04", "04 00 01"}, {"25 01", "25 01 00 40 07 14 00"},
                   {"07 B0", "FB"}, {"03", "03 00 40 07 14 00"}, {"07 A0", "FB"}, {"25 01", "25 01 00 40 07 14 00"}}},
    // USB FIL2 is 2400 Hz: index 10 + (2400 - 600) / 100; CW FIL3 250 Hz: 250 / 50 - 1; AM FIL1 9000 Hz.
    CatalogueCase{"FilterWidth", {{"1A 03", "1A 03 28"}, {"06 03 03", "FB"}, {"1A 03", "1A 03 04"},
                                  {"06 02 01", "FB"}, {"1A 03", "1A 03 44"}, {"06 05 01", "FB"}, {"1A 03", "FA"},
                                  {"06 01 02", "FB"}, {"1A 03 22", "FB"}, {"1A 03", "1A 03 22"}, {"1A 03 41", "FA"},
                                  {"06 01 01", "FB"}, {"1A 03", "1A 03 34"}}},
    CatalogueCase{"MainReceiverOnly", {{"07 D0", "FB"}, {"07 D1", "FA"}}},
    CatalogueCase{"MemoryChannelInOneByte", {{"08 05", "FB"}, {"08 99", "FB"}, {"08 00", "FA"}, {"08 A5", "FA"}}},
    CatalogueCase{"SplitRead", {{"0F", "0F 00"}, {"0F 01", "FB"}, {"0F", "0F 01"}}},
    CatalogueCase{"RfPowerLevel", {{"14 0A", "14 0A 01 28"}, {"14 0A 02 55", "FB"}, {"14 0A", "14 0A 02 55"},
                                   {"14 0A 02 56", "FA"}}},
    CatalogueCase{"MetersWhileReceiving", {{"15 02", "15 02 01 20"}, {"15 11", "15 11 00 00"}, {"15 12", "15 12 00 00"},
                                           {"15 13", "15 13 00 00"}, {"15 15", "15 15 02 20"}, {"15 30", "FA"}}},
    // Written, read back, then selected and cleared: a blank channel reads back FF.
    CatalogueCase{"MemoryWriteReadAndClear",
                  {{"1A 00 00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
                    "46 54 38 20 43 41 4C 4C 20 20", "FB"},
                   {"1A 00 00 07", "1A 00 00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 00 00 10 "
                                   "00 00 10 00 46 54 38 20 43 41 4C 4C 20 20"},
                   {"08 00 07", "FB"}, {"0B", "FB"}, {"1A 00 00 07", "1A 00 00 07 FF"}}},
    // A write the radio refuses keeps nothing; one it keeps wrongly changes the name's first letter.
    CatalogueCase{"RefusedAndWronglyKeptWrites",
                  {{"1A 00 00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
                    "46 54 38 20 43 41 4C 4C 20 20", "FA"},
                   {"1A 00 00 07", "1A 00 00 07 FF"},
                   {"1A 00 00 11 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
                    "46 54 38 20 43 41 4C 4C 20 20", "FB"},
                   {"1A 00 00 11", "1A 00 00 11 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 00 40 07 14 00 01 02 00 00 10 "
                                   "00 00 10 00 58 54 38 20 43 41 4C 4C 20 20"}},
                  Options{.refuseWriteChannel = 7, .storeWrongChannel = 11}},
    // Memory mode shows the selected channel in the VFO's place, a blank one the VFO's settings;
    // VFO mode brings the VFO's back.
    CatalogueCase{"MemoryModeShowsTheChannel",
                  {{"1A 00 " + kChannel7, "FB"}, {"08 00 07", "FB"}, {"03", "03 00 40 07 14 00"}, {"08", "FB"},
                   {"03", "03 00 40 07 07 00"}, {"04", "04 00 01"}, {"25 00", "25 00 00 40 07 07 00"},
                   {"08 00 09", "FB"}, {"03", "03 00 40 07 14 00"}, {"08 07", "FB"}, {"04", "04 00 01"},
                   {"07 00", "FB"}, {"03", "03 00 40 07 14 00"}, {"04", "04 01 02"}}},
    // 0A copies the channel as stored, not as retuned in memory mode, and leaves memory mode;
    // a blank channel has nothing to copy.
    CatalogueCase{"MemoryToVfo",
                  {{"1A 00 " + kChannel7, "FB"}, {"08 00 09", "FB"}, {"0A", "FA"}, {"08 00 07", "FB"}, {"0A", "FB"},
                   {"03", "03 00 40 07 07 00"}, {"04", "04 00 01"}, {"05 00 00 10 07 00", "FB"}, {"08", "FB"},
                   {"05 00 00 20 07 00", "FB"}, {"0A", "FB"}, {"03", "03 00 40 07 07 00"}, {"08 00 09", "FB"},
                   {"03", "03 00 40 07 07 00"}}},
    // 09 into a blank channel: the VFO twice (no split), no tone at 88.5 Hz, a blank name.
    CatalogueCase{"VfoToBlankMemory",
                  {{"08 00 12", "FB"}, {"09", "FB"},
                   {"1A 00 00 12", "1A 00 00 12 00 00 40 07 14 00 01 02 00 00 08 85 00 08 85 00 40 07 14 00 01 02 00 "
                                   "00 08 85 00 08 85 20 20 20 20 20 20 20 20 20 20"}}},
    // 09 over a channel keeps its tones and name; with split on it transmits on VFO B.
    CatalogueCase{"VfoToMemoryKeepsTheRestOfTheRecord",
                  {{"1A 00 " + kChannel7, "FB"}, {"06 03 03", "FB"}, {"08 00 07", "FB"}, {"09", "FB"},
                   {"1A 00 00 07", "1A 00 00 07 00 00 40 07 14 00 03 03 00 00 10 00 00 10 00 00 40 07 14 00 03 03 00 "
                                   "00 10 00 00 10 00 46 54 38 20 43 41 4C 4C 20 20"},
                   {"0F 01", "FB"}, {"09", "FB"},
                   {"1A 00 00 07", "1A 00 00 07 00 00 40 07 14 00 03 03 00 00 10 00 00 10 00 00 00 10 07 00 00 01 00 "
                                   "00 10 00 00 10 00 46 54 38 20 43 41 4C 4C 20 20"}}},
    // RTTY and RTTY-R: FIL1 2400 Hz (index 10 + 18), FIL2 500 (09), FIL3 250 (04); CW FIL1 1200 (16).
    CatalogueCase{"RttyFilterWidths",
                  {{"06 04 01", "FB"}, {"1A 03", "1A 03 28"}, {"06 04 02", "FB"}, {"1A 03", "1A 03 09"},
                   {"06 08 01", "FB"}, {"1A 03", "1A 03 28"}, {"06 08 03", "FB"}, {"1A 03", "1A 03 04"},
                   {"06 03 01", "FB"}, {"1A 03", "1A 03 16"}}},
    // The switches read back what was set, off until then; a value a switch does not take
    // changes nothing.
    CatalogueCase{"SwitchesReadBack",
                  {{"16 02", "16 02 00"}, {"16 02 02", "FB"}, {"16 02", "16 02 02"}, {"16 22", "16 22 00"},
                   {"16 22 01", "FB"}, {"16 22", "16 22 01"}, {"16 40 01", "FB"}, {"16 40", "16 40 01"},
                   {"16 41 01", "FB"}, {"16 41 00", "FB"}, {"16 41", "16 41 00"}, {"11 20", "FB"}, {"11", "11 20"},
                   {"1C 01", "1C 01 00"}, {"16 22 02", "FA"}, {"16 22", "16 22 01"}, {"13", "FA"}}},
    CatalogueCase{"StillRefusesWhatItDoesNotKnow", {{"1A 99", "FA"}, {"25 02", "FA"}}}),
    [](const auto& info) { return std::string(info.param.name); });

// 09 changes a channel, so the memory file is written; 0A only reads one.
TEST(MemoryTransfers, OnlyVfoToMemoryChangesTheMemory)
{
    RadioState radio;
    EXPECT_TRUE(Respond(radio, {}, Hex("FE FE 94 E0 09 FD")).memoryChanged);
    EXPECT_FALSE(Respond(radio, {}, Hex("FE FE 94 E0 0A FD")).memoryChanged);
}

}  // namespace
}  // namespace sim
