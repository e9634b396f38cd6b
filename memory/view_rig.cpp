#include "memory/rig_steppers.h"

#include "link/frames.h"
#include "link/radio_model.h"
#include "link/radio_answers.h"

namespace talvex {


ViewRig::ViewRig(OperationContext& context) : Stepper(context, context.state.ViewingRig, QStringLiteral("View Rig")) {}

std::optional<Refused> ViewRig::start()
{
    reset();
    c_.state.ChannelCounter = 0;
    c_.state.ViewingRig = true;
    return std::nullopt;
}

void ViewRig::reset()
{
    Stepper::reset();
    ledger_ = {};
}

void ViewRig::check(const Exchange& exchange)
{
    const int channel = c_.state.ChannelCounter;
    const auto field = ChannelField(QString::number(channel));
    const bool answered = MemoryReadAnswer(RadioAnswers(exchange.received, exchange.radio), *field).has_value();
    if (!answered) {
        // Whatever was shown before is not this channel's contents.
        c_.tellEach([channel](MemoryListener& listener) { listener.channelUnanswered(channel); });
    }
    if (ledger_.record(channel, answered ? std::nullopt : std::optional<QString>(kNoAnswer)))
        halt(StopKind::SilentRadio,
             QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
             + QStringLiteral(" ... View Rig stopped."));
}

void ViewRig::step()
{
    ProgramState& s = c_.state;
    if (s.ChannelCounter >= kRadio.lastChannel) {
        s.ChannelCounter = 0;
        s.ViewingRig = false;
        c_.showEnd();
        c_.reportEnd(name(), ledger_.report());
        return;
    }
    ++s.ChannelCounter;
    expectAnswer();
    c_.radio.readChannel(s.ChannelCounter);
}

}  // namespace talvex
