#include "pty_pair.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace talvex::testing {

PtyPair::PtyPair(const QString& directory, const QString& linkName)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
        return;
    }
    terminalPath_ = QString::fromLocal8Bit(ptsname(master_));
    // Hold the terminal side open in raw mode, so the program may open and close it freely.
    slave_ = ::open(terminalPath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (slave_ >= 0 && tcgetattr(slave_, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(slave_, TCSANOW, &raw);
    }
    linkPath_ = QDir(directory).filePath(linkName);
    QFile::remove(linkPath_);
    QFile::link(terminalPath_, linkPath_);
}

PtyPair::~PtyPair()
{
    QFile::remove(linkPath_);
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PtyPair::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

QByteArray PtyPair::read(int timeoutMs)
{
    QByteArray data;
    pollfd fd{master_, POLLIN, 0};
    int wait = timeoutMs;
    while (::poll(&fd, 1, wait) > 0 && (fd.revents & POLLIN)) {
        char buffer[512];
        const auto n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, n);
        wait = 20;  // the rest of a write follows at once
    }
    return data;
}

}  // namespace talvex::testing
