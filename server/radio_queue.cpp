#include "radio_queue.h"

#include <utility>

namespace talvex::server {

RadioQueue::RadioQueue(ProgramState& state, SerialLink& link, TimerFactory& timers)
    : state_(state), link_(link), kick_(timers.create(kKickMs, false))
{
    kick_->onTick([this] { kick(); });
}

void RadioQueue::submit(RadioRequest request)
{
    if (request.urgent)
        waiting_.push_front(std::move(request));
    else
        waiting_.push_back(std::move(request));
    dispatch();
}

void RadioQueue::withdraw(int client)
{
    std::erase_if(waiting_, [client](const RadioRequest& request) { return request.client == client; });
    kick_->setEnabled(inFlight_ || !waiting_.empty());
}

bool RadioQueue::lineFree() const
{
    return state_.PortReady == 1 && state_.StartupQueryStep == 0 && !link_.answerAwaited();
}

void RadioQueue::dispatch()
{
    while (!inFlight_ && !waiting_.empty()) {
        // The radio's owner decides before the line does: a memory operation's steps are not
        // interleaved with a client's frames, and a line that is gone answers at once.
        if (state_.anyMemoryOperationRunning() && !waiting_.front().urgent) {
            RadioRequest refused = std::move(waiting_.front());
            waiting_.pop_front();
            refused.done(std::nullopt);
            continue;
        }
        if (state_.PortReady != 1) {
            RadioRequest unsent = std::move(waiting_.front());
            waiting_.pop_front();
            unsent.done(std::nullopt);
            continue;
        }
        if (!lineFree())
            break;
        inFlight_ = std::move(waiting_.front());
        waiting_.pop_front();
        inFlightMs_ = 0;
        if (!link_.sendAlone(inFlight_->frames)) {  // the link refused to send
            RadioRequest unsent = *std::exchange(inFlight_, std::nullopt);
            unsent.done(std::nullopt);
        }
    }
    kick_->setEnabled(inFlight_ || !waiting_.empty());
}

void RadioQueue::exchangeClosed(const Exchange& closed)
{
    if (inFlight_) {
        const auto& frames = inFlight_->frames;
        const bool ours = closed.sent.size() >= frames.size()
            && std::equal(frames.begin(), frames.end(), closed.sent.begin());
        if (ours) {
            RadioRequest answered = *std::exchange(inFlight_, std::nullopt);
            answered.done(closed);
        }
    }
    dispatch();
}

void RadioQueue::kick()
{
    if (inFlight_) {
        inFlightMs_ += kKickMs;
        if (inFlightMs_ >= kGiveUpMs) {
            RadioRequest lost = *std::exchange(inFlight_, std::nullopt);
            lost.done(std::nullopt);
        }
    }
    dispatch();
}

}  // namespace talvex::server
