// The dump_state block: laid out as Hamlib 4.5 reads it, and read by Hamlib's own client.
#include "rigserver/command_parser.h"
#include "rigserver/dump_state.h"
#include "rigserver/reply.h"

#include "link/radio_model.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <thread>

namespace talvex::rigserver {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t Fields(const std::string& line)
{
    std::istringstream in(line);
    std::size_t count = 0;
    for (std::string field; in >> field;)
        ++count;
    return count;
}

// The client reads the lists up to their end line, then a fixed count of lines, then names:
// a list line with a field too many or too few shifts all that follows.
TEST(DumpState, ListsEndWhereTheClientLooksForTheirEnd)
{
    const auto lines = Lines(DumpState());
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "3073");
    std::size_t at = 3;
    std::vector<std::vector<std::string>> lists(4);
    for (std::size_t list = 0; list < lists.size(); ++list) {
        const std::size_t fields = list < 2 ? 7 : 2;
        const std::string end = list < 2 ? "0 0 0 0 0 0 0" : "0 0";
        for (; at < lines.size() && lines[at] != end; ++at) {
            EXPECT_EQ(Fields(lines[at]), fields) << lines[at];
            lists[list].push_back(lines[at]);
        }
        ++at;
    }
    // Receive: the radio's range, every mode. Transmit: inside it, the power in mW.
    ASSERT_EQ(lists[0].size(), 1u);
    long long low = 0, high = 0;
    ASSERT_EQ(std::sscanf(lists[0][0].c_str(), "%lld.000000 %lld", &low, &high), 2);
    EXPECT_EQ(low, kRadio.lowestHz);
    EXPECT_EQ(high, kRadio.highestHz);
    EXPECT_EQ(lists[1].size(), 2 * TransmitBands().size());
    for (const std::string& range : lists[1]) {
        long long from = 0, to = 0;
        int lowMw = 0, highMw = 0;
        ASSERT_EQ(std::sscanf(range.c_str(), "%lld.000000 %lld.000000 %*s %d %d", &from, &to, &lowMw, &highMw), 4);
        EXPECT_TRUE(from >= low && to <= high && from < to) << range;
        EXPECT_TRUE(lowMw > 0 && highMw <= 100000 && lowMw < highMw) << range;
    }
    EXPECT_EQ(lists[3].size(), 3 * Modes().size());  // three filters a mode
    // RIT, XIT, IF shift, announcements, preamplifiers, attenuators, six masks, then names.
    ASSERT_GT(lines.size(), at + 12);
    EXPECT_TRUE(lines[at + 12].starts_with("vfo_ops=")) << lines[at + 12];
    EXPECT_EQ(lines.back(), "done");
}

// A server of one connection answering the client's opening, in a thread of its own.
class TinyServer {
public:
    TinyServer()
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        // A client that never comes must not hold the test: accept and reads give up after 30 s.
        const timeval patience{30, 0};
        setsockopt(listener_, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 1) != 0
            || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~TinyServer()
    {
        if (thread_.joinable())
            thread_.join();
        close(listener_);
    }
    int port() const { return port_; }

private:
    static Answer answer(Verb verb)
    {
        switch (verb) {
        case Verb::CheckVfo: return {code::kOk, {"0"}};
        case Verb::DumpState: return {code::kOk, {DumpState()}};
        case Verb::GetFreq: return {code::kOk, {FrequencyText(14'074'000)}};
        case Verb::GetMode: return {code::kOk, {"USB", "2400"}};
        case Verb::GetVfo: return {code::kOk, {"VFOA"}};
        case Verb::GetSplitVfo: return {code::kOk, {"0", "VFOA"}};
        case Verb::GetPowerStat: return {code::kOk, {"1"}};
        default: return {};
        }
    }
    void serve()
    {
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0)
            return;
        std::string pending;
        char buffer[4096];
        for (bool open = true; open;) {
            const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            pending.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; open && (end = pending.find('\n')) != std::string::npos;) {
                std::string reply;
                for (const RigCommand& command : ParseLine(std::string_view(pending).substr(0, end))) {
                    reply += FormatReply(command, answer(command.verb));
                    open = open && command.verb != Verb::Quit;
                }
                pending.erase(0, end + 1);
                if (send(connection, reply.data(), reply.size(), MSG_NOSIGNAL) < 0)
                    open = false;
            }
        }
        close(connection);
    }

    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// Hamlib's client opens on the block, reads the frequency, and shows what it understood of
// the radio; its dump_caps lines below come from the block, field by field.
TEST(DumpState, HamlibsClientReadsItAsTheIc7300)
{
    if (std::system("command -v rigctl >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rigctl is not installed (Debian package libhamlib-utils)";
    TinyServer server;
    ASSERT_NE(server.port(), 0);
    const std::string command =
        "timeout 60 rigctl -m 2 -r 127.0.0.1:" + std::to_string(server.port()) + " f dump_caps 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(output.starts_with("14074000\n")) << output;
    const char* expected[] = {
        "Max RIT: -9.999kHz/+9.999kHz\nMax XIT: -9.999kHz/+9.999kHz\nMax IF-SHIFT: -0.0kHz/+0.0kHz\n",
        "Preamp: 1dB 2dB\nAttenuator: 20dB\n",
        "Get functions: \nSet functions: \n",
        "Get level: RFPOWER(0..0/0) STRENGTH(0..0/0) \nSet level: RFPOWER(0..0/0) \n",
        "Mode list: AM CW USB LSB RTTY FM CWR RTTYR \nVFO list: VFOA VFOB MEM \n",
        "\tUSB\tNormal: 2.4000 kHz,\tNarrow: 1.8000 kHz,\tWide: 3.0000 kHz\n",
        "\tRTTY\tNormal: 500.0 Hz,\tNarrow: 250.0 Hz,\tWide: 2.4000 kHz\n",
        "\tFM\tNormal: 10.0000 kHz,\tNarrow: 7.0000 kHz,\tWide: 15.0000 kHz\n",
        "\tAM\tNormal: 6.0000 kHz,\tNarrow: 3.0000 kHz,\tWide: 9.0000 kHz\n",
        "Has targetable VFO: N\n",
    };
    for (const char* text : expected)
        EXPECT_NE(output.find(text), std::string::npos) << text << "\n--- rigctl said:\n" << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << output;
}

}  // namespace
}  // namespace talvex::rigserver
