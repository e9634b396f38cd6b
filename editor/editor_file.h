#pragma once

// The editor's file side: the data file read whole, written back through the same replacing
// write Create File uses (the old file stays whole until the new one is complete), and CHIRP's
// CSV in and out through the channel-list conversions.

#include "channels/import_report.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex::editor {

struct LoadedLines {
    std::optional<QStringList> lines;
    QString error;  // "Error Code 53 ... ... path" when the file could not be read
};
LoadedLines LoadLines(const QString& path);

// Nothing when the file at `path` now holds `lines`, each ending CR LF; otherwise why not, and
// the old file is as it was.
std::optional<QString> SaveLines(const QString& path, const QStringList& lines);

// A CHIRP CSV file as data-file lines, with its report.
channels::ImportResult ImportChirpFile(const QString& path, const QString& title);
// The channel lines as a CHIRP CSV file; nothing when written, why not otherwise.
std::optional<QString> ExportChirpFile(const QString& path, const QStringList& lines);

}  // namespace talvex::editor
