#include "command_files.h"

#include "exit_codes.h"

#include "datafile/file_line.h"
#include "memory/backup_files.h"
#include "memory/update_plan.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace talvex::cli {

namespace {

// A data file to write from must be there, readable, and name at least one channel as Update
// Rig reads channels; a backup to restore must be complete.
std::optional<int> CheckSourceFile(const InputFile& file, Command command, Output& output)
{
    TextFile text;
    if (const auto error = text.open(file.path(), FileMode::Input)) {
        output.error(QStringLiteral("%1 cannot be read: %2").arg(file.shown(), error->description));
        return kExitFile;
    }
    QStringList lines;
    while (auto line = text.readLine()) {
        lines << *line;
        if (KindOf(*line) == LineKind::End)
            break;
    }
    // Only a complete backup is restored; a data file in BACKUP named like one is held to that too.
    std::optional<QString> notABackup = WhyNotARestorableBackup(file.path(), lines);
    if (command == Command::Restore && !notABackup) {
        if (const auto why = WhyNotACompleteBackup(lines))
            notABackup = file.shown() + QStringLiteral(" is not a complete backup: ") + *why;
    }
    if (notABackup) {
        output.error(*notABackup + QStringLiteral(": nothing was written"));
        return kExitFile;
    }
    if (ChannelsNamedIn(lines).empty()) {
        output.error(file.shown() + QStringLiteral(" has no channel lines: nothing was done"));
        return kExitFile;
    }
    return std::nullopt;
}

// A backup named as `backups` lists it, by its name in BACKUP, or by a path.
QString BackupOperand(const QString& name, const QString& workingDirectory)
{
    if (name == kStandardStream || QFileInfo(QDir(workingDirectory), name).isFile())
        return name;
    return QDir(workingDirectory).filePath(kBackupFolder + u'/' + name);
}

}  // namespace

CommandFiles::CommandFiles(CommandFiles&&) noexcept = default;
CommandFiles& CommandFiles::operator=(CommandFiles&&) noexcept = default;
CommandFiles::~CommandFiles() = default;

std::variant<CommandFiles, int> CommandFiles::Prepare(const Options& options, const QString& workingDirectory,
                                                      const std::optional<QString>& readInto, Output& output)
{
    CommandFiles files;
    if (options.command == Command::Read && readInto) {
        files.engineFile_ = files.shown_ = *readInto;
    } else if (options.command == Command::Read) {
        files.toStandardOutput_ = options.file == kStandardStream;
        if (files.toStandardOutput_) {
            files.shown_ = QStringLiteral("standard output");
            output.reportToStandardError();
        } else {
            files.shown_ = QFileInfo(QDir(workingDirectory), options.file).absoluteFilePath();
            if (const auto why = WhyNotWritable(files.shown_, workingDirectory)) {
                output.error(*why);
                return kExitFile;
            }
            files.deliverTo_ = files.shown_;
        }
        files.readFolder_ = std::make_unique<QTemporaryDir>();
        if (!files.readFolder_->isValid()) {
            output.error(QStringLiteral("no temporary folder for the radio's channels: ") + files.readFolder_->errorString());
            return kExitFile;
        }
        files.engineFile_ = files.readFolder_->filePath(
            files.deliverTo_ ? QFileInfo(*files.deliverTo_).fileName() : QStringLiteral("RADIO.TXT"));
    } else if (options.command == Command::Write || options.command == Command::Restore
               || options.command == Command::Diff) {
        const bool restoring = options.command == Command::Restore;
        auto opened = InputFile::Open(restoring ? BackupOperand(options.file, workingDirectory) : options.file,
                                      workingDirectory, restoring ? QStringLiteral("BACKUP.TXT") : QStringLiteral("STDIN.TXT"));
        if (const QString* why = std::get_if<QString>(&opened)) {
            output.error(*why);
            return kExitFile;
        }
        files.input_.emplace(std::move(std::get<InputFile>(opened)));
        if (const auto code = CheckSourceFile(*files.input_, options.command, output))
            return *code;
        files.engineFile_ = files.input_->path();
        files.shown_ = files.input_->shown();
    }
    return files;
}

std::optional<QString> CommandFiles::deliver(Output& output) const
{
    if (!deliverTo_ && !toStandardOutput_)
        return std::nullopt;
    const auto lines = ReadAllLines(engineFile_);
    if (!lines)
        return engineFile_ + QStringLiteral(" cannot be read back");
    if (deliverTo_) {
        if (const auto error = WriteLinesAtomically(*deliverTo_, *lines))
            return *deliverTo_ + QStringLiteral(" cannot be written: ") + error->description;
        return std::nullopt;
    }
    QByteArray bytes;
    for (const QString& line : *lines)
        bytes += line.toLatin1() + "\r\n";
    if (!output.data(bytes))
        return QStringLiteral("standard output cannot be written");
    return std::nullopt;
}

}  // namespace talvex::cli
