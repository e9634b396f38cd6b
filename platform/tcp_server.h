#pragma once

// The network side of the boundary: a listening socket and its connections, as the rig server
// sees them. The server's logic and its tests never touch a socket; a scripted pair stands in.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace talvex {

// One client's connection. The callbacks are called from the event loop, never from inside
// write() or close().
class TcpClient {
public:
    virtual ~TcpClient() = default;
    // "127.0.0.1:54321": how the operator is told which client did what.
    virtual QString peer() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // Ends the connection once what was written has gone; nothing is received after it.
    virtual void close() = 0;
    virtual void onReceived(std::function<void(const QByteArray&)> received) = 0;
    // The connection ended: closed by the client, broken, or after close().
    virtual void onClosed(std::function<void()> closed) = 0;
};

class TcpServer {
public:
    virtual ~TcpServer() = default;
    // Starts listening; the error in words when the address cannot be taken.
    virtual std::optional<QString> listen(const QString& address, std::uint16_t port) = 0;
    virtual std::uint16_t port() const = 0;  // the port listened on (useful when 0 was asked)
    // Stops listening, so that listen() may take another address; the connections already
    // made stay until their own close().
    virtual void close() = 0;
    virtual void onConnection(std::function<void(std::unique_ptr<TcpClient>)> connected) = 0;
};

}  // namespace talvex
