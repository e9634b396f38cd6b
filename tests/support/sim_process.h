#pragma once

#include "pty_pair.h"

#include <QProcess>
#include <QStringList>

namespace talvex::testing {

// talvex-sim running in a working directory, its terminal linked there (COM1 by default).
class SimProcess {
public:
    SimProcess(const QString& workingDirectory, const QStringList& arguments = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ready() const { return ready_; }
    QString linkPath() const { return linkPath_; }
    // One line to the simulator's control channel ("dial 1000", "fault silent", "power off").
    void control(const QString& line);

private:
    QProcess process_;
    QString linkPath_;
    bool ready_ = false;
};

}  // namespace talvex::testing
