// A client's lines read as rigctld reads them: the lines Hamlib's own client sends, the forms
// rigctld also takes, arguments that do not read, and any bytes at all.
#include "rigserver/command_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace talvex::rigserver {
namespace {

RigCommand Cmd(Verb verb, Arguments arguments = {}, std::vector<std::string> words = {},
               std::optional<char> separator = std::nullopt)
{
    return {verb, std::move(words), arguments, separator};
}
RigCommand Bad(Verb verb, std::vector<std::string> words = {}) { return Cmd(verb, Malformed{}, std::move(words)); }
const RigCommand kUnknown{};

struct Case {
    const char* line;
    std::vector<RigCommand> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class ParseLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(ParseLineTest, ReadsTheCommandsOfTheLine)
{
    EXPECT_EQ(ParseLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, ParseLineTest, ::testing::Values(
    // What rigctl -m 2 sends, numbers as it writes them.
    Case{"F 14074000.000000", {Cmd(Verb::SetFreq, Frequency{14'074'000}, {"14074000.000000"})}},
    Case{"F 7074000.500000", {Cmd(Verb::SetFreq, Frequency{7'074'001}, {"7074000.500000"})}},
    Case{"M USB 2400", {Cmd(Verb::SetMode, ModeSetting{Mode::Usb, 2400}, {"USB", "2400"})}},
    Case{"M CWR 0", {Cmd(Verb::SetMode, ModeSetting{Mode::CwR, kNormalPassband}, {"CWR", "0"})}},
    Case{"X RTTYR -1", {Cmd(Verb::SetSplitMode, ModeSetting{Mode::RttyR, kKeepPassband}, {"RTTYR", "-1"})}},
    Case{"V MEM", {Cmd(Verb::SetVfo, VfoChoice{Vfo::Memory}, {"MEM"})}},
    Case{"T 1", {Cmd(Verb::SetPtt, PttSetting{true}, {"1"})}},
    Case{"T 3", {Cmd(Verb::SetPtt, PttSetting{true}, {"3"})}},
    Case{"S 1 VFOB", {Cmd(Verb::SetSplitVfo, SplitSetting{true, Vfo::B}, {"1", "VFOB"})}},
    Case{"I 14075000.000000", {Cmd(Verb::SetSplitFreq, Frequency{14'075'000}, {"14075000.000000"})}},
    Case{"l STRENGTH", {Cmd(Verb::GetLevel, LevelChoice{Level::Strength}, {"STRENGTH"})}},
    Case{"L RFPOWER 0.500000", {Cmd(Verb::SetLevel, LevelSetting{Level::RfPower, 0.5}, {"RFPOWER", "0.500000"})}},
    Case{"\\dump_state", {Cmd(Verb::DumpState)}},
    Case{"\\get_lock_mode", {Cmd(Verb::GetLockMode)}},
    Case{"q", {Cmd(Verb::Quit)}},
    // Long names, a frequency as C reads one, blanks of any kind, several commands a line.
    Case{"\\set_freq 1.4074e7", {Cmd(Verb::SetFreq, Frequency{14'074'000}, {"1.4074e7"})}},
    Case{"  f \t\r", {Cmd(Verb::GetFreq)}},
    Case{"fm", {Cmd(Verb::GetFreq), Cmd(Verb::GetMode)}},
    Case{"F 14074000 f", {Cmd(Verb::SetFreq, Frequency{14'074'000}, {"14074000"}), Cmd(Verb::GetFreq)}},
    // The extended form belongs to the command it leads, '+' meaning one record a line.
    Case{"+f m", {Cmd(Verb::GetFreq, {}, {}, '\n'), Cmd(Verb::GetMode)}},
    Case{"f;m", {Cmd(Verb::GetFreq), Cmd(Verb::GetMode, {}, {}, ';')}},
    Case{"|\\get_split_vfo", {Cmd(Verb::GetSplitVfo, {}, {}, '|')}},
    Case{"+ f", {Cmd(Verb::GetFreq)}},
    Case{"+", {}},
    Case{"", {}},
    // Arguments that do not read; the line goes on after them.
    Case{"F abc f", {Bad(Verb::SetFreq, {"abc"}), Cmd(Verb::GetFreq)}},
    Case{"F", {Bad(Verb::SetFreq)}},
    Case{"F -5", {Bad(Verb::SetFreq, {"-5"})}},
    Case{"F nan", {Bad(Verb::SetFreq, {"nan"})}},
    Case{"F 14074000x", {Bad(Verb::SetFreq, {"14074000x"})}},
    Case{"M PKTUSB 2400", {Bad(Verb::SetMode, {"PKTUSB", "2400"})}},
    Case{"M usb 2400", {Bad(Verb::SetMode, {"usb", "2400"})}},
    Case{"M USB", {Bad(Verb::SetMode, {"USB"})}},
    Case{"M USB 2400.5", {Bad(Verb::SetMode, {"USB", "2400.5"})}},
    Case{"M USB -2", {Bad(Verb::SetMode, {"USB", "-2"})}},
    Case{"V Main", {Bad(Verb::SetVfo, {"Main"})}},
    Case{"T 4", {Bad(Verb::SetPtt, {"4"})}},
    Case{"S 2 VFOB", {Bad(Verb::SetSplitVfo, {"2", "VFOB"})}},
    Case{"S 1 MEM", {Bad(Verb::SetSplitVfo, {"1", "MEM"})}},
    Case{"l AF", {Bad(Verb::GetLevel, {"AF"})}},
    Case{"L RFPOWER 1.5", {Bad(Verb::SetLevel, {"RFPOWER", "1.5"})}},
    // An unknown command ends the line: where its arguments end is not known.
    Case{"Z 5 f", {kUnknown}},
    Case{"f \\get_info f", {Cmd(Verb::GetFreq), kUnknown}},
    Case{"#f", {kUnknown}},
    Case{"\\quit", {kUnknown}}));

// Every line Hamlib's client sent, opening and commands, reads as one command it understands.
TEST(ParseLine, EveryLineRigctlSendsIsOneWellFormedCommand)
{
    std::ifstream file(TALVEX_RIGSERVER_CAPTURES "/rigctl-m2-sends.txt");
    ASSERT_TRUE(file.is_open());
    int lines = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#'))
            continue;
        ++lines;
        const auto commands = ParseLine(line);
        ASSERT_EQ(commands.size(), 1u) << line;
        EXPECT_NE(commands[0].verb, Verb::Unknown) << line;
        EXPECT_FALSE(commands[0].malformed()) << line;
    }
    EXPECT_GT(lines, 40);
}

// Whatever arrives, what is kept stays small: a line the caller failed to cap, NULs, binary.
TEST(ParseLine, AnyBytesGiveABoundedList)
{
    std::mt19937 random(7300);
    std::string noise(1 << 16, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string lines[] = {
        std::string(1 << 20, 'f'),
        "F " + std::string(1 << 20, '7'),
        "M USB " + std::string(1 << 20, ' ') + "2400",
        std::string("f\0m\0\xff F \0 1", 12),
        std::string(1 << 20, '+'),
        noise,
    };
    for (const std::string& line : lines) {
        const auto commands = ParseLine(line);
        EXPECT_LE(commands.size(), kMaxCommands + 1);
        for (const RigCommand& command : commands) {
            for (const std::string& word : command.words)
                EXPECT_LE(word.size(), kMaxWordLength);
        }
    }
    EXPECT_EQ(ParseLine(lines[0]).back(), kUnknown);
    EXPECT_TRUE(ParseLine(lines[1]).front().malformed());
    EXPECT_EQ(ParseLine(lines[2]).front(), Cmd(Verb::SetMode, ModeSetting{Mode::Usb, 2400}, {"USB", "2400"}));
}

}  // namespace
}  // namespace talvex::rigserver
