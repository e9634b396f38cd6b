#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace talvex {

// Error numbers reported for files, the ones operators of this program already know.
inline constexpr int kErrorFileNotFound = 53;
inline constexpr int kErrorPermissionDenied = 70;
inline constexpr int kErrorFileAccess = 75;
inline constexpr int kErrorPathNotFound = 76;
inline constexpr int kErrorDiskFull = 61;
inline constexpr int kErrorFileExists = 58;

// No text file this program reads is anywhere near this size (a full data file is under 8 KB):
// a larger one is refused at opening rather than read into memory.
inline constexpr qint64 kLargestTextFile = 16 * 1024 * 1024;

struct FileError {
    int number = 0;
    QString description;
};

enum class FileMode { Input, Output };

// One plain text file, read or written line by line. Text is single-byte (Latin-1 both ways,
// so every byte survives a round trip); lines are written with CR LF, and read with CR LF or
// LF alone. Only regular files are opened (never a device, pipe, folder or socket), and none
// over kLargestTextFile is opened for reading.
class TextFile {
public:
    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    std::optional<FileError> open(const QString& path, FileMode mode);
    void close();
    bool isOpen() const;
    bool isReading() const;
    bool atEnd() const;
    // The next line without its line end; nothing at the end of the file.
    std::optional<QString> readLine();
    bool writeLine(const QString& line);
    QString path() const;

private:
    std::unique_ptr<QFile> file_;
    FileMode mode_ = FileMode::Input;
};

// A file written line by line into a temporary file beside its path; the file at the path is
// replaced only by commit(), and only when every byte written reached the disk. Until then, and
// when a write failed, when discarded or destroyed, the old file stays exactly as it was. Only
// a regular file is ever replaced: open() refuses a path that names a device, pipe, folder or
// socket, which a rename would otherwise swap for a plain file.
class ReplacingTextFile {
public:
    ReplacingTextFile();
    ~ReplacingTextFile();
    ReplacingTextFile(const ReplacingTextFile&) = delete;
    ReplacingTextFile& operator=(const ReplacingTextFile&) = delete;

    std::optional<FileError> open(const QString& path);
    bool isOpen() const;
    // False once any write failed; the failure is kept and commit() reports it.
    bool writeLine(const QString& line);
    // The first write failure, or the failure to put the file in place; nothing when the new
    // file is in place, complete.
    std::optional<FileError> commit();
    void discard();

private:
    std::unique_ptr<QSaveFile> file_;
    std::optional<FileError> writeError_;
    qint64 written_ = 0;
};

// For tests of a full disk: once `bytes` more bytes have been written to replacing files, the
// next write puts down only what still fits and fails as on a full disk. Nothing (std::nullopt)
// switches it off; the program itself never sets it.
void SimulateDiskFullAfter(std::optional<qint64> bytes);

// On a file system that tells case apart, the existing file whose name differs from `path`
// only in letter case (the program's names were always case-blind); `path` itself otherwise.
QString ResolveNameIgnoringCase(const QString& path);

bool FileExists(const QString& path);

// Something other than a regular file stands at `path` (a device, pipe, folder or socket, or a
// link to one): why it is never read, written or replaced. Nothing for a regular file or none.
std::optional<FileError> NotARegularFile(const QString& path);

// A file made under a name no one else holds (created new in one step, so of two processes
// claiming a name only one gets it), written line by line, then given its final name by a rename
// that never replaces anything. Until that rename nothing stands under the final name; a file
// discarded, destroyed or left by a crash stands only under the name it was made with.
class NewTextFile {
public:
    NewTextFile();
    ~NewTextFile();
    NewTextFile(const NewTextFile&) = delete;
    NewTextFile& operator=(const NewTextFile&) = delete;

    // Creates `path` new and empty; kErrorFileExists when anything of that name exists already.
    std::optional<FileError> create(const QString& path);
    bool isOpen() const;
    // False once any write failed; the failure is kept and complete() reports it.
    bool writeLine(const QString& line);
    // Every line written is on the disk, flushed and synced: nothing, or the first failure (the
    // file then stays, still under its own name, until discarded).
    std::optional<FileError> complete();
    // Completes the file and renames it to `finalPath`, never over anything: kErrorFileExists
    // when something stands there (the file is then still ours, under its own name).
    std::optional<FileError> renameTo(const QString& finalPath);
    // Removes the file unless it was renamed.
    void discard();

private:
    std::unique_ptr<QFile> file_;
    std::optional<FileError> writeError_;
    qint64 written_ = 0;
    bool completed_ = false;
};

// Whole-file helpers for small files (configuration, test fixtures).
std::optional<QStringList> ReadAllLines(const QString& path);
// Written to a temporary file beside `path` and renamed into place, so a failed write never
// leaves half a file behind: on any failure the old file is kept byte for byte. Lines end in
// CR LF.
std::optional<FileError> WriteLinesAtomically(const QString& path, const QStringList& lines);

// Joins a directory and a file name with the platform's own separator.
QString JoinPath(const QString& directory, const QString& name);

}  // namespace talvex
