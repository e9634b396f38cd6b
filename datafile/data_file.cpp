#include "data_file.h"

#include "datafile/text_routines.h"

#include <QDir>

namespace talvex {

QString ModeText(FileMode mode)
{
    return mode == FileMode::Input ? QStringLiteral("Input") : QStringLiteral("Output");
}

DataFile::DataFile(ProgramState& state, QString workingDirectory)
    : state_(state), workingDirectory_(std::move(workingDirectory))
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

FileOpening DataFile::OpenDataFile(QString& name, FileMode mode, MissingFile missing)
{
    file_.close();
    const QString path = resolve(name);
    const auto error = file_.open(path, mode);
    if (!error) {
        state_.CurrentDataFile = path;
        name = path;
        state_.DataFileOpen = true;
        state_.CurrentFileName = UpperFileName(path);
        return {};
    }
    // Nothing is open now, whatever was open before, so the flag must not claim otherwise.
    state_.DataFileOpen = false;

    if (error->number == kErrorFileNotFound && mode == FileMode::Input && missing == MissingFile::Create) {
        const FileNotice missingFile{QStringLiteral("OPEN FILE ERROR"),
                                     ErrorCodeText(*error, {name, QStringLiteral("File will be created.")})};
        QString created = path;
        FileOpening opening = OpenDataFile(created, FileMode::Output);
        opening.said.insert(opening.said.begin(), missingFile);
        // A file that could not be created either: a restart would meet the same wall, so say
        // nothing more than that failure and leave nothing open.
        CloseDataFile();
        opening.restart = !opening.failure;
        return opening;
    }
    return {{}, FileNotice{QStringLiteral("Open File - Unexpected Error"), ErrorCodeText(*error, {name, ModeText(mode)})}};
}

FileOpening DataFile::ReopenDataFile(const QString& path, FileMode mode)
{
    file_.close();
    auto error = file_.open(path, mode);
    if (!error) {
        state_.DataFileOpen = true;
        return {};
    }
    FileOpening opening;
    if (error->number == kErrorFileNotFound) {
        opening.said.push_back({QStringLiteral("Re-Open File Error"),
                                ErrorCodeText(*error, {path, ModeText(mode), QStringLiteral("File will be created.")})});
        QString created = path;
        // Said as it happens, as the missing file was: the retry's failure follows it.
        if (auto notCreated = OpenDataFile(created, FileMode::Output).failure)
            opening.said.push_back(std::move(*notCreated));
        file_.close();
        // One retry only: a file that cannot be created is reported, never retried forever.
        error = file_.open(path, mode);
        if (!error) {
            state_.DataFileOpen = true;
            return opening;
        }
    }
    state_.DataFileOpen = false;
    opening.failure = FileNotice{QStringLiteral("Re-Open File - Unexpected Error"), ErrorCodeText(*error, {path, ModeText(mode)})};
    return opening;
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
