#pragma once

#include "scripted_platform.h"
#include "sim_process.h"
#include "test_program.h"

#include "app/program.h"
#include "platform/qt_serial_port.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace talvex::testing {

// The real port, watched by the test so that it knows when the answers are complete.
class WatchedPort;

// A whole program on the real serial port, talking to talvex-sim over a pseudo-terminal.
// Dialogs are scripted and timers are stepped by the test. Timer2 closes the answer window as
// soon as every answer is in; a window that gets no answer stays open its whole interval.
struct SimProgram {
    // Starts the simulator with `simArguments` (its --baud follows `settings`) and writes a
    // TALVEX.INI for COM1 at `settings` and an empty TALVEX.TXT.
    explicit SimProgram(const QStringList& simArguments = {}, const QString& settings = QStringLiteral("19200,N,8,1"));
    ~SimProgram();

    bool ready() const { return sim && sim->ready(); }
    QString path(const QString& name) const { return directory.filePath(name); }
    // A file in the program's folder ("<missing>" when there is none), and one written there.
    QByteArray readFile(const QString& name) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;

    // Runs start-up and answers the start-up query chain; true when the port is open and the
    // chain ran to its end without the program ending.
    bool startUp();
    // Fires Timer2 while it is armed, each time once the answers are in (or its interval
    // passed): every answer of what was sent is read.
    void readAnswers();
    // Steps the Memory window's timer `step` as the window would, every answer read before
    // the next tick, and the line-paced steps as soon as their answer is in, until no memory
    // operation runs (or `maxTicks` ticks). Returns the ticks of the window's timer.
    int runMemoryOperation(Step step, int maxTicks = 250);

    ManualTimer& timer1() const { return static_cast<ManualTimer&>(program->link.broadcastPollTimer()); }
    ManualTimer& timer2() const { return static_cast<ManualTimer&>(program->link.answerTimer()); }

    QTemporaryDir directory;
    std::unique_ptr<SimProcess> sim;
    ScriptedDialogs dialogs;
    ManualTimerFactory timers;
    ThrowingExit exit;
    RecordingShell shell;
    std::unique_ptr<QtSerialPort> port;
    std::unique_ptr<WatchedPort> watched;  // `port`, as the program uses it
    std::unique_ptr<Program> program;
};

// A parameterised test's name for the port settings it runs at: "19200,N,8,1" → "At19200".
inline std::string RateName(const char* settings)
{
    const std::string text(settings);
    return "At" + text.substr(0, text.find(','));
}

}  // namespace talvex::testing
