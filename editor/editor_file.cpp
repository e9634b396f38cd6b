#include "editor/editor_file.h"

#include "channels/chirp_export.h"
#include "channels/chirp_import.h"
#include "platform/error_text.h"
#include "platform/text_file.h"

#include <QFile>

namespace talvex::editor {

LoadedLines LoadLines(const QString& path)
{
    TextFile file;
    if (const auto error = file.open(path, FileMode::Input))
        return {std::nullopt, ErrorCodeText(*error, {path})};
    QStringList lines;
    while (auto line = file.readLine())
        lines << *line;
    return {lines, {}};
}

std::optional<QString> SaveLines(const QString& path, const QStringList& lines)
{
    ReplacingTextFile file;
    if (const auto error = file.open(path))
        return ErrorCodeText(*error, {path, QStringLiteral("the file was not changed")});
    for (const QString& line : lines) {
        if (!file.writeLine(line))
            break;
    }
    if (const auto error = file.commit())
        return ErrorCodeText(*error, {path, QStringLiteral("the file was not changed")});
    return std::nullopt;
}

channels::ImportResult ImportChirpFile(const QString& path, const QString& title)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestTextFile) {
        channels::ImportResult failed;
        failed.refused = true;
        failed.report.push_back({0, path + QStringLiteral(": ") + (file.isOpen() ? QStringLiteral("larger than 16 MB") : file.errorString())});
        return failed;
    }
    channels::ImportOptions options;
    options.title = title;
    return channels::ImportChirpCsv(file.readAll(), options);
}

std::optional<QString> ExportChirpFile(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    const QByteArray csv = channels::ChirpCsvOfDataFile(lines);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return path + QStringLiteral(": ") + file.errorString() + QStringLiteral(" ... nothing was written");
    return std::nullopt;
}

}  // namespace talvex::editor
