#include "memory/compare_rig.h"

#include "datafile/file_line.h"

namespace talvex {

CompareRig::CompareRig(OperationContext& context, ChannelBackup& reading)
    : BackedUpStepper(context, context.state.ComparingRig, QStringLiteral("Compare Rig"), reading)
{
}

std::optional<Refused> CompareRig::start(const QStringList& lines)
{
    reset();
    for (const QString& line : lines) {
        lines_ << line;
        if (KindOf(line) == LineKind::End)
            break;
    }
    if (auto refused = saveFirst(ChannelsNamedIn(lines_)))
        return refused;
    c_.state.ChannelCounter = 0;
    c_.state.ComparingRig = true;
    return std::nullopt;
}

void CompareRig::reset()
{
    BackedUpStepper::reset();
    lines_.clear();
    plans_.clear();
    complete_ = false;
}

// Every channel is read by now: the plans need nothing more from the radio, so they are all made
// in this one step.
void CompareRig::changeStep()
{
    plans_ = PlanLines(lines_, [this](int channel) { return before().held(channel); });
    complete_ = true;
    c_.state.ComparingRig = false;
    c_.state.ChannelCounter = 0;
}

QString CompareRig::notSaved(const QString& why) const
{
    return QStringLiteral("The channels could not be read: ") + why + QStringLiteral(" ... ") + name()
        + QStringLiteral(" changed nothing.");
}

}  // namespace talvex
