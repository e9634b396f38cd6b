#include "data_file.h"

#include "datafile/text_routines.h"

#include <QDir>

namespace talvex {

QString ModeText(FileMode mode)
{
    return mode == FileMode::Input ? QStringLiteral("Input") : QStringLiteral("Output");
}

DataFile::DataFile(ProgramState& state, Dialogs& dialogs, ProgramExit& exit, QString workingDirectory)
    : state_(state), dialogs_(dialogs), exit_(exit), workingDirectory_(std::move(workingDirectory))
{
}

QString DataFile::resolve(const QString& name) const
{
    // The working directory is where the program runs, so a relative path means the same
    // from there as it always did; naming it keeps the program independent of the process's.
    if (!IsBareName(name))
        return QDir::isRelativePath(name) && !name.contains(u':') ? JoinPath(workingDirectory_, name) : name;
    return ResolveNameIgnoringCase(JoinPath(workingDirectory_, name));
}

std::optional<FileNotice> DataFile::OpenDataFile(QString& name, FileMode mode)
{
    file_.close();
    const QString path = resolve(name);
    const auto error = file_.open(path, mode);
    if (!error) {
        state_.CurrentDataFile = path;
        name = path;
        state_.DataFileOpen = true;
        state_.CurrentFileName = UpperFileName(path);
        return std::nullopt;
    }

    if (error->number == kErrorFileNotFound && mode == FileMode::Input) {
        dialogs_.critical(QStringLiteral("OPEN FILE ERROR"),
                          ErrorCodeText(*error, {name, QStringLiteral("File will be created.")}));
        QString created = path;
        if (auto notCreated = OpenDataFile(created, FileMode::Output)) {
            // The file could not be created either: a restart would meet the same wall, so
            // say nothing more than that failure and leave nothing open.
            state_.DataFileOpen = false;
            return notCreated;
        }
        CloseDataFile();
        dialogs_.critical(QStringLiteral("Restart (creating missing file)"), QStringLiteral("Restart program!"));
        exit_.end(0);
    }

    // Nothing is open now, whatever was open before, so the flag must not claim otherwise.
    state_.DataFileOpen = false;
    return FileNotice{QStringLiteral("Open File - Unexpected Error"), ErrorCodeText(*error, {name, ModeText(mode)})};
}

std::optional<FileNotice> DataFile::ReopenDataFile(const QString& path, FileMode mode)
{
    file_.close();
    auto error = file_.open(path, mode);
    if (!error) {
        state_.DataFileOpen = true;
        return std::nullopt;
    }
    if (error->number == kErrorFileNotFound) {
        dialogs_.critical(QStringLiteral("Re-Open File Error"),
                          ErrorCodeText(*error, {path, ModeText(mode), QStringLiteral("File will be created.")}));
        QString created = path;
        // Said as it happens, as the missing file was: the retry's failure follows it.
        if (const auto notCreated = OpenDataFile(created, FileMode::Output))
            dialogs_.critical(notCreated->title, notCreated->text);
        file_.close();
        // One retry only: a file that cannot be created is reported, never retried forever.
        error = file_.open(path, mode);
        if (!error) {
            state_.DataFileOpen = true;
            return std::nullopt;
        }
    }
    state_.DataFileOpen = false;
    return FileNotice{QStringLiteral("Re-Open File - Unexpected Error"), ErrorCodeText(*error, {path, ModeText(mode)})};
}

void DataFile::CloseDataFile()
{
    file_.close();
    state_.DataFileOpen = false;
}

bool DataFile::ReadDataLine(QString& line)
{
    auto next = file_.readLine();
    if (!next)
        return false;
    line = *next;
    return true;
}

bool DataFile::WriteDataLine(std::initializer_list<ZoneField> fields)
{
    return file_.writeLine(FormatDataLine(fields));
}

}  // namespace talvex
