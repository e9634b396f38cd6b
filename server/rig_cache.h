#pragma once

// The radio's state as its last answers and broadcasts showed it: each reading's answer kept
// as it came, with when. A client's read is answered from here while the value is fresh, so
// many clients polling cost the line one read a second, and with CI-V Transceive on, a
// broadcast keeps the frequency and mode current between reads.

#include "radio_readings.h"

#include <QByteArray>
#include <QDateTime>

#include <array>
#include <optional>

namespace talvex::server {

class RigCache {
public:
    static constexpr qint64 kFreshMs = 1000;

    void note(const QByteArray& payload, const QDateTime& at);
    void forget(Reading reading) { entries_[Index(reading)].reset(); }
    void forgetAll() { entries_ = {}; }

    // The payload when it is younger than kFreshMs at `now`; kept(): whatever its age.
    std::optional<QByteArray> fresh(Reading reading, const QDateTime& now) const;
    std::optional<QByteArray> kept(Reading reading) const;

private:
    struct Entry {
        QByteArray payload;
        QDateTime at;
    };
    static std::size_t Index(Reading reading) { return static_cast<std::size_t>(reading); }
    std::array<std::optional<Entry>, kReadingCount> entries_;
};

}  // namespace talvex::server
