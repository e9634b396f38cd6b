#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
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

// The terminal side of the simulator's link, raw, for tests that play the controller.
class RawLine {
public:
    explicit RawLine(const QString& path);
    ~RawLine();
    RawLine(const RawLine&) = delete;
    RawLine& operator=(const RawLine&) = delete;

    bool ok() const { return fd_ >= 0; }
    void write(const QByteArray& bytes);
    // Everything that arrives until at least `atLeast` bytes are in and the line has then been
    // quiet for `quietMs` (or `limitMs` passed: a check for silence waits that long).
    QByteArray readUntilQuiet(int quietMs = 60, int limitMs = 2000, int atLeast = 0);

private:
    int fd_ = -1;
};

}  // namespace talvex::testing
