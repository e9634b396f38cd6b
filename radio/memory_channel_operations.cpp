// The memory channel operations: select, read, clear and write a channel, and step through them.
#include "radio/radio_operations.h"

#include "link/bcd.h"
#include "link/frames.h"
#include "link/memory_record.h"
#include "link/radio_model.h"

#include <optional>

namespace talvex {

namespace {

// The channel's two bytes; nothing for a channel the radio has no place for.
std::optional<QByteArray> SelectableField(int channel)
{
    if (channel < kRadio.firstChannel || channel > kRadio.lastSelectable)
        return std::nullopt;
    return ChannelField(QString::number(channel));
}

}  // namespace

void RadioOperations::selectChannel(int channel)
{
    const auto field = SelectableField(channel);
    if (!field)
        return;
    link_.SendCommand(CommandFrame(QByteArray(1, 0x08) + *field));
    channelSelected_ = true;
    readChannel(channel);
}

void RadioOperations::readChannel(int channel)
{
    const auto field = SelectableField(channel);
    if (!field)
        return;
    lastChannel_ = channel;
    link_.SendCommand(CommandFrame(QByteArray::fromHex("1A00") + *field));
}

void RadioOperations::clearSelectedChannel()
{
    send({0x0B});
}

// Past either end, or moving down from the program-scan edges 100/101, lands in 1-99.
void RadioOperations::stepChannel(int step)
{
    int channel = lastChannel_ + step;
    if (channel > kRadio.lastChannel)
        channel = step > 0 ? kRadio.firstChannel : kRadio.lastChannel;
    if (channel < kRadio.firstChannel)
        channel = kRadio.lastChannel;
    selectChannel(channel);
}

void RadioOperations::writeChannel(const ChannelEntry& entry)
{
    if (entry.channel < kRadio.firstChannel || entry.channel > kRadio.lastChannel)
        return;
    MemoryChannel contents;
    contents.channel = DecimalToBcd(QString::number(entry.channel)).byte;
    contents.frequency = entry.frequency;
    contents.mode = static_cast<std::uint8_t>(entry.mode);
    contents.filter = static_cast<std::uint8_t>(entry.filter);
    contents.label = entry.label;
    link_.SendCommand(MemoryWriteFrame(contents));
    selectAndReadBack(entry.channel);
}

void RadioOperations::writeRecord(const MemoryRecord& record)
{
    const auto channel = ChannelOfField(record.channelField());
    if (!channel || !SelectableField(*channel))
        return;
    link_.SendCommand(CommandFrame(QByteArray::fromHex("1A00") + record.bytes()));
    selectAndReadBack(*channel);
}

void RadioOperations::selectAndReadBack(int channel)
{
    selectMemoryMode();
    selectChannel(channel);
}

}  // namespace talvex
