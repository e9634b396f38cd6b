#include "frames.h"
#include "memory_record.h"

#include "link/radio_model.h"

#include "bcd.h"

namespace talvex {

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
    if (channelText == u"100")
        return MakeBytes({0x01, 0x00});
    if (channelText == u"101")
        return MakeBytes({0x01, 0x01});
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
    if (high == 0x01 && (low == 0x00 || low == 0x01))
        return 100 + low;
    if (high != 0x00 || (low >> 4) > 9 || (low & 0x0F) > 9)
        return std::nullopt;
    return (low >> 4) * 10 + (low & 0x0F);
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
