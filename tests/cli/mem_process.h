#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace talvex::testing {

// talvex-mem run to its end in a working directory: its exit code and both outputs.
struct MemRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// `input` is what standard input holds, to its end.
inline MemRun RunMem(const QString& workingDirectory, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(TALVEX_MEM_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(90'000);
    const bool ended = process.exitStatus() == QProcess::NormalExit && process.state() == QProcess::NotRunning;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

}  // namespace talvex::testing
