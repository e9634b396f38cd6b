#pragma once

#include "link/link_listener.h"
#include "platform/dialogs.h"

namespace talvex {

// The windows' boxes for what the link says of the line: the connection advice given between
// memory operations (during one, the Memory window's message line carries it), and a serial line
// that went away. A face without boxes tells these its own way.
class LineNotices final : public LinkListener {
public:
    explicit LineNotices(Dialogs& dialogs) : dialogs_(dialogs) {}

    void adviceBetweenOperations(const QString& advice) override
    {
        dialogs_.message(QStringLiteral("Connection"), advice, MessageIcon::None, MessageButtons::Ok);
    }
    void lineLost(const QString& port) override
    {
        dialogs_.critical(QStringLiteral("COMM PORT LOST"),
                          QStringLiteral("The radio's serial line went away ... ") + port
                              + QStringLiteral(" ... Reconnect the radio or switch it on: the port is opened again "
                                               "as soon as it is back."));
    }

private:
    Dialogs& dialogs_;
};

}  // namespace talvex
