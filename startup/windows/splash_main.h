#pragma once

#include "startup/program_controls.h"

#include <QWidget>

#include <memory>

namespace talvex {

class Timer;

// The title window shown while the program starts. It closes after two seconds, on a key, or
// on a click anywhere on its white panel, and brings the Radio Operations window forward.
class SplashMain final : public QWidget {
    Q_OBJECT
public:
    explicit SplashMain(ProgramControls program, QWidget* parent = nullptr);
    ~SplashMain() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    ProgramControls program_;
    std::unique_ptr<Timer> timer1_;
    bool finished_ = false;
};

}  // namespace talvex
