#include "client_session.h"

#include "rigserver/command_parser.h"
#include "rigserver/reply.h"

#include <utility>

namespace talvex::server {

using rigserver::Verb;

ClientSession::ClientSession(std::unique_ptr<TcpClient> client, ClientInfo info, RigBackend& backend,
                             std::function<void()> ended)
    : client_(std::move(client)),
      info_(std::move(info)),
      backend_(backend),
      ended_(std::move(ended)),
      self_(std::make_shared<ClientSession*>(this))
{
    client_->onReceived([this](const QByteArray& bytes) { received(bytes); });
    client_->onClosed([this] { closed(); });
}

ClientSession::~ClientSession() = default;

void ClientSession::refuse()
{
    closing_ = true;
    client_->close();
}

void ClientSession::end()
{
    if (over_)
        return;
    refuse();
    closed();
}

void ClientSession::received(const QByteArray& bytes)
{
    qsizetype at = 0;
    while (at < bytes.size() && !closing_) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        if (!dropping_) {
            const auto room = static_cast<qsizetype>(kMaxLineBytes - line_.size());
            line_.append(bytes.constData() + at, static_cast<std::size_t>(std::min(room, end - at)));
            if (end - at > room) {
                line_.clear();
                dropping_ = true;
                waiting_.push_back(rigserver::RigCommand{Verb::GetFreq, {}, rigserver::Malformed{}, std::nullopt});
            }
        }
        if (newline < 0)
            break;
        if (!dropping_)
            takeLine(std::exchange(line_, {}));
        dropping_ = false;
        at = newline + 1;
    }
    if (waiting_.size() > kMaxWaitingCommands) {
        waiting_.clear();
        refuse();
        return;
    }
    next();
}

void ClientSession::takeLine(std::string_view line)
{
    for (rigserver::RigCommand& command : rigserver::ParseLine(line))
        waiting_.push_back(std::move(command));
}

void ClientSession::next()
{
    // An answer given at once comes back inside execute(): the loop goes on rather than
    // recursing, so a line of many commands the cache answers costs no stack.
    if (inNext_)
        return;
    inNext_ = true;
    while (!busy_ && !closing_ && !waiting_.empty()) {
        rigserver::RigCommand command = std::move(waiting_.front());
        waiting_.pop_front();
        if (command.verb == Verb::Quit) {  // rigctld closes the connection without a word
            waiting_.clear();
            refuse();
            break;
        }
        busy_ = true;
        std::weak_ptr<ClientSession*> alive = self_;
        backend_.execute(command, info_, [alive, command](const rigserver::Answer& answer) {
            const auto self = alive.lock();
            if (!self)
                return;
            ClientSession& session = **self;
            session.busy_ = false;
            if (!session.closing_)
                session.client_->write(QByteArray::fromStdString(rigserver::FormatReply(command, answer)));
            session.next();
        });
    }
    inNext_ = false;
}

void ClientSession::closed()
{
    if (over_)
        return;
    over_ = true;
    closing_ = true;
    waiting_.clear();
    backend_.clientGone(info_);
    if (ended_)
        ended_();
}

}  // namespace talvex::server
