#pragma once

// Text that came from files or from the radio (labels, CHIRP names, station names, lines quoted
// in reports, file names) is printed through these, so a name holding ESC, BEL or NUL can never
// move the cursor, ring, recolour or retitle the terminal it lands on.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace talvex::cli {

// `text` with each control character (C0, DEL and C1: U+0000-U+001F, U+007F-U+009F) written as
// \xHH ("\x1b", "\x07", "\x00"); everything else as it is.
QString Printable(const QString& text);

// The lines as printed: each made Printable, each ended by a line end.
QString PrintableLines(const QStringList& lines);

// One JSON object as printed, indented and ended by a line end. QJsonDocument writes C0 controls
// as \u00XX already; DEL and the C1 controls, which it leaves raw, are written so too.
QByteArray JsonText(const QJsonObject& object);

}  // namespace talvex::cli
