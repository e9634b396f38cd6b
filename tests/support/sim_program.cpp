#include "sim_program.h"

#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

namespace talvex::testing {

std::optional<PortError> WatchedPort::open(int portNumber, const QString& settings)
{
    held_.clear();
    written_.clear();
    return line_.open(portNumber, settings);
}

QByteArray WatchedPort::readAll()
{
    QByteArray data = held_ + line_.readAll();
    held_.clear();
    written_.clear();
    return data;
}

void WatchedPort::write(const QByteArray& bytes)
{
    line_.write(bytes);
    written_ += bytes;
}

// One answer to the controller (FE FE E0 .. FD) for every frame written.
bool WatchedPort::answered() const
{
    const auto frames = written_.count(char(0xFD));
    qsizetype answers = 0;
    for (qsizetype at = held_.indexOf("\xFE\xFE\xE0"); at >= 0; at = held_.indexOf("\xFE\xFE\xE0", at + 3)) {
        if (held_.indexOf(char(0xFD), at + 3) >= 0)
            ++answers;
    }
    return answers >= frames;
}

bool WatchedPort::awaitAnswers(int limitMs)
{
    // Three character times of ten bits, and time for the simulator's own loop: what follows an
    // answer at once (a broadcast after an OK) still belongs to its window.
    const int quietMs = 15 + 30'000 / std::max(line_.baudRate(), 1200);
    QElapsedTimer clock;
    clock.start();
    qint64 lastArrival = -1;
    while (clock.elapsed() < limitMs) {
        const QByteArray more = line_.readAll();
        if (!more.isEmpty()) {
            held_ += more;
            lastArrival = clock.elapsed();
        } else if (line_.lost() || (answered() && (lastArrival < 0 || clock.elapsed() - lastArrival >= quietMs))) {
            return answered();
        }
        QThread::msleep(1);
    }
    return answered();
}

SimProgram::SimProgram(const QStringList& simArguments, const QString& settings)
{
    QStringList arguments = simArguments;
    arguments << QStringLiteral("--baud") << settings.section(u',', 0, 0);
    sim = std::make_unique<SimProcess>(directory.path(), arguments);
    port = std::make_unique<QtSerialPort>(directory.path());
    watched = std::make_unique<WatchedPort>(*port);
    program = std::make_unique<Program>(
        PlatformServices{*watched, dialogs, timers, exit, directory.path()}, shell);
    WriteLinesAtomically(path(kConfigFileName),
        ConfigurationLines(QStringLiteral("TALVEX.TXT"), QStringLiteral("N0CALL"), QStringLiteral("COM1"), settings));
    WriteLinesAtomically(path(QStringLiteral("TALVEX.TXT")), {});
}

QString SimProgram::path(const QString& name) const
{
    return QDir(directory.path()).filePath(name);
}

bool SimProgram::startUp()
{
    try {
        program->startup.RunStartup();
        if (program->state.PortReady != 1)
            return false;
        readAnswers();
        return program->state.StartupQueryStep == 0;
    } catch (const ProgramEnded&) {
        return false;
    }
}

void SimProgram::waitAndFire(ManualTimer& timer)
{
    QThread::msleep(static_cast<unsigned long>(timer.interval()));
    timer.fire();
}

void SimProgram::readAnswers()
{
    for (int guard = 0; guard < 20 && timer2().isEnabled(); ++guard) {
        watched->awaitAnswers(timer2().interval());
        timer2().fire();
    }
}

int SimProgram::runMemoryOperation(int number, int maxTicks)
{
    auto& timer = static_cast<ManualTimer&>(program->memory.timer(number));
    int ticks = 0;
    for (; ticks < maxTicks && program->state.anyMemoryOperationRunning(); ++ticks) {
        timer.fire();
        readAnswers();
    }
    return ticks;
}

}  // namespace talvex::testing
