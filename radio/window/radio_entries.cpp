#include "radio/window/radio_entries.h"

#include "radio/entry_values.h"

namespace talvex {

namespace {

QString ChannelPrompt() { return QStringLiteral("Enter 'CHANNEL NUMBER' (") + ChannelChoices() + u')'; }

}  // namespace

RadioEntries::RadioEntries(ProgramState& state, RadioOperations& radio, Dialogs& dialogs, RadioFieldTexts& texts,
                           MemoryFields& memoryTexts)
    : state_(state), radio_(radio), dialogs_(dialogs), texts_(texts), memoryTexts_(memoryTexts)
{
}

void RadioEntries::refuse()
{
    texts_.blankMessageArea();
    memoryTexts_.Text9 = QStringLiteral(" ");
}

void RadioEntries::clearStatus()
{
    texts_.blankDisplay();
    refuse();
}

void RadioEntries::toggleAutoStatus()
{
    radio_.toggleAutoStatus();
    texts_.switchAutoStatusCaption();
    clearStatus();
}

void RadioEntries::setFilter(int filter)
{
    const auto mode = ModeShownBy(texts_.fields().Text4);
    if (!mode)
        return refuse();
    radio_.setFilter(filter, *mode);
}

void RadioEntries::setFrequency()
{
    const auto frequency = FrequencyBytesOf(
        dialogs_.inputOrEmpty(QStringLiteral("Enter  'FREQUENCY'  (MMkkk or MmKkCc)"), QStringLiteral("Set Memory Frequency")));
    if (!frequency)
        return refuse();
    radio_.setFrequency(*frequency);
}

void RadioEntries::setMode()
{
    const auto mode = ModeOf(dialogs_.inputOrEmpty(QStringLiteral("Enter  'MODE'  (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"),
                                                   QStringLiteral("Set Memory Mode"), QStringLiteral("AM")));
    if (!mode)
        return refuse();
    const auto filter = FilterOf(
        dialogs_.inputOrEmpty(QStringLiteral("Enter  'FILTER'  (") + FilterChoices() + u')', QStringLiteral("Memory Filter"), QStringLiteral("2")));
    if (!filter)
        return refuse();
    radio_.setMode(*mode, *filter);
}

void RadioEntries::setVolume()
{
    const QString level = dialogs_.inputOrEmpty(QStringLiteral("Enter  'AUDIO LEVEL'  (0-99)"),
                                                QStringLiteral("Set Audio Level"), QStringLiteral("25"));
    // No answer, or one that begins with a blank, leaves even the message areas alone.
    if (level.isEmpty() || level.front() == u' ')
        return;
    const auto volume = VolumeOf(level);
    if (!volume)
        return refuse();
    radio_.setVolume(*volume);
}

void RadioEntries::sendManual()
{
    const QString answer = dialogs_.inputOrEmpty(QStringLiteral("Enter Command String  (1 to 5 cmds, sep w/spaces )"),
                                                 QStringLiteral("Manual Command Mode"), lastManualCommand_);
    const auto command = ManualCommandOf(answer);
    if (!command)
        return refuse();
    lastManualCommand_ = answer;
    radio_.sendManual(*command);
}

void RadioEntries::readChannel()
{
    const auto channel = SelectableChannelOf(
        dialogs_.inputOrEmpty(ChannelPrompt(), QStringLiteral("Read Memory Channel Number")));
    if (!channel) {
        // Nothing is read, so nothing shown may pass for the channel asked for.
        texts_.blankDisplay();
        return refuse();
    }
    radio_.readChannel(*channel);
}

void RadioEntries::selectChannel() { selectTyped(QStringLiteral("Select Memory Channel Number"), SelectableChannelOf); }

void RadioEntries::selectTyped(const QString& title, std::optional<int> (*read)(const QString&))
{
    const auto channel = read(dialogs_.inputOrEmpty(ChannelPrompt(), title));
    if (!channel)
        return refuse();
    radio_.selectChannel(*channel);
}

void RadioEntries::clearChannel()
{
    if (dialogs_.message(QStringLiteral("Memory Channel Clear"), QStringLiteral("Are you sure?"), MessageIcon::None,
                         MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    radio_.clearSelectedChannel();
    texts_.blankDisplay();
}

void RadioEntries::channelUp() { step(&RadioOperations::channelUp); }
void RadioEntries::channelDown() { step(&RadioOperations::channelDown); }

void RadioEntries::step(void (RadioOperations::*onward)())
{
    if (radio_.channelSelected())
        return (radio_.*onward)();
    selectTyped(QStringLiteral("Select Beginning Memory Channel Number"), ChannelOf);
}

// The questions in turn; a cancelled or unreadable answer ends the write there.
void RadioEntries::writeChannel()
{
    const auto ask = [this](const QString& prompt, const char* title, const char* offered, auto read) {
        const auto typed = dialogs_.input(prompt, QString::fromLatin1(title), QString::fromLatin1(offered));
        return typed ? read(*typed) : decltype(read(*typed))();
    };
    // An empty mode or filter is the default the question offers; a blank is refused.
    const auto orOffered = [](const char* offered, auto read) {
        return [offered, read](const QString& typed) { return read(typed.isEmpty() ? QString::fromLatin1(offered) : typed); };
    };
    const auto channel = ask(ChannelPrompt(), "Set Memory Channel Number", "", WritableChannelOf);
    if (!channel)
        return refuse();
    const auto frequency = ask(QStringLiteral("Enter 'FREQUENCY' (MMkkk or MmKkCc or Kkk)"), "Set Memory Frequency", "", FrequencyBytesOf);
    if (!frequency)
        return refuse();
    const auto mode = ask(QStringLiteral("Enter  'MODE' (Lsb, Usb, Am, Cw, Rtty, Fm, Cwr, Rttyr)"), "Set Memory Mode", "AM",
                          orOffered("AM", ModeOf));
    if (!mode)
        return refuse();
    const auto filter = ask(QStringLiteral("Enter 'FILTER' (") + FilterChoices() + u')', "Set Memory Filter", "2", orOffered("2", FilterOf));
    if (!filter)
        return refuse();
    const auto label = ask(QStringLiteral("Enter  'LABEL'  info (0-%1 chars)").arg(LabelLength()), "Set Memory Label", "", LabelOf);
    if (!label)
        return refuse();
    radio_.writeChannel({*channel, *frequency, *mode, *filter, *label});
}

}  // namespace talvex
