#pragma once

// Whether TALVEX serves rig-control clients, and where: kept in a file of its own beside
// TALVEX.INI (TALVEX-SERVER.INI, one line "[RigServer] 127.0.0.1:4532"). TALVEX.INI keeps its
// eight lines exactly: older copies of the program and the operator's own tools read it by
// line number, so a ninth line would be a risk to them, while a file they never open is none.
// No file, an empty one, or "[RigServer] OFF": the server is off.

#include <QString>

#include <cstdint>
#include <optional>

namespace talvex {

// Where the rig server listens: the loopback unless the operator names an address, so nothing
// beyond this computer reaches the radio by default.
struct ServerAddress {
    QString host = QStringLiteral("127.0.0.1");
    std::uint16_t port = 4532;
    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// "4532", "0.0.0.0:4532", "[::1]:4532"; nothing when it does not read (a port 1-65535).
std::optional<ServerAddress> ParseServerAddress(const QString& text);
QString ServerAddressText(const ServerAddress& address);

inline const QString kServerSettingFile = QStringLiteral("TALVEX-SERVER.INI");

// The address the file in `directory` names; nothing when the server is off or the line does
// not read.
std::optional<ServerAddress> ReadServerSetting(const QString& directory);
// Writes the file (nothing: "OFF"); false when it could not be written.
bool WriteServerSetting(const QString& directory, const std::optional<ServerAddress>& address);

}  // namespace talvex
