#include "rig_service.h"

#include "rigserver/dump_state.h"

#include "link/frames.h"
#include "link/radio_answers.h"

#include <utility>

namespace talvex::server {

namespace {

using rigserver::Answer;
using rigserver::RigCommand;
using rigserver::Verb;
namespace code = rigserver::code;

Answer Values(std::vector<std::string> values) { return Answer{code::kOk, std::move(values)}; }

QString VerbName(const RigCommand& command) { return QString::fromLatin1(rigserver::Describe(command.verb).longName); }

// The payloads of the radio's frames to the controller and of its broadcasts, in order.
std::vector<QByteArray> Payloads(const QByteArray& received, std::uint8_t radio)
{
    std::vector<QByteArray> payloads;
    for (const QByteArray& frame : RadioAnswers(received, radio))
        payloads.push_back(frame.mid(4, frame.size() - 5));
    const QByteArray broadcast = QByteArray::fromHex("FEFE00") + static_cast<char>(radio);  // FE FE 00 radio
    for (qsizetype at = received.indexOf(broadcast); at >= 0; at = received.indexOf(broadcast, at + 1)) {
        const qsizetype end = received.indexOf(static_cast<char>(kEndOfMessage), at + broadcast.size());
        if (end < 0)
            break;
        if (const auto answer = BroadcastAsAnswer(received.mid(at + 4, end - at - 4)))
            payloads.push_back(*answer);
    }
    return payloads;
}

}  // namespace

RigService::RigService(ProgramState& state, SerialLink& link, TimerFactory& timers, const Clock& clock,
                       std::function<void()> displayChanged)
    : state_(state), link_(link), clock_(clock), displayChanged_(std::move(displayChanged)), queue_(state, link, timers)
{
}

bool RigService::ownedByMemoryOperation()
{
    const bool running = state_.anyMemoryOperationRunning();
    if (memoryOperationSeen_ && !running)
        cache_.forgetAll();
    memoryOperationSeen_ = running;
    return running;
}

void RigService::execute(const RigCommand& command, const ClientInfo& client, Done done)
{
    ownedByMemoryOperation();
    switch (command.verb) {
    case Verb::DumpState: done(Values({rigserver::DumpState()})); return;
    case Verb::CheckVfo: done(Values({"0"})); return;
    case Verb::GetVfo: done(Values({std::string(rigserver::VfoName(vfo_))})); return;
    case Verb::GetLockMode: done(Values({"0"})); return;
    case Verb::GetPowerStat: done(Values({state_.PortReady == 1 ? "1" : "0"})); return;
    default: break;
    }
    if (command.verb == Verb::Unknown || command.verb == Verb::Quit || command.malformed()) {
        done(Answer{});  // the reply's form says it all
        return;
    }
    if (const auto reading = ReadingFor(command))
        read(*reading, command, client, std::move(done));
    else
        set(command, client, std::move(done));
}

void RigService::read(Reading reading, const RigCommand& command, const ClientInfo& client, Done done)
{
    // While a memory operation runs, the radio steps through its channels: a client is told
    // what the radio showed before it started, not a channel on the way.
    if (ownedByMemoryOperation()) {
        answerRead(reading, command, cache_.kept(reading), done);
        return;
    }
    if (const auto payload = cache_.fresh(reading, clock_.now())) {
        answerRead(reading, command, payload, done);
        return;
    }
    const std::vector<Step> steps{{ReadCommand(reading), true}};
    queue_.submit({Frames(steps), false, [this, reading, command, steps, done](std::optional<Exchange> closed) {
                       if (!closed) {  // the radio's owner changed on the way, or the line went
                           answerRead(reading, command, ownedByMemoryOperation() ? cache_.kept(reading) : std::nullopt,
                                      done);
                           return;
                       }
                       const auto matched = MatchAnswers(steps, RadioAnswers(closed->received, link_.radioAddress()));
                       answerRead(reading, command, matched.front(), done);
                   },
                   client.id});
}

void RigService::answerRead(Reading reading, const RigCommand& command, const std::optional<QByteArray>& payload,
                            const Done& done) const
{
    if (!payload) {
        done(Answer{state_.anyMemoryOperationRunning() ? code::kRejected
                    : state_.PortReady == 1            ? code::kTimeout
                                                       : code::kIoError,
                    {}});
        return;
    }
    const auto* level = std::get_if<rigserver::LevelChoice>(&command.arguments);
    const auto values = ValuesOf(reading, *payload, vfo_, level ? level->level : rigserver::Level::Strength);
    done(values ? Values(*values) : Answer{code::kRejected, {}});  // NG, or an answer it cannot read
}

void RigService::set(const RigCommand& command, const ClientInfo& client, Done done)
{
    if (ownedByMemoryOperation()) {
        done(refuse(command, client));
        return;
    }
    const auto mode = cache_.kept(Reading::Mode);
    const auto plan = PlanSet(command, mode ? static_cast<std::uint8_t>(mode->at(2)) : rigserver::kNormalFilter);
    if (!plan) {
        done(Answer{code::kInvalidParameter, {}});
        return;
    }
    // The transmitter counts as the client's from the moment its key-down leaves: a client that
    // goes before the radio's OK comes back must not leave it keyed.
    const bool keying = command.verb == Verb::SetPtt && std::get<rigserver::PttSetting>(command.arguments).transmit;
    if (keying)
        pttHolder_ = client;
    queue_.submit({Frames(plan->steps), false,
                   [this, command, client, plan = *plan, done](std::optional<Exchange> closed) {
                       if (!closed) {
                           forgetKeyDown(command, client);
                           done(ownedByMemoryOperation() ? refuse(command, client) : Answer{code::kIoError, {}});
                           return;
                       }
                       const auto matched = MatchAnswers(plan.steps, RadioAnswers(closed->received, link_.radioAddress()));
                       const int result = SetResult(matched.front());
                       if (result == code::kOk) {
                           if (plan.impliedAnswer)
                               cache_.note(*plan.impliedAnswer, clock_.now());
                           if (plan.vfoChange) {
                               vfo_ = std::get<rigserver::VfoChoice>(command.arguments).vfo;
                               for (Reading r : {Reading::TxFrequency, Reading::TxMode, Reading::Split})
                                   cache_.forget(r);
                           }
                           // The radio's OK settles whose the transmitter is, also for a key-down
                           // that waited out a release (the port reopened meanwhile).
                           if (command.verb == Verb::SetPtt) {
                               if (std::get<rigserver::PttSetting>(command.arguments).transmit)
                                   pttHolder_ = client;
                               else
                                   pttHolder_.reset();
                           }
                       } else if (result == code::kRejected) {
                           forgetKeyDown(command, client);
                       }
                       done(Answer{result, {}});
                   },
                   client.id});
}

// A key-down the radio refused, or that never left, keys nothing. One whose answer was lost
// may have: it stays the client's to release.
void RigService::forgetKeyDown(const RigCommand& command, const ClientInfo& client)
{
    if (command.verb == Verb::SetPtt && std::get<rigserver::PttSetting>(command.arguments).transmit && pttHolder_
        && pttHolder_->id == client.id)
        pttHolder_.reset();
}

void RigService::clientGone(const ClientInfo& client)
{
    queue_.withdraw(client.id);
    if (!pttHolder_ || pttHolder_->id != client.id)
        return;
    pttHolder_.reset();
    const QString peer = client.peer;
    tell(QStringLiteral("Rig server: %1 closed its connection while transmitting: PTT released").arg(peer));
    const std::vector<Step> steps{{QByteArray::fromHex("1c0000"), false}};
    queue_.submit({Frames(steps), true, [this, peer, steps](std::optional<Exchange> closed) {
                       const auto matched = closed ? MatchAnswers(steps, RadioAnswers(closed->received, link_.radioAddress()))
                                                   : std::vector<std::optional<QByteArray>>{std::nullopt};
                       if (SetResult(matched.front()) == code::kOk)
                           cache_.note(QByteArray::fromHex("1c0000"), clock_.now());
                       else
                           tell(QStringLiteral("Rig server: %1 closed its connection while transmitting: the radio did "
                                               "not confirm PTT off, check the transmitter")
                                    .arg(peer));
                   }});
}

void RigService::releaseBeforePortCloses()
{
    if (!pttHolder_)
        return;
    pttHolder_.reset();
    link_.writeLast(CommandFrame(link_.radioAddress(), QByteArray::fromHex("1c0000")));
}

void RigService::exchangeClosed(const Exchange& closed)
{
    feed(closed.received);
    queue_.exchangeClosed(closed);
}

void RigService::bytesBetween(const QByteArray& bytes) { feed(bytes); }

void RigService::feed(const QByteArray& received)
{
    if (ownedByMemoryOperation())
        return;  // the channels on the way are not the state a client is told about
    const QDateTime now = clock_.now();
    for (const QByteArray& payload : Payloads(received, link_.radioAddress()))
        cache_.note(payload, now);
}

Answer RigService::refuse(const RigCommand& command, const ClientInfo& client)
{
    tell(QStringLiteral("Rig server: %1 of %2 refused, %3 is running")
             .arg(VerbName(command), client.peer, RunningMemoryOperation(state_).value_or(QString())));
    return Answer{code::kRejected, {}};
}

void RigService::tell(const QString& notice)
{
    state_.ServerNotice = notice;
    if (displayChanged_)
        displayChanged_();
}

std::vector<QByteArray> RigService::Frames(const std::vector<Step>& steps) const
{
    std::vector<QByteArray> frames;
    for (const Step& step : steps)
        frames.push_back(CommandFrame(link_.radioAddress(), step.command));
    return frames;
}

}  // namespace talvex::server
