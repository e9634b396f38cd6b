// The memory channel operations: select, read, clear and write a channel. The Memory window
// calls them with EntriesPreset set, so they take the shared entry variables instead of asking.
#include "radio_operations.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"
#include "radio/frequency_digits.h"

namespace talvex {

namespace {

bool IsPrintable(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

}  // namespace

void RadioOperations::Option40_Click()
{
    if (!state_.EntriesPreset) {
        state_.ChannelText = dialogs_.inputOrEmpty(QStringLiteral("Enter 'CHANNEL NUMBER' (") + ChannelRangeText() + u')',
                                                   QStringLiteral("Select Memory Channel Number"));
    }
    const auto channel = WholeNumberIn(state_.ChannelText, kRadio.firstChannel, kRadio.lastSelectable);
    const auto field = channel ? ChannelField(QString::number(*channel)) : std::nullopt;
    if (!field) {
        // A select that goes nowhere must not leave a clear armed for a later one.
        refuseEntry();
        state_.EntriesPreset = false;
        state_.ClearAfterSelect = false;
        return;
    }
    state_.ChannelText = QString::number(*channel);
    state_.ChannelBcd = *field;
    link_.SendCommand(CommandFrame(QByteArray(1, 0x08) + *field));
    state_.EntriesPreset = true;
    state_.ChannelStepping = true;
    if (state_.ClearAfterSelect)
        Option43_Click();
    else
        Option45_Click();
}

void RadioOperations::Option45_Click()
{
    if (!state_.EntriesPreset) {
        state_.ChannelText = dialogs_.inputOrEmpty(QStringLiteral("Enter 'CHANNEL NUMBER' (") + ChannelRangeText() + u')',
                                                   QStringLiteral("Read Memory Channel Number"));
    }
    const auto channel = WholeNumberIn(state_.ChannelText, kRadio.firstChannel, kRadio.lastSelectable);
    const auto field = channel ? ChannelField(QString::number(*channel)) : std::nullopt;
    if (field) {
        state_.ChannelBcd = *field;
        link_.SendCommand(CommandFrame(QByteArray::fromHex("1A00") + *field));
    } else {
        blankDisplayFields();
        refuseEntry();
    }
    state_.EntriesPreset = false;
}

void RadioOperations::Option43_Click()
{
    if (!state_.EntriesPreset
        && dialogs_.message(QStringLiteral("Memory Channel Clear"), QStringLiteral("Are you sure?"), MessageIcon::None,
                            MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    link_.SendCommand(CommandFrame({0x0B}));
    state_.ClearAfterSelect = false;
    state_.EntriesPreset = false;
    blankDisplayFields();
}

void RadioOperations::Option46_Click() { stepChannel(+1); }
void RadioOperations::Option59_Click() { stepChannel(-1); }

// Memory UP and DN: the first press asks where to begin and selects that channel; later presses
// move one channel on from the last one any operation used, wrapping 99 <-> 1.
void RadioOperations::stepChannel(int step)
{
    int channel = 0;
    if (!state_.ChannelStepping) {
        state_.ChannelText = dialogs_.inputOrEmpty(QStringLiteral("Enter 'CHANNEL NUMBER' (") + ChannelRangeText() + u')',
                                                   QStringLiteral("Select Beginning Memory Channel Number"));
        const auto first = WholeNumberIn(state_.ChannelText, kRadio.firstChannel, kRadio.lastChannel);
        if (!first) {
            refuseEntry();
            state_.EntriesPreset = false;
            return;
        }
        channel = *first;
    } else {
        channel = static_cast<int>(LeadingNumber(state_.ChannelText)) + step;
        // Past either end, or moving down from the program-scan edges 100/101, lands in 1-99.
        if (channel > kRadio.lastChannel)
            channel = step > 0 ? kRadio.firstChannel : kRadio.lastChannel;
        if (channel < kRadio.firstChannel)
            channel = kRadio.lastChannel;
    }
    state_.ChannelText = QString::number(channel);
    state_.ChannelBcd = *ChannelField(state_.ChannelText);
    link_.SendCommand(CommandFrame(QByteArray(1, 0x08) + state_.ChannelBcd));
    state_.EntriesPreset = true;
    state_.ChannelStepping = true;
    Option45_Click();
}

void RadioOperations::Option44_Click()
{
    const bool preset = state_.EntriesPreset;
    auto refuse = [this] {
        refuseEntry();
        state_.EntriesPreset = false;
    };
    if (!preset) {
        const auto channel = dialogs_.input(QStringLiteral("Enter 'CHANNEL NUMBER' (") + ChannelRangeText() + u')',
                                            QStringLiteral("Set Memory Channel Number"), QString());
        if (!channel)
            return refuse();
        state_.ChannelText = *channel;
    }
    if (state_.ChannelText.size() == 3) {
        refuseEntry();  // 100 and 101 cannot be written from here
        return;
    }
    const auto channel = WholeNumberIn(state_.ChannelText, kRadio.firstChannel, kRadio.lastChannel);
    if (!channel)
        return refuse();

    if (!preset) {
        const auto frequency = dialogs_.input(QStringLiteral("Enter 'FREQUENCY' (MMkkk or MmKkCc or Kkk)"),
                                              QStringLiteral("Set Memory Frequency"), QString());
        if (!frequency)
            return refuse();
        state_.FrequencyText = *frequency;
    }
    const auto frequency = FrequencyBytesOf(state_.FrequencyText);
    if (!frequency)
        return refuse();
    state_.FrequencyBcd = *frequency;

    if (!preset) {
        const auto mode = dialogs_.input(QStringLiteral("Enter  'MODE' (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
                                         QStringLiteral("Set Memory Mode"), QStringLiteral("AM"));
        if (!mode)
            return refuse();
        state_.ModeValue = *mode;
    }
    // An empty mode, typed or handed over, is AM, the same default the prompt offers.
    if (state_.ModeValue.isEmpty())
        state_.ModeValue = QStringLiteral("AM");
    const auto mode = ModeCode(state_.ModeValue);
    if (!mode)
        return refuse();

    if (!preset) {
        const auto filter = dialogs_.input(QStringLiteral("Enter 'FILTER' (") + NumbersUpTo(kRadio.filters).join(u',') + u')',
                                           QStringLiteral("Set Memory Filter"), QStringLiteral("2"));
        if (!filter)
            return refuse();
        state_.FilterValue = *filter;
    }
    // Only the empty answer means the default; a blank is refused like a blank mode.
    if (state_.FilterValue.isEmpty())
        state_.FilterValue = QStringLiteral("2");
    const auto filter = WholeNumberIn(state_.FilterValue, 1, kRadio.filters);
    if (!filter)
        return refuse();

    if (!preset) {
        const auto label = dialogs_.input(QStringLiteral("Enter  'LABEL'  info (0-%1 chars)").arg(kRadio.labelLength),
                                          QStringLiteral("Set Memory Label"), QString());
        if (!label)
            return refuse();
        state_.LabelText = *label;
    }
    // What is typed past the tenth character is never sent, so only the ten sent are checked.
    const QString labelField = state_.LabelText.left(kRadio.labelLength).leftJustified(kRadio.labelLength, u' ');
    if (!IsPrintable(labelField))
        return refuse();
    state_.LabelField = labelField;

    MemoryChannel contents;
    contents.channel = DecimalToBcd(QString::number(*channel)).byte;
    contents.frequency = state_.FrequencyBcd;
    contents.mode = static_cast<std::uint8_t>(*mode);
    contents.filter = static_cast<std::uint8_t>(*filter);
    contents.label = state_.LabelField;
    link_.SendCommand(MemoryWriteFrame(contents));
    selectAndReadBack(*channel);
}

void RadioOperations::MemoryWriteRecord(const QByteArray& contents)
{
    const auto channel = ChannelOfField(contents.left(2));
    if (contents.size() != kMemoryContentsSize || !channel || *channel < kRadio.firstChannel
        || *channel > kRadio.lastSelectable) {
        state_.EntriesPreset = false;
        return;
    }
    link_.SendCommand(CommandFrame(QByteArray::fromHex("1A00") + contents));
    selectAndReadBack(*channel);
}

void RadioOperations::selectAndReadBack(int channel)
{
    state_.ChannelText = QString::number(channel);
    state_.EntriesPreset = true;
    Option18_Click();
    Option40_Click();
}

}  // namespace talvex
