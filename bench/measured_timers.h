#pragma once

#include "platform/qt_timer.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <vector>

namespace talvex::bench {

// Real timers that note when each tick came, so a run can be compared with its ideal cadence.
class MeasuredTimer final : public Timer {
public:
    MeasuredTimer(int intervalMs, bool enabled, const QElapsedTimer& clock);

    void setInterval(int milliseconds) override { inner_.setInterval(milliseconds); }
    int interval() const override { return inner_.interval(); }
    void setEnabled(bool enabled) override { inner_.setEnabled(enabled); }
    bool isEnabled() const override { return inner_.isEnabled(); }
    void onTick(Tick tick) override { tick_ = std::move(tick); }

    // Called before each tick runs.
    std::function<void()> beforeTick;
    // Milliseconds since the run's clock started, one entry per tick.
    std::vector<qint64> tickTimes;

private:
    QtTimer inner_;
    Tick tick_;
    const QElapsedTimer& clock_;
};

class MeasuredTimerFactory final : public TimerFactory {
public:
    MeasuredTimerFactory() { clock.start(); }
    std::unique_ptr<Timer> create(int intervalMs, bool enabled) override;

    QElapsedTimer clock;
    std::vector<MeasuredTimer*> timers;  // in order of creation
};

}  // namespace talvex::bench
