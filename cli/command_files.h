#pragma once

#include "file_operands.h"
#include "options.h"
#include "output.h"

#include <QString>

#include <memory>
#include <optional>
#include <variant>

class QTemporaryDir;

namespace talvex::cli {

// The data file one command on the radio reads or writes, found and checked before the port is
// opened, so a command that could not use its file never touches the radio:
//   read: the engine reads into a file of the run's own (in a temporary folder, titled as the
//         file it becomes), which deliver() puts in place (or on standard output) once complete;
//   write, diff, restore: the file to read ("-": standard input), which must name a channel; a
//         backup (restore's, or a file in BACKUP named like one) must be complete.
class CommandFiles {
public:
    // `readInto`: a read goes there instead, and is not delivered (export's read).
    static std::variant<CommandFiles, int> Prepare(const Options& options, const QString& workingDirectory,
                                                   const std::optional<QString>& readInto, Output& output);
    CommandFiles(CommandFiles&&) noexcept;
    CommandFiles& operator=(CommandFiles&&) noexcept;
    ~CommandFiles();

    // What the engine reads or writes.
    const QString& engineFile() const { return engineFile_; }
    // The file as the report names it.
    const QString& shown() const { return shown_; }
    // A read's complete file put where the command said: why not, when it could not be.
    std::optional<QString> deliver(Output& output) const;

private:
    CommandFiles() = default;

    QString engineFile_;
    QString shown_;
    std::optional<QString> deliverTo_;  // read: the file it becomes
    bool toStandardOutput_ = false;    // read -
    std::optional<InputFile> input_;
    std::unique_ptr<QTemporaryDir> readFolder_;
};

}  // namespace talvex::cli
