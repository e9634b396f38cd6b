#include "interrupt_signal.h"

#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace talvex {

#ifdef Q_OS_LINUX

namespace {

sigset_t InterruptSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);  // the terminal closed, or an ssh session ended
    return set;
}

}  // namespace

void InterruptSignal::blockEarly()
{
    const sigset_t set = InterruptSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

// The signals are blocked and read from a signalfd: no handler, no state shared with one.
InterruptSignal::InterruptSignal(std::function<void(int)> interrupted) : interrupted_(std::move(interrupted))
{
    const sigset_t set = InterruptSignals();
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0)
        return;
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        signalfd_siginfo info{};
        while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            if (interrupted_)
                interrupted_(static_cast<int>(info.ssi_signo));
        }
    });
}

InterruptSignal::~InterruptSignal()
{
    notifier_.reset();
    if (fd_ < 0)
        return;
    ::close(fd_);
    const sigset_t set = InterruptSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

#else

InterruptSignal::InterruptSignal(std::function<void(int)> interrupted) : interrupted_(std::move(interrupted)) {}
InterruptSignal::~InterruptSignal() = default;
void InterruptSignal::blockEarly() {}

#endif

}  // namespace talvex
