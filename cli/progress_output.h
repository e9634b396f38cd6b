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
    StopKind stopKind = StopKind::SilentRadio;  // Stopped: what kind of stop
    QString backup;  // the backup the run saved first, "" when none
    QString advice;  // the connection advice given during the run
    ChannelReport report;
    int lastVerified = 0;  // the last channel that verified, 0 when none
    std::vector<ChannelVerdict> failures;
};

// How the progress is shown: a bar redrawn in place on a terminal; a few plain lines for a log
// (each stage's start and every quarter of it, so a nightly run logs a handful of lines, not one
// a channel); nothing with --quiet.
enum class ProgressStyle { Bar, Lines, None };

// What the bar may fill when the terminal does not say its width.
inline constexpr int kDefaultColumns = 80;

// talvex-mem's face of the memory engine: the progress on standard error and the outcome kept
// for the report.
class ProgressOutput final : public MemoryListener {
public:
    // `columns` tells the terminal's width as it is now (asked at each redraw, so a resized
    // window is followed); nothing or 0: kDefaultColumns. The bar never takes the last column,
    // where a terminal would wrap it onto a new line.
    ProgressOutput(std::FILE* out, ProgressStyle style, int baud, std::function<std::optional<int>()> columns = {});
    // The command the steps are named by ("write: channel 12"), as talvex-mem's operator typed it.
    void setCommand(QString command) { command_ = std::move(command); }
    // Called once the operation has ended, finished or stopped.
    void setEnded(std::function<void()> ended) { ended_ = std::move(ended); }

    void progress(const QString& what, int done, int of) override;
    void step(const QString& operation, int channel, int of) override;
    void verdict(int channel, const std::optional<QString>& why) override;
    void ended(const MemoryOutcome& outcome) override;
    void dataFileSaid(const FileNotice& notice) override;

    const Outcome& outcome() const { return outcome_; }
    // Ends a bar left on the terminal's line.
    void closeLine();

private:
    void drawBar(const QString& what, int done, int of);
    void writeLine(const QString& what, int done, int of);

    std::FILE* out_;
    ProgressStyle style_;
    int baud_;
    std::function<std::optional<int>()> columns_;
    QElapsedTimer clock_;
    bool lineOpen_ = false;
    QString lastShown_;  // a tick that took no step repeats the line: it is shown once
    QString stage_;      // Lines: the stage last shown ("Saving channel # of # before writing")
    int quarter_ = -1;   // Lines: the last quarter of it shown
    Outcome outcome_;
    std::function<void()> ended_;
    QString command_;
};

}  // namespace talvex::cli
