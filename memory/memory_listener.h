#pragma once

#include "datafile/file_notice.h"
#include "memory/channel_checks.h"
#include "memory/stop_kind.h"

#include <QString>

#include <optional>

namespace talvex {

// How far the reading of the channels before a change (or before a comparison) has come: the
// channel asked for at `place` of the `of` to read, and what the reading is for.
struct ReadingProgress {
    enum class Purpose {
        SaveBeforeWriting,  // saved as a backup before the run changes the channels
        ReadBeforeWriting,  // read before the change, no backup made
        ReadToCompare,      // read to compare with a data file's lines
    };
    Purpose purpose = Purpose::ReadBeforeWriting;
    int place = 0;
    int of = 0;
};

// The words every face's progress takes for it: "Saving channel 12 of 99 before writing".
inline QString ReadingProgressText(const ReadingProgress& reached)
{
    const char* text = reached.purpose == ReadingProgress::Purpose::SaveBeforeWriting ? "Saving channel %1 of %2 before writing"
                       : reached.purpose == ReadingProgress::Purpose::ReadToCompare ? "Reading channel %1 of %2 to compare"
                                                                                    : "Reading channel %1 of %2 before writing";
    return QString::fromLatin1(text).arg(reached.place).arg(reached.of);
}

// How an operation ended: by itself (finished), or halted before its end and why. The report
// counts every channel the run sent something to, the one in flight when it stopped included.
struct MemoryOutcome {
    QString operation;                // "Update Rig", as the windows name it
    std::optional<StopKind> stopped;  // nothing: finished
    QString why;                      // stopped: what the operator is told
    ChannelReport report;
    bool counts = false;              // the operation keeps a report (Update, View and Blank Rig)
    // Stopped: what the run found that the operator must hear (the channels that did not verify,
    // a kept split; after a Stop, the count of channels changed): the summary, then one line a
    // channel. Empty when there is nothing to tell.
    QString found;
    QString advice;                   // the connection advice given during the run
    QString backup;                   // the backup this run saved first, "" when none

    bool finished() const { return !stopped; }
};

// What a face of the memory engine hears while an operation runs and when it ends.
class MemoryListener {
public:
    virtual ~MemoryListener() = default;
    // `what` ("Saving channel 12 of 99 before writing") is at `done` of `of`.
    virtual void progress(const QString&, int /*done*/, int /*of*/) {}
    // `operation` ("Update Rig") has reached `channel` of `of`; told as progress unless a face
    // names the step in words of its own.
    virtual void step(const QString& operation, int channel, int of)
    {
        progress(operation + QStringLiteral(": channel ") + QString::number(channel), channel, of);
    }
    // One channel checked against the radio: nothing when it verified, else why not.
    virtual void verdict(int /*channel*/, const std::optional<QString>& /*why*/) {}
    // The operation has ended.
    virtual void ended(const MemoryOutcome& outcome) = 0;

    // Where the run stands, for a face that shows it channel by channel; told as it happens,
    // before the step's progress.
    // A data file's line the run has reached (viewed, or about to be written).
    virtual void lineReached(const QString& /*line*/) {}
    // The file's END line: nothing after it is taken.
    virtual void endLineReached() {}
    // The run has come to its end by itself.
    virtual void endReached() {}
    // The channel last shown is not what the radio holds (a write halted, a backup stopped).
    virtual void channelWithdrawn() {}
    // A line for the operator about the run (its count, a channel skipped); empty takes the last
    // one back.
    virtual void told(const QString& /*line*/) {}
    // View Rig asked for `channel` and the radio did not answer.
    virtual void channelUnanswered(int /*channel*/) {}
    // Blank Rig is clearing `channel`.
    virtual void channelClearing(int /*channel*/) {}
    // Update Rig writes from the data file at `path`.
    virtual void fileTaken(const QString& /*path*/) {}
    // A backup (or a reading before a comparison) has come to `reached`.
    virtual void backupProgress(const ReadingProgress& /*reached*/) {}
    // The reading before the change is over (saved, or the run went on without one).
    virtual void backupEnded() {}
    // Reopening the data file said something: a missing file created empty, or (at Create
    // File's end or halt, where no refusal carries it) why it could not be opened again.
    virtual void dataFileSaid(const FileNotice& /*notice*/) {}
    // A step is over and the operation still runs.
    virtual void stepSettled() {}
};

}  // namespace talvex
