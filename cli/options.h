#pragma once

#include "list_options.h"

#include "link/radio_model.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace talvex::cli {

enum class Command { Help, Version, Read, Write, Blank, Backups, Restore, Diff, Export, Import };

// A file operand "-": standard output for a file written (read, export), standard input for a
// file read (write, diff, restore, the list import reads, export --from).
inline const QString kStandardStream = QStringLiteral("-");

struct Options {
    Command command = Command::Help;
    QString file;     // read, write, diff: the data file; restore: the backup; export, import: the list
    QString dataFile;  // import: the data file written
    int first = 0;    // blank: the range
    int last = 0;
    bool plain = false;  // read --plain: the six zones only, no whole records
    bool json = false;
    bool quiet = false;  // no progress at all, only the end report
    std::optional<QString> port;  // "COMn" or a device path
    std::optional<int> baud;
    std::uint8_t address = kRadio.address;  // the radio's CI-V address, when changed on its menu
    ListOptions list;  // export, import
};

// A CI-V rate the radio offers.
bool IsRadioRate(int baud);

// "7-12", "5" (one channel): both ends memory channels, the first not after the last.
std::optional<std::pair<int, int>> ParseChannelRange(const QString& text);

// The arguments after the program's name; a one-line reason when they are not a command.
// "--option=value" is read as "--option value", for every option that takes a value.
std::variant<Options, QString> ParseArguments(const QStringList& arguments);

// --json is among the arguments: a usage error is told as JSON too.
bool AsksForJson(const QStringList& arguments);

// The command's name as typed ("read"), for reports of a run that ended before its own.
QString CommandName(Command command);

QString UsageText();

}  // namespace talvex::cli
