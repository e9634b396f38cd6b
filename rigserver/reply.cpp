#include "reply.h"

#include <cmath>
#include <cstdio>

namespace talvex::rigserver {

namespace {

std::string Report(int code) { return "RPRT " + std::to_string(code) + "\n"; }

bool IsGet(Verb verb) { return !Describe(verb).keys.empty(); }

std::string Plain(const RigCommand& command, const Answer& answer)
{
    if (answer.code != code::kOk || !(IsGet(command.verb) || command.verb == Verb::DumpState))
        return Report(answer.code);
    std::string text;
    for (const std::string& value : answer.values)
        text += command.verb == Verb::DumpState ? value : value + "\n";
    return text;
}

std::string Extended(const RigCommand& command, const Answer& answer, char separator)
{
    const VerbInfo& info = Describe(command.verb);
    if (command.verb == Verb::CheckVfo)  // rigctld keeps chk_vfo to its one record
        return std::string(info.keys.front()) + ": " + (answer.values.empty() ? "" : answer.values.front()) + "\n";
    std::string text(info.longName);
    text += ':';
    for (const std::string& word : command.words)
        text += ' ' + word;
    text += separator;
    if (answer.code == code::kOk) {
        for (std::size_t i = 0; i < answer.values.size(); ++i) {
            // The dump_state block keeps its own newlines.
            if (command.verb == Verb::DumpState) {
                text += answer.values[i];
                continue;
            }
            const std::string_view key = i < info.keys.size() ? info.keys[i] : "";
            text += (key.empty() ? std::string() : std::string(key) + ": ") + answer.values[i] + separator;
        }
    }
    return text + Report(answer.code);
}

}  // namespace

std::string FormatReply(const RigCommand& command, const Answer& answer)
{
    // Neither has a long name to echo: rigctld, too, answers them with the bare report.
    if (command.verb == Verb::Unknown)
        return Report(code::kNotImplemented);
    if (command.verb == Verb::Quit)
        return Report(code::kOk);
    const Answer& given = command.malformed() ? Answer{code::kInvalidParameter, {}} : answer;
    return command.separator ? Extended(command, given, *command.separator) : Plain(command, given);
}

std::string FrequencyText(std::int64_t hz) { return std::to_string(hz); }

std::string LevelText(Level level, double value)
{
    if (level == Level::Strength)
        return std::to_string(std::lround(value));
    char text[32];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

}  // namespace talvex::rigserver
