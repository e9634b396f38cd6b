#pragma once

// The files export and import read and write, through the program's own text files: only
// regular files are read, none of absurd size, and a file is replaced only once every byte of
// the new one is on the disk (a failed write keeps the old file as it was).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace talvex::cli {

// A name as the windows take it: a bare name of 12 characters or fewer lives in the working
// directory (its letter case as the disk has it), anything else is a path.
QString DataFilePath(const QString& name, const QString& workingDirectory);

// The file's bytes as they are (each line end made LF), or a one-line reason.
std::variant<QByteArray, QString> ReadFileBytes(const QString& path);
// The file's lines without their ends, or a one-line reason.
std::variant<QStringList, QString> ReadFileLines(const QString& path);

// `bytes`, whose lines all end CR LF, put in place of `path`; a one-line reason when not.
std::optional<QString> ReplaceFileBytes(const QString& path, const QByteArray& bytes);
std::optional<QString> ReplaceFileLines(const QString& path, const QStringList& lines);

}  // namespace talvex::cli
