#pragma once

// What carries a client's commands to the radio, as the server's sessions see it: a command
// in, its answer out (now or later), and word of a client that went.

#include "rigserver/reply.h"
#include "rigserver/rig_command.h"

#include <QString>

#include <functional>

namespace talvex::server {

struct ClientInfo {
    int id = 0;
    QString peer;  // "127.0.0.1:54321"
};

class RigBackend {
public:
    using Done = std::function<void(const rigserver::Answer&)>;
    virtual ~RigBackend() = default;
    // `done` is called exactly once, maybe before execute() returns.
    virtual void execute(const rigserver::RigCommand& command, const ClientInfo& client, Done done) = 0;
    virtual void clientGone(const ClientInfo& client) = 0;
};

}  // namespace talvex::server
