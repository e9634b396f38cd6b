#pragma once

#include "scripted_platform.h"
#include "sim_process.h"
#include "test_program.h"

#include "app/program.h"
#include "platform/qt_serial_port.h"

#include <QTemporaryDir>

#include <memory>

namespace talvex::testing {

// The real port as the program sees it, except that the test may look at what has arrived
// before the program reads it, and so knows when the answers are complete.
class WatchedPort final : public SerialPort {
public:
    explicit WatchedPort(QtSerialPort& line) : line_(line) {}
    std::optional<PortError> open(int portNumber, const QString& settings) override
    {
        held_.clear();
        written_.clear();
        return line_.open(portNumber, settings);
    }
    bool isOpen() const override { return line_.isOpen(); }
    QByteArray readAll() override
    {
        const QByteArray data = held_ + line_.readAll();
        held_.clear();
        written_.clear();
        return data;
    }
    void write(const QByteArray& bytes) override
    {
        line_.write(bytes);
        written_ += bytes;
    }
    void close() override { line_.close(); }
    int baudRate() const override { return line_.baudRate(); }
    bool lost() const override { return line_.lost(); }
    bool takeLineError() override { return line_.takeLineError(); }

    // Waits up to `limitMs` until every frame written since the program last read has an
    // answer to the controller (FE FE E0 .. FD) and the line has then been quiet for a few
    // character times. False when some answer did not come in time.
    bool awaitAnswers(int limitMs);

private:
    QtSerialPort& line_;
    QByteArray held_;     // arrived, not yet read by the program
    QByteArray written_;  // since the program last read
};

// A whole program on the real serial port, talking to talvex-sim over a pseudo-terminal.
// Dialogs are scripted and timers are stepped by the test. Timer2 closes the answer window as
// soon as every answer is in; a window that gets no answer stays open its whole interval.
struct SimProgram {
    // Starts the simulator with `simArguments` (its --baud follows `settings`) and writes a
    // TALVEX.INI for COM1 at `settings` and an empty TALVEX.TXT.
    explicit SimProgram(const QStringList& simArguments = {}, const QString& settings = QStringLiteral("19200,N,8,1"));

    bool ready() const { return sim && sim->ready(); }
    QString path(const QString& name) const { return directory.filePath(name); }

    // Runs start-up and answers the start-up query chain; true when the port is open and the
    // chain ran to its end without the program ending.
    bool startUp();
    // Lets the interval of `timer` pass in real time, then fires it once.
    static void waitAndFire(ManualTimer& timer);
    // Fires Timer2 while it is armed, each time once the answers are in (or its interval
    // passed): every answer of what was sent is read.
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
    std::unique_ptr<WatchedPort> watched;  // `port`, as the program uses it
    std::unique_ptr<Program> program;
};

}  // namespace talvex::testing
