#include "bench_program.h"

#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace talvex::bench {

BenchProgram::BenchProgram(const QString& settings, const QStringList& simArguments)
{
    sim = std::make_unique<testing::SimProcess>(directory.path(),
                                       simArguments + QStringList{QStringLiteral("--baud"), settings.section(u',', 0, 0)});
    port = std::make_unique<QtSerialPort>(directory.path());
    program = std::make_unique<Program>(PlatformServices{*port, dialogs, timers, exit, directory.path(), &clock}, shell);
    WriteLinesAtomically(path(kConfigFileName), ConfigurationLines(QStringLiteral("TALVEX.TXT"), QStringLiteral("N0CALL"),
                                                                   QStringLiteral("COM1"), settings));
    WriteLinesAtomically(path(QStringLiteral("TALVEX.TXT")), {});
}

QString BenchProgram::path(const QString& name) const { return QDir(directory.path()).filePath(name); }

bool BenchProgram::runUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        // Sleeps until the next event (the memory timers tick every 300 ms at the latest); the
        // overload with a time limit would spin instead and load the core it measures.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool BenchProgram::startUp()
{
    if (!sim->ready())
        return false;
    program->startup.RunStartup();
    return program->state.PortReady == 1
        && runUntil([this] { return program->state.StartupQueryStep == 0; }, 10000);
}

// Timers are created in a fixed order: the link's two, then the Memory window's six.
MeasuredTimer& BenchProgram::memoryTimer(MemoryOperations::StepTimer which) const
{
    return *timers.timers.at(2 + static_cast<std::size_t>(which));
}

}  // namespace talvex::bench
