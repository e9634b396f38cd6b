#include "answer_reader.h"

#include "bcd.h"
#include "bytes.h"
#include "read_rows.h"

namespace talvex {

namespace {

// The call sign: up to eight characters from position 18, ending early at the end byte. An
// answer whose end byte has not arrived is cut short: nothing.
std::optional<QString> CallSignOf(const QByteArray& d)
{
    if (d.indexOf(static_cast<char>(0xFD), 17) < 0)
        return std::nullopt;
    QByteArray call;
    for (int position = 18; position < 26; ++position) {
        const auto byte = ByteAt(d, position);
        if (!byte)
            return std::nullopt;
        if (*byte == 0xFD)
            break;
        call.append(static_cast<char>(*byte));
    }
    return QString::fromLatin1(call);
}

// Rows 1-6: the single values the command buttons ask for. The echo's bytes make at most one
// row match.
std::optional<RadioReading> StatusRow(const QByteArray& d)
{
    const bool clockOrCall = ByteIs(d, 5, 0x1A) && ByteIs(d, 6, 0x05) && ByteIs(d, 7, 0x00) && ByteIs(d, 9, 0xFD);
    // 1: Rig ID [answer FE FE E0 94 19 00 id FD at 8-15]
    if (ByteIs(d, 5, 0x19) && ByteIs(d, 6, 0x00) && ByteIs(d, 7, 0xFD) && d.size() >= 15)
        return RigId{BcdToDecimal(At(d, 14))};
    // 2: Time [echo 9 bytes, hh mm at 18, 19]
    if (clockOrCall && ByteIs(d, 8, 0x95) && d.size() >= 20)
        return ClockTime{BcdToDecimal(At(d, 18)), BcdToDecimal(At(d, 19))};
    // 3: My Call
    if (clockOrCall && ByteIs(d, 8, 0x91)) {
        if (const auto call = CallSignOf(d))
            return CallSign{*call};
    }
    // 4: R/T status, 5: squelch [answer byte 14]; 6: S-meter [hi, lo at 14, 15]
    if (ByteIs(d, 5, 0x1C) && ByteIs(d, 6, 0x00) && ByteIs(d, 7, 0xFD) && d.size() >= 15)
        return TransmitState{At(d, 14)};
    if (ByteIs(d, 5, 0x15) && ByteIs(d, 6, 0x01) && ByteIs(d, 7, 0xFD) && d.size() >= 15)
        return SquelchState{At(d, 14)};
    if (ByteIs(d, 5, 0x15) && ByteIs(d, 6, 0x02) && ByteIs(d, 7, 0xFD) && d.size() >= 16)
        return SMeterReading{At(d, 14), At(d, 15)};
    return std::nullopt;
}

}  // namespace

std::optional<RadioReading> ReadAnswer(const QByteArray& data, std::uint8_t radio, std::optional<int> channelAsked)
{
    // An echo alone, or nothing at all, says nothing; the status boxes already show it.
    if (data.size() < 11)
        return std::nullopt;
    const QByteArray answer = WithoutInterjections(data, radio);
    if (auto status = StatusRow(answer))
        return status;
    return read::FrequencyAndMemoryRow(answer, channelAsked);
}

}  // namespace talvex
