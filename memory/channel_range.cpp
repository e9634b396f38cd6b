#include "memory/channel_range.h"

#include "link/bcd.h"
#include "link/format.h"

#include <algorithm>
#include <cmath>

namespace talvex {

std::optional<int> TypedChannel(const QString& text)
{
    if (!LeadingNumberOf(text))
        return std::nullopt;
    const double value = std::trunc(LeadingNumber(text));
    return static_cast<int>(std::clamp(value, -1000.0, 1000.0));
}

QString AllChannelsText() { return u'(' + ChannelRangeText() + u')'; }

}  // namespace talvex
