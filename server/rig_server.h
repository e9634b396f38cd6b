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

class RigServer {
public:
    static constexpr int kMaxClients = 8;

    RigServer(TcpServer& socket, RigBackend& backend, TimerFactory& timers);
    ~RigServer();

    std::optional<QString> start(const QString& host, std::uint16_t port);
    // Listens no more and ends every connection; start() may then take another address.
    void stop();
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
