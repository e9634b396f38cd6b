#include "memory/update_rig.h"

#include "datafile/file_line.h"
#include "link/frames.h"
#include "memory/view_file.h"

namespace talvex {

namespace {

// The clear step sends two clear frames, as Update Rig always has.
constexpr int kClears = 2;
// A written channel whose read-back is missing, late or differs is read this many times more.
constexpr int kReadBacksAgain = 2;

}  // namespace

UpdateRig::UpdateRig(OperationContext& context, ChannelBackup& backup)
    : BackedUpStepper(context, context.state.UpdatingRig, QStringLiteral("Update Rig"), backup),
      clear_(context, kClears)
{
}

std::optional<Refused> UpdateRig::start(const MemoryRequest& request)
{
    const bool named = !request.file.isEmpty();
    if (!request.confirmed) {
        if (named)
            return Refused{RefusalReason::Unconfirmed, request.file, QStringLiteral("Update Radio Memory ... Are you sure?"),
                           false};
        return refuse(RefusalReason::Unconfirmed, c_.state.CurrentFileName + QStringLiteral(" ... Are you sure?"), false);
    }
    QString name = request.file;
    const FileOpening opening = named ? c_.dataFile.OpenDataFile(name, FileMode::Input, request.missingFile)
                                      : c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input);
    c_.tellOpening(opening);
    if (opening.failure)
        return Refused{RefusalReason::FileUnreadable, opening.failure->title, opening.failure->text};
    if (opening.restart)
        return Refused{RefusalReason::MissingFileCreated, QStringLiteral("Restart (creating missing file)"),
                       QStringLiteral("Restart program!")};
    if (named) {
        const QString path = c_.state.CurrentDataFile;
        c_.tellEach([&path](MemoryListener& listener) { listener.fileTaken(path); });
    }
    auto refused = begin(request);
    if (refused)
        c_.dataFile.CloseDataFile();
    return refused;
}

std::optional<Refused> UpdateRig::begin(const MemoryRequest& request)
{
    reset();
    // The file is taken once, as it is now: an editor saving it during the run changes nothing
    // the run does, and the backup holds every channel the run will touch.
    for (QString line; !c_.dataFile.atEnd() && c_.dataFile.ReadDataLine(line);) {
        lines_ << line;
        if (KindOf(line) == LineKind::End)
            break;
    }
    ledger_.report().countUnchanged(QStringLiteral("written"), QStringLiteral("already as the file says"));
    if (auto refused = refuseIncompleteBackup(c_.state.CurrentDataFile, lines_))
        return refused;
    if (auto refused = refuseSkips(SkippedLines(lines_), request.writeDespiteSkippedLines))
        return refused;
    if (auto refused = saveFirst(ChannelsNamedIn(lines_)))
        return refused;
    c_.state.ChannelCounter = 0;
    c_.state.UpdatingRig = true;
    return std::nullopt;
}

std::optional<Refused> UpdateRig::refuseSkips(const QStringList& skipped, std::optional<bool> writeTheOthers) const
{
    if (skipped.isEmpty() || writeTheOthers == true)
        return std::nullopt;
    if (writeTheOthers == false)
        return refuse(RefusalReason::SkippedLinesDeclined, QString());
    constexpr qsizetype kNamed = 10;
    QStringList named = skipped.mid(0, kNamed);
    if (skipped.size() > kNamed)
        named << QStringLiteral("... and ") + QString::number(skipped.size() - kNamed) + QStringLiteral(" more");
    const QString text = QString::number(skipped.size())
        + (skipped.size() == 1 ? QStringLiteral(" line of ") : QStringLiteral(" lines of ")) + c_.state.CurrentFileName
        + QStringLiteral(" cannot go into the radio and will be skipped:\n") + named.join(u'\n')
        + QStringLiteral("\n ... Write the other lines?");
    return refuse(RefusalReason::SkippedLinesUnanswered, text, false);
}

void UpdateRig::reset()
{
    BackedUpStepper::reset();
    lines_.clear();
    plans_.clear();
    next_ = 0;
    sent_ = Sent::Nothing;
    channel_ = 0;
    clearConfirmed_ = false;
    ledger_ = {};
}

void UpdateRig::checkChange(const Exchange& exchange)
{
    const Sent sent = std::exchange(sent_, Sent::Nothing);
    if (sent == Sent::Nothing)
        return;
    const auto field = ChannelField(QString::number(channel_));
    std::optional<QString> why;
    switch (sent) {
    case Sent::Select:
        why = clear_.selectNotConfirmed(exchange);
        clearConfirmed_ = !why;
        if (clearConfirmed_)
            return;  // the clear goes out at the next step
        break;
    case Sent::Clear: why = clear_.clearNotVerified(exchange); break;
    case Sent::Write: why = WriteNotVerified(exchange, *field); break;
    case Sent::ReadBack: why = ReadBackNotVerified(exchange, written_, *field); break;
    case Sent::Nothing: break;
    }
    if (sent == Sent::Write) {
        if (const auto other = ChannelWrittenInstead(exchange, *field)) {
            ledger_.report().overwritten(*other, QStringLiteral("the radio took the write for channel %1 as one for this "
                                                                "channel, which may now hold channel %1's settings")
                                                     .arg(channel_));
        }
    }
    late_ = late_ || ((sent == Sent::Write || sent == Sent::ReadBack) && HeardButNotAnswered(exchange, *field));
    // A read-back that is missing, late or differs may be the line's fault, not the radio's: the
    // channel is read twice more before it is reported. A refused write is not asked again.
    const bool readBackFailed =
        why && (sent == Sent::Write || sent == Sent::ReadBack) && *why != u"the radio refused the write";
    if (readBackFailed && readBacks_ < kReadBacksAgain) {
        ++readBacks_;
        readBackAgain();
        return;
    }
    if (why == kNoAnswer && late_)
        why = kNotInTime;
    if (ledger_.record(channel_, why)) {
        halt(StopKind::SilentRadio,
             QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
             + QStringLiteral(" ... Update Rig stopped: that channel and the ones after it may not hold what the "
                              "file says."));
    }
}

// Lines that send nothing (comments, blank lines, channels already as the file says) take no
// step of their own: the step goes on to the next line that changes something.
void UpdateRig::changeStep()
{
    if (std::exchange(clearConfirmed_, false)) {
        expectAnswer();
        clear_.clear();
        sent_ = Sent::Clear;
        return;
    }
    // Every channel the file names has been read by now, so the whole file is planned at once.
    if (plans_.empty())
        plans_ = PlanLines(lines_, [this](int channel) { return before().held(channel); });
    while (next_ < static_cast<qsizetype>(plans_.size())) {
        const qsizetype at = next_++;
        const PlannedLine& planned = plans_[static_cast<std::size_t>(at)];
        c_.tellEach([&planned](MemoryListener& listener) { listener.lineReached(planned.line); });
        switch (KindOf(planned.line)) {
        case LineKind::End: end(); return;
        case LineKind::Comment:
        case LineKind::Blank: continue;
        case LineKind::Channel: break;
        }
        sent_ = sendLine(planned, at + 1);
        if (sent_ != Sent::Nothing || !c_.state.UpdatingRig)
            return;
    }
    end();
}

void UpdateRig::end()
{
    ProgramState& s = c_.state;
    s.UpdatingRig = false;
    s.ChannelCounter = 0;
    c_.reportEnd(name(), ledger_.report());
}

void UpdateRig::countInFlight()
{
    // A write or clear went out and its check never came in: the channel may hold the new
    // contents, the old ones, or neither.
    switch (std::exchange(sent_, Sent::Nothing)) {
    case Sent::Write:
    case Sent::ReadBack:
    case Sent::Clear:
        ledger_.report().addVerdict(channel_, kStoppedBeforeCheck);
        ledger_.report().failed(channel_, kStoppedBeforeCheck);
        break;
    case Sent::Select:
    case Sent::Nothing: break;
    }
}

UpdateRig::Sent UpdateRig::sendLine(const PlannedLine& planned, qsizetype lineNumber)
{
    const LinePlan& plan = planned.plan;
    switch (plan.action) {
    case PlanAction::NotAChannel: return Sent::Nothing;
    case PlanAction::Unchanged:
    case PlanAction::AlreadyBlank: ledger_.report().unchanged(); return Sent::Nothing;
    case PlanAction::Skip: {
        const QString skipped = QStringLiteral("Skipped channel ") + ChannelTextOf(planned.line).trimmed()
                                + QStringLiteral(": ") + plan.reason + QStringLiteral(" ... ") + planned.line.trimmed();
        c_.tellEach([&skipped](MemoryListener& listener) { listener.told(skipped); });
        ledger_.report().skipped(static_cast<int>(lineNumber), plan.channel, plan.reason);
        return Sent::Nothing;
    }
    case PlanAction::Clear: return clearChannel(plan.channel);
    case PlanAction::Write: break;
    }
    return writeChannel(plan);
}

void UpdateRig::readBackAgain()
{
    expectAnswer();
    c_.radio.readChannel(channel_);
    sent_ = Sent::ReadBack;
}

UpdateRig::Sent UpdateRig::clearChannel(int channel)
{
    expectAnswer();
    clear_.select(channel, false);
    channel_ = channel;
    return Sent::Select;
}

UpdateRig::Sent UpdateRig::writeChannel(const LinePlan& plan)
{
    for (const QString& note : plan.notes)
        ledger_.report().note(plan.channel, note);
    expectAnswer();
    c_.radio.selectMemoryMode();
    c_.radio.writeRecord(*plan.record);
    channel_ = plan.channel;
    written_ = plan.record->bytes();
    readBacks_ = 0;
    late_ = false;
    return Sent::Write;
}

}  // namespace talvex
