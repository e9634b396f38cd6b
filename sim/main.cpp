// talvex-sim: a simulated IC-7300 on a pseudo-terminal (or a given serial device), for trying
// TALVEX without a radio and for testing it end to end. See README.md beside this file.

#include "line.h"
#include "radio.h"

#include <chrono>
#include <csignal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <poll.h>
#include <random>
#include <sstream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int) { stopRequested = 1; }

struct Config {
    std::string link = "COM1";
    std::string device;
    std::string memoryFile;
    std::string logFile;
    int baud = 19200;
    int latencyMs = 5;
    int dialEveryMs = 0;
    sim::Options options;
    std::string callSign = "N0CALL";
    std::string clock;
    // The radio's CI-V settings: USB echo back, its address, and the rate it runs at when
    // that differs from the controller's (--baud); 0 when they agree.
    bool echo = true;
    std::uint8_t address = 0x94;
    int lineBaud = 0;
    // Another radio on the same bus, at this address, that broadcasts as each frame arrives.
    std::optional<std::uint8_t> neighbour;
    // Line faults toward the radio: each bit it receives turns over with this probability, and
    // the first frame whose command starts with these bytes never reaches it (no echo, no act).
    double bitFlipInRate = 0.0;
    sim::Bytes loseOnce;
    // Where the random faults (bit flips, noise bytes) start: the same seed, the same faults.
    unsigned seed = 7300;
};

// The IC-7300's CI-V rates.
bool IsRadioRate(int baud)
{
    for (const int rate : {4800, 9600, 19200, 38400, 57600, 115200}) {
        if (baud == rate)
            return true;
    }
    return false;
}

speed_t SpeedOf(int baud)
{
    switch (baud) {
    case 4800: return B4800;
    case 9600: return B9600;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B19200;
    }
}

[[noreturn]] void Usage()
{
    std::fprintf(stderr,
                 "usage: talvex-sim [--link NAME | --device PATH] [--baud 4800|9600|19200|38400|57600|115200]\n"
                 "                  [--latency-ms N] [--memory FILE] [--no-ok] [--transceive off|dial|all] [--dial-every MS]\n"
                 "                  [--fault none|drop|truncate|ng|silent|noise] [--callsign TEXT] [--clock HHMM]\n"
                 "                  [--silent-from CH] [--refuse-write CH] [--store-wrong CH] [--bit-flips RATE]\n"
                 "                  [--silent-after-write CH]\n"
                 "                  [--bit-flips-in RATE] [--lose-once COMMANDHEX]\n"
                 "                  [--log FILE|-] [--echo on|off] [--address HEX] [--line-baud N]\n"
                 "                  [--neighbour HEX] [--seed N]\n");
    std::exit(2);
}

class Simulator {
public:
    explicit Simulator(Config config) : c_(std::move(config)), random_(c_.seed) {}

    int run();

private:
    bool openLine();
    void receive(const sim::Bytes& bytes);
    void answerPending();
    // The other radio on the bus tells everyone its frequency (7.000.000) and mode (LSB), right
    // behind the echo, ahead of any answer: what shares the window with this radio's answer.
    void neighbourBroadcasts(std::uint8_t address);
    void send(const sim::Bytes& bytes, const char* what);
    void pump();
    void control(const std::string& line);
    void log(const char* direction, const sim::Bytes& bytes);
    void memoryChanged();
    void flipBits(sim::Bytes& bytes, double rate);
    void loseFrame(sim::Bytes& bytes);
    void dial(long hz);

    Config c_;
    sim::RadioState radio_;
    bool transceiveDial_ = true;
    int fd_ = -1;
    int holdFd_ = -1;
    FILE* log_ = nullptr;
    sim::Bytes input_;
    std::deque<sim::Bytes> pending_;
    std::deque<std::uint8_t> output_;
    Clock::time_point lastReceived_ = Clock::now();
    Clock::time_point nextByte_ = Clock::now();
    Clock::time_point nextDial_ = Clock::now();
    std::string stdinLine_;
    std::mt19937 random_;
};

bool Simulator::openLine()
{
    if (!c_.device.empty()) {
        fd_ = ::open(c_.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    } else {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0 && (grantpt(fd_) != 0 || unlockpt(fd_) != 0))
            return false;
    }
    if (fd_ < 0)
        return false;
    std::string terminal = c_.device;
    if (c_.device.empty()) {
        terminal = ptsname(fd_);
        // Keep the terminal side open, raw, so the program may open and close it freely.
        holdFd_ = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        if (holdFd_ >= 0 && tcgetattr(holdFd_, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(holdFd_, TCSANOW, &raw);
        }
        ::unlink(c_.link.c_str());
        if (::symlink(terminal.c_str(), c_.link.c_str()) != 0)
            return false;
    } else {
        termios raw{};
        if (tcgetattr(fd_, &raw) == 0) {
            cfmakeraw(&raw);
            cfsetspeed(&raw, SpeedOf(c_.baud));
            tcsetattr(fd_, TCSANOW, &raw);
        }
    }
    std::printf("talvex-sim: ready on %s -> %s\n", c_.device.empty() ? c_.link.c_str() : c_.device.c_str(),
                terminal.c_str());
    std::fflush(stdout);
    return true;
}

void Simulator::log(const char* direction, const sim::Bytes& bytes)
{
    if (!log_ || bytes.empty())
        return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    std::fprintf(log_, "%lld %s", static_cast<long long>(ms), direction);
    for (auto b : bytes)
        std::fprintf(log_, " %02X", b);
    std::fprintf(log_, "\n");
    std::fflush(log_);
}

void Simulator::send(const sim::Bytes& sent, const char* what)
{
    const bool echo = std::strcmp(what, "echo") == 0;
    const sim::Bytes bytes = sim::Resample(echo ? sent : sim::FromRadioAt(c_.address, sent),
                                           c_.lineBaud, c_.baud);
    log(what, bytes);
    if (output_.empty() && nextByte_ < Clock::now())
        nextByte_ = Clock::now();
    output_.insert(output_.end(), bytes.begin(), bytes.end());
}

void Simulator::receive(const sim::Bytes& arrived)
{
    // At another rate the radio reads something else than what was sent.
    sim::Bytes bytes = sim::Resample(arrived, c_.baud, c_.lineBaud);
    loseFrame(bytes);
    flipBits(bytes, c_.bitFlipInRate);
    if (!radio_.powered && c_.options.fault != sim::Fault::Silent) {
        // A sleeping radio still listens for the wake-up preamble, but says nothing.
    }
    lastReceived_ = Clock::now();
    const bool silent = c_.options.fault == sim::Fault::Silent;
    if (radio_.powered && !silent && c_.echo)
        send(bytes, "echo");
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    // Complete frames: from FE FE to the next FD.
    while (true) {
        std::size_t start = 0;
        while (start + 1 < input_.size() && !(input_[start] == 0xFE && input_[start + 1] == 0xFE))
            ++start;
        input_.erase(input_.begin(), input_.begin() + static_cast<long>(start));
        std::size_t end = 2;
        while (end < input_.size() && input_[end] != 0xFD)
            ++end;
        if (input_.size() < 2 || end >= input_.size())
            break;
        sim::Bytes frame(input_.begin(), input_.begin() + static_cast<long>(end) + 1);
        input_.erase(input_.begin(), input_.begin() + static_cast<long>(end) + 1);
        log("in", frame);
        if (c_.neighbour && radio_.powered)
            neighbourBroadcasts(*c_.neighbour);
        auto own = sim::ToRadioAt(c_.address, frame);
        if (!silent && own)
            pending_.push_back(std::move(*own));
    }
}

void Simulator::answerPending()
{
    while (!pending_.empty()) {
        const sim::Bytes frame = pending_.front();
        pending_.pop_front();
        sim::Reply reply = sim::Respond(radio_, c_.options, frame);
        sim::Bytes answer = reply.answer;
        switch (c_.options.fault) {
        case sim::Fault::Drop: answer.clear(); break;
        case sim::Fault::Truncate:
            if (answer.size() > 4)
                answer.resize(answer.size() - 3);
            break;
        case sim::Fault::Noise: {
            sim::Bytes noisy;
            const int count = 1 + static_cast<int>(random_() % 3);
            for (int i = 0; i < count; ++i)
                noisy.push_back(static_cast<std::uint8_t>(0x20 + random_() % 0x50));
            noisy.insert(noisy.end(), answer.begin(), answer.end());
            answer = noisy;
            break;
        }
        default: break;
        }
        flipBits(answer, c_.options.bitFlipRate);
        send(answer, "out");
        for (const auto& broadcast : reply.broadcasts)
            send(broadcast, "out");
        if (reply.memoryChanged)
            memoryChanged();
    }
}

// A noisy line: each bit turns over with the configured probability.
void Simulator::flipBits(sim::Bytes& bytes, double rate)
{
    if (rate <= 0.0)
        return;
    std::bernoulli_distribution flip(rate);
    for (auto& byte : bytes) {
        for (int bit = 0; bit < 8; ++bit) {
            if (flip(random_))
                byte = static_cast<std::uint8_t>(byte ^ (1u << bit));
        }
    }
}

// A frame lost on the way in: FE FE, the two addresses, then the command bytes looked for, up to
// its FD. It must arrive in one piece to be found, as the controller writes a frame at once.
void Simulator::loseFrame(sim::Bytes& bytes)
{
    const sim::Bytes& command = c_.loseOnce;
    if (command.empty())
        return;
    for (std::size_t start = 0; start + 4 + command.size() < bytes.size(); ++start) {
        if (bytes[start] != 0xFE || bytes[start + 1] != 0xFE
            || !std::equal(command.begin(), command.end(), bytes.begin() + static_cast<long>(start) + 4))
            continue;
        const auto end = std::find(bytes.begin() + static_cast<long>(start), bytes.end(), 0xFD);
        if (end == bytes.end())
            return;
        log("lost", sim::Bytes(bytes.begin() + static_cast<long>(start), end + 1));
        bytes.erase(bytes.begin() + static_cast<long>(start), end + 1);
        c_.loseOnce.clear();
        return;
    }
}

void Simulator::neighbourBroadcasts(std::uint8_t address)
{
    send({0xFE, 0xFE, 0x00, address, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0xFD}, "out");
    send({0xFE, 0xFE, 0x00, address, 0x01, 0x00, 0x01, 0xFD}, "out");
}

void Simulator::memoryChanged()
{
    if (!c_.memoryFile.empty())
        sim::SaveMemory(radio_, c_.memoryFile);
}

void Simulator::dial(long hz)
{
    radio_.frequencyHz += hz;
    if (radio_.powered && transceiveDial_ && c_.options.fault != sim::Fault::Silent)
        send(sim::FrequencyBroadcast(radio_), "out");
}

void Simulator::pump()
{
    // Bytes leave at the line's rate: ten bits a byte.
    const auto perByte = std::chrono::microseconds(10'000'000 / c_.baud);
    const auto now = Clock::now();
    std::vector<std::uint8_t> due;
    while (!output_.empty() && nextByte_ <= now) {
        due.push_back(output_.front());
        output_.pop_front();
        nextByte_ += perByte;
    }
    if (!due.empty() && ::write(fd_, due.data(), due.size()) < 0) {
        // Nobody reading yet: the terminal side buffers, nothing to do.
    }
}

void Simulator::control(const std::string& line)
{
    std::istringstream words(line);
    std::string verb, argument;
    words >> verb >> argument;
    if (verb == "dial") {
        dial(argument.empty() ? 1000 : std::atol(argument.c_str()));
    } else if (verb == "fault") {
        if (auto fault = sim::ParseFault(argument))
            c_.options.fault = *fault;
    } else if (verb == "power") {
        radio_.powered = argument == "on";
    } else if (verb == "latency") {
        c_.latencyMs = std::atoi(argument.c_str());
    } else if (verb == "ok") {
        c_.options.answerOk = argument != "off";
    } else if (verb == "save") {
        memoryChanged();
    } else if (verb == "echo") {
        c_.echo = argument != "off";
    } else if (verb == "address") {
        c_.address = static_cast<std::uint8_t>(std::strtoul(argument.c_str(), nullptr, 16));
    } else if (verb == "line-baud") {
        c_.lineBaud = std::atoi(argument.c_str());
    } else if (verb == "quit") {
        stopRequested = 1;
    }
}

int Simulator::run()
{
    if (!c_.logFile.empty())
        log_ = c_.logFile == "-" ? stderr : std::fopen(c_.logFile.c_str(), "a");
    radio_.callSign = c_.callSign;
    if (c_.clock.size() == 4)
        radio_.clock = std::make_pair(std::stoi(c_.clock.substr(0, 2)), std::stoi(c_.clock.substr(2, 2)));
    if (!c_.memoryFile.empty())
        sim::LoadMemory(radio_, c_.memoryFile);
    if (!openLine()) {
        std::perror("talvex-sim: cannot open the line");
        return 1;
    }
    bool stdinOpen = true;
    nextDial_ = Clock::now() + std::chrono::milliseconds(c_.dialEveryMs);
    while (!stopRequested) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int timeout = output_.empty() && pending_.empty() ? 20 : 1;
        ::poll(fds, stdinOpen ? 2 : 1, timeout);
        if (fds[0].revents & POLLIN) {
            std::uint8_t buffer[1024];
            const auto n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                receive(sim::Bytes(buffer, buffer + n));
        }
        if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
            char buffer[256];
            const auto n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                stdinOpen = false;  // launchers may close it; the radio keeps running
            } else {
                stdinLine_.append(buffer, static_cast<std::size_t>(n));
                std::size_t end;
                while ((end = stdinLine_.find('\n')) != std::string::npos) {
                    control(stdinLine_.substr(0, end));
                    stdinLine_.erase(0, end + 1);
                }
            }
        }
        const auto now = Clock::now();
        if (!pending_.empty() && now - lastReceived_ >= std::chrono::milliseconds(c_.latencyMs))
            answerPending();
        if (c_.dialEveryMs > 0 && now >= nextDial_) {
            dial(1000);
            nextDial_ = now + std::chrono::milliseconds(c_.dialEveryMs);
        }
        pump();
    }
    if (c_.device.empty())
        ::unlink(c_.link.c_str());
    memoryChanged();
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    Config config;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage();
            return argv[++i];
        };
        if (arg == "--link") config.link = value();
        else if (arg == "--device") config.device = value();
        else if (arg == "--baud") config.baud = std::atoi(value().c_str());
        else if (arg == "--latency-ms") config.latencyMs = std::atoi(value().c_str());
        else if (arg == "--memory") config.memoryFile = value();
        else if (arg == "--log") config.logFile = value();
        else if (arg == "--no-ok") config.options.answerOk = false;
        else if (arg == "--dial-every") config.dialEveryMs = std::atoi(value().c_str());
        else if (arg == "--callsign") config.callSign = value();
        else if (arg == "--silent-from") config.options.silentFromChannel = std::atoi(value().c_str());
        else if (arg == "--refuse-write") config.options.refuseWriteChannel = std::atoi(value().c_str());
        else if (arg == "--silent-after-write") config.options.silentAfterWriteChannel = std::atoi(value().c_str());
        else if (arg == "--store-wrong") config.options.storeWrongChannel = std::atoi(value().c_str());
        else if (arg == "--bit-flips") config.options.bitFlipRate = std::atof(value().c_str());
        else if (arg == "--bit-flips-in") config.bitFlipInRate = std::atof(value().c_str());
        else if (arg == "--seed") config.seed = static_cast<unsigned>(std::strtoul(value().c_str(), nullptr, 10));
        else if (arg == "--lose-once") {
            const std::string hex = value();
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
                config.loseOnce.push_back(static_cast<std::uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
            if (config.loseOnce.empty() || hex.size() % 2 != 0)
                Usage();
        } else if (arg == "--clock") config.clock = value();
        else if (arg == "--echo") config.echo = value() != "off";
        else if (arg == "--address") config.address = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 16));
        else if (arg == "--line-baud") config.lineBaud = std::atoi(value().c_str());
        else if (arg == "--neighbour")
            config.neighbour = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 16));
        else if (arg == "--transceive") {
            const std::string mode = value();
            config.options.broadcastOnCommands = mode == "all";
        } else if (arg == "--fault") {
            const auto fault = sim::ParseFault(value());
            if (!fault)
                Usage();
            config.options.fault = *fault;
        } else {
            Usage();
        }
    }
    if (!IsRadioRate(config.baud))
        Usage();
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    return Simulator(config).run();
}
