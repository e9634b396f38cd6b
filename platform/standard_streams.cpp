#include "standard_streams.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace talvex {

namespace {

#ifdef Q_OS_UNIX
int DescriptorOf(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input: return STDIN_FILENO;
    case StandardStream::Output: return STDOUT_FILENO;
    case StandardStream::Error: break;
    }
    return STDERR_FILENO;
}
#endif

}  // namespace

bool IsTerminal([[maybe_unused]] StandardStream stream)
{
#ifdef Q_OS_UNIX
    return ::isatty(DescriptorOf(stream)) == 1;
#else
    return false;
#endif
}

std::optional<int> TerminalColumns([[maybe_unused]] StandardStream stream)
{
#ifdef Q_OS_UNIX
    winsize size{};
    if (::ioctl(DescriptorOf(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
#endif
    return std::nullopt;
}

std::variant<QByteArray, FileError> ReadStandardInput(qint64 limit)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return FileError{kErrorFileAccess, input.errorString()};
    QByteArray bytes;
    // Read to the end in pieces: a pipe says nothing of its size beforehand.
    while (true) {
        const QByteArray piece = input.read(64 * 1024);
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > limit)
            return FileError{kErrorFileAccess,
                             QStringLiteral("File too large: over the %1 bytes a data file may hold").arg(limit)};
    }
    if (input.error() != QFileDevice::NoError)
        return FileError{kErrorFileAccess, input.errorString()};
    return bytes;
}

}  // namespace talvex
