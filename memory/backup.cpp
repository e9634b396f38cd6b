#include "memory/backup.h"

#include "datafile/data_file.h"
#include "datafile/record_zone.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace talvex {

namespace {

QString CannotSave(const QString& why, const QString& operation)
{
    return QStringLiteral("The channels could not be saved before writing: ") + why + QStringLiteral(" ... ")
        + operation + QStringLiteral(" wrote nothing to the radio.");
}

}  // namespace

ChannelBackup::ChannelBackup(OperationContext& context, QString workingDirectory)
    : c_(context), directory_(JoinPath(workingDirectory, kBackupFolder)), read_(context)
{
}

ChannelBackup::~ChannelBackup() = default;

std::optional<QString> ChannelBackup::open(std::vector<int> channels)
{
    discard();
    held_.clear();
    if (enabled()) {
        if (!QDir().mkpath(directory_))
            return QStringLiteral("the folder ") + directory_ + QStringLiteral(" cannot be created");
        const QDir folder(directory_);
        // The name is claimed by creating its claim file, never by looking first: two processes
        // (two radios, one folder) that back up in the same second each get a name of their own.
        // A claim made where a complete backup already has the name is given up for the next
        // name. A claim that cannot be created and is not there either is a failure.
        time_ = clock_->now();
        std::optional<FileError> notClaimed;
        const QString name = BackupFileName(time_, [this, &folder, &notClaimed](const QString& file) {
            notClaimed = file_.create(folder.filePath(ClaimName(file)));
            if (notClaimed)
                return notClaimed->number == kErrorFileExists;
            if (!folder.exists(file))
                return false;
            file_.discard();
            return true;
        });
        path_ = folder.filePath(name);
        if (notClaimed)
            return ErrorCodeText(*notClaimed, {folder.filePath(ClaimName(name))});
        for (const QString& line : DataFileHead(name))
            file_.writeLine(line);
    }
    channels_ = std::move(channels);
    next_ = 0;
    progress_.clear();
    read_.reset();
    reading_ = true;
    return std::nullopt;
}

void ChannelBackup::sendNext()
{
    if (read_.wantsAgain()) {
        read_.sendAgain();
        return;
    }
    const ReadingProgress reached{enabled() ? ReadingProgress::Purpose::SaveBeforeWriting : readingPurpose_,
                                  static_cast<int>(next_) + 1, static_cast<int>(channels_.size())};
    progress_ = ReadingProgressText(reached);
    c_.tellEach([&reached](MemoryListener& listener) { listener.backupProgress(reached); });
    read_.send(channels_[next_++]);
}

std::optional<ChannelBackup::Stopped> ChannelBackup::check(const Exchange& exchange)
{
    const ChannelRead::Verdict verdict = read_.check(exchange);
    switch (verdict) {
    case ChannelRead::Verdict::AskAgain: return std::nullopt;
    case ChannelRead::Verdict::Silent:
    case ChannelRead::Verdict::Garbled: return Stopped{StopKindOf(verdict), read_.whyNot()};
    case ChannelRead::Verdict::Read: break;
    }
    held_[read_.channel()] = read_.record();
    if (!file_.isOpen())
        return std::nullopt;
    const QString line = read_.record() ? WithRecordZone(read_.line(), *read_.record()) : read_.line();
    if (file_.writeLine(line))
        return std::nullopt;
    // The write failed (a full disk): the claim goes, with the failure told.
    const auto error = file_.complete();
    file_.discard();
    return Stopped{StopKind::FileError,
                   ErrorCodeText(error.value_or(FileError{kErrorFileAccess, QString()}), {path_})};
}

std::optional<QString> ChannelBackup::complete()
{
    if (!file_.isOpen() || std::exchange(completed_, true))
        return std::nullopt;
    for (const QString& line : DataFileTail())
        file_.writeLine(line);
    if (const auto error = file_.complete()) {
        file_.discard();
        return ErrorCodeText(*error, {path_});
    }
    return std::nullopt;
}

std::optional<QString> ChannelBackup::commit()
{
    reading_ = false;
    if (!file_.isOpen())
        return std::nullopt;
    if (const auto why = complete())
        return why;
    const QDir folder(directory_);
    std::optional<FileError> error = file_.renameTo(path_);
    if (error && error->number == kErrorFileExists) {
        // Something without a claim took the name meanwhile: the next free one.
        BackupFileName(time_, [this, &folder, &error](const QString& name) {
            path_ = folder.filePath(name);
            error = file_.renameTo(path_);
            return error && error->number == kErrorFileExists;
        });
    }
    if (error) {
        file_.discard();
        return ErrorCodeText(*error, {path_});
    }
    lastPath_ = path_;
    PruneBackups(directory_, kBackupsKept, QFileInfo(path_).fileName());
    return std::nullopt;
}

void ChannelBackup::discard()
{
    file_.discard();
    completed_ = false;
    reading_ = false;
    channels_.clear();
    next_ = 0;
    read_.reset();
}

std::optional<std::optional<MemoryRecord>> ChannelBackup::held(int channel) const
{
    const auto found = held_.find(channel);
    if (found == held_.end())
        return std::nullopt;
    return found->second;
}

BackedUpStepper::BackedUpStepper(OperationContext& context, bool& flag, QString name, ChannelBackup& backup)
    : Stepper(context, flag, std::move(name)), backup_(backup)
{
}

void BackedUpStepper::reset()
{
    Stepper::reset();
    backup_.discard();
}

std::optional<Refused> BackedUpStepper::saveFirst(const std::vector<int>& channels)
{
    if (channels.empty())
        return std::nullopt;
    if (const auto why = backup_.open(channels))
        return refuse(RefusalReason::BackupNotMade, notSaved(*why));
    return std::nullopt;
}

std::optional<Refused> BackedUpStepper::refuseIncompleteBackup(const QString& path, const QStringList& lines)
{
    const auto why = WhyNotARestorableBackup(path, lines);
    if (!why)
        return std::nullopt;
    return refuse(RefusalReason::IncompleteBackup,
                  *why + QStringLiteral(" ... ") + name() + QStringLiteral(" wrote nothing to the radio."));
}

QString BackedUpStepper::notSaved(const QString& why) const { return CannotSave(why, name()); }

void BackedUpStepper::dropUnfinishedBackup() { backup_.discard(); }

void BackedUpStepper::step()
{
    if (backup_.isOpen()) {
        if (!backup_.allRead()) {
            expectAnswer();
            backup_.sendNext();
            return;
        }
        if (const auto why = backup_.commit()) {
            stopSaving(StopKind::FileError, *why);
            return;
        }
    }
    changeStep();
}

void BackedUpStepper::check(const Exchange& exchange)
{
    if (!backup_.isOpen()) {
        checkChange(exchange);
        return;
    }
    if (const auto stopped = backup_.check(exchange))
        stopSaving(stopped->kind, stopped->why);
}

void BackedUpStepper::stopSaving(StopKind kind, const QString& why)
{
    backup_.discard();
    // The channel last read for the backup is not the radio's to show: nothing was changed.
    c_.tellEach([](MemoryListener& listener) { listener.channelWithdrawn(); });
    halt(kind, notSaved(why));
}

}  // namespace talvex
