#include "measured_timers.h"

namespace talvex::bench {

MeasuredTimer::MeasuredTimer(int intervalMs, bool enabled, const QElapsedTimer& clock)
    : inner_(intervalMs, enabled), clock_(clock)
{
    inner_.onTick([this] {
        tickTimes.push_back(clock_.elapsed());
        if (beforeTick)
            beforeTick();
        if (tick_)
            tick_();
    });
}

std::unique_ptr<Timer> MeasuredTimerFactory::create(int intervalMs, bool enabled)
{
    auto timer = std::make_unique<MeasuredTimer>(intervalMs, enabled, clock);
    timers.push_back(timer.get());
    return timer;
}

}  // namespace talvex::bench
