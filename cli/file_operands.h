#pragma once

// The files a command's operands name: checked before the radio is touched, so a command that
// cannot deliver its file never starts.

#include <QString>

#include <memory>
#include <optional>
#include <variant>

class QTemporaryDir;

namespace talvex::cli {

// Why a command may not write `path` (read's data file, export's CSV, import's data file): it is
// TALVEX.INI (by that name in any folder and letter case, or a link to the working directory's),
// something other than a regular file (a folder, device, pipe or socket), or in a folder that is
// not there. Nothing when it may.
std::optional<QString> WhyNotWritable(const QString& path, const QString& workingDirectory);

// A file a command reads. "-" is standard input, read to its end at once into a temporary file
// of its own (named `name`) that lives as long as this; anything else is a path in the working
// directory.
class InputFile {
public:
    static std::variant<InputFile, QString> Open(const QString& operand, const QString& workingDirectory,
                                                 const QString& name);
    InputFile(InputFile&&) noexcept;
    InputFile& operator=(InputFile&&) noexcept;
    ~InputFile();

    // Where the file is read from.
    const QString& path() const { return path_; }
    // The file as the report names it: its path, or "standard input".
    const QString& shown() const { return shown_; }

private:
    InputFile(QString path, QString shown, std::unique_ptr<QTemporaryDir> folder);

    QString path_;
    QString shown_;
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace talvex::cli
