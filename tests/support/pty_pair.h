#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace talvex::testing {

// One end of a terminal, for a test that plays the controller or the radio on it.
class RawLine {
public:
    // The terminal at `path`, raw.
    explicit RawLine(const QString& path) : fd_(OpenRaw(path)) {}
    ~RawLine() { Close(fd_); }
    RawLine(const RawLine&) = delete;
    RawLine& operator=(const RawLine&) = delete;

    bool ok() const { return fd_ >= 0; }
    void write(const QByteArray& bytes)
    {
        for (qsizetype done = 0, n = 0; done < bytes.size(); done += n) {
            if ((n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done))) <= 0)
                return;
        }
    }
    // Everything that arrives until at least `atLeast` bytes are in and the line has then been
    // quiet for `quietMs` (or `limitMs` passed: a check for silence waits that long).
    QByteArray readUntilQuiet(int quietMs = 60, int limitMs = 2000, int atLeast = 0)
    {
        QByteArray data;
        QElapsedTimer clock;
        clock.start();
        pollfd fd{fd_, POLLIN, 0};
        for (char buffer[512]; clock.elapsed() < limitMs;) {
            const int left = static_cast<int>(limitMs - clock.elapsed());
            const int wait = data.isEmpty() || data.size() < atLeast ? left : std::min(quietMs, left);
            const auto n = ::poll(&fd, 1, std::max(wait, 1)) > 0 ? ::read(fd_, buffer, sizeof buffer) : 0;
            if (n <= 0)
                break;
            data.append(buffer, n);
        }
        return data;
    }

protected:
    explicit RawLine(int fd) : fd_(fd) {}
    static int OpenRaw(const QString& path)
    {
        const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        termios raw{};
        if (fd >= 0 && tcgetattr(fd, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(fd, TCSANOW, &raw);
        }
        return fd;
    }
    static void Close(int fd)
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd_ = -1;
};

// A pseudo-terminal whose terminal side is linked as `COMn` in a directory, so the program's
// real serial port opens it by number; the test holds the other side and plays the radio.
class PtyPair : public RawLine {
public:
    PtyPair(const QString& directory, const QString& linkName) : RawLine(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (fd_ >= 0 && (grantpt(fd_) != 0 || unlockpt(fd_) != 0)) {
            Close(fd_);
            fd_ = -1;
        }
        if (fd_ < 0)
            return;
        const QString terminalPath = QString::fromLocal8Bit(ptsname(fd_));
        slave_ = OpenRaw(terminalPath);  // held open, so the program may open and close it freely
        linkPath_ = directory + u'/' + linkName;
        QFile::remove(linkPath_);
        QFile::link(terminalPath, linkPath_);
    }
    ~PtyPair()
    {
        if (!linkPath_.isEmpty())
            QFile::remove(linkPath_);
        Close(slave_);
    }

    // What the program has written so far, waiting up to `timeoutMs` for the first byte.
    QByteArray read(int timeoutMs) { return readUntilQuiet(20, timeoutMs); }

private:
    int slave_ = -1;
    QString linkPath_;
};

}  // namespace talvex::testing
