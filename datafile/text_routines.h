#pragma once

#include <QString>

namespace talvex {

// Raises the letters a-z in place. Other characters stay as they are: a "~" in a short name
// such as "MEMORI~1.TXT" must not turn into another character and another file.
void UpperCase(QString& text);

// The file name after the last "\" or "/", upper-cased: how a data file is named in messages.
QString UpperFileName(const QString& path);

// Adds ".txt" unless the name ends in a point and three characters ("HAM.TXT", "A.DAT").
QString AddTxtExtension(const QString& name);

// A name is bare, and lives in the working directory, when it is 12 characters or fewer and
// names no directory and no drive; anything else is a path and is used as given.
bool IsBareName(const QString& name);

}  // namespace talvex
