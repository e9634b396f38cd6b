#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex {

inline const QString kConfigFileName = QStringLiteral("TALVEX.INI");

// What TALVEX.INI says. A key missing from the file leaves its value as it was.
struct ConfigurationValues {
    std::optional<QString> deftFile;
    std::optional<QString> callSign;
    std::optional<QString> commPort;
    std::optional<QString> commBaud;
    std::optional<QString> lastLine;  // nothing when the file holds no line
};

// Lines are recognised by their first eleven characters exactly ("[DeftFile] ", ...); the
// value is the rest of the line, without trailing blanks, whatever its length, so a long
// default file name can never turn into a different, empty file. The last key wins.
ConfigurationValues ParseConfiguration(const QStringList& lines);

// The eight lines System Setup writes.
QStringList ConfigurationLines(const QString& deftFile, const QString& callSign,
                               const QString& commPort, const QString& commBaud);

// `path` is TALVEX.INI: a file of that name in any letter case, in any folder, or the working
// directory's own by any other name (a link to it). Such a file is never a data file or a list
// written over: Create File, a new file or an import would empty the program's configuration.
bool IsConfigurationFile(const QString& path, const QString& workingDirectory);

// The port number of "COMn": every digit after "COM" ("COM10" is port 10); 0 when there is none.
int PortNumber(const QString& commPort);

}  // namespace talvex
