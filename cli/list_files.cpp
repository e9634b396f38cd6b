#include "list_files.h"

#include "datafile/text_routines.h"
#include "platform/text_file.h"

#include <QDir>

namespace talvex::cli {

QString DataFilePath(const QString& name, const QString& workingDirectory)
{
    if (!IsBareName(name))
        return QDir::isRelativePath(name) && !name.contains(u':') ? JoinPath(workingDirectory, name) : name;
    return ResolveNameIgnoringCase(JoinPath(workingDirectory, name));
}

std::variant<QStringList, QString> ReadFileLines(const QString& path)
{
    TextFile file;
    if (const auto error = file.open(path, FileMode::Input))
        return path + QStringLiteral(" cannot be read: ") + error->description;
    QStringList lines;
    while (auto line = file.readLine())
        lines << *line;
    return lines;
}

std::variant<QByteArray, QString> ReadFileBytes(const QString& path)
{
    auto lines = ReadFileLines(path);
    if (const QString* error = std::get_if<QString>(&lines))
        return *error;
    // The text file reads single bytes as Latin-1, so every byte comes back as it was; the
    // lists' readers take LF as well as CR LF.
    QByteArray bytes;
    for (const QString& line : std::get<QStringList>(lines))
        bytes += line.toLatin1() + '\n';
    return bytes;
}

std::optional<QString> ReplaceFileLines(const QString& path, const QStringList& lines)
{
    if (const auto error = WriteLinesAtomically(path, lines))
        return path + QStringLiteral(" cannot be written: ") + error->description;
    return std::nullopt;
}

std::optional<QString> ReplaceFileBytes(const QString& path, const QByteArray& bytes)
{
    // The text file writes each line as Latin-1 with CR LF after it: the UTF-8 bytes go down
    // exactly as they are.
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return ReplaceFileLines(path, lines);
}

}  // namespace talvex::cli
