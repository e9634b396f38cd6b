#pragma once

#include "timer.h"

#include <QTimer>

namespace talvex {

class QtTimer final : public Timer {
public:
    QtTimer(int intervalMs, bool enabled);

    void setInterval(int milliseconds) override;
    int interval() const override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void onTick(Tick tick) override;

private:
    QTimer timer_;
    Tick tick_;
};

class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int intervalMs, bool enabled) override;
};

}  // namespace talvex
