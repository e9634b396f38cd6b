#pragma once

#include <functional>
#include <memory>

namespace talvex {

// A repeating timer with an interval and an enabled state, the way the windows' timers work.
// The program's steppers never look at a clock: they only see ticks.
class Timer {
public:
    using Tick = std::function<void()>;

    virtual ~Timer() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // Enabling an enabled timer starts its interval afresh.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void onTick(Tick tick) = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> create(int intervalMs, bool enabled) = 0;
};

}  // namespace talvex
