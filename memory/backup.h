#pragma once

#include "memory/backup_files.h"
#include "memory/channel_read.h"
#include "memory/stepper.h"
#include "platform/clock.h"
#include "platform/text_file.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace talvex {

// The radio's channels read before an operation changes them, with the same verified read
// Create File uses: the records a merge starts from and the channels already blank. With a clock
// they are also saved as a backup, a data file whose channel lines carry each channel's whole
// record (View File shows it, Update Rig writes it back byte for byte). It is written under a
// claim name no listing takes for a backup (ClaimName) and renamed to its own name only once it
// is complete on disk: whenever the program is killed, the folder holds under a backup's name
// either nothing or a complete backup.
class ChannelBackup {
public:
    ChannelBackup(OperationContext& context, QString workingDirectory);
    ~ChannelBackup();
    ChannelBackup(const ChannelBackup&) = delete;
    ChannelBackup& operator=(const ChannelBackup&) = delete;
    // No clock, no backup files (the default); the channels are still read.
    void setClock(const Clock* clock) { clock_ = clock; }
    bool enabled() const { return clock_ != nullptr; }
    // What the reading is for while no backup is made: before a change unless told otherwise.
    void setReadingPurpose(ReadingProgress::Purpose purpose) { readingPurpose_ = purpose; }

    // Starts reading `channels` (ascending) and, with a clock, a new backup of them; why not,
    // when the backup cannot be made. The backup's name is claimed at once, by creating its
    // claim file new (no other process can hold the same claim) where no backup has the name.
    std::optional<QString> open(std::vector<int> channels);
    // The channels are being read.
    bool isOpen() const { return reading_; }
    // Every channel read and its line written.
    bool allRead() const { return !read_.wantsAgain() && next_ >= channels_.size(); }
    // How far the reading is: channels asked for, of how many.
    int readSoFar() const { return static_cast<int>(next_); }
    // Where the reading stands, in the words every face's progress takes ("Saving channel 12 of
    // 99 before writing"); empty before the first.
    const QString& progressText() const { return progress_; }
    int toRead() const { return static_cast<int>(channels_.size()); }
    // Sends the read of the next channel (or the same one again after a missing answer).
    void sendNext();
    // Why the reading or saving cannot go on: the radio's silence, the line's garble, the disk.
    struct Stopped {
        StopKind kind;
        QString why;
    };
    // The answer to the read sent last: nothing when the run goes on, else why it cannot.
    std::optional<Stopped> check(const Exchange& exchange);
    // Writes the closing lines and puts every byte on the disk, still under the claim name: why
    // not, when it failed (the claim is then thrown away).
    std::optional<QString> complete();
    // Completes the backup, gives it its name and prunes the old ones: why not, when it failed.
    // A name something else took meanwhile is never replaced: the backup takes the next one.
    std::optional<QString> commit();
    // What was saved so far is thrown away; no backup is left behind.
    void discard();
    // The path of the last backup put in place.
    const QString& lastPath() const { return lastPath_; }
    // What the radio held in `channel` when it was read: the record, or nothing for a blank
    // channel. Nothing at all for a channel this run did not read.
    std::optional<std::optional<MemoryRecord>> held(int channel) const;

private:
    OperationContext& c_;
    QString directory_;
    const Clock* clock_ = nullptr;
    ReadingProgress::Purpose readingPurpose_ = ReadingProgress::Purpose::ReadBeforeWriting;
    QString progress_;
    NewTextFile file_;  // the claim, written until the backup is complete
    QDateTime time_;    // when the backup was opened: its name's date and time
    QString path_;      // the name claimed
    bool completed_ = false;  // the closing lines are written and on disk
    QString lastPath_;
    bool reading_ = false;
    std::vector<int> channels_;
    std::size_t next_ = 0;  // channels_[next_] is read next
    std::map<int, std::optional<MemoryRecord>> held_;
    ChannelRead read_;
};

// An operation that changes the radio's channels. When backups are made, its first steps save
// the channels it will change; not one frame that changes a channel goes out before the backup
// is complete on disk. A backup that cannot be completed ends the operation with the radio
// untouched, and the operator is told why.
class BackedUpStepper : public Stepper {
public:
    BackedUpStepper(OperationContext& context, bool& flag, QString name, ChannelBackup& backup);
    void reset() override;
    // The reading before the change is ours, not the operation's: it goes at the line's pace.
    bool linePaced() const override { return backup_.isOpen(); }

protected:
    // After the confirmation, before the operation's flag is set: opens the backup of
    // `channels`. The refusal, saying why, when it cannot be made.
    std::optional<Refused> saveFirst(const std::vector<int>& channels);
    // The refusal when the file at `path` with `lines` is a backup that is not complete: nothing
    // is written from a backup cut short.
    std::optional<Refused> refuseIncompleteBackup(const QString& path, const QStringList& lines);
    // A paused operation stopped by the operator: a backup still being saved is thrown away.
    void dropUnfinishedBackup();
    // The operation's own steps, once the backup is in place.
    virtual void changeStep() = 0;
    virtual void checkChange(const Exchange&) {}
    // The channels as read before the change.
    const ChannelBackup& before() const { return backup_; }
    // What the operator is told when the channels could not be read or saved first.
    virtual QString notSaved(const QString& why) const;

private:
    void step() final;
    void check(const Exchange& exchange) final;
    void stopSaving(StopKind kind, const QString& why);

    ChannelBackup& backup_;
};

}  // namespace talvex
