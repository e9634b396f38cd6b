#include "radio_answers.h"

#include "bytes.h"

namespace talvex {

namespace {

// Two BCD bytes, 0000-9999, high digits first: the levels and meters.
std::optional<int> FourDigits(const QByteArray& payload, int position)
{
    const std::uint8_t high = At(payload, position);
    const std::uint8_t low = At(payload, position + 1);
    if (!IsBcd(high) || !IsBcd(low))
        return std::nullopt;
    const auto two = [](std::uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); };
    return two(high) * 100 + two(low);
}

bool Is(const QByteArray& payload, std::initializer_list<std::uint8_t> command, qsizetype size)
{
    return payload.size() == size && payload.startsWith(MakeBytes(command));
}

}  // namespace

std::optional<StateReading> ReadStateAnswer(const QByteArray& p)
{
    if (Is(p, {0x03}, 6) || Is(p, {0x25, 0x01}, 7)) {
        const auto hz = HzOfBcd(p.right(5));
        if (!hz)
            return std::nullopt;
        if (At(p, 1) == 0x03)
            return FrequencyReading{*hz, false};
        return OtherVfoFrequency{*hz};
    }
    if (Is(p, {0x04}, 3))
        return ModeReading{At(p, 2), At(p, 3), false};
    if (Is(p, {0x26, 0x01}, 5))
        return OtherVfoMode{At(p, 3), At(p, 5)};
    if (Is(p, {0x1C, 0x00}, 3))
        return TransmitState{At(p, 3)};
    if (Is(p, {0x0F}, 2))
        return SplitState{At(p, 2) == 0x01};
    if (Is(p, {0x15, 0x02}, 4) || Is(p, {0x14, 0x0A}, 4)) {
        const auto value = FourDigits(p, 3);
        if (!value)
            return std::nullopt;
        if (At(p, 1) == 0x15)
            return SMeterLevel{*value};
        return RfPowerLevel{*value};
    }
    return std::nullopt;
}

}  // namespace talvex
