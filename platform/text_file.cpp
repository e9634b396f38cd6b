#include "text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace talvex {

namespace {

FileError ErrorOf(const QFileDevice& file, const QString& path, FileMode mode)
{
    const QFileInfo info(path);
    if (mode == FileMode::Input && !info.exists())
        return {kErrorFileNotFound, QStringLiteral("File not found")};
    if (mode == FileMode::Output && !info.dir().exists())
        return {kErrorPathNotFound, QStringLiteral("Path not found")};
    if (file.error() == QFileDevice::PermissionsError)
        return {kErrorPermissionDenied, QStringLiteral("Permission denied")};
    return {kErrorFileAccess, file.errorString()};
}

std::optional<FileError> TooLargeToRead(const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= kLargestTextFile)
        return std::nullopt;
    return FileError{kErrorFileAccess, QStringLiteral("File too large: %1 bytes, over the 16 MB a data file may hold")
                                           .arg(size)};
}

std::optional<qint64> g_diskSpaceLeft;  // set only by tests, through SimulateDiskFullAfter

// Why a write failed; a full disk has the number and the words operators know. Qt marks a
// write the disk had no room for as a resource error, and its own text for one that filled the
// disk part-way through is not always there ("Unknown error"), so that text is ours.
FileError WriteErrorOf(const QFileDevice& file, int systemError)
{
    if (systemError == ENOSPC || file.error() == QFileDevice::ResourceError)
        return {kErrorDiskFull, QStringLiteral("No space left on device")};
    return {kErrorFileAccess, file.errorString()};
}

// Writes all of `bytes` and pushes them to the system; a write the system took only in part
// is a failure, never a shorter file.
std::optional<FileError> WriteAll(QFileDevice& file, const QByteArray& bytes)
{
    if (g_diskSpaceLeft) {
        if (bytes.size() > *g_diskSpaceLeft) {
            file.write(bytes.left(*g_diskSpaceLeft));
            file.flush();
            g_diskSpaceLeft = 0;
            return FileError{kErrorDiskFull, QStringLiteral("No space left on device")};
        }
        *g_diskSpaceLeft -= bytes.size();
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return WriteErrorOf(file, errno);
    return std::nullopt;
}

QByteArray LineBytes(const QString& line)
{
    QByteArray bytes = line.toLatin1();
    bytes.append("\r\n");
    return bytes;
}

QString StripLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

// Renames `from` to `to` unless anything stands at `to`: the system decides, once, so a name
// another process takes meanwhile is never replaced.
std::optional<FileError> RenameWithoutReplacing(const QString& from, const QString& to)
{
#ifdef Q_OS_LINUX
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return std::nullopt;
    if (errno == EINVAL || errno == ENOSYS) {
        // A file system without the no-replace rename: a hard link is made new in one step too.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return std::nullopt;
        }
    }
    if (errno == EEXIST)
        return FileError{kErrorFileExists, QStringLiteral("File already exists")};
    return FileError{kErrorFileAccess, QString::fromLocal8Bit(std::strerror(errno))};
#else
    if (QFileInfo::exists(to))
        return FileError{kErrorFileExists, QStringLiteral("File already exists")};
    QFile file(from);
    if (!file.rename(to))
        return FileError{kErrorFileAccess, file.errorString()};
    return std::nullopt;
#endif
}

// Pushes what the system holds of the file to the disk itself: a backup said to be complete
// survives a power cut after its rename.
bool SyncToDisk([[maybe_unused]] QFileDevice& file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

}  // namespace

std::optional<FileError> NotARegularFile(const QString& path)
{
    // Writing or renaming onto anything else would feed a device, block on a pipe, or put a
    // plain file where a device node was.
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return FileError{kErrorFileAccess,
                     QStringLiteral("Path/File access error: not a regular file (a device, pipe, folder or socket is "
                                    "never read or replaced)")};
}

std::optional<FileError> TextFile::open(const QString& path, FileMode mode)
{
    close();
    auto file = std::make_unique<QFile>(path);
    if (auto error = NotARegularFile(path))
        return error;
    if (auto error = mode == FileMode::Input ? TooLargeToRead(path) : std::nullopt)
        return error;
    const auto flags = mode == FileMode::Input ? QIODevice::ReadOnly
                                               : (QIODevice::WriteOnly | QIODevice::Truncate);
    if (!file->open(flags))
        return ErrorOf(*file, path, mode);
    file_ = std::move(file);
    mode_ = mode;
    return std::nullopt;
}

void TextFile::close() { file_.reset(); }

bool TextFile::isOpen() const { return file_ != nullptr; }

bool TextFile::isReading() const { return file_ && mode_ == FileMode::Input; }

bool TextFile::atEnd() const { return !file_ || mode_ != FileMode::Input || file_->atEnd(); }

std::optional<QString> TextFile::readLine()
{
    if (atEnd())
        return std::nullopt;
    return StripLineEnd(file_->readLine());
}

bool TextFile::writeLine(const QString& line)
{
    if (!file_ || mode_ != FileMode::Output)
        return false;
    QByteArray bytes = line.toLatin1();
    bytes.append("\r\n");
    return file_->write(bytes) == bytes.size() && file_->flush();
}

QString TextFile::path() const { return file_ ? file_->fileName() : QString(); }

QString ResolveNameIgnoringCase(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return JoinPath(dir.path(), entry);
    }
    return path;
}

std::optional<QStringList> ReadAllLines(const QString& path)
{
    TextFile file;
    if (file.open(path, FileMode::Input))
        return std::nullopt;
    QStringList lines;
    while (auto line = file.readLine())
        lines.append(*line);
    return lines;
}

std::optional<FileError> WriteLinesAtomically(const QString& path, const QStringList& lines)
{
    ReplacingTextFile file;
    if (auto error = file.open(path))
        return error;
    for (const QString& line : lines) {
        if (!file.writeLine(line))
            break;
    }
    return file.commit();
}

void SimulateDiskFullAfter(std::optional<qint64> bytes) { g_diskSpaceLeft = bytes; }

ReplacingTextFile::ReplacingTextFile() = default;

ReplacingTextFile::~ReplacingTextFile() { discard(); }

std::optional<FileError> ReplacingTextFile::open(const QString& path)
{
    discard();
    if (auto error = NotARegularFile(path))
        return error;
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        return ErrorOf(*file, path, FileMode::Output);
    file_ = std::move(file);
    return std::nullopt;
}

bool ReplacingTextFile::isOpen() const { return file_ != nullptr; }

bool ReplacingTextFile::writeLine(const QString& line)
{
    if (!file_ || writeError_)
        return false;
    const QByteArray bytes = LineBytes(line);
    writeError_ = WriteAll(*file_, bytes);
    if (writeError_)
        return false;
    written_ += bytes.size();
    return true;
}

std::optional<FileError> ReplacingTextFile::commit()
{
    if (!file_)
        return FileError{kErrorFileAccess, QStringLiteral("File not open")};
    // Every line was flushed as it was written; a file that is still shorter than what was
    // written, or in an error state, must not take the old one's place.
    if (!writeError_ && (file_->error() != QFileDevice::NoError || file_->size() != written_))
        writeError_ = WriteErrorOf(*file_, 0);
    if (auto error = writeError_) {
        discard();
        return error;
    }
    const bool committed = file_->commit();
    const QString reason = file_->errorString();
    file_.reset();
    written_ = 0;
    if (!committed)
        return FileError{kErrorFileAccess, reason};
    return std::nullopt;
}

void ReplacingTextFile::discard()
{
    if (file_)
        file_->cancelWriting();
    file_.reset();
    writeError_.reset();
    written_ = 0;
}

QString JoinPath(const QString& directory, const QString& name)
{
    if (directory.isEmpty())
        return name;
    QString joined = QDir::toNativeSeparators(directory);
    if (!joined.endsWith(QDir::separator()))
        joined += QDir::separator();
    return joined + name;
}

bool FileExists(const QString& path) { return QFileInfo(path).isFile(); }

NewTextFile::NewTextFile() = default;

NewTextFile::~NewTextFile() { discard(); }

std::optional<FileError> NewTextFile::create(const QString& path)
{
    discard();
    // NewOnly is O_CREAT | O_EXCL on POSIX and CREATE_NEW on Windows: the system decides, once.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return FileError{kErrorFileExists, QStringLiteral("File already exists")};
        return ErrorOf(*file, path, FileMode::Output);
    }
    file_ = std::move(file);
    return std::nullopt;
}

bool NewTextFile::isOpen() const { return file_ != nullptr; }

bool NewTextFile::writeLine(const QString& line)
{
    if (!file_ || writeError_)
        return false;
    const QByteArray bytes = LineBytes(line);
    writeError_ = WriteAll(*file_, bytes);
    if (writeError_)
        return false;
    written_ += bytes.size();
    return true;
}

std::optional<FileError> NewTextFile::complete()
{
    if (!file_)
        return FileError{kErrorFileAccess, QStringLiteral("File not open")};
    if (completed_)
        return std::nullopt;
    if (!writeError_ && (file_->error() != QFileDevice::NoError || file_->size() != written_))
        writeError_ = WriteErrorOf(*file_, 0);
    errno = 0;
    if (!writeError_ && !SyncToDisk(*file_))
        writeError_ = WriteErrorOf(*file_, errno);
    completed_ = !writeError_;
    return writeError_;
}

std::optional<FileError> NewTextFile::renameTo(const QString& finalPath)
{
    if (const auto error = complete())
        return error;
    if (const auto error = RenameWithoutReplacing(file_->fileName(), finalPath))
        return error;
    file_.reset();  // renamed: no longer ours to remove
    written_ = 0;
    completed_ = false;
    return std::nullopt;
}

void NewTextFile::discard()
{
    if (file_) {
        file_->close();
        file_->remove();
    }
    file_.reset();
    writeError_.reset();
    written_ = 0;
    completed_ = false;
}

}  // namespace talvex
