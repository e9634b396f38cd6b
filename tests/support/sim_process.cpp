#include "sim_process.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace talvex::testing {

SimProcess::SimProcess(const QString& workingDirectory, const QStringList& arguments)
{
    linkPath_ = QDir(workingDirectory).filePath(QStringLiteral("COM1"));
    process_.setWorkingDirectory(workingDirectory);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral(TALVEX_SIM_PATH), arguments);
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (clock.elapsed() < 5000 && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(100);
        out += process_.readAllStandardOutput();
        if (out.contains("ready")) {
            ready_ = true;
            break;
        }
    }
}

SimProcess::~SimProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }
}

void SimProcess::control(const QString& line)
{
    process_.write((line + u'\n').toLatin1());
    process_.waitForBytesWritten(1000);
    ::usleep(50'000);  // the simulator polls its control channel every few milliseconds
}

RawLine::RawLine(const QString& path)
{
    fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (fd_ >= 0 && tcgetattr(fd_, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
}

RawLine::~RawLine()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void RawLine::write(const QByteArray& bytes)
{
    if (::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size())) < 0)
        return;
}

QByteArray RawLine::readUntilQuiet(int quietMs, int limitMs, int atLeast)
{
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    pollfd fd{fd_, POLLIN, 0};
    while (clock.elapsed() < limitMs) {
        const int left = static_cast<int>(limitMs - clock.elapsed());
        const int wait = data.isEmpty() || data.size() < atLeast ? left : std::min(quietMs, left);
        if (::poll(&fd, 1, std::max(wait, 1)) <= 0)
            break;
        char buffer[512];
        const auto n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    return data;
}

}  // namespace talvex::testing
