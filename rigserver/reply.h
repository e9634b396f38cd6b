#pragma once

// The text a client gets back for one command, in the default protocol (a get command's values
// one a line, "RPRT n" for a set command or an error) or the Extended Response Protocol (the
// long command name and its arguments echoed, "Key: value" records, the closing "RPRT n", the
// records ended by the separator the command chose and the reply by a newline).

#include "rig_command.h"

#include <cstdint>
#include <string>
#include <vector>

namespace talvex::rigserver {

// Hamlib's error numbers, as "RPRT n" carries them.
namespace code {
inline constexpr int kOk = 0;
inline constexpr int kInvalidParameter = -1;
inline constexpr int kNotImplemented = -4;
inline constexpr int kTimeout = -5;
inline constexpr int kIoError = -6;
inline constexpr int kProtocolError = -8;
inline constexpr int kRejected = -9;  // the radio answered NG
inline constexpr int kNotAvailable = -11;
inline constexpr int kInvalidVfo = -16;
inline constexpr int kPoweredOff = -20;
}  // namespace code

// What the radio side made of a command: a get command's values in the order its verb's keys
// name them, or an error.
struct Answer {
    int code = code::kOk;
    std::vector<std::string> values;
};

// The reply to `command`. An Unknown command is answered RPRT -4 and a Malformed one RPRT -1
// whatever `answer` says, so a line's commands can all be formatted, understood or not.
std::string FormatReply(const RigCommand& command, const Answer& answer);

// The values as rigctld writes them.
std::string FrequencyText(std::int64_t hz);           // "14074000"
std::string LevelText(Level level, double value);     // STRENGTH "-27", RFPOWER "0.500000"

}  // namespace talvex::rigserver
