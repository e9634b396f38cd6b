#include "read_rows.h"

#include "bcd.h"
#include "bytes.h"
#include "frames.h"

namespace talvex {

namespace {

bool Has(const QByteArray& d, int length) { return d.size() >= length; }

// The five frequency bytes from position `p` (counted from 1).
std::optional<std::int64_t> HzAt(const QByteArray& d, int p) { return HzOfBcd(d.mid(p - 1, 5)); }

// The two channel bytes: 00 nn is channel nn, 01 00 and 01 01 the scan edges; anything else
// names no channel.
std::optional<int> ChannelOf(std::uint8_t high, std::uint8_t low)
{
    if (!IsBcd(high) || !IsBcd(low))
        return std::nullopt;
    const int channel = BcdToDecimal(high) * 100 + BcdToDecimal(low);
    if (channel <= kRadio.lastChannel || kRadio.isScanEdge(channel))
        return channel;
    return std::nullopt;
}

std::optional<RadioReading> Shown(const QByteArray& d, int contents, bool written)
{
    auto channel = ChannelReadingOf(d.mid(contents - 1, record::kSize));
    if (!channel)
        return std::nullopt;
    return ChannelShown{std::move(*channel), written};
}

// A channel answer: contents start at `c` (channel c, c+1; select c+2; frequency c+3..c+7;
// mode c+8; filter c+9; name c+31..c+40; FD at c+41). A blank channel answers ch ch FF FD; cut
// before that FD it is as incomplete as any other cut answer and reads as nothing.
std::optional<RadioReading> MemoryAnswer(const QByteArray& d, int c, std::optional<int> channelAsked)
{
    if (ByteIs(d, c + 2, kNoData)) {
        if (ByteIs(d, c + 3, kEndOfMessage))
            return BlankChannel{channelAsked};
        return std::nullopt;
    }
    if (!Has(d, c + record::kSize))
        return std::nullopt;
    return Shown(d, c, false);
}

std::optional<RadioReading> Frequency(const QByteArray& d, int p, bool afterSet)
{
    if (const auto hz = HzAt(d, p))
        return FrequencyReading{*hz, afterSet};
    return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> HzOfBcd(const QByteArray& fiveBytes)
{
    if (fiveBytes.size() != 5)
        return std::nullopt;
    std::int64_t hz = 0;
    for (qsizetype i = fiveBytes.size() - 1; i >= 0; --i) {
        const auto byte = static_cast<std::uint8_t>(fiveBytes[i]);
        if (!IsBcd(byte))
            return std::nullopt;
        hz = hz * 100 + BcdToDecimal(byte);
    }
    return hz;
}

std::optional<ChannelReading> ChannelReadingOf(const QByteArray& contents)
{
    auto record = MemoryRecord::from(contents);
    if (!record)
        return std::nullopt;
    const auto hz = HzOfBcd(record->frequency());
    if (!hz)
        return std::nullopt;
    const auto channel = ChannelOf(static_cast<std::uint8_t>(contents[0]), static_cast<std::uint8_t>(contents[1]));
    return ChannelReading{std::move(*record), channel, *hz};
}

namespace read {

std::optional<RadioReading> FrequencyAndMemoryRow(const QByteArray& d, std::optional<int> channelAsked)
{
    // 7: read frequency [echo 1-6, answer 7-17, f1 at 12]
    if (ByteIs(d, 5, 0x03) && ByteIs(d, 6, 0xFD)) {
        if (Has(d, 13) && ByteIs(d, 12, kNoData))
            return NothingHeld{};
        if (Has(d, 17))
            return Frequency(d, 12, false);
    }
    // 8: read mode [answer 7-14, mode at 12, filter at 13]
    if (ByteIs(d, 5, 0x04) && ByteIs(d, 6, 0xFD)) {
        if (Has(d, 13) && ByteIs(d, 12, kNoData))
            return NothingHeld{};
        if (Has(d, 14))
            return ModeReading{At(d, 12), At(d, 13), false};
    }
    // 9: band edges [lower f1-f5 at 12-16, separator 17, upper 18-22, FD 23]
    if (ByteIs(d, 5, 0x02) && ByteIs(d, 6, 0xFD) && Has(d, 23)) {
        const auto lower = HzAt(d, 12);
        const auto upper = HzAt(d, 18);
        if (lower && upper)
            return BandEdges{*lower, *upper};
    }
    // 10: frequency set, then 03 [echoes 1-11 and 12-17, answer 18-28, f1 at 23]
    if (ByteIs(d, 5, 0x05) && ByteIs(d, 6, 0x00) && ByteIs(d, 11, 0xFD) && Has(d, 28))
        return Frequency(d, 23, true);
    // 11: mode set, read from the echo itself
    if (ByteIs(d, 5, 0x06) && ByteIs(d, 7, 0xFD))
        return ModeReading{At(d, 6), std::nullopt, true};
    // 12: mode and filter set, from the echo
    if (ByteIs(d, 5, 0x06) && ByteIs(d, 8, 0xFD))
        return ModeReading{At(d, 6), At(d, 7), true};
    // 13: channel select, then 0B (clear: nothing to show) or 1A 00 ch [echo 9-17, answer 18-]
    if (ByteIs(d, 5, 0x08) && ByteIs(d, 8, 0xFD)) {
        if (ByteIs(d, 13, 0x1A))
            return MemoryAnswer(d, 24, channelAsked);
        return std::nullopt;
    }
    const bool memory = ByteIs(d, 5, 0x1A) && ByteIs(d, 6, 0x00);
    // 14: an echoed 1A 00 ch FF
    if (memory && ByteIs(d, 9, 0xFF))
        return NothingHeld{};
    // 16: memory read [echo 1-9, answer from 10, contents from 16]
    if (memory && ByteIs(d, 9, 0xFD))
        return MemoryAnswer(d, 16, channelAsked);
    // 15: memory write; its echo alone carries the contents [channel 7-8, FD at 48]
    if (memory && Has(d, 48) && ByteIs(d, 48, 0xFD))
        return Shown(d, 7, true);
    return std::nullopt;
}

}  // namespace read

}  // namespace talvex
