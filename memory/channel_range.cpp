#include "memory/channel_range.h"

#include "link/bcd.h"

#include <algorithm>
#include <cmath>

namespace talvex {

namespace {

// Channel numbers are whole and small; a typed 1e9 must not overflow the counter.
int ChannelValue(const QString& text)
{
    const double value = std::trunc(LeadingNumber(text));
    return static_cast<int>(std::clamp(value, -1000.0, 1000.0));
}

}  // namespace

std::optional<ChannelRange> AskChannelRange(Dialogs& dialogs, const QString& firstPrompt, const QString& firstTitle,
                                            const QString& lastPrompt, const QString& lastTitle)
{
    const auto first = dialogs.input(firstPrompt, firstTitle, QString::number(kRadio.firstChannel));
    if (!first)
        return std::nullopt;
    ChannelRange range;
    if (!first->isEmpty()) {
        if (!LeadingNumberOf(*first))
            return std::nullopt;
        range.first = ChannelValue(*first);
    }
    const auto last = dialogs.input(lastPrompt, lastTitle, QString::number(kRadio.lastChannel));
    if (!last)
        return std::nullopt;
    if (!last->isEmpty())
        range.last = ChannelValue(*last);
    return range;
}

}  // namespace talvex
