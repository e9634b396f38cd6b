#include "sim_program.h"

#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace talvex::testing {

SimProgram::SimProgram(const QStringList& simArguments, const QString& settings)
{
    QStringList arguments = simArguments;
    arguments << QStringLiteral("--baud") << settings.section(u',', 0, 0);
    sim = std::make_unique<SimProcess>(directory.path(), arguments);
    port = std::make_unique<QtSerialPort>(directory.path());
    program = std::make_unique<Program>(
        PlatformServices{*port, dialogs, timers, exit, directory.path()}, shell);
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
    for (int guard = 0; guard < 20 && timer2().isEnabled(); ++guard)
        waitAndFire(timer2());
}

int SimProgram::runMemoryOperation(int number, int maxTicks)
{
    auto& timer = static_cast<ManualTimer&>(program->memory.timer(number));
    int ticks = 0;
    while (ticks < maxTicks && program->state.anyMemoryOperationRunning()) {
        QElapsedTimer step;
        step.start();
        timer.fire();
        ++ticks;
        readAnswers();
        const qint64 left = timer.interval() - step.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(left));
    }
    return ticks;
}

}  // namespace talvex::testing
