#pragma once

#include "memory/channel_read.h"
#include "memory/stepper.h"
#include "platform/clock.h"
#include "platform/text_file.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace talvex {

// Backups live in this folder of the working directory; the newest ones are kept.
inline const QString kBackupFolder = QStringLiteral("BACKUP");
inline constexpr int kBackupsKept = 50;

// "20261207-142501.TXT" for `time`; when `taken` says that name is in use, "20261207-142501-2.TXT"
// and on, so two backups in the same second never share a file.
QString BackupFileName(const QDateTime& time, const std::function<bool(const QString&)>& taken);
// Removes the oldest backups in `directory` until `keep` are left, `justMade` among them
// whatever the other names say (a clock once set ahead names backups after today's). Only
// files named as backups are counted or removed; whatever else the operator put there stays,
// and so does an empty one: a name claimed by a backup still being written.
void PruneBackups(const QString& directory, int keep, const QString& justMade);

// The radio's channels read before an operation changes them, with the same verified read
// Create File uses: the records a merge starts from and the channels already blank. With a clock
// they are also saved as a backup, a data file whose channel lines carry each channel's whole
// record (View File shows it, Update Rig writes it back byte for byte), written through a
// temporary file that becomes the backup only once it is complete.
class ChannelBackup {
public:
    ChannelBackup(OperationContext& context, QString workingDirectory);
    ~ChannelBackup();
    ChannelBackup(const ChannelBackup&) = delete;
    ChannelBackup& operator=(const ChannelBackup&) = delete;
    // No clock, no backup files (the default); the channels are still read.
    void setClock(const Clock* clock) { clock_ = clock; }
    bool enabled() const { return clock_ != nullptr; }
    // What the reading shows while no backup is made, "%1" the channel's place and "%2" the count.
    void setReadingText(QString text) { readingText_ = std::move(text); }

    // Starts reading `channels` (ascending) and, with a clock, a new backup of them; why not,
    // when the backup cannot be made. The backup's name is claimed at once, as a new empty file
    // no other process can take too.
    std::optional<QString> open(std::vector<int> channels);
    // The channels are being read.
    bool isOpen() const { return reading_; }
    // Every channel read and its line written.
    bool allRead() const { return !read_.wantsAgain() && next_ >= channels_.size(); }
    // How far the reading is: channels asked for, of how many.
    int readSoFar() const { return static_cast<int>(next_); }
    int toRead() const { return static_cast<int>(channels_.size()); }
    // Sends the read of the next channel (or the same one again after a missing answer).
    void sendNext();
    // The answer to the read sent last: nothing when the run goes on, else why it cannot.
    std::optional<QString> check(const Exchange& exchange);
    // Puts the complete backup in place and prunes the old ones: why not, when it failed.
    std::optional<QString> commit();
    // What was saved so far is thrown away; no backup is left behind.
    void discard();
    // The path of the last backup put in place.
    const QString& lastPath() const { return lastPath_; }
    // What the radio held in `channel` when it was read: the record, or nothing for a blank
    // channel. Nothing at all for a channel this run did not read.
    std::optional<std::optional<MemoryRecord>> held(int channel) const;

private:
    // The name open() claimed, unless the complete backup took its place: removed.
    void releaseClaim();

    OperationContext& c_;
    QString directory_;
    const Clock* clock_ = nullptr;
    QString readingText_ = QStringLiteral("Reading channel %1 of %2 before writing");
    ReplacingTextFile file_;
    QString path_;
    QString claimed_;  // the empty file standing for the backup being written
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
    // `channels`. False (and the operator told why) when it cannot be made.
    bool saveFirst(const std::vector<int>& channels);
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
    void stopSaving(const QString& why);

    ChannelBackup& backup_;
};

}  // namespace talvex
