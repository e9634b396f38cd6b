// Replies as rigctld writes them, checked against its own answers (captured/), and the modes
// and passbands a client names turned into the IC-7300's mode codes and filters and back.
#include "rigserver/command_parser.h"
#include "rigserver/dump_state.h"
#include "rigserver/reply.h"

#include <gtest/gtest.h>

#include <fstream>

namespace talvex::rigserver {
namespace {

struct Exchange {
    std::string line;
    std::vector<std::string> reply;  // its lines, without their newlines
};

std::vector<Exchange> Captured()
{
    std::ifstream file(TALVEX_RIGSERVER_CAPTURES "/rigctld-answers.txt");
    std::vector<Exchange> exchanges;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("> "))
            exchanges.push_back({line.substr(2), {}});
        else if (line.starts_with("< ") && !exchanges.empty())
            exchanges.back().reply.push_back(line.substr(2));
    }
    return exchanges;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// Reads one command's answer off rigctld's reply lines, as a client would: the values and the
// report; `next` moves past the lines read.
Answer ReadAnswer(const RigCommand& command, const std::vector<std::string>& lines, std::size_t& next)
{
    const VerbInfo& info = Describe(command.verb);
    auto report = [](const std::string& record) { return std::stoi(record.substr(5)); };
    if (!command.separator) {
        if (lines[next].starts_with("RPRT "))
            return {report(lines[next++]), {}};
        Answer answer;
        for (std::size_t i = 0; i < info.keys.size(); ++i)
            answer.values.push_back(lines[next++]);
        return answer;
    }
    if (command.verb == Verb::CheckVfo)
        return {code::kOk, {lines[next++].substr(info.keys[0].size() + 2)}};
    // One record a line with '+'; otherwise the whole reply is one line.
    std::vector<std::string> records;
    if (*command.separator == '\n') {
        do
            records.push_back(lines[next]);
        while (!lines[next++].starts_with("RPRT "));
    } else {
        records = Split(lines[next++], *command.separator);
    }
    Answer answer{report(records.back()), {}};
    for (std::size_t i = 1; i + 1 < records.size(); ++i) {
        const std::string_view key = info.keys[i - 1];
        answer.values.push_back(key.empty() ? records[i] : records[i].substr(key.size() + 2));
    }
    return answer;
}

// Given the values rigctld answered with, each reply is rigctld's to the byte: the echo, the
// keys, the separators and where the report goes.
TEST(FormatReply, WritesWhatRigctldWrites)
{
    const auto exchanges = Captured();
    ASSERT_GT(exchanges.size(), 50u);
    for (const Exchange& exchange : exchanges) {
        std::string expected, written;
        std::size_t next = 0;
        for (const RigCommand& command : ParseLine(exchange.line)) {
            ASSERT_LT(next, exchange.reply.size()) << exchange.line;
            const std::size_t first = next;
            const Answer answer = ReadAnswer(command, exchange.reply, next);
            for (std::size_t i = first; i < next; ++i)
                expected += exchange.reply[i] + "\n";
            written += FormatReply(command, answer);
        }
        EXPECT_EQ(next, exchange.reply.size()) << exchange.line;
        EXPECT_EQ(written, expected) << exchange.line;
    }
}

TEST(FormatReply, AnswersWhatItCannotReadWithTheRightReport)
{
    struct Case {
        const char* line;
        const char* reply;
    };
    const Case cases[] = {
        {"Z", "RPRT -4\n"},
        {"+\\get_info", "RPRT -4\n"},
        {"F abc", "RPRT -1\n"},
        {"+F abc", "set_freq: abc\nRPRT -1\n"},
        {";M USB", "set_mode: USB;RPRT -1\n"},
        {"l AF", "RPRT -1\n"},
    };
    for (const Case& c : cases) {
        const auto commands = ParseLine(c.line);
        ASSERT_EQ(commands.size(), 1u) << c.line;
        EXPECT_EQ(FormatReply(commands[0], Answer{code::kOk, {"14074000"}}), c.reply) << c.line;
    }
}

TEST(FormatReply, DumpStateKeepsItsBlockWhole)
{
    const std::string block = DumpState();
    ASSERT_TRUE(block.ends_with("done\n"));
    EXPECT_EQ(FormatReply(ParseLine("\\dump_state")[0], Answer{code::kOk, {block}}), block);
    EXPECT_EQ(FormatReply(ParseLine("+\\dump_state")[0], Answer{code::kOk, {block}}), "dump_state:\n" + block + "RPRT 0\n");
}

TEST(LevelText, AsRigctldWritesEachLevel)
{
    EXPECT_EQ(LevelText(Level::Strength, -27.4), "-27");
    EXPECT_EQ(LevelText(Level::Strength, 12.6), "13");
    EXPECT_EQ(LevelText(Level::RfPower, 0.5), "0.500000");
}

// A set_mode line to the radio's mode byte and filter: the nearest filter, the wider one
// half-way, FIL2 for 0, the current one for -1.
TEST(FilterFor, SetModeSelectsTheNearestFilter)
{
    struct Case {
        const char* line;
        int currentFilter;
        int civCode;
        int filter;
    };
    const Case cases[] = {
        {"M USB 2400", 1, 0x01, 2}, {"M LSB 3000", 2, 0x00, 1}, {"M USB 0", 3, 0x01, 2}, {"M USB -1", 3, 0x01, 3},
        {"M USB 2700", 3, 0x01, 1}, {"M USB 2100", 1, 0x01, 2}, {"M USB 2000", 1, 0x01, 3}, {"M USB 10000", 3, 0x01, 1},
        {"M USB 1", 1, 0x01, 3},    {"M CW 500", 1, 0x03, 2},   {"M CWR 250", 1, 0x07, 3},  {"M RTTY 2400", 3, 0x04, 1},
        {"M RTTYR 400", 1, 0x08, 2}, {"M AM 7500", 3, 0x02, 1}, {"M AM 3000", 1, 0x02, 3},  {"M FM 12000", 1, 0x05, 2},
        {"M FM 7000", 1, 0x05, 3},
    };
    for (const Case& c : cases) {
        const auto setting = std::get<ModeSetting>(ParseLine(c.line).at(0).arguments);
        EXPECT_EQ(Info(setting.mode).civCode, c.civCode) << c.line;
        EXPECT_EQ(FilterFor(setting.mode, setting.passbandHz, c.currentFilter), c.filter) << c.line;
    }
}

// get_mode's two values from what the radio answers to 04: its mode byte and filter.
TEST(PassbandHz, GetModeAnswersTheModeAndItsFiltersWidth)
{
    struct Case {
        int civCode;
        int filter;
        const char* mode;
        int passbandHz;
    };
    const Case cases[] = {
        {0x00, 1, "LSB", 3000}, {0x01, 3, "USB", 1800}, {0x02, 2, "AM", 6000}, {0x03, 1, "CW", 1200},
        {0x04, 1, "RTTY", 2400}, {0x08, 3, "RTTYR", 250}, {0x07, 2, "CWR", 500}, {0x05, 1, "FM", 15000},
    };
    for (const Case& c : cases) {
        const auto mode = ModeOfCivCode(c.civCode);
        ASSERT_TRUE(mode) << c.civCode;
        EXPECT_EQ(Info(*mode).name, c.mode);
        EXPECT_EQ(PassbandHz(*mode, c.filter), c.passbandHz) << c.mode;
    }
    EXPECT_EQ(ModeOfCivCode(0x06), std::nullopt);  // WFM: not on the IC-7300
}

}  // namespace
}  // namespace talvex::rigserver
