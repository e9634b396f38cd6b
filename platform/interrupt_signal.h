#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace talvex {

// Ctrl-C (SIGINT), SIGTERM and SIGHUP delivered as a call from the event loop, never inside a
// signal handler: the program can then stop its operation the way Stop does, with every file in
// a known state. While an instance lives the three signals no longer end the process by themselves.
class InterruptSignal final : public QObject {
public:
    explicit InterruptSignal(std::function<void(int signal)> interrupted);
    ~InterruptSignal() override;
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // False when the signals could not be taken over (they then end the process as usual).
    bool active() const { return fd_ >= 0; }

    // Blocks the three signals in the calling thread: called first thing in main, before any thread
    // exists, so that no thread started later can take them and end the process.
    static void blockEarly();

private:
    std::function<void(int)> interrupted_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace talvex
