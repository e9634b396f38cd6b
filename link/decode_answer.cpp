#include "answer_decoder.h"

#include "bcd.h"
#include "bytes.h"
#include "decode_steps.h"
#include "format.h"

#include <optional>
#include <span>

namespace talvex {

namespace {

bool Is(const QByteArray& d, int position, std::uint8_t value) { return ByteAt(d, position) == value; }

QString SMeterLevel(std::uint8_t hi, std::uint8_t lo)
{
    struct Step {
        int from;
        const char* text;
    };
    // Raw byte values: the low byte is compared as it comes, not converted from BCD.
    static constexpr Step kLow[] = {{150, "S7"}, {125, "S6"}, {100, "S5"}, {80, "S4"},
                                    {60, "S3"},  {40, "S2"},  {25, "S1"},  {0, "S0"}};
    static constexpr Step kHigh[] = {{145, "S9 + 50db"}, {130, "S9 + 40db"}, {115, "S9 + 30db"},
                                     {85, "S9 + 20db"},  {50, "S9 + 10db"},  {25, "S9"},
                                     {10, "S8"},         {0, "S7"}};
    if (hi >= 2)
        return QStringLiteral("VERY POWERFUL");
    for (const Step& step : hi == 0 ? std::span<const Step>(kLow) : std::span<const Step>(kHigh)) {
        if (lo >= step.from)
            return QString::fromLatin1(step.text);
    }
    return {};
}

// The call sign: up to eight characters from position 18, ending early at the end byte. An
// answer whose end byte has not arrived is cut short: nothing.
std::optional<QString> CallSign(const QByteArray& d)
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

void StatusRows(ProgramState& state, const QByteArray& d)
{
    QString& info = state.radio.Text6;
    // 1: Rig ID [answer FE FE E0 94 19 00 id FD at 8-15]
    if (Is(d, 5, 0x19) && Is(d, 6, 0x00) && Is(d, 7, 0xFD) && d.size() >= 15)
        info = QStringLiteral("RIG ID = ") + QString::number(BcdToDecimal(At(d, 14))) + QStringLiteral(" (")
            + RadioName().replace(u'-', QStringLiteral(" - ")) + u')';  // the window spaces out its dash
    // 2: Time [echo 9 bytes, hh mm at 18, 19]
    if (Is(d, 5, 0x1A) && Is(d, 6, 0x05) && Is(d, 7, 0x00) && Is(d, 8, 0x95) && Is(d, 9, 0xFD) && d.size() >= 20)
        info = QStringLiteral("TIME = ") + FormatTime(BcdToDecimal(At(d, 18)), BcdToDecimal(At(d, 19)));
    // 3: My Call
    if (Is(d, 5, 0x1A) && Is(d, 6, 0x05) && Is(d, 7, 0x00) && Is(d, 8, 0x91) && Is(d, 9, 0xFD)) {
        if (const auto call = CallSign(d)) {
            info = QStringLiteral("MY CALL = ") + *call;
            state.memory.Text6 = QStringLiteral("HELLO ") + *call;
        }
    }
    // 4: R/T status
    if (Is(d, 5, 0x1C) && Is(d, 6, 0x00) && Is(d, 7, 0xFD) && d.size() >= 15) {
        state.RxTxText = QString::number(At(d, 14));
        info = QStringLiteral("RxTx = ") + state.RxTxText;
    }
    // 5: squelch
    if (Is(d, 5, 0x15) && Is(d, 6, 0x01) && Is(d, 7, 0xFD) && d.size() >= 15) {
        const std::uint8_t open = At(d, 14);
        const QString text = open == 0 ? QStringLiteral("Squelch is Closed")
                             : open == 1 ? QStringLiteral("Squelch is Open")
                                         : QString();
        info = text;
        state.showMemoryMessage(text);
    }
    // 6: S-meter [hi, lo at 14, 15]
    if (Is(d, 5, 0x15) && Is(d, 6, 0x02) && Is(d, 7, 0xFD) && d.size() >= 16)
        info = QStringLiteral("S-Meter = ") + SMeterLevel(At(d, 14), At(d, 15));
}

}  // namespace

void DecodeAnswer(ProgramState& state, const QByteArray& data, std::uint8_t radio, std::optional<int> channelAsked)
{
    // An echo alone, or nothing at all, shows nothing; the status boxes already show it.
    if (data.size() < 11)
        return;
    const QByteArray answer = WithoutInterjections(data, radio);
    StatusRows(state, answer);
    decode::FrequencyAndMemoryRows(state, answer, channelAsked);
}

}  // namespace talvex
