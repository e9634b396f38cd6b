#pragma once

#include "platform/text_file.h"

#include <QByteArray>

#include <optional>
#include <variant>

namespace talvex {

// The process's own standard input, output and error, as a command-line program meets them.
enum class StandardStream { Input, Output, Error };

// The stream is a terminal (someone watches it), not a file, pipe or cron's mail.
bool IsTerminal(StandardStream stream);

// How many columns the terminal on `stream` has; nothing when it is no terminal or does not say.
std::optional<int> TerminalColumns(StandardStream stream);

// Everything standard input holds, to its end; a reason (as a file's) when it cannot be read or
// holds more than `limit` bytes, which are then not kept.
std::variant<QByteArray, FileError> ReadStandardInput(qint64 limit);

}  // namespace talvex
