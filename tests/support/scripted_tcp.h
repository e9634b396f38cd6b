#pragma once

// A listening socket and its connections without a network: a test connects clients, sends
// their bytes and hangs them up, and reads what the server wrote, closed and listened on.

#include "platform/tcp_server.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace talvex::testing {

class ScriptedClient final : public TcpClient {
public:
    explicit ScriptedClient(int n) : peer_(QStringLiteral("127.0.0.1:%1").arg(40000 + n)) {}
    QString peer() const override { return peer_; }
    void write(const QByteArray& bytes) override { written += bytes; }
    void close() override { closeAsked = true; }
    void onReceived(std::function<void(const QByteArray&)> received) override { received_ = std::move(received); }
    void onClosed(std::function<void()> closed) override { closed_ = std::move(closed); }

    void send(const QByteArray& bytes) { received_(bytes); }
    void hangUp() { closed_(); }

    QByteArray written;
    bool closeAsked = false;

private:
    QString peer_;
    std::function<void(const QByteArray&)> received_;
    std::function<void()> closed_;
};

class ScriptedServer final : public TcpServer {
public:
    std::optional<QString> listen(const QString& address, std::uint16_t port) override
    {
        if (listening)
            return QStringLiteral("already listening");  // as QTcpServer refuses a second listen
        if (const auto error = std::exchange(nextListenError, std::nullopt))
            return error;
        listening = QStringLiteral("%1:%2").arg(address).arg(port);
        return std::nullopt;
    }
    std::uint16_t port() const override { return 4532; }
    void close() override { listening.reset(); }
    void onConnection(std::function<void(std::unique_ptr<TcpClient>)> connected) override { connected_ = std::move(connected); }

    ScriptedClient& connect()
    {
        auto client = std::make_unique<ScriptedClient>(++count_);
        ScriptedClient& kept = *client;
        connected_(std::move(client));
        return kept;
    }

    std::optional<QString> listening;  // "127.0.0.1:4532"
    std::optional<QString> nextListenError;

private:
    std::function<void(std::unique_ptr<TcpClient>)> connected_;
    int count_ = 0;
};

}  // namespace talvex::testing
