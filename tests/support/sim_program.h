#pragma once

#include "scripted_platform.h"
#include "sim_process.h"
#include "test_program.h"

#include "app/program.h"
#include "platform/qt_serial_port.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace talvex::testing {

// A whole program on the real serial port, talking to talvex-sim over a pseudo-terminal.
// Dialogs are scripted and timers are stepped by the test, but each step first lets the real
// time of the timer's interval pass, so the line behaves as it does beside a radio.
struct SimProgram {
    // Starts the simulator with `simArguments` (its --baud follows `settings`) and writes a
    // TALVEX.INI for COM1 at `settings` and an empty TALVEX.TXT.
    explicit SimProgram(const QStringList& simArguments = {},
                        const QString& settings = QStringLiteral("19200,N,8,1"));

    bool ready() const { return sim && sim->ready(); }
    QString path(const QString& name) const;

    // Runs start-up and answers the start-up query chain; true when the port is open and the
    // chain ran to its end without the program ending.
    bool startUp();
    // Lets the interval of `timer` pass in real time, then fires it once.
    static void waitAndFire(ManualTimer& timer);
    // Fires Timer2 (after its interval) while it is armed: every answer of what was sent is read.
    void readAnswers();
    // Steps the Memory window's timer `number` as the window would, every answer read before
    // the next tick, until no memory operation runs (or `maxTicks` ticks). Returns the ticks.
    int runMemoryOperation(int number, int maxTicks = 130);

    ManualTimer& timer1() const { return static_cast<ManualTimer&>(program->link.Timer1()); }
    ManualTimer& timer2() const { return static_cast<ManualTimer&>(program->link.Timer2()); }

    QTemporaryDir directory;
    std::unique_ptr<SimProcess> sim;
    ScriptedDialogs dialogs;
    ManualTimerFactory timers;
    ThrowingExit exit;
    RecordingShell shell;
    std::unique_ptr<QtSerialPort> port;
    std::unique_ptr<Program> program;
};

}  // namespace talvex::testing
