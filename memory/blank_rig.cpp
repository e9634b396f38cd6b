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

void BlankRig::start()
{
    ProgramState& s = c_.state;
    if (c_.dialogs.message(name(), QStringLiteral("Are you sure?"), MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    const QString title = QStringLiteral("Blank Rig Memories");
    const QString allChannels = u'(' + ChannelRangeText() + u')';
    const auto range = AskChannelRange(c_.dialogs, QStringLiteral("Enter STARTING Channel Number ") + allChannels, title,
                                       QStringLiteral("Enter ENDING Channel Number ") + allChannels, title);
    if (!range)
        return;
    reset();
    std::vector<int> channels;
    const int last = std::min(range->last, kRadio.lastChannel);
    for (int channel = std::max(range->first, kRadio.firstChannel); channel <= last; ++channel)
        channels.push_back(channel);
    if (!saveFirst(channels))
        return;
    s.FirstChannel = range->first;
    s.LastChannel = range->last;
    s.ChannelCounter = s.FirstChannel;
    s.BlankingRig = true;
}

void BlankRig::askToStop()
{
    ProgramState& s = c_.state;
    // Paused while the question is open: ticks keep coming meanwhile.
    s.BlankingRig = false;
    if (c_.dialogs.message(name(), QStringLiteral("STOP Blank Rig?"), MessageIcon::None, MessageButtons::YesNo)
        == MessageAnswer::Yes) {
        s.ChannelCounter = 0;
        dropUnfinishedBackup();
        return;
    }
    s.BlankingRig = true;
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
    s.memory.Text1 = QString::number(channel);
    s.memory.Text7 = QStringLiteral("Clearing Memory Channel ") + s.memory.Text1;
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
