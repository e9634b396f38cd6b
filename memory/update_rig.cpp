#include "memory/update_rig.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"
#include "memory/data_line.h"
#include "memory/file_line.h"
#include "memory/view_file.h"

#include <algorithm>

namespace talvex {

namespace {

// A clear is three frames (select, clear, clear); each is answered OK.
constexpr int kClearFrames = 3;

QString WithoutBlanks(QString text)
{
    text.remove(u' ');
    return text;
}

// The channels the lines of a data file write or clear, ascending, each once.
std::vector<int> ChannelsNamedIn(const QString& path)
{
    std::vector<int> channels;
    for (const QString& line : ReadAllLines(path).value_or(QStringList())) {
        const LineKind kind = KindOf(line);
        if (kind == LineKind::End)
            break;
        if (kind != LineKind::Channel)
            continue;
        if (const auto channel = WholeNumberIn(ChannelTextOf(line).trimmed(), kRadio.firstChannel, kRadio.lastChannel))
            channels.push_back(*channel);
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

}  // namespace

UpdateRig::UpdateRig(OperationContext& context, ChannelBackup& backup)
    : BackedUpStepper(context, context.state.UpdatingRig, QStringLiteral("Update Rig"), backup)
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
    if (!saveFirst(ChannelsNamedIn(c_.state.CurrentDataFile))) {
        c_.dataFile.CloseDataFile();
        return;
    }
    c_.state.ChannelCounter = 0;
    c_.state.UpdatingRig = true;
}

void UpdateRig::reset()
{
    BackedUpStepper::reset();
    sent_ = Sent::Nothing;
    channel_ = 0;
    ledger_ = {};
}

void UpdateRig::checkChange(const Exchange& exchange)
{
    const Sent sent = std::exchange(sent_, Sent::Nothing);
    if (sent == Sent::Nothing)
        return;
    const auto field = ChannelField(QString::number(channel_));
    const auto why = sent == Sent::Write ? WriteNotVerified(exchange, *field) : ClearNotVerified(exchange, kClearFrames);
    if (ledger_.record(channel_, why)) {
        halt(QStringLiteral("The radio did not answer for channel ") + QString::number(ledger_.firstSilent())
             + QStringLiteral(" ... Update Rig stopped: that channel and the ones after it may not hold what the "
                              "file says."));
    }
}

void UpdateRig::changeStep()
{
    if (!c_.dataFile.isOpen()) {
        halt(QStringLiteral("The data file is not open ... Update Rig stopped."));
        return;
    }
    QString line;
    if (c_.dataFile.atEnd() || !c_.dataFile.ReadDataLine(line)) {
        end();
        return;
    }
    ShowFileLine(c_.state.memory, line);
    switch (KindOf(line)) {
    case LineKind::End: end(); return;
    case LineKind::Comment:
    case LineKind::Blank: return;
    case LineKind::Channel: sent_ = sendLine(line); return;
    }
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
    RadioOperations& radio = c_.radio;
    s.ChannelText = ChannelTextOf(line).trimmed();
    const QString frequencyField = Columns(line, 15, 22);

    if (IsEmptyFrequency(frequencyField)) {
        // Clear: select (which goes straight on to one clear), then a second clear of the same
        // channel. A channel the select refuses gets neither.
        const auto selectable = WholeNumberIn(s.ChannelText, kRadio.firstChannel, kRadio.lastSelectable);
        if (selectable)
            expectAnswer();
        s.EntriesPreset = true;
        s.ClearAfterSelect = true;
        radio.Option40_Click();
        s.ClearAfterSelect = false;
        if (!selectable) {
            s.EntriesPreset = false;
            return Sent::Nothing;
        }
        s.EntriesPreset = true;
        radio.Option43_Click();
        channel_ = *selectable;
        return Sent::Clear;
    }

    const auto channel = WholeNumberIn(s.ChannelText, kRadio.firstChannel, kRadio.lastChannel);
    if (!channel) {
        // Not a channel the radio can be written at (the heading line among them): as always,
        // only the memory-mode frame goes out, the write refuses the rest.
        expectAnswer();
        s.EntriesPreset = true;
        radio.Option18_Click();
        s.EntriesPreset = false;
        return Sent::Nothing;
    }

    const auto digits = FrequencyDigitsOf(frequencyField);
    const QString mode = WithoutBlanks(Columns(line, 29, 42));
    const QString filter = Columns(line, 47, 47).trimmed();
    const QString label = Columns(line, 71, 80);
    QString fault;
    if (!digits)
        fault = QStringLiteral("frequency \"") + frequencyField + u'"';
    else if (!ModeCode(mode))
        fault = QStringLiteral("mode \"") + mode + u'"';
    else if (!filter.isEmpty() && !WholeNumberIn(filter, 1, 3))
        fault = QStringLiteral("filter \"") + filter + u'"';
    else if (!IsPrintableLabel(label))
        fault = QStringLiteral("label");
    if (!fault.isEmpty()) {
        s.memory.Text7 = QStringLiteral("Skipped channel ") + s.ChannelText + QStringLiteral(": ") + fault
            + QStringLiteral(" cannot be written ... ") + line.trimmed();
        ledger_.record(*channel, fault + QStringLiteral(" cannot be written"));
        s.EntriesPreset = false;
        return Sent::Nothing;
    }

    s.FrequencyText = *digits;
    s.ModeValue = mode;
    s.FilterValue = filter;
    s.LabelText = label;
    s.EntriesPreset = true;
    expectAnswer();
    radio.Option18_Click();
    radio.Option44_Click();
    channel_ = *channel;
    return Sent::Write;
}

}  // namespace talvex
