#pragma once

// Whether TALVEX serves rig-control clients, and where: kept in a file of its own beside
// TALVEX.INI (TALVEX-SERVER.INI, one line "[RigServer] 127.0.0.1:4532"). TALVEX.INI keeps its
// eight lines exactly: older copies of the program and the operator's own tools read it by
// line number, so a ninth line would be a risk to them, while a file they never open is none.
// No file, an empty one, or "[RigServer] OFF": the server is off.

#include "rig_server.h"

#include <QString>

#include <optional>

namespace talvex::server {

inline const QString kServerSettingFile = QStringLiteral("TALVEX-SERVER.INI");

// The address the file in `directory` names; nothing when the server is off or the line does
// not read.
std::optional<ServerAddress> ReadServerSetting(const QString& directory);
// Writes the file (nothing: "OFF"); false when it could not be written.
bool WriteServerSetting(const QString& directory, const std::optional<ServerAddress>& address);

}  // namespace talvex::server
