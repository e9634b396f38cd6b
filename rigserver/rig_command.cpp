#include "rig_command.h"

#include <array>

namespace talvex::rigserver {

namespace {

// The short letters and long names are rigctld's; the keys are the ones its extended replies
// carry (captured from rigctld 4.5, tests/rigserver/captured/).
const std::array<VerbInfo, 22>& Verbs()
{
    static const std::array<VerbInfo, 22> kVerbs{{
        {Verb::GetFreq, 'f', "get_freq", 0, {"Frequency"}},
        {Verb::SetFreq, 'F', "set_freq", 1, {}},
        {Verb::GetMode, 'm', "get_mode", 0, {"Mode", "Passband"}},
        {Verb::SetMode, 'M', "set_mode", 2, {}},
        {Verb::GetVfo, 'v', "get_vfo", 0, {"VFO"}},
        {Verb::SetVfo, 'V', "set_vfo", 1, {}},
        {Verb::GetPtt, 't', "get_ptt", 0, {"PTT"}},
        {Verb::SetPtt, 'T', "set_ptt", 1, {}},
        {Verb::GetSplitVfo, 's', "get_split_vfo", 0, {"Split", "TX VFO"}},
        {Verb::SetSplitVfo, 'S', "set_split_vfo", 2, {}},
        {Verb::GetSplitFreq, 'i', "get_split_freq", 0, {"TX Frequency"}},
        {Verb::SetSplitFreq, 'I', "set_split_freq", 1, {}},
        {Verb::GetSplitMode, 'x', "get_split_mode", 0, {"TX Mode", "TX Passband"}},
        {Verb::SetSplitMode, 'X', "set_split_mode", 2, {}},
        {Verb::GetLevel, 'l', "get_level", 1, {""}},
        {Verb::SetLevel, 'L', "set_level", 2, {}},
        {Verb::DumpState, '\0', "dump_state", 0, {}},
        {Verb::CheckVfo, '\0', "chk_vfo", 0, {"ChkVFO"}},
        {Verb::GetPowerStat, '\0', "get_powerstat", 0, {"Power Status"}},
        {Verb::GetLockMode, '\0', "get_lock_mode", 0, {"Locked"}},
        {Verb::Quit, 'q', "", 0, {}},  // no long form: rigctld answers "\quit" with nothing
        {Verb::Unknown, '\0', "", 0, {}},
    }};
    return kVerbs;
}

}  // namespace

const VerbInfo& Describe(Verb verb) { return Verbs()[static_cast<std::size_t>(verb)]; }

std::optional<Verb> VerbOfShortForm(char c)
{
    for (const VerbInfo& info : Verbs()) {
        if (c != '\0' && info.shortForm == c)
            return info.verb;
    }
    return std::nullopt;
}

std::optional<Verb> VerbOfLongName(std::string_view name)
{
    for (const VerbInfo& info : Verbs()) {
        if (!name.empty() && info.longName == name)
            return info.verb;
    }
    return std::nullopt;
}

std::string_view VfoName(Vfo vfo)
{
    switch (vfo) {
    case Vfo::A: return "VFOA";
    case Vfo::B: return "VFOB";
    case Vfo::Memory: return "MEM";
    }
    return "";
}

std::optional<Vfo> VfoNamed(std::string_view name)
{
    for (Vfo vfo : {Vfo::A, Vfo::B, Vfo::Memory}) {
        if (VfoName(vfo) == name)
            return vfo;
    }
    return std::nullopt;
}

std::string_view LevelName(Level level) { return level == Level::Strength ? "STRENGTH" : "RFPOWER"; }

std::optional<Level> LevelNamed(std::string_view name)
{
    for (Level level : {Level::Strength, Level::RfPower}) {
        if (LevelName(level) == name)
            return level;
    }
    return std::nullopt;
}

}  // namespace talvex::rigserver
