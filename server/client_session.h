#pragma once

// One client's connection: its bytes gathered into lines, each line's commands answered one
// after the other, in order, whatever the radio side takes; nothing a client sends can make
// the session hold more than a bounded amount of it.

#include "rig_backend.h"

#include "platform/tcp_server.h"
#include "rigserver/rig_command.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace talvex::server {

class ClientSession {
public:
    // No command line of Hamlib's protocol comes near this; a longer one is answered RPRT -1
    // once, and the rest of it, up to its newline, is dropped unread.
    static constexpr std::size_t kMaxLineBytes = 1024;
    // Commands read but not yet answered; a client that piles up more without reading its
    // answers is closed.
    static constexpr std::size_t kMaxWaitingCommands = 256;

    // `ended` is called once the connection is over; the session may then be deleted, but not
    // from inside the call.
    ClientSession(std::unique_ptr<TcpClient> client, ClientInfo info, RigBackend& backend, std::function<void()> ended);
    ~ClientSession();
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // Closed at once, nothing read: the server has all the clients it serves.
    void refuse();
    // The server stops: the connection is closed and over at once, as if the client had closed
    // it (a transmitter it keyed is released).
    void end();
    bool over() const { return over_; }
    const ClientInfo& info() const { return info_; }

private:
    void received(const QByteArray& bytes);
    void takeLine(std::string_view line);
    void next();
    void closed();

    std::unique_ptr<TcpClient> client_;
    ClientInfo info_;
    RigBackend& backend_;
    std::function<void()> ended_;
    std::string line_;
    bool dropping_ = false;  // inside a line that was too long
    std::deque<rigserver::RigCommand> waiting_;
    bool busy_ = false;  // a command is with the radio side
    bool inNext_ = false;
    bool closing_ = false;
    bool over_ = false;
    // Answers that come after the session went are dropped: the backend holds this weakly.
    std::shared_ptr<ClientSession*> self_;
};

}  // namespace talvex::server
