#include "rig_server.h"

#include <algorithm>

namespace talvex::server {

std::optional<ServerAddress> ParseServerAddress(const QString& text)
{
    ServerAddress address;
    QString portText = text.trimmed();
    const qsizetype colon = portText.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString host = portText.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        if (host.isEmpty())
            return std::nullopt;
        address.host = host;
        portText = portText.mid(colon + 1);
    }
    bool ok = false;
    const uint port = portText.toUInt(&ok, 10);
    if (!ok || port == 0 || port > 65535 || portText.startsWith(QLatin1Char('+')))
        return std::nullopt;
    address.port = static_cast<std::uint16_t>(port);
    return address;
}

QString ServerAddressText(const ServerAddress& address)
{
    const QString host = address.host.contains(QLatin1Char(':')) ? QLatin1Char('[') + address.host + QLatin1Char(']')
                                                                  : address.host;
    return host + QLatin1Char(':') + QString::number(address.port);
}

RigServer::RigServer(TcpServer& socket, RigBackend& backend, TimerFactory& timers)
    : socket_(socket), backend_(backend), sweep_(timers.create(0, false))
{
    sweep_->onTick([this] { sweep(); });
    socket_.onConnection([this](std::unique_ptr<TcpClient> client) { connected(std::move(client)); });
}

RigServer::~RigServer() { socket_.onConnection({}); }

std::optional<QString> RigServer::start(const ServerAddress& address) { return socket_.listen(address.host, address.port); }

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
