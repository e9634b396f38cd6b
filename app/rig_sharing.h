#pragma once

// The rig server wired into one program: its clients' commands carried by the program's own
// link, its cache fed by every answer window and broadcast, its notices shown by the windows.

#include "program.h"

#include "platform/tcp_server.h"
#include "startup/server_setting.h"
#include "server/rig_server.h"
#include "server/rig_service.h"

#include <optional>

namespace talvex {

class RigSharing {
public:
    // Nothing is listened on until start().
    RigSharing(Program& program, TcpServer& socket, const Clock& clock);
    ~RigSharing();
    RigSharing(const RigSharing&) = delete;
    RigSharing& operator=(const RigSharing&) = delete;

    // Starts serving; the error in words when the address cannot be taken, which the Radio
    // window's status bar also shows.
    std::optional<QString> start(const ServerAddress& address);
    // Serves at `address` from now on, or nowhere: the server listening elsewhere stops first,
    // and its clients are gone as if they had closed their connections. Nothing changes when
    // it already serves there. The error as start() gives it.
    std::optional<QString> serve(const std::optional<ServerAddress>& address);
    std::uint16_t port() const { return server_.port(); }

    server::RigService& service() { return service_; }

private:
    Program& program_;
    server::RigService service_;
    server::RigServer server_;
    std::optional<ServerAddress> serving_;  // where it listens
};

// The server's address for this run: `--rig-server [ADDRESS:]PORT` (or `--rig-server=...`)
// among the program's arguments wins over TALVEX-SERVER.INI in `directory`. `error` is set
// when the option is given without an address that reads.
struct ServerChoice {
    std::optional<ServerAddress> address;
    std::optional<QString> error;
};
ServerChoice ChooseServerAddress(const QStringList& arguments, const QString& directory);

}  // namespace talvex
