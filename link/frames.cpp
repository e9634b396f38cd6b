#include "frames.h"

#include "link/radio_model.h"

#include "bcd.h"

namespace talvex {

std::uint8_t RadioAddress()
{
    return kRadio.address;
}

QByteArray CivPrefix()
{
    return MakeBytes({kPreamble, kPreamble, RadioAddress(), kControllerAddress});
}

QByteArray CivEnd() { return MakeBytes({kEndOfMessage}); }

QByteArray CommandFrame(const QByteArray& command) { return CivPrefix() + command + CivEnd(); }

QByteArray CommandFrame(std::initializer_list<std::uint8_t> command)
{
    return CommandFrame(MakeBytes(command));
}

QByteArray PowerOnFrame()
{
    return CivPrefix().repeated(25) + MakeBytes({0x18, 0x01}) + CivEnd();
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

QByteArray MemoryContents(const MemoryChannel& channel)
{
    QByteArray settings = channel.frequency.left(5).leftJustified(5, '\0');
    settings += MakeBytes({channel.mode, channel.filter, 0x00, 0x00, 0x10, 0x00, 0x00, 0x10, 0x00});

    QByteArray contents = MakeBytes({0x00, channel.channel, 0x00});
    contents += settings;
    contents += settings;
    contents += channel.label.leftJustified(10, u' ', true).toLatin1();
    return contents;
}

QByteArray MemoryWriteFrame(const MemoryChannel& channel)
{
    return CommandFrame(MakeBytes({0x1A, 0x00}) + MemoryContents(channel));
}

}  // namespace talvex
