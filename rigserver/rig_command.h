#pragma once

// One command of Hamlib's network rig protocol (what rigctld answers and Hamlib's "NET rigctl"
// client sends), as read from a client's line: what is asked, its arguments checked and typed,
// the words as the client wrote them, and how the reply is to be laid out.

#include "modes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace talvex::rigserver {

enum class Verb {
    GetFreq, SetFreq, GetMode, SetMode, GetVfo, SetVfo, GetPtt, SetPtt,
    GetSplitVfo, SetSplitVfo, GetSplitFreq, SetSplitFreq, GetSplitMode, SetSplitMode,
    GetLevel, SetLevel, DumpState, CheckVfo, GetPowerStat, GetLockMode, Quit,
    Unknown,  // answered RPRT -4: nothing of the rest of its line can be read after it
};

enum class Vfo { A, B, Memory };
// The levels the IC-7300 offers a client: the S-meter (dB over S9) and the output power (0-1).
enum class Level { Strength, RfPower };

struct Frequency {
    std::int64_t hz;
    friend bool operator==(const Frequency&, const Frequency&) = default;
};
struct ModeSetting {
    Mode mode;
    int passbandHz;  // kNormalPassband, kKeepPassband or a width
    friend bool operator==(const ModeSetting&, const ModeSetting&) = default;
};
struct VfoChoice {
    Vfo vfo;
    friend bool operator==(const VfoChoice&, const VfoChoice&) = default;
};
struct PttSetting {
    bool transmit;  // 1, 2 (microphone) and 3 (data) all key the radio: it has one PTT over CI-V
    friend bool operator==(const PttSetting&, const PttSetting&) = default;
};
struct SplitSetting {
    bool on;
    Vfo txVfo;
    friend bool operator==(const SplitSetting&, const SplitSetting&) = default;
};
struct LevelChoice {
    Level level;
    friend bool operator==(const LevelChoice&, const LevelChoice&) = default;
};
struct LevelSetting {
    Level level;
    double value;
    friend bool operator==(const LevelSetting&, const LevelSetting&) = default;
};
// An argument missing or not what the command takes: answered RPRT -1.
struct Malformed {
    friend bool operator==(const Malformed&, const Malformed&) = default;
};

using Arguments = std::variant<std::monostate, Malformed, Frequency, ModeSetting, VfoChoice, PttSetting,
                               SplitSetting, LevelChoice, LevelSetting>;

struct RigCommand {
    Verb verb = Verb::Unknown;
    // The argument words as written (each cut to kMaxWordLength): an extended reply echoes them.
    std::vector<std::string> words;
    Arguments arguments;
    // Extended Response Protocol: the character ending each record but the last ('+' asks for
    // a newline); none for the default protocol.
    std::optional<char> separator;

    bool malformed() const { return std::holds_alternative<Malformed>(arguments); }
    friend bool operator==(const RigCommand&, const RigCommand&) = default;
};

// What the protocol says of each verb.
struct VerbInfo {
    Verb verb;
    char shortForm;              // '\0' when it has only the long form
    std::string_view longName;   // without the backslash
    int argumentCount;
    // The keys of a get command's values in an extended reply, in order; an empty key writes
    // the value alone, as rigctld does for a level.
    std::vector<std::string_view> keys;
};

const VerbInfo& Describe(Verb verb);
std::optional<Verb> VerbOfShortForm(char c);
std::optional<Verb> VerbOfLongName(std::string_view name);

std::string_view VfoName(Vfo vfo);  // "VFOA", "VFOB", "MEM"
std::optional<Vfo> VfoNamed(std::string_view name);
std::string_view LevelName(Level level);  // "STRENGTH", "RFPOWER"
std::optional<Level> LevelNamed(std::string_view name);

}  // namespace talvex::rigserver
