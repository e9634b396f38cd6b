#include "command_parser.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace talvex::rigserver {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// C's ispunct in the "C" locale, less the characters rigctl keeps for itself: '\' leads a long
// name, '?' asks for help, '_' is get_info and '#' starts a comment.
bool LeadsExtendedResponse(char c)
{
    const auto u = static_cast<unsigned char>(c);
    const bool punctuation = (u >= 0x21 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) || (u >= 0x5B && u <= 0x60)
        || (u >= 0x7B && u <= 0x7E);
    return punctuation && c != '\\' && c != '?' && c != '_' && c != '#';
}

class Reader {
public:
    explicit Reader(std::string_view line) : line_(line) {}

    bool atEnd() const { return at_ >= line_.size(); }
    bool atBlank() const { return !atEnd() && IsBlank(line_[at_]); }
    char take() { return line_[at_++]; }
    void skipBlanks()
    {
        while (atBlank())
            ++at_;
    }
    // The next run of non-blank characters, empty at the end of the line.
    std::string_view word()
    {
        skipBlanks();
        const std::size_t start = at_;
        while (!atEnd() && !IsBlank(line_[at_]))
            ++at_;
        return line_.substr(start, at_ - start);
    }

private:
    std::string_view line_;
    std::size_t at_ = 0;
};

// A decimal number as C's strtod reads one ("7074000.000000", "1.4074e7"), the whole word.
std::optional<double> Decimal(std::string_view word)
{
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> Integer(std::string_view word)
{
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// Hamlib sends frequencies in hertz with six decimals; a fraction of a hertz rounds away.
// Far above any radio's range is not a frequency at all.
std::optional<Frequency> FrequencyIn(std::string_view word)
{
    const auto hz = Decimal(word);
    if (!hz || *hz < 0 || *hz >= 1e12)
        return std::nullopt;
    return Frequency{std::llround(*hz)};
}

std::optional<ModeSetting> ModeIn(std::string_view name, std::string_view passband)
{
    const auto mode = ModeNamed(name);
    const auto hz = Integer(passband);
    if (!mode || !hz || *hz < kKeepPassband)
        return std::nullopt;
    return ModeSetting{*mode, *hz};
}

Arguments Read(Verb verb, const std::vector<std::string_view>& w)
{
    auto or_malformed = [](const auto& value) -> Arguments {
        if (value)
            return *value;
        return Malformed{};
    };
    switch (verb) {
    case Verb::SetFreq:
    case Verb::SetSplitFreq: return or_malformed(FrequencyIn(w[0]));
    case Verb::SetMode:
    case Verb::SetSplitMode: return or_malformed(ModeIn(w[0], w[1]));
    case Verb::SetVfo: {
        const auto vfo = VfoNamed(w[0]);
        return or_malformed(vfo ? std::optional(VfoChoice{*vfo}) : std::nullopt);
    }
    case Verb::SetPtt: {  // 0 off, 1 on, 2 on from the microphone, 3 on from the data input
        const auto ptt = Integer(w[0]);
        return or_malformed(ptt && *ptt >= 0 && *ptt <= 3 ? std::optional(PttSetting{*ptt != 0}) : std::nullopt);
    }
    case Verb::SetSplitVfo: {
        const auto on = Integer(w[0]);
        const auto vfo = VfoNamed(w[1]);
        const bool ok = on && (*on == 0 || *on == 1) && vfo && *vfo != Vfo::Memory;
        return or_malformed(ok ? std::optional(SplitSetting{*on == 1, *vfo}) : std::nullopt);
    }
    case Verb::GetLevel: {
        const auto level = LevelNamed(w[0]);
        return or_malformed(level ? std::optional(LevelChoice{*level}) : std::nullopt);
    }
    case Verb::SetLevel: {
        // Hamlib carries RFPOWER as a fraction of full power.
        const auto level = LevelNamed(w[0]);
        const auto value = Decimal(w[1]);
        const bool ok = level && value && (*level != Level::RfPower || (*value >= 0 && *value <= 1));
        return or_malformed(ok ? std::optional(LevelSetting{*level, *value}) : std::nullopt);
    }
    default: return std::monostate{};
    }
}

}  // namespace

std::vector<RigCommand> ParseLine(std::string_view line)
{
    std::vector<RigCommand> commands;
    Reader in(line);
    for (;;) {
        in.skipBlanks();
        if (in.atEnd())
            break;
        RigCommand command;
        if (commands.size() == kMaxCommands) {
            commands.push_back(command);
            break;
        }
        char c = in.take();
        if (LeadsExtendedResponse(c)) {
            // The prefix belongs to the command right behind it; alone, it asks for nothing.
            if (in.atEnd() || in.atBlank())
                continue;
            command.separator = c == '+' ? '\n' : c;
            c = in.take();
        }
        const std::optional<Verb> verb = c == '\\' ? VerbOfLongName(in.word()) : VerbOfShortForm(c);
        if (!verb) {
            commands.push_back(command);
            break;
        }
        command.verb = *verb;
        std::vector<std::string_view> words;
        bool complete = true;
        for (int i = 0; i < Describe(*verb).argumentCount; ++i) {
            const std::string_view word = in.word();
            if (word.empty()) {
                complete = false;
                break;
            }
            complete = complete && word.size() <= kMaxWordLength;
            words.push_back(word);
            command.words.emplace_back(word.substr(0, kMaxWordLength));
        }
        command.arguments = complete ? Read(*verb, words) : Arguments{Malformed{}};
        commands.push_back(std::move(command));
    }
    return commands;
}

}  // namespace talvex::rigserver
