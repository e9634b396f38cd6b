#pragma once

// Hamlib's network rig protocol on a TCP port: each connection a session of its own, at most
// kMaxClients at a time, all of them answered by one radio side.

#include "client_session.h"
#include "rig_backend.h"

#include "platform/tcp_server.h"
#include "platform/timer.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace talvex::server {

// Where the server listens: the loopback unless the operator names an address, so nothing
// beyond this computer reaches the radio by default.
struct ServerAddress {
    QString host = QStringLiteral("127.0.0.1");
    std::uint16_t port = 4532;
    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// "4532", "0.0.0.0:4532", "[::1]:4532"; nothing when it does not read (a port 1-65535).
std::optional<ServerAddress> ParseServerAddress(const QString& text);
QString ServerAddressText(const ServerAddress& address);

class RigServer {
public:
    static constexpr int kMaxClients = 8;

    RigServer(TcpServer& socket, RigBackend& backend, TimerFactory& timers);
    ~RigServer();

    std::optional<QString> start(const ServerAddress& address);
    std::uint16_t port() const { return socket_.port(); }
    int clients() const;

private:
    void connected(std::unique_ptr<TcpClient> client);
    void sweep();

    TcpServer& socket_;
    RigBackend& backend_;
    std::unique_ptr<Timer> sweep_;  // sessions that ended go from the event loop, not inside their own calls
    std::vector<std::unique_ptr<ClientSession>> sessions_;
    int nextId_ = 1;
};

}  // namespace talvex::server
