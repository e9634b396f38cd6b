#pragma once

#include "measured_timers.h"

#include "app/program.h"
#include "platform/clock.h"
#include "platform/qt_serial_port.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/sim_process.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace talvex::bench {

class NoWindows final : public WindowShell {
public:
    void showSplash() override {}
    void showSetup() override {}
};

// The program on a real pseudo-terminal to talvex-sim, with real timers and an event loop, in
// a fresh working folder. Dialogs answer from a script.
struct BenchProgram {
    BenchProgram(const QString& settings, const QStringList& simArguments);

    // Runs the event loop until `done` or `limitMs` passed; false on the time limit.
    bool runUntil(const std::function<bool()>& done, int limitMs);
    bool startUp();
    QString path(const QString& name) const;
    MeasuredTimer& memoryTimer(MemoryOperations::StepTimer which) const;

    QTemporaryDir directory;
    std::unique_ptr<testing::SimProcess> sim;
    testing::ScriptedDialogs dialogs;
    MeasuredTimerFactory timers;
    testing::ThrowingExit exit;
    QtClock clock;  // backups are named by it, so they are taken as the windows take them
    NoWindows shell;
    std::unique_ptr<QtSerialPort> port;
    std::unique_ptr<Program> program;
};

}  // namespace talvex::bench
