#pragma once

#include "tcp_server.h"

#include <QTcpServer>

namespace talvex {

// The real listening socket, on QTcpServer.
class QtTcpServer final : public TcpServer {
public:
    QtTcpServer();
    std::optional<QString> listen(const QString& address, std::uint16_t port) override;
    std::uint16_t port() const override;
    void close() override;
    void onConnection(std::function<void(std::unique_ptr<TcpClient>)> connected) override;

private:
    QTcpServer server_;
    std::function<void(std::unique_ptr<TcpClient>)> connected_;
};

}  // namespace talvex
