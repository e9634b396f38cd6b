#include "memory/rig_steppers.h"

#include "link/radio_model.h"

#include <algorithm>

namespace talvex {

namespace {

// Memory mode, select, clear: each is answered OK.
constexpr int kClearFrames = 3;

}  // namespace

BlankRig::BlankRig(OperationContext& context, ChannelBackup& backup)
    : BackedUpStepper(context, context.state.BlankingRig, QStringLiteral("Blank Rig"), backup)
{
}

void BlankRig::reset()
{
    BackedUpStepper::reset();
    channel_ = 0;
    ledger_ = {};
}

void BlankRig::start()
{
    ProgramState& s = c_.state;
    if (c_.dialogs.message(name(), QStringLiteral("Are you sure?"), MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    const QString title = QStringLiteral("Blank Rig Memories");
    const auto range = AskChannelRange(c_.dialogs, QStringLiteral("Enter STARTING Channel Number (1-99)"), title,
                                       QStringLiteral("Enter ENDING Channel Number (1-99)"), title);
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
    c_.releaseEntries();
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
    if (channel_ < 1)
        return;  // the select refused the channel: nothing was cleared
    if (ledger_.record(channel_, ClearNotVerified(exchange, kClearFrames)))
        halt(QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
             + QStringLiteral(" ... Blank Rig stopped."));
}

void BlankRig::changeStep()
{
    ProgramState& s = c_.state;
    if (s.ChannelCounter > s.LastChannel || s.ChannelCounter > kRadio.lastChannel) {
        c_.showEnd();
        s.ChannelCounter = 0;
        s.BlankingRig = false;
        c_.releaseEntries();
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
    channel_ = s.ChannelCounter;
    s.ChannelText = QString::number(s.ChannelCounter);
    s.memory.Text1 = s.ChannelText;
    ++s.ChannelCounter;
    s.memory.Text7 = QStringLiteral("Clearing Memory Channel ") + s.ChannelText;
    s.EntriesPreset = true;
    s.ClearAfterSelect = true;
    expectAnswer();
    c_.radio.Option18_Click();
    c_.radio.Option40_Click();
}

}  // namespace talvex
