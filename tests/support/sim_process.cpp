#include "sim_process.h"

#include <QDir>

namespace talvex::testing {

SimProcess::SimProcess(const QString& workingDirectory, const QStringList& arguments)
    : linkPath_(QDir(workingDirectory).filePath(QStringLiteral("COM1")))
{
    process_.setWorkingDirectory(workingDirectory);
    process_.start(QStringLiteral(TALVEX_SIM_PATH), arguments);
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!ready_ && clock.elapsed() < 5000 && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(100);
        ready_ = (out += process_.readAllStandardOutput()).contains("ready");
    }
}

SimProcess::~SimProcess()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(1000);
}

void SimProcess::control(const QString& line)
{
    process_.write((line + u'\n').toLatin1());
    process_.waitForBytesWritten(1000);
    ::usleep(50'000);  // the simulator polls its control channel every few milliseconds
}

}  // namespace talvex::testing
