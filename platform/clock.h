#pragma once

#include <QDateTime>

namespace talvex {

// The wall clock, read only where a date and time is kept (the names of the channel backups).
// Nothing is paced by it: the steps follow the timers.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The computer's local time.
class QtClock final : public Clock {
public:
    QDateTime now() const override;
};

}  // namespace talvex
