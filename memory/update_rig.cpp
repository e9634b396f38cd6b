#include "memory/update_rig.h"

#include "link/bcd.h"
#include "link/frames.h"
#include "link/format.h"
#include "link/radio_model.h"
#include "memory/channel_merge.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "memory/view_file.h"

#include <algorithm>

namespace talvex {

namespace {

// The clear step sends two clear frames, as Update Rig always has.
constexpr int kClears = 2;
// A written channel whose read-back is missing, late or differs is read this many times more.
constexpr int kReadBacksAgain = 2;

// The channels the lines write or clear, ascending, each once.
std::vector<int> ChannelsNamedIn(const QStringList& lines)
{
    std::vector<int> channels;
    for (const QString& line : lines) {
        if (KindOf(line) != LineKind::Channel)
            continue;
        // The scan edges P1 and P2 (100, 101) are saved too: a line that clears one, or a
        // restore that writes one back, must be undoable like any other channel.
        if (const auto channel = WholeNumberIn(ChannelTextOf(line).trimmed(), kRadio.firstChannel, kRadio.lastSelectable))
            channels.push_back(*channel);
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

// A programmed line's fields, or why they cannot be written.
struct ParsedLine {
    std::optional<ProgrammedLine> line;
    QString fault;
};

ParsedLine ParseProgrammedLine(const QString& line, int channel)
{
    const QString frequencyField = Columns(line, 15, 22);
    const auto digits = FrequencyDigitsOf(frequencyField);
    const auto frequency = digits ? FrequencyField(*digits) : std::nullopt;
    const QString mode = DisplayOf(line).mode;
    const QString filterText = Columns(line, 47, 47).trimmed();
    // An empty filter is filter 2, the memory write's own default.
    const auto filter = filterText.isEmpty() ? std::optional<int>(2) : WholeNumberIn(filterText, 1, 3);
    const QString label = Columns(line, 71, 80).leftJustified(10, u' ');
    if (!frequency)
        return {std::nullopt, QStringLiteral("frequency \"") + frequencyField + u'"'};
    const auto modeCode = ModeCode(mode.isEmpty() ? QStringLiteral("AM") : mode);
    if (!modeCode)
        return {std::nullopt, QStringLiteral("mode \"") + mode + u'"'};
    if (!filter)
        return {std::nullopt, QStringLiteral("filter \"") + filterText + u'"'};
    if (!IsPrintableLabel(label))
        return {std::nullopt, QStringLiteral("label")};

    ProgrammedLine parsed{*ChannelField(QString::number(channel)),
                          {*frequency, *modeCode, *filter, Columns(line, 57, 57) == u"Y", label},
                          RecordZoneOf(line)};
    // A record of another channel (a line copied and renumbered by hand) is not this one's.
    if (parsed.record && parsed.record->channelField() != parsed.channelField)
        parsed.record.reset();
    return {parsed, QString()};
}

}  // namespace

UpdateRig::UpdateRig(OperationContext& context, ChannelBackup& backup)
    : BackedUpStepper(context, context.state.UpdatingRig, QStringLiteral("Update Rig"), backup),
      clear_(context, kClears)
{
}

void UpdateRig::start()
{
    if (c_.dialogs.message(name(), c_.state.CurrentFileName + QStringLiteral(" ... Are you sure?"),
                           MessageIcon::None, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input);
    if (!c_.dataFile.isOpen())
        return;  // the open routine has said why
    begin();
}

void UpdateRig::startWith(const QString& fileName)
{
    if (c_.dialogs.message(fileName, QStringLiteral("Update Radio Memory ... Are you sure?"), MessageIcon::None,
                           MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    QString name = fileName;
    c_.dataFile.OpenDataFile(name, FileMode::Input);
    if (!c_.dataFile.isOpen())
        return;
    c_.state.memory.Text8 = c_.state.CurrentDataFile;
    begin();
}

void UpdateRig::begin()
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
    if (!saveFirst(ChannelsNamedIn(lines_))) {
        c_.dataFile.CloseDataFile();
        return;
    }
    c_.state.ChannelCounter = 0;
    c_.state.UpdatingRig = true;
}

void UpdateRig::reset()
{
    BackedUpStepper::reset();
    lines_.clear();
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
        halt(QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
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
    while (next_ < lines_.size()) {
        const QString& line = lines_[next_++];
        ShowFileLine(c_.state.memory, line);
        switch (KindOf(line)) {
        case LineKind::End: end(); return;
        case LineKind::Comment:
        case LineKind::Blank: continue;
        case LineKind::Channel: break;
        }
        sent_ = sendLine(line);
        if (sent_ != Sent::Nothing || !c_.state.UpdatingRig)
            return;
    }
    end();
}

void UpdateRig::end()
{
    ProgramState& s = c_.state;
    s.UpdatingRig = false;
    s.EntriesPreset = false;
    s.ChannelCounter = 0;
    c_.reportEnd(name(), ledger_.report());
}

UpdateRig::Sent UpdateRig::sendLine(const QString& line)
{
    ProgramState& s = c_.state;
    s.ChannelText = ChannelTextOf(line).trimmed();
    if (IsEmptyFrequency(Columns(line, 15, 22)))
        return clearLine();
    // A line that names no channel the radio can be written at (the heading line among them)
    // programs nothing. P1 and P2 are written only back from a backup's record of them: the
    // file's zones alone never set a scan edge.
    const auto channel = WholeNumberIn(s.ChannelText, kRadio.firstChannel, kRadio.lastSelectable);
    if (!channel || (*channel > kRadio.lastChannel && !RecordZoneOf(line)))
        return Sent::Nothing;
    return writeLine(line, *channel);
}

void UpdateRig::readBackAgain()
{
    ProgramState& s = c_.state;
    expectAnswer();
    s.ChannelText = QString::number(channel_);
    s.EntriesPreset = true;
    c_.radio.Option45_Click();
    sent_ = Sent::ReadBack;
}

UpdateRig::Sent UpdateRig::clearLine()
{
    ProgramState& s = c_.state;
    const auto selectable = WholeNumberIn(s.ChannelText, kRadio.firstChannel, kRadio.lastSelectable);
    if (!selectable)
        return Sent::Nothing;
    if (const auto held = before().held(*selectable); held && !*held) {
        ledger_.report().unchanged();
        return Sent::Nothing;
    }
    expectAnswer();
    clear_.select(*selectable, false);
    channel_ = *selectable;
    return Sent::Select;
}

UpdateRig::Sent UpdateRig::writeLine(const QString& line, int channel)
{
    ProgramState& s = c_.state;
    const ParsedLine parsed = ParseProgrammedLine(line, channel);
    if (!parsed.line) {
        s.memory.Text7 = QStringLiteral("Skipped channel ") + s.ChannelText + QStringLiteral(": ") + parsed.fault
            + QStringLiteral(" cannot be written ... ") + line.trimmed();
        ledger_.record(channel, parsed.fault + QStringLiteral(" cannot be written"));
        s.EntriesPreset = false;
        return Sent::Nothing;
    }
    const auto held = before().held(channel);
    const MergedChannel merged = MergeChannel(*parsed.line, held.value_or(std::nullopt));
    if (held && *held && **held == merged.record) {
        ledger_.report().unchanged();
        return Sent::Nothing;
    }
    for (const QString& note : merged.notes)
        ledger_.report().note(channel, note);
    expectAnswer();
    s.EntriesPreset = true;
    c_.radio.Option18_Click();
    c_.radio.MemoryWriteRecord(merged.record.bytes());
    channel_ = channel;
    written_ = merged.record.bytes();
    readBacks_ = 0;
    late_ = false;
    return Sent::Write;
}

}  // namespace talvex
