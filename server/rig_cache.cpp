#include "rig_cache.h"

namespace talvex::server {

void RigCache::note(const QByteArray& payload, const QDateTime& at)
{
    if (const auto reading = ReadingOf(payload))
        entries_[Index(*reading)] = Entry{payload, at};
}

std::optional<QByteArray> RigCache::fresh(Reading reading, const QDateTime& now) const
{
    const auto& entry = entries_[Index(reading)];
    // A clock set back makes nothing fresh for ever.
    if (!entry || entry->at > now || entry->at.msecsTo(now) >= kFreshMs)
        return std::nullopt;
    return entry->payload;
}

std::optional<QByteArray> RigCache::kept(Reading reading) const
{
    const auto& entry = entries_[Index(reading)];
    return entry ? std::optional(entry->payload) : std::nullopt;
}

}  // namespace talvex::server
