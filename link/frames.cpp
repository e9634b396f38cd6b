#include "frames.h"
#include "memory_record.h"

#include "link/radio_model.h"

#include "bcd.h"

namespace talvex {

namespace {

std::uint8_t Bcd(int twoDigits) { return static_cast<std::uint8_t>((twoDigits / 10) << 4 | twoDigits % 10); }

}  // namespace

QByteArray CivPrefix(std::uint8_t radio)
{
    return MakeBytes({kPreamble, kPreamble, radio, kControllerAddress});
}

QByteArray CivEnd() { return MakeBytes({kEndOfMessage}); }

QByteArray CommandFrame(std::uint8_t radio, const QByteArray& command) { return CivPrefix(radio) + command + CivEnd(); }

QByteArray CommandFrame(std::uint8_t radio, std::initializer_list<std::uint8_t> command)
{
    return CommandFrame(radio, MakeBytes(command));
}

QByteArray PowerOnFrame(std::uint8_t radio)
{
    return CivPrefix(radio).repeated(25) + MakeBytes({0x18, 0x01}) + CivEnd();
}

std::optional<QByteArray> ChannelField(const QString& channelText)
{
    for (int edge = kRadio.lastChannel + 1; edge <= kRadio.lastSelectable; ++edge) {
        if (channelText == QString::number(edge))
            return MakeBytes({Bcd(edge / 100), Bcd(edge % 100)});
    }
    const BcdByte low = DecimalToBcd(channelText);
    if (!low.ok())
        return std::nullopt;
    return MakeBytes({0x00, low.byte});
}

std::optional<QByteArray> FrequencyField(const QString& sixDigits)
{
    if (sixDigits.size() != 6)
        return std::nullopt;
    QByteArray field(5, '\0');
    for (int pair = 0; pair < 3; ++pair) {
        const QString digits = sixDigits.mid(pair * 2, 2);
        if (!digits[0].isDigit() || !digits[1].isDigit())
            return std::nullopt;
        const BcdByte byte = DecimalToBcd(digits);
        if (!byte.ok())
            return std::nullopt;
        field[3 - pair] = static_cast<char>(byte.byte);  // bytes 4, 3, 2
    }
    return field;
}

std::optional<int> ChannelOfField(const QByteArray& field)
{
    if (field.size() != 2)
        return std::nullopt;
    const auto high = static_cast<std::uint8_t>(field[0]);
    const auto low = static_cast<std::uint8_t>(field[1]);
    const auto digits = [](std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); };
    if ((high >> 4) > 9 || (high & 0x0F) > 9 || (low >> 4) > 9 || (low & 0x0F) > 9)
        return std::nullopt;
    const int channel = digits(high) * 100 + digits(low);
    if (high != 0x00 && !kRadio.isScanEdge(channel))
        return std::nullopt;
    return channel;
}

std::optional<int> ChannelOfRead(const QByteArray& frame)
{
    // Sent to whichever address the run talks to: the frame's own.
    const QByteArray request = CivPrefix(frame.size() > 2 ? static_cast<std::uint8_t>(frame[2]) : 0) + MakeBytes({0x1A, 0x00});
    if (frame.size() != request.size() + 3 || !frame.startsWith(request) || !frame.endsWith(CivEnd()))
        return std::nullopt;
    return ChannelOfField(frame.mid(request.size(), 2));
}

QByteArray MemoryContents(const MemoryChannel& channel)
{
    return BlankChannelRecord(MakeBytes({0x00, channel.channel}),
                              {channel.frequency, channel.mode, channel.filter, false, channel.label})
        .bytes();
}

QByteArray MemoryWriteFrame(std::uint8_t radio, const MemoryChannel& channel)
{
    return CommandFrame(radio, MakeBytes({0x1A, 0x00}) + MemoryContents(channel));
}

}  // namespace talvex
