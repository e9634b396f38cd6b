#include "memory/rig_steppers.h"

#include "link/format.h"
#include "link/radio_model.h"

#include <algorithm>

namespace talvex {

namespace {

// The clear step sends one clear frame.
constexpr int kClears = 1;

}  // namespace

BlankRig::BlankRig(OperationContext& context, ChannelBackup& backup)
    : BackedUpStepper(context, context.state.BlankingRig, QStringLiteral("Blank Rig"), backup),
      clear_(context, kClears)
{
}

void BlankRig::reset()
{
    BackedUpStepper::reset();
    stage_ = Stage::Select;
    awaitingCheck_ = false;
    ledger_ = {};
}

std::optional<Refused> BlankRig::start(const MemoryRequest& request)
{
    ProgramState& s = c_.state;
    if (!request.confirmed)
        return refuse(RefusalReason::Unconfirmed, QStringLiteral("Are you sure?"), false);
    const auto& range = request.range;
    if (!range)
        return refuse(RefusalReason::NoRange, QString());
    reset();
    std::vector<int> channels;
    const int last = std::min(range->last, kRadio.lastChannel);
    for (int channel = std::max(range->first, kRadio.firstChannel); channel <= last; ++channel)
        channels.push_back(channel);
    if (auto refused = saveFirst(channels))
        return refused;
    s.FirstChannel = range->first;
    s.LastChannel = range->last;
    s.ChannelCounter = s.FirstChannel;
    s.BlankingRig = true;
    return std::nullopt;
}

void BlankRig::pause(bool paused) { c_.state.BlankingRig = !paused; }

void BlankRig::abandon()
{
    c_.state.BlankingRig = false;
    c_.state.ChannelCounter = 0;
    dropUnfinishedBackup();
}

void BlankRig::countInFlight()
{
    // The clear went out and its OK never came in: the channel may be blank now, or not.
    if (awaitingCheck_ && stage_ == Stage::Clear) {
        ledger_.report().addVerdict(clear_.channel(), kStoppedBeforeCheck);
        ledger_.report().failed(clear_.channel(), kStoppedBeforeCheck);
    }
    awaitingCheck_ = false;
}

void BlankRig::checkChange(const Exchange& exchange)
{
    if (!std::exchange(awaitingCheck_, false))
        return;
    std::optional<QString> why;
    if (stage_ == Stage::Select) {
        why = clear_.selectNotConfirmed(exchange);
        if (!why) {
            stage_ = Stage::Clear;  // confirmed: the clear goes out at the next step
            return;
        }
    } else {
        why = clear_.clearNotVerified(exchange);
        stage_ = Stage::Select;
    }
    if (ledger_.record(clear_.channel(), why))
        halt(StopKind::SilentRadio,
             QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
             + QStringLiteral(" ... Blank Rig stopped."));
}

void BlankRig::changeStep()
{
    ProgramState& s = c_.state;
    if (stage_ == Stage::Clear) {
        expectAnswer();
        awaitingCheck_ = true;
        clear_.clear();
        return;
    }
    if (s.ChannelCounter > s.LastChannel || s.ChannelCounter > kRadio.lastChannel) {
        c_.showEnd();
        s.ChannelCounter = 0;
        s.BlankingRig = false;
        c_.reportEnd(name(), ledger_.report());
        return;
    }
    // A channel the radio already holds blank is not cleared again, and takes no step.
    if (const auto held = before().held(s.ChannelCounter); held && !*held) {
        ChannelReport& report = ledger_.report();
        report.countUnchanged(QStringLiteral("cleared"), QStringLiteral("already blank"));
        report.unchanged();
        ++s.ChannelCounter;
        changeStep();
        return;
    }
    const int channel = s.ChannelCounter++;
    c_.tellEach([channel](MemoryListener& listener) { listener.channelClearing(channel); });
    expectAnswer();
    if (channel < kRadio.firstChannel) {
        // The select refuses a channel 0: only the memory-mode frame goes out, nothing is cleared.
        c_.radio.selectMemoryMode();
        return;
    }
    awaitingCheck_ = true;
    clear_.select(channel, true);
}

}  // namespace talvex
