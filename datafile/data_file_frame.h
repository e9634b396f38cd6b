#pragma once

#include <QStringList>

namespace talvex {

// The lines a data file written from the radio has before its channel lines (title, heading,
// an empty line) and after them (an empty line, the heading, an empty line, the END line).
QStringList DataFileHead(const QString& title);
QStringList DataFileTail();

}  // namespace talvex
