#include "qt_timer.h"

namespace talvex {

QtTimer::QtTimer(int intervalMs, bool enabled)
{
    // Precise: a 300 ms operation step must not drift by the coarse timer's 5 %.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (tick_)
            tick_();
    });
    if (enabled)
        timer_.start();
}

void QtTimer::setInterval(int milliseconds) { timer_.setInterval(milliseconds); }

int QtTimer::interval() const { return timer_.interval(); }

void QtTimer::setEnabled(bool enabled)
{
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool QtTimer::isEnabled() const { return timer_.isActive(); }

void QtTimer::onTick(Tick tick) { tick_ = std::move(tick); }

std::unique_ptr<Timer> QtTimerFactory::create(int intervalMs, bool enabled)
{
    return std::make_unique<QtTimer>(intervalMs, enabled);
}

}  // namespace talvex
