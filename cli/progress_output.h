#pragma once

#include "memory/memory_listener.h"

#include <QElapsedTimer>

#include <cstdio>
#include <functional>
#include <optional>

namespace talvex::cli {

// How an operation ended, as the listener heard it.
struct Outcome {
    enum class End { Running, Finished, Stopped };
    End end = End::Running;
    QString operation;
    QString why;  // Stopped: the reason the operator is told
    ChannelReport report;
    int lastVerified = 0;  // the last channel that verified, 0 when none
    std::vector<ChannelVerdict> failures;
};

// talvex-mem's face of the memory engine: the progress on standard error (a bar redrawn in place
// on a terminal, one plain line a step otherwise) and the outcome kept for the report.
class ProgressOutput final : public MemoryListener {
public:
    ProgressOutput(std::FILE* out, bool terminal, int baud);
    // Called once the operation has ended, finished or stopped.
    void setEnded(std::function<void()> ended) { ended_ = std::move(ended); }

    void progress(const QString& what, int done, int of) override;
    void verdict(int channel, const std::optional<QString>& why) override;
    void finished(const QString& operation, const ChannelReport& report) override;
    void stopped(const QString& operation, const QString& why) override;

    const Outcome& outcome() const { return outcome_; }
    // Ends a bar left on the terminal's line.
    void closeLine();

private:
    std::FILE* out_;
    bool terminal_;
    int baud_;
    QElapsedTimer clock_;
    bool lineOpen_ = false;
    QString lastShown_;  // a tick that took no step repeats the line: it is shown once
    Outcome outcome_;
    std::function<void()> ended_;
};

}  // namespace talvex::cli
