#pragma once

// Rows to and from the clipboard: tab-separated text in the table's column order for a
// spreadsheet, and the lines themselves between editors, so that a copied channel keeps its
// whole-record zone. Text from outside is never trusted: every row is read through the same
// cell edits the keyboard makes, and what cannot be read is left out and reported.

#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::editor {

// More text than this is no list of 99 channels: refused whole rather than read.
inline constexpr qsizetype kLargestPaste = 1024 * 1024;

QString TsvOfLines(const QStringList& lines);

struct PastedRows {
    QStringList lines;   // channel lines, numbered by their Ch cell when it names a channel 1-99, else 0
    QStringList report;  // "row 2: \"abc\" is no frequency ...: left out"
};
PastedRows RowsOfTsv(const QString& text);

// The lines as the editor's own clipboard format carries them, and back (channel lines only).
QByteArray LinesPayload(const QStringList& lines);
QStringList LinesOfPayload(const QByteArray& payload);
inline constexpr const char* kLinesMimeType = "application/x-talvex-data-lines";

}  // namespace talvex::editor
