#include "memory/channel_clear.h"

#include "link/frames.h"
#include "link/radio_answers.h"
#include "memory/channel_checks.h"

#include <algorithm>

namespace talvex {

namespace {

bool IsRead(const QByteArray& frame) { return frame.mid(4, 2) == QByteArray::fromHex("1A00") && frame.size() == 9; }

}  // namespace

void ChannelClear::select(int channel, bool memoryModeFirst)
{
    channel_ = channel;
    if (memoryModeFirst)
        c_.radio.selectMemoryMode();
    c_.radio.selectChannel(channel);
}

std::optional<QString> ChannelClear::selectNotConfirmed(const Exchange& exchange) const
{
    const QByteArray own = OwnReceived(exchange);
    const auto answers = RadioAnswers(own, exchange.radio);
    if (own.isEmpty())
        return kNoAnswer;
    const auto field = ChannelField(QString::number(channel_));
    if (!field || !own.contains(CommandFrame(exchange.radio, QByteArray(1, 0x08) + *field)))
        return QStringLiteral("the radio did not take the select: nothing was cleared");
    if (std::any_of(answers.begin(), answers.end(), [](const QByteArray& a) { return IsNg(a); }))
        return QStringLiteral("the radio refused the select: nothing was cleared");
    const auto settings = std::count_if(exchange.sent.begin(), exchange.sent.end(), [](const QByteArray& f) { return !IsRead(f); });
    const auto oks = std::count_if(answers.begin(), answers.end(), [](const QByteArray& a) { return IsOk(a); });
    if (oks < settings)
        return QStringLiteral("the radio did not confirm the select: nothing was cleared");
    return std::nullopt;
}

void ChannelClear::clear()
{
    for (int i = 0; i < clears_; ++i)
        c_.radio.clearSelectedChannel();
    c_.radio.readChannel(channel_);
}

std::optional<QString> ChannelClear::clearNotVerified(const Exchange& exchange) const
{
    if (const auto why = ClearNotVerified(exchange, clears_))
        return why;
    const auto readBack =
        MemoryReadAnswer(RadioAnswers(OwnReceived(exchange), exchange.radio), *ChannelField(QString::number(channel_)));
    if (!readBack)
        return kNoAnswer;
    if (!IsBlankChannelAnswer(*readBack))
        return QStringLiteral("the radio still holds the channel after the clear");
    return std::nullopt;
}

}  // namespace talvex
