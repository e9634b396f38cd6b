#include "rig_server.h"

#include <algorithm>

namespace talvex::server {

RigServer::RigServer(TcpServer& socket, RigBackend& backend, TimerFactory& timers)
    : socket_(socket), backend_(backend), sweep_(timers.create(0, false))
{
    sweep_->onTick([this] { sweep(); });
    socket_.onConnection([this](std::unique_ptr<TcpClient> client) { connected(std::move(client)); });
}

RigServer::~RigServer() { socket_.onConnection({}); }

std::optional<QString> RigServer::start(const QString& host, std::uint16_t port) { return socket_.listen(host, port); }

void RigServer::stop()
{
    socket_.close();
    for (const auto& session : sessions_)
        session->end();
}

int RigServer::clients() const
{
    return static_cast<int>(std::count_if(sessions_.begin(), sessions_.end(),
                                          [](const auto& session) { return !session->over(); }));
}

void RigServer::connected(std::unique_ptr<TcpClient> client)
{
    const bool full = clients() >= kMaxClients;
    ClientInfo info{nextId_++, client->peer()};
    sessions_.push_back(std::make_unique<ClientSession>(std::move(client), std::move(info), backend_,
                                                        [this] { sweep_->setEnabled(true); }));
    if (full)
        sessions_.back()->refuse();
}

void RigServer::sweep()
{
    sweep_->setEnabled(false);
    std::erase_if(sessions_, [](const auto& session) { return session->over(); });
}

}  // namespace talvex::server
