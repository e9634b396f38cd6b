#pragma once

#include "pty_pair.h"

#include <QDir>
#include <QProcess>
#include <QStringList>

namespace talvex::testing {

// talvex-sim running in a working directory, its terminal linked there (COM1 by default).
class SimProcess {
public:
    // Waits up to five seconds for the simulator to say it is ready.
    SimProcess(const QString& workingDirectory, const QStringList& arguments = {})
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
    ~SimProcess()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ready() const { return ready_; }
    QString linkPath() const { return linkPath_; }
    // One line to the simulator's control channel ("dial 1000", "fault silent", "power off").
    void control(const QString& line)
    {
        process_.write((line + u'\n').toLatin1());
        process_.waitForBytesWritten(1000);
        ::usleep(50'000);  // the simulator polls its control channel every few milliseconds
    }

private:
    QProcess process_;
    QString linkPath_;
    bool ready_ = false;
};

}  // namespace talvex::testing
