#include "qt_tcp_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>

namespace talvex {

namespace {

class QtTcpClient final : public TcpClient {
public:
    explicit QtTcpClient(QTcpSocket* socket)
        : socket_(socket), peer_(socket->peerAddress().toString() + QLatin1Char(':') + QString::number(socket->peerPort()))
    {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] {
            // Everything waiting is taken at once, so Qt's own buffer never grows behind the
            // server's capped line buffer.
            const QByteArray bytes = socket_->readAll();
            if (received_ && !closing_)
                received_(bytes);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] { ended(); });
        QObject::connect(socket, &QTcpSocket::errorOccurred, socket, [this](QAbstractSocket::SocketError) {
            if (socket_->state() != QAbstractSocket::ConnectedState)
                ended();
        });
    }

    // The socket may be inside one of its own signals when its client goes: it is deleted
    // later, from the event loop, and tells nobody anything any more.
    ~QtTcpClient() override
    {
        if (!socket_)
            return;
        socket_->disconnect();
        socket_->abort();
        socket_->deleteLater();
    }

    QString peer() const override { return peer_; }
    void write(const QByteArray& bytes) override
    {
        if (socket_ && !closing_)
            socket_->write(bytes);
    }
    void close() override
    {
        if (!socket_ || closing_)
            return;
        closing_ = true;
        socket_->disconnectFromHost();  // after the written bytes have gone
    }
    void onReceived(std::function<void(const QByteArray&)> received) override { received_ = std::move(received); }
    void onClosed(std::function<void()> closed) override { closed_ = std::move(closed); }

private:
    void ended()
    {
        if (ended_)
            return;
        ended_ = true;
        if (closed_)
            closed_();  // may delete this object
    }

    QPointer<QTcpSocket> socket_;
    QString peer_;
    std::function<void(const QByteArray&)> received_;
    std::function<void()> closed_;
    bool closing_ = false;
    bool ended_ = false;
};

}  // namespace

QtTcpServer::QtTcpServer()
{
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(nullptr);  // owned by its client object from here on
            if (connected_)
                connected_(std::make_unique<QtTcpClient>(socket));
            else
                socket->deleteLater();
        }
    });
}

std::optional<QString> QtTcpServer::listen(const QString& address, std::uint16_t port)
{
    QHostAddress host;
    if (!host.setAddress(address))
        return QStringLiteral("\"%1\" is not an IP address").arg(address);
    if (!server_.listen(host, port))
        return server_.errorString();
    return std::nullopt;
}

std::uint16_t QtTcpServer::port() const { return server_.serverPort(); }

void QtTcpServer::close() { server_.close(); }

void QtTcpServer::onConnection(std::function<void(std::unique_ptr<TcpClient>)> connected)
{
    connected_ = std::move(connected);
}

}  // namespace talvex
