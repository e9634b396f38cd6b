#include "sim_program.h"

#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QFile>
#include <QThread>

namespace talvex::testing {

// The real port as the program sees it, except that the test may look at what has arrived
// before the program reads it.
class WatchedPort final : public SerialPort {
public:
    explicit WatchedPort(QtSerialPort& line) : line_(line) {}
    std::optional<PortError> open(int portNumber, const QString& settings) override
    {
        readAll();
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
    // answer to the controller (FE FE E0 .. FD) and the line has then been quiet for three
    // character times and the simulator's own loop: what follows an answer at once (a
    // broadcast after an OK) still belongs to its window. Answers are counted from the echo of
    // what was written on: a late answer to the window before (a loaded machine) must not
    // close this one before its own answers are in.
    void awaitAnswers(int limitMs)
    {
        auto answered = [this] {
            const qsizetype echo = held_.indexOf(written_.left(written_.indexOf(char(0xFD)) + 1));
            qsizetype answers = 0;
            for (auto at = held_.indexOf("\xFE\xFE\xE0", std::max<qsizetype>(echo, 0)); at >= 0;
                 at = held_.indexOf("\xFE\xFE\xE0", at + 3))
                answers += held_.indexOf(char(0xFD), at + 3) >= 0;
            return answers >= written_.count(char(0xFD));
        };
        const int quietMs = 15 + 30'000 / std::max(line_.baudRate(), 1200);
        QElapsedTimer clock;
        clock.start();
        for (qint64 lastArrival = -1; clock.elapsed() < limitMs; QThread::msleep(1)) {
            const QByteArray more = line_.readAll();
            held_ += more;
            if (!more.isEmpty())
                lastArrival = clock.elapsed();
            else if (line_.lost() || (answered() && (lastArrival < 0 || clock.elapsed() - lastArrival >= quietMs)))
                return;
        }
    }

private:
    QtSerialPort& line_;
    QByteArray held_;     // arrived, not yet read by the program
    QByteArray written_;  // since the program last read
};

SimProgram::SimProgram(const QStringList& simArguments, const QString& settings)
    : sim(std::make_unique<SimProcess>(directory.path(), simArguments + QStringList{"--baud", settings.section(u',', 0, 0)})),
      port(std::make_unique<QtSerialPort>(directory.path())),
      watched(std::make_unique<WatchedPort>(*port)),
      program(std::make_unique<Program>(PlatformServices{*watched, dialogs, timers, exit, directory.path()}, shell))
{
    WriteLinesAtomically(path(kConfigFileName),
        ConfigurationLines(QStringLiteral("TALVEX.TXT"), QStringLiteral("N0CALL"), QStringLiteral("COM1"), settings));
    WriteLinesAtomically(path(QStringLiteral("TALVEX.TXT")), {});
}

QByteArray SimProgram::readFile(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void SimProgram::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

SimProgram::~SimProgram() = default;

bool SimProgram::startUp()
{
    try {
        program->startup.RunStartup();
        if (program->state.PortReady == 1)
            readAnswers();
        return program->state.PortReady == 1 && program->state.StartupQueryStep == 0;
    } catch (const ProgramEnded&) {
        return false;
    }
}

void SimProgram::readAnswers()
{
    for (int guard = 0; guard < 20 && timer2().isEnabled(); ++guard) {
        watched->awaitAnswers(timer2().interval());
        timer2().fire();
    }
}

int SimProgram::runMemoryOperation(Step step, int maxTicks)
{
    auto& timer = static_cast<ManualTimer&>(program->memory.timer(step));
    int ticks = 0;
    auto& pace = static_cast<ManualTimer&>(program->memory.paceTimer());
    for (int steps = 0; ticks < maxTicks && steps < 20 * maxTicks && program->state.anyMemoryOperationRunning(); ++steps) {
        // A step at the line's pace goes as soon as its answer is in, without a tick.
        if (pace.isEnabled()) {
            pace.fire();
        } else {
            timer.fire();
            ++ticks;
        }
        readAnswers();
    }
    return ticks;
}

}  // namespace talvex::testing
